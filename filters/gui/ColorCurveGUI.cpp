// The colour-curve editor and its controller.
#include "filters/gui/ColorCurveGUI.h"

#include <wx/dcclient.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "common/CommandHistory.h"
#include "common/gui/AppFonts.h"
#include "common/gui/ButtonEX.h"
#include "common/gui/GraphPanel.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/FilterCtrl.h"
#include "filters/gui/ColorCurveBtn.h"
#include "filters/gui/ColorCurveTemplate.h"
#include "filters/gui/ColorCurveTics.h"
#include "timeline/ParamGroup.h"

ColorCurveCtrl_cls* GpColorCurveCtrl = nullptr;

namespace {

/// The scaling items of a filter's record commit through their filter list, so that their
/// undo steps find the filter again by name; other records' items store by address.
void ChooseCommitRoad(MultiInputPanel_cls* panel, const ColorCurve_cls* record) {
    panel->commitMode = MI_COMMIT_UNDO;
    panel->filterContext = nullptr;
    if (!record) return;
    for (FilterCtrl_cls* list : GpFilterCtrls) {
        if (list && !list->GetItemAddress(&record->scalingMin.value).IsEmpty()) {
            panel->commitMode = MI_COMMIT_FILTER;
            panel->filterContext = list;
            return;
        }
    }
}

}  // namespace

// ------------------------------------------------------------------------- controller

ColorCurveCtrl_cls::ColorCurveCtrl_cls(wxWindow* frame) : frame_(frame) {
    CreateGUI(frame);
    GpColorCurveCtrl = this;
    ColorCurve_cls::SetDeleteObserver(&ColorCurveCtrl_cls::OnRecordDeleted);
    ColorCurveBtn_cls::SetCurveEditorOpener([this](ColorCurve_cls* record) { SetRecord(record); });
}

ColorCurveCtrl_cls::~ColorCurveCtrl_cls() {
    if (GpColorCurveCtrl == this) {
        GpColorCurveCtrl = nullptr;
        ColorCurve_cls::SetDeleteObserver(nullptr);
        ColorCurveBtn_cls::SetCurveEditorOpener(nullptr);
    }
    record_ = nullptr;
    if (gui) {
        ColorCurveGUI_cls* dialog = gui;
        dialog->ShowRecord(nullptr);
        gui = nullptr;
        this->dialog = nullptr;
        dialog->SetGeometryStore(nullptr);  // the toolkit deletes the dialog later
        dialog->Destroy();
    }
}

void ColorCurveCtrl_cls::CreateGUI(wxWindow* frame) {
    gui = new ColorCurveGUI_cls(this, frame, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void ColorCurveCtrl_cls::UpdateGUI(bool) {
    if (!gui) return;
    gui->UpdatePickButton();
    gui->Refresh(false);
    gui->UpdateCursorColour();
    gui->RefreshChannels();
    // The scaling a project read or an undo gave the record.
    gui->RefreshScaling();
}

void ColorCurveCtrl_cls::SetRecord(ColorCurve_cls* record) {
    record_ = record;
    if (gui) gui->ShowRecord(record);
}

void ColorCurveCtrl_cls::ApplyTemplate(const ColorCurve_cls& source, bool curveOnly) {
    if (record_) record_->CopyFrom(source, curveOnly);
}

void ColorCurveCtrl_cls::OnRecordDeleted(ColorCurve_cls* record) {
    if (GpColorCurveCtrl && GpColorCurveCtrl->record_ == record) GpColorCurveCtrl->SetRecord(nullptr);
}

// ------------------------------------------------------------------------- dialog

ColorCurveGUI_cls::ColorCurveGUI_cls(ColorCurveCtrl_cls* control, wxWindow* frame, const wxPoint& pos,
                                     const wxSize& size)
    : wxDialogEXKey(frame, wxID_ANY, wxGetTranslation("Color Curve Editor"), pos, size, nullptr,
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER, "dialogBox"),
      control_(control) {
    SetFont(GetAppFont(0));

    // Left: the channel buttons under a spacer as high as the swatch and ruler.
    auto* left = new wxBoxSizer(wxVERTICAL);
    left->AddSpacer(34);
    const char* channelNames[4] = {"R", "G", "B", "A"};
    for (int c = 0; c < 4; ++c) {
        channelButtons[c] = new wxButtonEX(this, ID_COLOR_CHANNEL_R + c, channelNames[c], wxDefaultPosition,
                                           wxSize(40, -1));
        left->Add(channelButtons[c], 0, wxALL, 1);
        Bind(wxEVT_BUTTON, &ColorCurveGUI_cls::OnChannelButton, this, ID_COLOR_CHANNEL_R + c);
    }

    // Centre: swatch, ruler, graph and the key buttons.
    auto* centre = new wxBoxSizer(wxVERTICAL);
    swatch = new ColorCurveBtn_cls(this, nullptr, false, true, false);
    swatch->SetMinSize(wxSize(-1, 18));
    centre->Add(swatch, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    ruler = new ColorCurveTics_cls(this);
    ruler->SetWindow(-0.05f, 1.05f);
    centre->Add(ruler, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    graph = new GraphPanel_cls(this, wxID_ANY, wxDefaultPosition, wxSize(480, 180), true);
    graph->SetXRange(-0.05, 1.05);
    graph->SetYRange(-0.1, 1.1);
    centre->Add(graph, 1, wxEXPAND | wxALL, 2);
    auto* keys = new wxBoxSizer(wxHORIZONTAL);
    insertButton = new wxButtonEX(this, ID_COLOR_INSERT_KEY, wxGetTranslation("Insert Key"));
    deleteButton = new wxButtonEX(this, ID_COLOR_DELETE_KEY, wxGetTranslation("Delete Key"));
    pickButton = new wxButtonEX(this, ID_COLOR_PICK, "", wxDefaultPosition, wxSize(80, -1));
    keys->Add(insertButton, 0, wxALL, 2);
    keys->Add(deleteButton, 0, wxALL, 2);
    keys->Add(pickButton, 0, wxALL, 2);
    centre->Add(keys, 0);

    // Right: scaling and channel panels, flip and swap.
    auto* right = new wxBoxSizer(wxVERTICAL);
    BuildScalingPanel(right);
    BuildChannelPanel(right);
    auto* flips = new wxBoxSizer(wxHORIZONTAL);
    flipButton = new wxButtonEX(this, wxID_ANY, wxGetTranslation("Flip Color"));
    swapButton = new wxButtonEX(this, wxID_ANY, wxGetTranslation("Swap RGB"));
    flips->Add(flipButton, 1, wxALL, 2);
    flips->Add(swapButton, 1, wxALL, 2);
    right->Add(flips, 0, wxEXPAND);
    ConnectButton(this, flipButton, &ColorCurveGUI_cls::OnFlipColor);
    ConnectButton(this, swapButton, &ColorCurveGUI_cls::OnSwapRGB);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(left, 0);
    columns->Add(centre, 1, wxEXPAND);
    columns->Add(right, 0);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // Without a record the editor is all grey: it says where a record is chosen.
    hint = new wxStaticText(this, wxID_ANY,
                            wxGetTranslation("No colour curve is chosen. Click the curve icon at the left of a "
                                             "colour bar (on an Attrib page or a filter) to switch its curve on, "
                                             "then click the bar to edit the curve here."));
    hint->Wrap(560);
    sizer->Add(hint, 0, wxEXPAND | wxALL, 6);
    sizer->Add(columns, 1, wxEXPAND);
    templates = new ColorCurveTemplate_cls(this);
    sizer->Add(templates, 0, wxEXPAND | wxALL, 2);
    SetSizer(sizer);
    Relayout();

    Bind(wxEVT_PAINT, &ColorCurveGUI_cls::OnPaint, this);
    Bind(wxEVT_MENU, &ColorCurveGUI_cls::OnGraphChanged, this, ID_GRAPH_CHANGED);
    Bind(wxEVT_BUTTON, &ColorCurveGUI_cls::OnInsertKey, this, ID_COLOR_INSERT_KEY);
    Bind(wxEVT_BUTTON, &ColorCurveGUI_cls::OnDeleteKey, this, ID_COLOR_DELETE_KEY);
    Bind(wxEVT_BUTTON, &ColorCurveGUI_cls::OnPickColour, this, ID_COLOR_PICK);
    Bind(wxEVT_KEY_DOWN, &ColorCurveGUI_cls::OnKeyDown, this);
    ShowRecord(nullptr);
}

ColorCurveGUI_cls::~ColorCurveGUI_cls() {
    if (control_ && control_->gui == this) {
        control_->gui = nullptr;
        control_->dialog = nullptr;
    }
}

void ColorCurveGUI_cls::BuildScalingPanel(wxSizer* sizer) {
    scalingPanel = CreateMultiInputPanel(&scalingPanel, this);
    scalingPanel->updateFlags = UPD_VIEWS | UPD_SNAP_REFRESH;
    scalingPanel->labelWidth = 60;
    static int twoMembers = 2;
    scalingPanel->AddItem(MI_GROUP, &twoMembers, "Min/Max");
    minItem = scalingPanel->AddItem(MI_FLOAT_TEXT, &dummyFloat, "");
    maxItem = scalingPanel->AddItem(MI_FLOAT_TEXT, &dummyFloat, "");
    scalingPanel->labelWidth = 90;
    wxString depend[11];
    for (int i = 0; i < 11; ++i) {
        const wxString name = GoColorDependTypeNames[i];
        depend[i] = (i == 0 || i == 10) ? name : wxGetTranslation(name);
    }
    dependItem = scalingPanel->AddChoiceItem(MI_COMBO, &dummyUint, 11, depend, wxGetTranslation("Depend on"));
    scalingPanel->CreateAndAddToSizer(sizer);
    scalingPanel->GetNotifier()->Register(
        [this](void*, void*) {
            if (ruler) ruler->Refresh(false);
        },
        MIE_VALUE_CHANGED);
}

void ColorCurveGUI_cls::BuildChannelPanel(wxSizer* sizer) {
    channelPanel = CreateMultiInputPanel(&channelPanel, this);
    channelPanel->updateFlags = UPD_VIEWS;
    channelPanel->labelWidth = 60;
    // The fields hold the dialog's own cursor colour; a final change becomes a key.
    channelPanel->commitMode = MI_COMMIT_DIRECT;
    const char* names[4] = {"R", "G", "B", "A"};
    for (int c = 0; c < 4; ++c) {
        channelItems[c] = channelPanel->AddValueWithSlider(MI_FLOAT_TEXT, &cursorColour[c], names[c],
                                                           MI_KEEP_WIDTH, MI_KEEP_WIDTH);
        channelPanel->SetItemRange(MI_LAST_ITEM, 0, 255, 255);
    }
    channelPanel->CreateAndAddToSizer(sizer);
    channelPanel->GetNotifier()->Register(
        [this](void*, void* payload) { OnChannelEdited(payload ? *static_cast<int*>(payload) : -1); },
        MIE_VALUE_CHANGED, -1, true);
}

ColorCurve_cls* ColorCurveGUI_cls::CurveRecord() const {
    ColorCurve_cls* record = Record();
    return record && record->curve ? record : nullptr;
}

void ColorCurveGUI_cls::ShowRecord(ColorCurve_cls* record) {
    // Scaling items: the record's values, or the dummies while none is edited.
    ChooseCommitRoad(scalingPanel, record);
    scalingPanel->GetItem(minItem).variable = record ? &record->scalingMin.value : &dummyFloat;
    scalingPanel->GetItem(maxItem).variable = record ? &record->scalingMax.value : &dummyFloat;
    scalingPanel->GetItem(dependItem).variable = record ? &record->dependType.value : &dummyUint;
    swatch->SetRecord(record);
    graph->group = record ? record->curve : nullptr;
    UpdateCursorColour();
    RefreshScaling();
    if (record) {
        graph->Refresh(false);
        swatch->Refresh(false);
    } else {
        graph->Refresh(true);
    }
    SetTitle(record ? wxGetTranslation("Color Curve Editor") + " : " + record->label
                    : wxGetTranslation("Color Curve Editor"));
    if (hint && hint->IsShown() != (record == nullptr)) {
        hint->Show(record == nullptr);
        Layout();
    }
    UpdateChannelButtons();
    UpdatePickButton();
}

void ColorCurveGUI_cls::UpdateCursorColour() {
    if (ColorCurve_cls* record = Record()) {
        const double x = graph->PixelToX(graph->GetCursorColumn());
        cursorPosition = static_cast<float>(x);
        record->ColorAt(cursorPosition, cursorColour);
    }
    RefreshChannels();
}

void ColorCurveGUI_cls::UpdatePickButton() {
    float rgb[3] = {0, 0, 0};
    graph->GetCursorValues(rgb);
    auto byte = [](float v) {
        const float c = v < 0 ? 0 : v > 1 ? 1 : v;
        return static_cast<unsigned char>(c * 255.0f);
    };
    pickButton->SetBackgroundColour(wxColour(byte(rgb[0]), byte(rgb[1]), byte(rgb[2])));
    pickButton->Refresh();
}

void ColorCurveGUI_cls::UpdateChannelButtons() {
    const ColorCurve_cls* record = CurveRecord();
    const int selected = record ? record->curve->SelectedCurve() : -1;
    for (int c = 0; c < 4; ++c) {
        channelButtons[c]->SetBackgroundColour(wxNullColour);
        channelButtons[c]->SetForegroundColour(wxNullColour);
    }
    switch (selected) {
        case 0: channelButtons[0]->SetBackgroundColour(wxColour(255, 0, 0)); break;
        case 1: channelButtons[1]->SetBackgroundColour(wxColour(0, 255, 0)); break;
        case 2:
            channelButtons[2]->SetBackgroundColour(wxColour(0, 0, 255));
            channelButtons[2]->SetForegroundColour(wxColour(255, 255, 255));
            break;
        case 3: channelButtons[3]->SetBackgroundColour(wxColour(255, 255, 255)); break;
        default: break;
    }
    for (wxButton* b : channelButtons) b->Refresh();
}

void ColorCurveGUI_cls::RefreshScaling() {
    scalingPanel->UpdateWidgets(MI_ALL_ITEMS);
    ruler->Refresh(false);
}

void ColorCurveGUI_cls::RefreshChannels() { channelPanel->UpdateWidgets(MI_ALL_ITEMS); }

void ColorCurveGUI_cls::RefitKeepingWidth() {
    const int width = GetSize().GetWidth();
    Layout();
    const wxSize best = GetSizer()->ComputeFittingWindowSize(this);
    SetMinSize(wxSize(-1, -1));
    SetSize(wxSize(width, best.GetHeight()));
    Layout();
}

void ColorCurveGUI_cls::OnChannelEdited(int itemIndex) {
    ColorCurve_cls* record = CurveRecord();
    if (!record) return;
    int channel = 0;  // red when no channel's entry or slider matches
    for (int c = 0; c < 4; ++c)
        if (itemIndex == channelItems[c] + 1 || itemIndex == channelItems[c] + 2) channel = c;
    const double x = graph->PixelToX(graph->GetCursorColumn());
    cursorPosition = static_cast<float>(x);
    record->curve->InsertKey(channel, x, cursorColour[channel]);
    graph->Refresh(false);
    swatch->Refresh(false);
}

void ColorCurveGUI_cls::OnChannelButton(wxCommandEvent& event) {
    const int c = event.GetId() - ID_COLOR_CHANNEL_R;
    if (ColorCurve_cls* record = CurveRecord()) {
        record->curve->SelectCurve(record->curve->SelectedCurve() == c ? -1 : c);
        graph->Refresh(true);
    }
    UpdateChannelButtons();
}

void ColorCurveGUI_cls::OnKeyDown(wxKeyEvent& event) {
    const int mods = event.GetModifiers();
    const int key = event.GetKeyCode();
    if (mods == wxMOD_NONE) {
        if (ColorCurve_cls* record = CurveRecord()) {
            int channel = -1;
            switch (key) {
                case 'R': channel = 0; break;
                case 'G': channel = 1; break;
                case 'B': channel = 2; break;
                case 'A': channel = 3; break;
                default: break;
            }
            record->curve->SelectCurve(channel);
            graph->Refresh(true);
            UpdateChannelButtons();
        }
    }
    // Ctrl+Z and Ctrl+Y (undo and redo of the whole program) reach the main window through
    // the dialog's own key handler, which hands every key on.
    event.Skip();
}

void ColorCurveGUI_cls::OnPaint(wxPaintEvent& event) {
    swatch->Refresh(false);
    ruler->Refresh(false);
    event.Skip();
}

void ColorCurveGUI_cls::OnGraphChanged(wxCommandEvent&) {
    // The graph's own R, G, B and A keys pick a channel: the buttons show it.
    UpdateChannelButtons();
    UpdatePickButton();
    UpdateCursorColour();
    swatch->Refresh(false);
}

void ColorCurveGUI_cls::OnInsertKey(wxCommandEvent&) {
    if (CurveRecord()) graph->InsertKeyAtCursor();
    graph->Refresh(false);
}

void ColorCurveGUI_cls::OnDeleteKey(wxCommandEvent&) {
    if (ColorCurve_cls* record = CurveRecord()) record->curve->DeleteSelectedKeys();
    graph->Refresh(false);
}

void ColorCurveGUI_cls::OnPickColour(wxCommandEvent&) {
    if (CurveRecord()) graph->PickColourAtCursor();
    graph->Refresh(false);
}

void ColorCurveGUI_cls::OnFlipColor(wxCommandEvent&) {
    if (ColorCurve_cls* record = CurveRecord()) record->Flip();
    graph->Refresh(false);
    swatch->Refresh(false);
}

void ColorCurveGUI_cls::OnSwapRGB(wxCommandEvent&) {
    if (ColorCurve_cls* record = CurveRecord()) record->SwapRGB();
    graph->Refresh(false);
    swatch->Refresh(false);
}
