// The preferences controller.
#include "app/gui/Preference.h"

#include "app/gui/PreferenceGUI.h"

Preference_cls* GpPreference = nullptr;

Preference_cls::Preference_cls(wxWindow* f, const wxBitmap* i) : frame(f) {
    if (i) icon = *i;
    targets_.memoryLimitMB = &memoryLimitStandIn_;
    targets_.memoryUsedMB = &memoryUsedStandIn_;
    targets_.dataIOThreads = &GiDataIOThreads;
    targets_.jpegQuality = &jpegQualityStandIn_;
    targets_.imageMultiThread = &imageMultiThreadStandIn_;
    CreateGUI(frame);
}

Preference_cls::~Preference_cls() {
    if (PreferenceGUI_cls* gui = GetPreferenceGUI()) {
        gui->controller = nullptr;  // its destructor must not reach this object any more
        gui->Destroy();
    }
    dialog = nullptr;
    if (GpPreference == this) GpPreference = nullptr;
}

PreferenceGUI_cls* Preference_cls::GetPreferenceGUI() const {
    return static_cast<PreferenceGUI_cls*>(dialog);
}

void Preference_cls::DialogDestroyed() {
    dialog = nullptr;
}

void Preference_cls::CreateGUI(wxWindow* f) {
    SetGUI(new PreferenceGUI_cls(this, f));
}

void Preference_cls::UpdateGUI(bool) {
    if (PreferenceGUI_cls* gui = GetPreferenceGUI()) gui->RefreshAll();
}

void Preference_cls::Show(wxWindow* f) {
    DialogControl_cls::Show(f);
    UpdateGUI(true);
    if (PreferenceGUI_cls* gui = GetPreferenceGUI()) gui->MarkEmulatedModifier();
}

void Preference_cls::SetPerformanceTargets(const PreferencePerformanceTargets& t) {
    if (t.memoryLimitMB) targets_.memoryLimitMB = t.memoryLimitMB;
    if (t.memoryUsedMB) targets_.memoryUsedMB = t.memoryUsedMB;
    if (t.dataIOThreads) targets_.dataIOThreads = t.dataIOThreads;
    if (t.jpegQuality) targets_.jpegQuality = t.jpegQuality;
    if (t.imageMultiThread) targets_.imageMultiThread = t.imageMultiThread;
    // The page's items hold the old addresses: build the dialog again.
    PreferenceGUI_cls* gui = GetPreferenceGUI();
    if (gui && !gui->IsShown()) {
        gui->controller = nullptr;
        gui->Destroy();
        dialog = nullptr;
        CreateGUI(frame);
    }
}
