// View control bar.
#include "view/gui/GLCanvasCtrl.h"

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/tglbtn.h>
#include <wx/toplevel.h>

#include "common/gui/AppFonts.h"
#include "view/gui/MainGLCanvas.h"

namespace {

const char* const kChoiceNames[9] = {"Free",           "From -X to +X", "From +X to -X",
                                     "From -Y to +Y",  "From +Y to -Y", "From -Z to +Z",
                                     "From +Z to -Z",  nullptr,         "Copy of View 0"};
const char* const kGeometryNames[4] = {"Perspective", "Orthographic", "Fisheye", "Panoramic"};
const char* const kToggleLabels[4] = {"M", "I", "G", "D"};
const char* const kToggleTips[4] = {"Show/Hide Message", "Show/Hide Item", "Show/Hide Grid",
                                    "Show/Hide Data"};

}  // namespace

wxString GLCanvasCtrl_cls::ChoiceName(int choice) {
    if (choice == CAMERA_PATH) return "Cam" + wxString::Format("%d", 0);
    if (choice < 0 || choice > 8) return wxString();
    return kChoiceNames[choice];
}

wxString GLCanvasCtrl_cls::GeometryName(int geometry) {
    if (geometry < 0 || geometry > 3) return wxString();
    return wxGetTranslation(kGeometryNames[geometry]);
}

GLCanvasCtrl_cls::GLCanvasCtrl_cls(wxWindow* parent, wxWindow* frame, int viewIndex, int defaultChoice,
                                   const wxString& name)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, name),
      m_viewIndex(viewIndex) {
    SetFont(GetAppFont(1));
    m_view = new MainGLCanvas_cls(this, frame, viewIndex, defaultChoice, name);
    m_row = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);

    wxArrayString choices;
    for (int i = 0; i < 8; ++i) choices.Add(ChoiceName(i));
    // Only the extra view can copy view 0.
    if (viewIndex == 4) choices.Add(ChoiceName(CAMERA_COPY_VIEW0));
    m_camera = new wxComboBox(m_row, wxID_ANY, ChoiceName(0), wxDefaultPosition, wxDefaultSize,
                              choices, wxCB_READONLY | wxCB_DROPDOWN);
    m_camera->SetToolTip(wxGetTranslation("Point of View"));
    m_camera->Bind(wxEVT_COMBOBOX, &GLCanvasCtrl_cls::OnComboSelected, this);

    wxArrayString geometries;
    for (int i = 0; i < 4; ++i) geometries.Add(GeometryName(i));
    m_geometry = new wxComboBox(m_row, wxID_ANY, GeometryName(0), wxDefaultPosition, wxDefaultSize,
                                geometries, wxCB_READONLY | wxCB_DROPDOWN);
    m_geometry->SetToolTip(wxGetTranslation("Geometry"));
    m_geometry->Bind(wxEVT_COMBOBOX, &GLCanvasCtrl_cls::OnComboSelected, this);

    m_pivot = new wxCheckBox(m_row, wxID_ANY, wxGetTranslation("Pivot Follows Anchor"));
    m_pivot->Bind(wxEVT_CHECKBOX, &GLCanvasCtrl_cls::OnPivotCheck, this);

    for (int i = 0; i < 4; ++i) {
        // 24 pixels wide at least; GTK's button padding may need more for the letter.
        m_toggles[i] = new wxToggleButton(m_row, wxID_ANY, kToggleLabels[i], wxDefaultPosition,
                                          wxDefaultSize, wxBU_EXACTFIT, wxDefaultValidator, "check");
        m_toggles[i]->SetMinSize(wxSize(std::max(24, m_toggles[i]->GetBestSize().x), -1));
        m_toggles[i]->SetToolTip(wxGetTranslation(kToggleTips[i]));
        m_toggles[i]->SetValue(true);
        m_toggles[i]->Bind(wxEVT_TOGGLEBUTTON, [this, i](wxCommandEvent&) { OnToggle(i); });
    }

    m_rowSizer = new wxBoxSizer(wxHORIZONTAL);
    m_rowSizer->Add(m_camera, 0, wxALIGN_CENTER_VERTICAL);
    m_rowSizer->AddSpacer(10);
    m_rowSizer->Add(m_geometry, 0, wxALIGN_CENTER_VERTICAL);
    m_rowSizer->AddStretchSpacer(1);
    m_rowSizer->Add(m_pivot, 0, wxALIGN_CENTER_VERTICAL);
    for (wxToggleButton* t : m_toggles) m_rowSizer->Add(t, 0, wxALIGN_CENTER_VERTICAL);
    m_row->SetSizer(m_rowSizer);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_row, 0, wxEXPAND);
    column->Add(m_view, 1, wxEXPAND);
    SetSizer(column);

    m_menu = new wxMenu;
    Bind(wxEVT_SIZE, &GLCanvasCtrl_cls::OnSize, this);
    Bind(wxEVT_RIGHT_DOWN, &GLCanvasCtrl_cls::OnRightDown, this);
    m_row->Bind(wxEVT_RIGHT_DOWN, &GLCanvasCtrl_cls::OnRightDown, this);

    // The view applies the combos on its first draw, and shows choices changed elsewhere
    // (keyboard shortcuts, context menu) in the bar.
    m_view->SetFirstDrawHook([this]() { ApplyCombos(); });
    m_view->SetChoiceChangedHook([this]() { SyncChoices(); });
    if (viewIndex == 4)
        m_view->SetExtraViewKeyHook([this](int mask, int key) { OnExtraViewKey(mask, key); });
    SyncChoices();
    SyncToggles();
}

void GLCanvasCtrl_cls::OnExtraViewKey(int mask, int key) {
    wxTopLevelWindow* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(this));
    if (!top) return;
    if (mask == 1 && (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)) {
        m_fullScreen = true;
        m_row->Hide();
        Layout();
        top->ShowFullScreen(true, wxFULLSCREEN_ALL);
    } else if (key == WXK_ESCAPE) {
        m_fullScreen = false;
        top->ShowFullScreen(false);
        FitRow(GetSize().x, GetSize().y);
    }
}

GLCanvasCtrl_cls::~GLCanvasCtrl_cls() {
    // The view outlives nothing of the bar: its hooks point here.
    if (m_view) {
        m_view->SetFirstDrawHook(nullptr);
        m_view->SetChoiceChangedHook(nullptr);
    }
    delete m_menu;
}

bool GLCanvasCtrl_cls::ReadConfig(const wxString& line) { return m_view->settings.ReadLine(line); }

wxString GLCanvasCtrl_cls::WriteConfig() const { return m_view->settings.WriteAll(); }

void GLCanvasCtrl_cls::SyncToggles() {
    const ViewSettings_cls& s = m_view->settings;
    m_toggles[0]->SetValue(s.showMessage.value);
    m_toggles[1]->SetValue(s.showItems.value);
    m_toggles[2]->SetValue(s.showGrid.value);
    m_toggles[3]->SetValue(s.showData.value);
    m_view->projection.perspective = m_view->cameras.Perspective() ? 1 : 0;
}

void GLCanvasCtrl_cls::SyncChoices() {
    const ViewSettings_cls& s = m_view->settings;
    m_camera->SetValue(ChoiceName(s.displayMode.value));
    m_geometry->SetValue(GeometryName(s.geometry.value));
    m_pivot->SetValue(s.pivotMode.value);
}

void GLCanvasCtrl_cls::ApplyChoices() {
    ApplyCombos();
    m_view->MakeCurrentView();
    m_view->RequestPaint();
}

void GLCanvasCtrl_cls::ApplyCombos() {
    const wxString camera = m_camera->GetValue();
    const int maxChoice = m_view->settings.MaxChoice();
    for (int i = 0; i <= maxChoice; ++i)
        if (camera == ChoiceName(i)) m_view->cameras.SetChoice(i);
    const wxString geometry = m_geometry->GetValue();
    for (int i = 0; i < 4; ++i)
        if (geometry == GeometryName(i)) m_view->settings.geometry.value = i;
    if (camera == ChoiceName(CAMERA_PATH)) {
        int f, sub;
        double t;
        MainGLCanvas_cls::SourceFrame(f, sub, t);
        m_view->cameras.LinkToCameraPath(t);
    }
}

void GLCanvasCtrl_cls::OnComboSelected(wxCommandEvent& event) {
    if (event.GetEventObject() == m_camera) {
        // A new camera choice brings its own geometry (orthographic for the axis views,
        // perspective otherwise), as the keyboard's choices do; the geometry combo follows.
        const wxString camera = m_camera->GetValue();
        for (int i = 0; i <= m_view->settings.MaxChoice(); ++i)
            if (camera == ChoiceName(i)) m_view->cameras.SetChoice(i);
        m_geometry->SetValue(GeometryName(m_view->settings.geometry.value));
    }
    ApplyChoices();
    m_view->SetFocus();
}

void GLCanvasCtrl_cls::OnPivotCheck(wxCommandEvent&) {
    m_view->settings.pivotMode.value = m_pivot->GetValue();
    m_view->RequestPaint();
}

void GLCanvasCtrl_cls::OnToggle(int which) {
    ViewSettings_cls& s = m_view->settings;
    ConfItemBOOL_cls* items[4] = {&s.showMessage, &s.showItems, &s.showGrid, &s.showData};
    items[which]->value = m_toggles[which]->GetValue();
    m_view->RequestPaint();
}

void GLCanvasCtrl_cls::FitRow(int w, int h) {
    // The controls go in this order as the bar narrows: geometry, pivot check box, camera,
    // toggles. Each is judged by its best size under the toolkit's font, so no control is
    // ever squeezed below it; a bar lower than the row shows no controls.
    int toggles = 0;
    for (wxToggleButton* t : m_toggles) toggles += t->GetBestSize().x;
    const int camera = m_camera->GetBestSize().x;
    const int pivot = m_pivot->GetBestSize().x;
    const int geometry = m_geometry->GetBestSize().x + 10;
    int rowHeight = 0;
    for (wxWindow* c : {static_cast<wxWindow*>(m_camera), static_cast<wxWindow*>(m_geometry),
                        static_cast<wxWindow*>(m_pivot), static_cast<wxWindow*>(m_toggles[0])})
        rowHeight = std::max(rowHeight, c->GetBestSize().y);
    if (h < rowHeight + 8) w = 0;
    const bool showToggles = w >= std::max(120, toggles);
    const bool showCamera = showToggles && w >= std::max(220, toggles + camera);
    const bool showPivot = showCamera && w >= std::max(300, toggles + camera + pivot);
    const bool showGeometry = showPivot && w >= std::max(420, toggles + camera + pivot + geometry);
    bool changed = false;
    auto fit = [&changed](wxWindow* c, bool show) {
        if (c->IsShown() == show) return;
        c->Show(show);
        changed = true;
    };
    fit(m_geometry, showGeometry);
    fit(m_pivot, showPivot);
    fit(m_camera, showCamera);
    for (wxToggleButton* t : m_toggles) fit(t, showToggles);
    fit(m_row, showToggles && !m_fullScreen);
    if (changed) {
        m_row->Layout();
        Layout();
    }
}

void GLCanvasCtrl_cls::OnSize(wxSizeEvent& event) {
    FitRow(event.GetSize().x, event.GetSize().y);
    event.Skip();
}

void GLCanvasCtrl_cls::OnRightDown(wxMouseEvent& event) {
    wxWindow* w = dynamic_cast<wxWindow*>(event.GetEventObject());
    const wxPoint p = ScreenToClient(w ? w->ClientToScreen(event.GetPosition()) : event.GetPosition());
    PopupMenu(m_menu, p);
}
