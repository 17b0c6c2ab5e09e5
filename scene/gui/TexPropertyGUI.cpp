// Texture editor: controller, dialog, bindings and visibility rules.
#include "scene/gui/TexPropertyGUI.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"

namespace {

template <int L>
void* PatternOf(TexProperty_cls& r) { return &r.normalPattern[L].value; }
template <int L>
void* DegreeOf(TexProperty_cls& r) { return &r.normalDegree[L].value; }
template <int L>
void* ScaleOf(TexProperty_cls& r) { return &r.normalScale[L].value; }

// A float entry with its slider over lo..hi in steps of 0.01.
int FloatRow(MultiInputPanel_cls* p, float* v, const wxString& label, double hi) {
    const int header = p->AddValueWithSlider(MI_FLOAT_TEXT, v, label, 60, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, 0, hi * 100, 100);
    return header;
}

}  // namespace

// ------------------------------------------------------------------------ controller

TexPropertyCtrl_cls::TexPropertyCtrl_cls(wxWindow* frame, const wxBitmap* icon) : frame_(frame), icon_(icon) {
    CreateGUI(frame);
}

TexPropertyCtrl_cls::~TexPropertyCtrl_cls() {
    if (!gui) return;
    TexPropertyGUI_cls* d = gui;
    d->Attach(nullptr, "");
    d->control_ = nullptr;
    gui = nullptr;
    dialog = nullptr;
    d->SetGeometryStore(nullptr);
    d->Destroy();
}

void TexPropertyCtrl_cls::CreateGUI(wxWindow* frame) {
    gui = new TexPropertyGUI_cls(this, frame, icon_, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void TexPropertyCtrl_cls::UpdateGUI(bool) {
    if (!gui) return;
    // an undone choice may show or hide rows
    gui->ApplyRules();
    gui->RefreshControls();
}

void TexPropertyCtrl_cls::EditTexture(TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* target) {
    if (!gui) return;
    gui->AttachWithTarget(record, title, target);
    gui->Layout();
}

// ------------------------------------------------------------------------ dialog

TexPropertyGUI_cls::TexPropertyGUI_cls(TexPropertyCtrl_cls* control, wxWindow* frame, const wxBitmap* icon,
                                       const wxPoint& pos, const wxSize& size)
    : wxDialogEXKey(frame, wxID_ANY, wxGetTranslation("Texture"), pos, size, icon,
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"),
      titlePrefix(wxGetTranslation("Texture::")),
      control_(control) {
    defaults_.Register(defaultGroup_);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // Without a record every control is grey: the dialog says where a texture is chosen.
    hint = new wxStaticText(this, wxID_ANY,
                            wxGetTranslation("No texture is chosen. Select an Object or Stick filter (click its "
                                             "panel on the Object page) to edit its texture here."));
    hint->Wrap(320);
    sizer->Add(hint, 0, wxEXPAND | wxALL, 6);
    BuildMainPanel(sizer);
    notebook = new wxNotebook(this, ID_TEXTURE_NOTEBOOK);
    BuildPages();
    sizer->Add(notebook, 0, wxEXPAND | wxALL, 2);
    SetSizer(sizer);
    Attach(nullptr, "");
    Fit();
}

TexPropertyGUI_cls::~TexPropertyGUI_cls() {
    if (record_ && record_->editor == this) record_->editor = nullptr;
    record_ = nullptr;
    if (control_ && control_->gui == this) {
        control_->gui = nullptr;
        control_->dialog = nullptr;
    }
}

void TexPropertyGUI_cls::BuildMainPanel(wxSizer* sizer) {
    MultiInputPanel_cls* p = CreateMultiInputPanel(&mainPanel, this);
    p->updateFlags = UPD_TEXTURE_GUI | UPD_FILTER_EVAL | UPD_VIEWS;
    p->labelWidth = 100;
    static int one = 1;
    TexProperty_cls& d = defaults_;
    const wxString shaders[4] = {"original", "Gouroud", "Phong", "Toon"};
    p->AddItem(MI_GROUP, &one, wxGetTranslation("Shader"));
    shaderItem = p->AddChoiceItem(MI_COMBO, &d.shaderType.value, 4, shaders, "");
    bindings_.push_back({p, shaderItem, MI_COMBO, false, [](TexProperty_cls& r) -> void* { return &r.shaderType.value; }});
    shininessItem = p->AddValueWithSlider(MI_INT_SPIN, &d.shininess.value, wxGetTranslation("Shininess"), 60,
                                          MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 0, 100, 0);
    bindings_.push_back(
        {p, shininessItem, MI_INT_SPIN, true, [](TexProperty_cls& r) -> void* { return &r.shininess.value; }});
    const wxString transmit[3] = {wxGetTranslation("no transmit"), wxGetTranslation("transmit"),
                                  wxGetTranslation("filtered")};
    p->AddItem(MI_GROUP, &one, wxGetTranslation("Transmit Type"));
    transmitItem = p->AddChoiceItem(MI_COMBO, &d.transmitType.value, 3, transmit, "");
    bindings_.push_back(
        {p, transmitItem, MI_COMBO, false, [](TexProperty_cls& r) -> void* { return &r.transmitType.value; }});
    alphaItem = FloatRow(p, &d.alpha.value, wxGetTranslation("Alpha"), 1);
    bindings_.push_back({p, alphaItem, MI_FLOAT_TEXT, true, [](TexProperty_cls& r) -> void* { return &r.alpha.value; }});
    p->CreateAndAddToSizer(sizer);
    p->AddCallback([this](void*, void*) { ApplyRules(); }, MIE_SELECT_CHANGED, nullptr);
}

void TexPropertyGUI_cls::BuildPages() {
    TexProperty_cls& d = defaults_;
    static int one = 1;
    const char* names[3] = {"Bump Map", "Mirror", "Interior"};
    for (int i = 0; i < 3; ++i) {
        pages[i] = CreateMultiInputPanel(&pages[i], notebook);
        pages[i]->labelWidth = 80;
        // the editor follows an undo of its pages too
        pages[i]->updateFlags = UPD_TEXTURE_GUI;
    }
    MultiInputPanel_cls* bump = pages[0];
    wxString patterns[kNormalPatternCount];
    for (int k = 0; k < kNormalPatternCount; ++k) patterns[k] = NormalPatternLabel(unsigned(k));
    for (int l = 0; l < 2; ++l) {
        patternItem[l] = bump->AddChoiceItem(MI_COMBO, &d.normalPattern[l].value, kNormalPatternCount, patterns,
                                             wxGetTranslation("Normal"));
        bump->GetLastItem().controlWidth = 160;
        degreeItem[l] = FloatRow(bump, &d.normalDegree[l].value, wxGetTranslation("degree"), 1);
        scaleItem[l] = FloatRow(bump, &d.normalScale[l].value, wxGetTranslation("scale"), 10);
        bindings_.push_back({bump, patternItem[l], MI_COMBO, false, l ? PatternOf<1> : PatternOf<0>});
        bindings_.push_back({bump, degreeItem[l], MI_FLOAT_TEXT, true, l ? DegreeOf<1> : DegreeOf<0>});
        bindings_.push_back({bump, scaleItem[l], MI_FLOAT_TEXT, true, l ? ScaleOf<1> : ScaleOf<0>});
    }
    MultiInputPanel_cls* mirror = pages[1];
    const wxString reflect[3] = {wxGetTranslation("no mirror"), wxGetTranslation("mirror like"),
                                 wxGetTranslation("metal like")};
    const int reflectGroup = mirror->AddItem(MI_GROUP, &one, wxGetTranslation("Reflex Type"));
    reflectItem = mirror->AddChoiceItem(MI_COMBO, &d.reflectType.value, 3, reflect, "");
    reflectMinItem = FloatRow(mirror, &d.reflectMin.value, wxGetTranslation("Reflex min"), 1);
    reflectMaxItem = FloatRow(mirror, &d.reflectMax.value, wxGetTranslation("Reflex max"), 1);
    bindings_.push_back(
        {mirror, reflectItem, MI_COMBO, false, [](TexProperty_cls& r) -> void* { return &r.reflectType.value; }});
    bindings_.push_back(
        {mirror, reflectMinItem, MI_FLOAT_TEXT, true, [](TexProperty_cls& r) -> void* { return &r.reflectMin.value; }});
    bindings_.push_back(
        {mirror, reflectMaxItem, MI_FLOAT_TEXT, true, [](TexProperty_cls& r) -> void* { return &r.reflectMax.value; }});
    iorItem = FloatRow(pages[2], &d.ior.value, wxGetTranslation("IOR"), 2);
    bindings_.push_back({pages[2], iorItem, MI_FLOAT_TEXT, true, [](TexProperty_cls& r) -> void* { return &r.ior.value; }});
    for (int i = 0; i < 3; ++i) {
        pages[i]->CreateAndAddToSizer(nullptr);
        notebook->AddPage(pages[i], wxGetTranslation(names[i]));
    }
    (void)reflectGroup;
    if (wxWindow* c = mirror->GetItemControl(reflectItem))
        c->SetToolTip(wxGetTranslation("Metal like reflection is affected by the color of material itself."));
    if (wxWindow* c = mirror->GetItemControl(reflectMinItem + 1))
        c->SetToolTip(wxGetTranslation("Reflection when viewed from a direction parallel to its normal."));
    if (wxWindow* c = mirror->GetItemControl(reflectMaxItem + 1))
        c->SetToolTip(wxGetTranslation(
            "Reflection when viewed from shallow angle.\nMany materials are more reflective in shallow angle."));
    for (int i = 0; i < 2; ++i)
        pages[i]->AddCallback([this](void*, void*) { ApplyRules(); }, MIE_SELECT_CHANGED, nullptr);
}

void TexPropertyGUI_cls::Bind(TexProperty_cls& record) {
    for (const Binding& b : bindings_) {
        void* v = b.of(record);
        if (b.slider)
            b.panel->RebindValueWithSlider(b.index, b.kind, v);
        else
            b.panel->GetItem(b.index).variable = v;
    }
}

void TexPropertyGUI_cls::Attach(TexProperty_cls* record, const wxString& title) {
    AttachWithTarget(record, title, nullptr);
}

void TexPropertyGUI_cls::AttachWithTarget(TexProperty_cls* record, const wxString& title,
                                          FilterValueTarget_cls* target) {
    if (record_ && record_ != record && record_->editor == this) record_->editor = nullptr;
    record_ = record;
    MultiInputPanel_cls* panels[4] = {mainPanel, pages[0], pages[1], pages[2]};
    if (record) {
        SetTitle(titlePrefix + title);
        Bind(*record);
        record->editor = this;
    } else {
        SetTitle(titlePrefix + wxGetTranslation("Not selected"));
        Bind(defaults_);
    }
    // Edits of a filter's record are steps that find the filter again by its name.
    for (MultiInputPanel_cls* p : panels) {
        for (int i = 0; i < p->GetItemCount(); ++i) {
            MultiInputItem_cls& item = p->GetItem(i);
            item.commitMode = record && target ? MI_COMMIT_FILTER : MI_COMMIT_DIRECT;
            item.filterContext = record ? target : nullptr;
        }
        p->EnableAll(record != nullptr);
    }
    if (hint && hint->IsShown() != (record == nullptr)) {
        hint->Show(record == nullptr);
        Layout();
        Fit();
    }
    ApplyRules();
    RefreshControls();
}

void TexPropertyGUI_cls::ApplyRules() {
    const TexProperty_cls* r = record_;
    const bool on = r != nullptr;
    mainPanel->ShowItem(alphaItem, on && r->transmitType.value != 0);
    pages[2]->ShowItem(iorItem, on && r->transmitType.value != 0);
    pages[1]->ShowItem(reflectMinItem, on && r->reflectType.value != 0);
    pages[1]->ShowItem(reflectMaxItem, on && r->reflectType.value != 0);
    for (int l = 0; l < 2; ++l) {
        pages[0]->ShowItem(degreeItem[l], on && r->normalPattern[l].value != 0);
        pages[0]->ShowItem(scaleItem[l], on && r->normalPattern[l].value != 0);
    }
    FitNotebook();
}

void TexPropertyGUI_cls::FitNotebook() {
    int highest = 0;
    for (MultiInputPanel_cls* p : pages) {
        p->Layout();
        p->Fit();
        highest = std::max(highest, p->GetBestSize().y);
    }
    notebook->SetMinSize(wxSize(-1, std::max(highest + 30, notebook->CalcSizeFromPage(wxSize(1, highest)).y)));
    mainPanel->Layout();
    Layout();
    Fit();
}

void TexPropertyGUI_cls::RefreshControls() {
    mainPanel->UpdateWidgets(MI_ALL_ITEMS);
    for (MultiInputPanel_cls* p : pages) p->UpdateWidgets(MI_ALL_ITEMS);
}
