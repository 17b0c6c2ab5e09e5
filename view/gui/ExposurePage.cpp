// The "Exposure" page.
#include "view/gui/ExposurePage.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "common/gui/MultiInputPanel.h"
#include "view/ExposureSettings.h"

void ExposureSettings_cls::CreatePage(wxWindow* parent) {
    if (releasePage) releasePage();
    page = new ExposurePage_cls(this, parent);
    releasePage = [this]() {
        delete page;
        page = nullptr;
        releasePage = nullptr;
    };
}

ExposurePage_cls::ExposurePage_cls(ExposureSettings_cls* s, wxWindow* p) : settings(s), parent(p) {
}

ExposurePage_cls::~ExposurePage_cls() {
}

void ExposurePage_cls::CreateControls(wxSizer* sizer) {
    panel = CreateMultiInputPanel(&panel, parent);
    MultiInputPanel_cls* p = panel;
    p->labelWidth = 70;
    p->defaultControlWidth = -1;
    p->updateFlags = UPD_VIEWS | UPD_DRAW_PAGES;
    levelItem = p->AddItem(MI_DUAL_SLIDER, settings->level.values, wxGetTranslation("Level"));
    p->SetItemRange(MI_LAST_ITEM, 0, 200, 100);
    gammaItem = p->AddValueWithSlider(MI_FLOAT_TEXT, &settings->gamma.value,
                                      wxGetTranslation("Gamma"), 50, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, 10, 300, 100);
    hueItem = p->AddValueWithSlider(MI_INT_TEXT, &settings->hueOffset.value,
                                    wxGetTranslation("Hue"), 50, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, -180, 180, 0);
    saturationItem = p->AddValueWithSlider(MI_INT_TEXT, &settings->saturation.value,
                                           wxGetTranslation("Saturation"), 50, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, -100, 100, 0);
    p->defaultControlWidth = 40;
    defaultItem = p->AddUnboundItem(-1, wxGetTranslation("Default"), MI_BUTTON);
    p->GetLastItem().alignment = 1;
    p->defaultControlWidth = 80;
    p->CreateAndAddToSizer(sizer);
    p->AddItemCallback([this, alive = std::weak_ptr<int>(alive_)](void*, void*) {
        if (!alive.expired()) OnDefault();
    }, MIE_BUTTON, defaultItem);
    EnableByShader(settings->shaderAvailable);
}

void ExposurePage_cls::EnableByShader(bool available) {
    if (panel) panel->Enable(available);
}

void ExposurePage_cls::RefreshAll() {
    if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
}

void ExposurePage_cls::OnDefault() {
    CommandHistory_cls& h = GoCommandHistory;
    double* level = settings->level.values;
    h.BeginBlock("");
    h.Push(new CommandSetValue_cls(&level[0], 0.0, UPD_VIEWS | UPD_EXPOSURE_PAGE),
           new CommandSetValue_cls(&level[0], level[0], UPD_VIEWS | UPD_EXPOSURE_PAGE));
    h.Redo();
    h.Push(new CommandSetValue_cls(&level[1], 1.0, 0), new CommandSetValue_cls(&level[1], level[1], 0));
    h.Redo();
    float* gamma = &settings->gamma.value;
    h.Push(new CommandSetValue_cls(gamma, 1.0f, 0), new CommandSetValue_cls(gamma, *gamma, 0));
    h.Redo();
    int* hue = &settings->hueOffset.value;
    h.Push(new CommandSetValue_cls(hue, 0, 0), new CommandSetValue_cls(hue, *hue, 0));
    h.Redo();
    int* sat = &settings->saturation.value;
    h.Push(new CommandSetValue_cls(sat, 0, UPD_VIEWS | UPD_EXPOSURE_PAGE),
           new CommandSetValue_cls(sat, *sat, UPD_VIEWS | UPD_EXPOSURE_PAGE));
    h.Redo();
    h.EndBlock("");
    RefreshAll();
}
