// Preference settings: every key's line round trip and clamp, the two templates, and the
// gestures each button and modifier combination starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PreferenceSettings.h"

namespace {

std::string Text(const PreferenceSettings_cls& p) {
    return std::string(p.WriteConfig().utf8_str());
}

std::vector<std::string> Keys(const std::string& text) {
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        keys.push_back(line.substr(0, line.find('=') + 1));
        start = end + 2;
    }
    return keys;
}

}  // namespace

TEST(PreferenceSettings, WritesTheSeventeenKeysInOrderWithTemplateZeroDefaults) {
    PreferenceSettings_cls p;
    EXPECT_EQ(Text(p),
              "GUI_GYRATION=0\r\nGUI_GYRATION_MOD=0 0 0\r\nGUI_GYRATION_INVERT=0\r\n"
              "GUI_ZOOM=1\r\nGUI_ZOOM_MOD=0 0 0\r\nGUI_ZOOM_INVERT=0\r\n"
              "GUI_CENTER=0\r\nGUI_CENTER_MOD=1 1 0\r\n"
              "GUI_ITEM=0\r\nGUI_ITEM_MOD=1 0 0\r\n"
              "GUI_MENU=2\r\nGUI_MENU_MOD=0 0 0\r\n"
              "GUI_HITTEST=2\r\nGUI_HITTEST_MOD=1 0 0\r\n"
              "GUI_MBUTTON_EMULATE=2\r\n"
              "PREF_SORT_TYPE=0\r\nPREF_USE_FBO=1\r\n");
    EXPECT_TRUE(p.UseFBO());
    EXPECT_EQ(p.SortBlockSize(), 1);
}

TEST(PreferenceSettings, ChangedValuesRoundTripByteIdentically) {
    PreferenceSettings_cls a;
    // Every key moved away from its default, so a key read into the wrong item shows.
    for (int b = 0; b < PREF_BINDING_COUNT; ++b) {
        *a.ButtonValue(b) = static_cast<unsigned>((b + 1) % 4);
        for (int m = 0; m < 3; ++m) *a.ModifierValue(b, m) = ((b + m) % 2) == 0;
    }
    *a.ZoomInvertValue() = true;
    *a.GyrationInvertValue() = true;
    *a.EmulationValue() = 0;
    *a.SortTypeValue() = 3;
    *a.UseFBOValue() = 0;
    const std::string written = Text(a);

    PreferenceSettings_cls b;
    size_t start = 0;
    while (start < written.size()) {
        const size_t end = written.find("\r\n", start);
        b.ReadConfig(wxString::FromUTF8(written.substr(start, end + 2 - start)));
        start = end + 2;
    }
    EXPECT_EQ(Text(b), written);
    EXPECT_FALSE(b.UseFBO());
    EXPECT_EQ(b.SortBlockSize(), 1000);
    EXPECT_EQ(b.Emulation(), 0u);
}

TEST(PreferenceSettings, OutOfRangeValuesAreClampedToTheirChoices) {
    struct Case {
        const char* line;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"GUI_GYRATION=7", "GUI_GYRATION=", "GUI_GYRATION=3"},
        {"GUI_ZOOM=-1", "GUI_ZOOM=", "GUI_ZOOM=3"},  // -1 reads as 4294967295
        {"GUI_HITTEST=99999999999", "GUI_HITTEST=", "GUI_HITTEST=3"},
        {"GUI_MBUTTON_EMULATE=9", "GUI_MBUTTON_EMULATE=", "GUI_MBUTTON_EMULATE=3"},
        {"PREF_SORT_TYPE=4", "PREF_SORT_TYPE=", "PREF_SORT_TYPE=3"},
        {"PREF_USE_FBO=2", "PREF_USE_FBO=", "PREF_USE_FBO=1"},
        {"GUI_ZOOM_INVERT=5", "GUI_ZOOM_INVERT=", "GUI_ZOOM_INVERT=1"},
        {"GUI_ITEM_MOD=0 7 0", "GUI_ITEM_MOD=", "GUI_ITEM_MOD=0 1 0"},
    };
    for (const Case& c : cases) {
        PreferenceSettings_cls p;
        p.ReadConfig(c.line);
        const std::string text = "\n" + Text(p);
        const size_t at = text.find(std::string("\n") + c.key);
        ASSERT_NE(at, std::string::npos) << c.key;
        EXPECT_EQ(text.substr(at + 1, text.find('\r', at) - at - 1), c.expected) << c.line;
    }
}

TEST(PreferenceSettings, LinesOfOtherKeysChangeNothing) {
    PreferenceSettings_cls p;
    const std::string before = Text(p);
    // Keys that share a start with real keys, and real keys inside a value.
    for (const char* line : {"GUI_ZOOMX=2", "XGUI_ZOOM=2", "GUI_ZOOM_MOD_EXTRA=1 1 1",
                             "PREF_SORT_TYPE_OLD=3", "Comment=GUI_MENU=0", "GUI_GYRATION"})
        p.ReadConfig(line);
    EXPECT_EQ(Text(p), before);
}

TEST(PreferenceSettings, BlenderTemplateSetsAllMouseValuesAndKeepsPerformance) {
    PreferenceSettings_cls p;
    *p.SortTypeValue() = 2;
    p.ApplyMouseTemplate(1);
    const std::string text = Text(p);
    EXPECT_NE(text.find("GUI_GYRATION=1\r\nGUI_GYRATION_MOD=0 0 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("GUI_ZOOM=1\r\nGUI_ZOOM_MOD=0 1 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("GUI_CENTER=1\r\nGUI_CENTER_MOD=1 0 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("GUI_ITEM=0\r\nGUI_ITEM_MOD=0 0 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("GUI_MENU=2\r\nGUI_MENU_MOD=1 0 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("GUI_HITTEST=2\r\nGUI_HITTEST_MOD=0 0 0\r\n"), std::string::npos);
    EXPECT_NE(text.find("PREF_SORT_TYPE=2\r\n"), std::string::npos);
    // The line order does not change with the template.
    PreferenceSettings_cls fresh;
    EXPECT_EQ(Keys(text), Keys(Text(fresh)));
    // Back to template 0: the invert flags too go back to their defaults.
    *p.ZoomInvertValue() = true;
    p.ApplyMouseTemplate(0);
    PreferenceSettings_cls expected;
    *expected.SortTypeValue() = 2;
    EXPECT_EQ(Text(p), Text(expected));
}

namespace {

constexpr unsigned G = PrefGestureBit(PREF_GYRATION), Z = PrefGestureBit(PREF_ZOOM),
                   C = PrefGestureBit(PREF_CENTER), I = PrefGestureBit(PREF_ITEM),
                   M = PrefGestureBit(PREF_MENU), H = PrefGestureBit(PREF_HITTEST);

struct GestureCase {
    int templ;
    unsigned emulation;
    const char* buttons;    // "L", "M", "R" held
    const char* modifiers;  // "S", "C", "A" held
    unsigned expected;
};

PrefMouseState State(const char* buttons, const char* modifiers) {
    PrefMouseState s;
    for (const char* c = buttons; *c; ++c) s.buttons[*c == 'L' ? 0 : *c == 'M' ? 1 : 2] = true;
    for (const char* c = modifiers; *c; ++c) s.modifiers[*c == 'S' ? 0 : *c == 'C' ? 1 : 2] = true;
    return s;
}

}  // namespace

TEST(PreferenceSettings, GesturesOfEachButtonAndModifierCombination) {
    const GestureCase cases[] = {
        // "Defalut" with Alt emulating the middle button.
        {0, 2, "", "", 0},
        {0, 2, "L", "", G},
        {0, 2, "L", "S", I},
        {0, 2, "L", "SC", C},
        {0, 2, "L", "C", 0},
        {0, 2, "L", "A", Z},    // left + Alt is the middle button, Alt is then ignored
        {0, 2, "L", "SA", 0},   // middle with Shift: zoom wants no modifier
        {0, 2, "M", "", Z},
        {0, 2, "M", "A", Z},    // Alt never reaches the bindings
        {0, 2, "R", "", M},
        {0, 2, "R", "S", H},
        {0, 2, "R", "A", M},
        {0, 2, "LR", "", G | M},
        // "Blender Like", Alt emulation.
        {1, 2, "M", "", G},
        {1, 2, "M", "C", Z},
        {1, 2, "M", "S", C},
        {1, 2, "L", "", I},
        {1, 2, "L", "A", G},
        {1, 2, "L", "CA", Z},
        {1, 2, "R", "", H},
        {1, 2, "R", "S", M},
        // "Defalut" with Shift emulation: Shift drops out of centre, item and selection.
        {0, 0, "L", "S", Z},
        {0, 0, "L", "", G | I},
        {0, 0, "L", "C", C},
        {0, 0, "R", "", M | H},
        {0, 0, "R", "S", M | H},
        // No emulation: Alt is an ordinary modifier that no binding of template 0 uses.
        {0, 3, "L", "A", 0},
        {0, 3, "L", "S", I},
    };
    for (const GestureCase& c : cases) {
        PreferenceSettings_cls p;
        p.ApplyMouseTemplate(c.templ);
        *p.EmulationValue() = c.emulation;
        EXPECT_EQ(p.GesturesFor(State(c.buttons, c.modifiers)), c.expected)
            << "template " << c.templ << " emulation " << c.emulation << " buttons '" << c.buttons
            << "' modifiers '" << c.modifiers << "'";
    }
}

TEST(PreferenceSettings, NotAssignedButtonNeverMatchesAndEmulationReleasesLeft) {
    PreferenceSettings_cls p;
    *p.ButtonValue(PREF_GYRATION) = PREF_BTN_NONE;
    PrefMouseState all = State("LMR", "");
    all.buttons[3] = true;  // garbage in the fourth slot must not count
    EXPECT_FALSE(p.GesturesFor(all) & G);

    PrefMouseState s = State("L", "SA");
    p.ReleaseEmulatedButton(s);
    EXPECT_FALSE(s.buttons[0]);
    EXPECT_TRUE(s.buttons[1]);
    EXPECT_FALSE(s.modifiers[2]);
    EXPECT_TRUE(s.modifiers[0]);
}

TEST(PreferenceSettings, MenuBindingComparesAllThreeFlags) {
    PreferenceSettings_cls p;
    p.ApplyMouseTemplate(1);  // menu: right button with Shift
    const bool right[3] = {false, false, true}, left[3] = {true, false, false};
    const bool shift[3] = {true, false, false}, none[3] = {false, false, false},
               shiftAlt[3] = {true, false, true};
    EXPECT_TRUE(p.IsMenuBindingActive(shift, right));
    EXPECT_FALSE(p.IsMenuBindingActive(none, right));
    EXPECT_FALSE(p.IsMenuBindingActive(shiftAlt, right));
    EXPECT_FALSE(p.IsMenuBindingActive(shift, left));
}

TEST(PreferenceSettings, SortBlockSizesAndDataThreadClamp) {
    PreferenceSettings_cls p;
    const int sizes[4] = {1, 10, 100, 1000};
    for (unsigned t = 0; t < 4; ++t) {
        *p.SortTypeValue() = t;
        EXPECT_EQ(p.SortBlockSize(), sizes[t]);
    }
    const int saved = GiDataIOThreads;
    EXPECT_EQ(saved, 4);
    for (auto [in, out] : {std::pair{0, 1}, {-3, 1}, {1, 1}, {64, 64}, {65, 64}}) {
        GiDataIOThreads = in;
        EXPECT_EQ(DataIOThreadCount(), out) << in;
    }
    GiDataIOThreads = saved;
}

// A preference line read alone changes that key only, and another owner's line nothing.
// (The walk over every key of every settings group of the program is in the central
// object's tests, which see the program's section registry.)
TEST(PreferenceSettings, AKeyLineChangesThatKeyOnly) {
    PreferenceSettings_cls pref;
    const std::string before = std::string(pref.WriteConfig().utf8_str());
    PreferenceSettings_cls other;
    *other.ButtonValue(PREF_ITEM) = 3;
    const std::string line = "GUI_ITEM=3\r\n";
    PreferenceSettings_cls target;
    target.ReadConfig(line);
    EXPECT_EQ(std::string(target.WriteConfig().utf8_str()), std::string(other.WriteConfig().utf8_str()));
    target.ReadConfig("DownSizing=5\r\n");  // another owner's line
    EXPECT_EQ(std::string(target.WriteConfig().utf8_str()), std::string(other.WriteConfig().utf8_str()));
    EXPECT_NE(before, std::string(target.WriteConfig().utf8_str()));
}
