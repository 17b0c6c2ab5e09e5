// The preferences' settings items, templates and binding matching.
#include "app/PreferenceSettings.h"

int GiDataIOThreads = 4;

int DataIOThreadCount() {
    if (GiDataIOThreads < 1) return 1;
    if (GiDataIOThreads > 64) return 64;
    return GiDataIOThreads;
}

const PrefMouseKey kPrefMouseKeys[15] = {
    {"GUI_GYRATION=", 0, PREF_GYRATION, {"0", "1"}},
    {"GUI_GYRATION_MOD=", 1, PREF_GYRATION, {"0 0 0", "0 0 0"}},
    {"GUI_GYRATION_INVERT=", 2, PREF_GYRATION, {"0", "0"}},
    {"GUI_ZOOM=", 0, PREF_ZOOM, {"1", "1"}},
    {"GUI_ZOOM_MOD=", 1, PREF_ZOOM, {"0 0 0", "0 1 0"}},
    {"GUI_ZOOM_INVERT=", 2, PREF_ZOOM, {"0", "0"}},
    {"GUI_CENTER=", 0, PREF_CENTER, {"0", "1"}},
    {"GUI_CENTER_MOD=", 1, PREF_CENTER, {"1 1 0", "1 0 0"}},
    {"GUI_ITEM=", 0, PREF_ITEM, {"0", "0"}},
    {"GUI_ITEM_MOD=", 1, PREF_ITEM, {"1 0 0", "0 0 0"}},
    {"GUI_MENU=", 0, PREF_MENU, {"2", "2"}},
    {"GUI_MENU_MOD=", 1, PREF_MENU, {"0 0 0", "1 0 0"}},
    {"GUI_HITTEST=", 0, PREF_HITTEST, {"2", "2"}},
    {"GUI_HITTEST_MOD=", 1, PREF_HITTEST, {"1 0 0", "0 0 0"}},
    {"GUI_MBUTTON_EMULATE=", 3, -1, {"2", "2"}},
};

PreferenceSettings_cls::PreferenceSettings_cls() {
    // Every index a combo box shows is kept within its choices, also when read from a file.
    for (auto& b : button_) b.SetRange(PREF_BTN_LEFT, PREF_BTN_NONE);
    emulate_.SetRange(PREF_MOD_SHIFT, PREF_MOD_NONE);
    sortType_.SetRange(0, 3);
    useFBO_.SetRange(0, 1);
    ApplyMouseTemplate(0);
    RegisterPerformanceItems();
}

void PreferenceSettings_cls::ApplyMouseTemplate(int index) {
    if (index < 0 || index >= kPrefTemplateCount) index = 0;
    mouseGroup_.Clear();
    for (const PrefMouseKey& row : kPrefMouseKeys) {
        ConfItem_cls* item = nullptr;
        switch (row.kind) {
            case 0: item = &button_[row.binding]; break;
            case 1: item = &modifier_[row.binding]; break;
            case 2:
                item = row.binding == PREF_ZOOM ? static_cast<ConfItem_cls*>(&zoomInvert_)
                                                : static_cast<ConfItem_cls*>(&gyrationInvert_);
                break;
            default: item = &emulate_; break;
        }
        mouseGroup_.Register(item, row.key, row.defaults[index]);
    }
}

void PreferenceSettings_cls::RegisterPerformanceItems() {
    performanceGroup_.Clear();
    performanceGroup_.Register(&sortType_, "PREF_SORT_TYPE=", "0");
    performanceGroup_.Register(&useFBO_, "PREF_USE_FBO=", "1");
}

void PreferenceSettings_cls::ReadConfig(const wxString& line) {
    mouseGroup_.OfferLine(line);
    performanceGroup_.OfferLine(line);
}

wxString PreferenceSettings_cls::WriteConfig() const {
    return mouseGroup_.WriteAll() + performanceGroup_.WriteAll();
}

int PreferenceSettings_cls::SortBlockSize() const {
    switch (sortType_.value) {
        case 1: return 10;
        case 2: return 100;
        case 3: return 1000;
        default: return 1;
    }
}

void PreferenceSettings_cls::ReleaseEmulatedButton(PrefMouseState& state) const {
    state.modifiers[3] = false;
    state.buttons[3] = false;
    const unsigned e = emulate_.value;
    if (e >= PREF_MOD_NONE) return;
    if (state.buttons[PREF_BTN_LEFT] && state.modifiers[e]) {
        state.buttons[PREF_BTN_LEFT] = false;
        state.buttons[PREF_BTN_MIDDLE] = true;
    }
    state.modifiers[e] = false;
}

bool PreferenceSettings_cls::MatchBinding(int binding, const PrefMouseState& state) const {
    if (binding < 0 || binding >= PREF_BINDING_COUNT) return false;
    const unsigned b = button_[binding].value;
    if (b >= PREF_BTN_NONE || !state.buttons[b]) return false;
    const unsigned e = emulate_.value;
    const bool ignoreEmulated = binding != PREF_ZOOM && binding != PREF_MENU;
    for (unsigned m = 0; m < 3; ++m) {
        bool flag = modifier_[binding].values[m];
        if (ignoreEmulated && m == e) flag = false;
        if (flag != state.modifiers[m]) return false;
    }
    return true;
}

bool PreferenceSettings_cls::IsMenuBindingActive(const bool modifiers[3],
                                                 const bool buttons[3]) const {
    const unsigned b = button_[PREF_MENU].value;
    if (b >= PREF_BTN_NONE || !buttons[b]) return false;
    for (int m = 0; m < 3; ++m)
        if (modifier_[PREF_MENU].values[m] != modifiers[m]) return false;
    return true;
}

unsigned PreferenceSettings_cls::GesturesFor(const PrefMouseState& raw) const {
    PrefMouseState state = raw;
    ReleaseEmulatedButton(state);
    unsigned bits = 0;
    for (int b = 0; b < PREF_BINDING_COUNT; ++b)
        if (MatchBinding(b, state)) bits |= PrefGestureBit(b);
    return bits;
}
