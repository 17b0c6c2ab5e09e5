// The "Preference" dialog and its two pages.
#include "app/gui/PreferenceGUI.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include "app/gui/Preference.h"
#include "common/gui/MultiInputPanel.h"

namespace {

const wxColour kEmulatedTint(216, 191, 191);

}  // namespace

PreferenceGUI_cls::PreferenceGUI_cls(Preference_cls* c, wxWindow* parent)
    : wxDialogEXKey(parent, wxID_ANY, wxGetTranslation("Preference"), wxDefaultPosition,
                    wxDefaultSize, (c && c->icon.IsOk()) ? &c->icon : nullptr,
                    wxDEFAULT_DIALOG_STYLE, "dialogBox"),
      controller(c) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    notebook = new wxNotebook(this, ID_NOTEBOOK_PREFERENCE, wxDefaultPosition, wxDefaultSize, 0,
                              "notebook");
    sizer->Add(notebook, 1, wxEXPAND);
    BuildMousePage();
    BuildPerformancePage();
    SetSizer(sizer);
    sizer->SetSizeHints(this);
    Bind(wxEVT_BUTTON, &PreferenceGUI_cls::OnCancel, this, wxID_CANCEL);
}

PreferenceGUI_cls::~PreferenceGUI_cls() {
    if (controller) controller->DialogDestroyed();
}

void PreferenceGUI_cls::BuildMousePage() {
    static int fourMembers = 4;
    static int twoMembers = 2;
    static const char* const kGroups[6] = {"Gyration", "Zoom", "Move Center",
                                           "Move Item", "Menu", "Item Selection"};
    static const char* const kButtons[4] = {"Left Mouse BTN", "Middle Mouse BTN",
                                            "Right Mouse BTN", "Not Assigned"};
    static const char* const kEmulate[4] = {"Left BTN + Shift", "Left BTN + Ctrl",
                                            "Left BTN + Alt", "Not Assigned"};
    static const char* const kTemplates[2] = {"Defalut", "Blender Like"};
    static const char* const kMods[3] = {"Shift", "Ctrl", "Alt"};

    mousePanel = CreateMultiInputPanel(&mousePanel, notebook);
    MultiInputPanel_cls* p = mousePanel;
    p->labelWidth = 100;
    p->comboWidthInGroup = 130;
    wxString buttons[4], emulate[4], templates[2];
    for (int i = 0; i < 4; ++i) {
        buttons[i] = wxGetTranslation(kButtons[i]);
        emulate[i] = wxGetTranslation(kEmulate[i]);
    }
    for (int i = 0; i < 2; ++i) templates[i] = wxGetTranslation(kTemplates[i]);

    for (int b = 0; b < PREF_BINDING_COUNT; ++b) {
        p->AddItem(MI_GROUP, &fourMembers, wxGetTranslation(kGroups[b]));
        buttonItem_[b] = p->AddChoiceItem(MI_COMBO, controller->ButtonValue(b), 4, buttons, "");
        for (int m = 0; m < 3; ++m)
            modifierItem_[b][m] =
                p->AddItem(MI_CHECKBOX, controller->ModifierValue(b, m), wxGetTranslation(kMods[m]));
    }
    emulateItem = p->AddChoiceItem(MI_COMBO, controller->EmulationValue(), 4, emulate,
                                   wxGetTranslation("MButton Emulate"));
    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Invert"));
    zoomInvertItem = p->AddItem(MI_CHECKBOX, controller->ZoomInvertValue(), wxGetTranslation("Zoom"));
    gyrationInvertItem =
        p->AddItem(MI_CHECKBOX, controller->GyrationInvertValue(), wxGetTranslation("Gyration"));
    templateItem = p->AddChoiceItem(MI_COMBO, &controller->templateIndex, 2, templates,
                                    wxGetTranslation("Template"));
    p->BuildControls();
    p->AddItemCallback([this](void*, void*) { OnTemplateSelected(); }, MIE_SELECT_CHANGED,
                       templateItem);
    p->AddItemCallback([this](void*, void*) { OnEmulateSelected(); }, MIE_SELECT_CHANGED,
                       emulateItem);
    notebook->AddPage(p, wxGetTranslation("Mouse"));
}

void PreferenceGUI_cls::BuildPerformancePage() {
    static int twoMembers = 2;
    static const char* const kOffOn[2] = {"off", "on"};
    static const char* const kSort[4] = {"Precise", "Approximate 10", "Approximate 100",
                                         "Approximate 1000"};
    static const char* const kFBO[2] = {"Direct Drawing", "Use FBO as a buffer"};
    const PreferencePerformanceTargets& t = controller->PerformanceTargets();

    performancePanel = CreateMultiInputPanel(&performancePanel, notebook);
    MultiInputPanel_cls* p = performancePanel;
    p->labelWidth = 140;
    wxString offOn[2], sort[4], fbo[2];
    for (int i = 0; i < 2; ++i) {
        offOn[i] = wxGetTranslation(kOffOn[i]);
        fbo[i] = wxGetTranslation(kFBO[i]);
    }
    for (int i = 0; i < 4; ++i) sort[i] = wxGetTranslation(kSort[i]);

    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Memory Limit(MB)"));
    criticalItem = p->AddItem(MI_INT_TEXT, t.memoryLimitMB, wxGetTranslation("Critical"));
    // Below 1 MB every frame would be evicted at once.
    p->SetItemRange(MI_LAST_ITEM, 1, 1 << 30, 0);
    nowUsedItem = p->AddItem(MI_INT_TEXT, t.memoryUsedMB, wxGetTranslation("NowUsed"), false);
    // The body reader has no answer to a negative worker count: 1 to 64 workers.
    dataThreadsItem = p->AddItem(MI_INT_SPIN, t.dataIOThreads, wxGetTranslation("Thread (Data I/O)"));
    p->SetItemRange(MI_LAST_ITEM, 1, 64, 0);
    jpegItem = p->AddItem(MI_INT_SPIN, t.jpegQuality, wxGetTranslation("JPEG Quality"));
    p->SetItemRange(MI_LAST_ITEM, 0, 100, 0);
    imageThreadItem = p->AddChoiceItem(MI_COMBO, t.imageMultiThread, 2, offOn,
                                       wxGetTranslation("Thread (Image I/O)"));
    sortItem = p->AddChoiceItem(MI_COMBO, controller->SortTypeValue(), 4, sort,
                                wxGetTranslation("Z-Sort Algorithm"));
    fboItem = p->AddChoiceItem(MI_COMBO, controller->UseFBOValue(), 2, fbo, wxGetTranslation("FBO"));
    p->BuildControls();
    notebook->AddPage(p, wxGetTranslation("Performance"));
}

void PreferenceGUI_cls::RefreshAll() {
    mousePanel->UpdateWidgets(MI_ALL_ITEMS);
    performancePanel->UpdateWidgets(MI_ALL_ITEMS);
}

void PreferenceGUI_cls::MarkEmulatedModifier() {
    const unsigned e = controller ? controller->Emulation() : unsigned{PREF_MOD_NONE};
    for (int b = 0; b < PREF_BINDING_COUNT; ++b)
        for (int m = 0; m < 3; ++m) {
            wxWindow* box = mousePanel->GetItemControl(modifierItem_[b][m]);
            if (!box) continue;
            if (static_cast<unsigned>(m) == e)
                box->SetBackgroundColour(kEmulatedTint);
            else
                box->SetBackgroundColour(wxNullColour);
            box->Refresh();
        }
}

void PreferenceGUI_cls::OnTemplateSelected() {
    if (!controller) return;
    controller->ApplyMouseTemplate(static_cast<int>(controller->templateIndex));
    mousePanel->UpdateWidgets(MI_ALL_ITEMS);
    MarkEmulatedModifier();
}

void PreferenceGUI_cls::OnEmulateSelected() {
    MarkEmulatedModifier();
}

void PreferenceGUI_cls::OnCancel(wxCommandEvent&) {
    // Values typed into a field but not committed are dropped: show the stored ones.
    RefreshAll();
    CloseDialog(wxID_CANCEL);
}
