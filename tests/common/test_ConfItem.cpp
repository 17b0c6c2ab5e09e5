#include "common/ConfItem.h"

#include <climits>

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

namespace {

std::string S(const wxString& s) { return std::string(s.utf8_str()); }

}  // namespace

// A line belongs to an item only when it starts with the item's key.
TEST(ConfItem, KeyMatchesOnlyAtTheStartOfTheLine) {
    struct Case {
        const char* line;
        bool visibleTaken;
        bool anchorTaken;
        bool maxTaken;
        bool textTaken;
    } cases[] = {
        {"Visible=1", true, false, false, false},
        {"AnchorVisible=1", false, true, false, false},
        {"OverlayText=TimeMaxFrame=5", false, false, false, true},
        {"OverlayText=Visible=1", false, false, false, true},
        {"TimeMaxFrame=77", false, false, true, false},
        {" Visible=1", false, false, false, false},
        {"visible=1", false, false, false, false},
        {"Visible", false, false, false, false},
        {"", false, false, false, false},
    };
    for (const Case& c : cases) {
        ConfItemBOOL_cls visible, anchor;
        ConfItemINT_cls maxFrame;
        ConfItemSTR_cls overlay;
        visible.Init("Visible=", "0");
        anchor.Init("AnchorVisible=", "0");
        maxFrame.Init("TimeMaxFrame=", "100");
        overlay.Init("OverlayText=", "none");
        EXPECT_EQ(visible.ParseLine(c.line), c.visibleTaken) << c.line;
        EXPECT_EQ(anchor.ParseLine(c.line), c.anchorTaken) << c.line;
        EXPECT_EQ(maxFrame.ParseLine(c.line), c.maxTaken) << c.line;
        EXPECT_EQ(overlay.ParseLine(c.line), c.textTaken) << c.line;
        EXPECT_EQ(visible.value, c.visibleTaken) << c.line;
        EXPECT_EQ(anchor.value, c.anchorTaken) << c.line;
        EXPECT_EQ(maxFrame.value, c.maxTaken ? 77 : 100) << c.line;
        if (!c.visibleTaken) {
            EXPECT_EQ(S(visible.text), "0") << c.line;
        }
    }
    ConfItemSTR_cls overlay;
    overlay.Init("OverlayText=", "none");
    ASSERT_TRUE(overlay.ParseLine("OverlayText=TimeMaxFrame=5"));
    EXPECT_EQ(S(overlay.WriteLine()), "OverlayText=TimeMaxFrame=5\r\n");
}

TEST(ConfItem, ValueTextKeepsBlanksAndLosesTheLineEnd) {
    ConfItemSTR_cls s;
    s.Init("Name=", "x");
    for (const char* line : {"Name= a b \r\n", "Name= a b \n", "Name= a b \r", "Name= a b "}) {
        ASSERT_TRUE(s.ParseLine(line));
        EXPECT_EQ(S(s.text), " a b ") << line;
        EXPECT_EQ(S(s.WriteLine()), "Name= a b \r\n");
    }
}

TEST(ConfItem, ConstructedItemsAreUnregistered) {
    ConfItemINT_cls i;
    ConfItemFLOATARRAY_cls f;
    EXPECT_EQ(S(i.key), "NONE");
    EXPECT_EQ(S(i.text), "NONE");
    EXPECT_EQ(i.typeCode, 2);
    EXPECT_EQ(f.typeCode, 7);
    // an empty default leaves text and value as they were
    i.value = 9;
    i.Init("K=", "");
    EXPECT_EQ(S(i.key), "K=");
    EXPECT_EQ(S(i.text), "NONE");
    EXPECT_EQ(i.value, 9);
}

TEST(ConfItem, TypeCodes) {
    EXPECT_EQ(ConfItemSTR_cls().typeCode, 1);
    EXPECT_EQ(ConfItemINT_cls().typeCode, 2);
    EXPECT_EQ(ConfItemINTARRAY_cls().typeCode, 3);
    EXPECT_EQ(ConfItemUINT_cls().typeCode, 4);
    EXPECT_EQ(ConfItemFLOAT_cls().typeCode, 6);
    EXPECT_EQ(ConfItemFLOATARRAY_cls().typeCode, 7);
    EXPECT_EQ(ConfItemDOUBLE_cls().typeCode, 8);
    EXPECT_EQ(ConfItemDOUBLEARRAY_cls().typeCode, 9);
    EXPECT_EQ(ConfItemBOOL_cls().typeCode, 10);
    EXPECT_EQ(ConfItemBOOLARRAY_cls().typeCode, 11);
}

TEST(ConfItem, IntAndBoolConversions) {
    struct Case {
        const char* value;
        int asInt;
        bool asBool;
    } cases[] = {
        {"12abc", 12, true},  {"abc", 0, false},          {" -7", -7, true},
        {"+5", 5, true},      {"2", 2, true},             {"0", 0, false},
        {"", 0, false},       {"99999999999", INT_MAX, true}, {"-99999999999", INT_MIN, true},
        {"1.9", 1, true},     {"word", 0, false},
    };
    for (const Case& c : cases) {
        ConfItemINT_cls i("N=", "3");
        ConfItemBOOL_cls b;
        b.Init("B=", "0");
        ASSERT_TRUE(i.ParseLine(wxString("N=") + c.value));
        ASSERT_TRUE(b.ParseLine(wxString("B=") + c.value));
        EXPECT_EQ(i.value, c.asInt) << c.value;
        EXPECT_EQ(b.value, c.asBool) << c.value;
        EXPECT_EQ(S(b.ValueText()), c.asBool ? "1" : "0");
    }
}

// The full unsigned range survives a write and a read.
TEST(ConfItem, UnsignedKeepsItsFullRange) {
    struct Case {
        const char* value;
        unsigned int expect;
    } cases[] = {
        {"4000000000", 4000000000u},  {"4294967295", 4294967295u}, {"2147483648", 2147483648u},
        {"-1", 4294967295u},          {"99999999999", 4294967295u}, {"0", 0u},
        {"junk", 0u},
    };
    for (const Case& c : cases) {
        ConfItemUINT_cls u;
        u.Init("Seed=", "7");
        ASSERT_TRUE(u.ParseLine(wxString("Seed=") + c.value));
        EXPECT_EQ(u.value, c.expect) << c.value;
        ConfItemUINT_cls back;
        back.Init("Seed=", "7");
        ASSERT_TRUE(back.ParseLine(u.WriteLine()));
        EXPECT_EQ(back.value, c.expect) << c.value;
    }
    ConfItemUINT_cls u;
    u.Init("Seed=", "4000000000");
    EXPECT_EQ(u.value, 4000000000u);
    EXPECT_EQ(S(u.WriteLine()), "Seed=4000000000\r\n");
}

TEST(ConfItem, FloatAndDoubleFormats) {
    struct Case {
        double v;
        const char* asFloat;
        const char* asDouble;
    } cases[] = {
        {0.25, "0.250000", "0.25"},
        {-3.5, "-3.500000", "-3.5"},
        {1234567.0, "1234567.000000", "1.23457e+06"},
        {0.0000004, "0.000000", "4e-07"},
        {0.0000006, "0.000001", "6e-07"},
        {100000, "100000.000000", "100000"},
        {0, "0.000000", "0"},
    };
    for (const Case& c : cases) {
        ConfItemFLOAT_cls f;
        ConfItemDOUBLE_cls d;
        f.Init("F=", "1");
        d.Init("D=", "1");
        f.value = static_cast<float>(c.v);
        d.value = c.v;
        EXPECT_EQ(S(f.WriteLine()), std::string("F=") + c.asFloat + "\r\n");
        EXPECT_EQ(S(d.WriteLine()), std::string("D=") + c.asDouble + "\r\n");
    }
    // a double keeps six significant digits through a file
    ConfItemDOUBLE_cls d;
    d.Init("D=", "0.123456789");
    EXPECT_DOUBLE_EQ(d.value, 0.123456789);
    ASSERT_TRUE(d.ParseLine(d.WriteLine()));
    EXPECT_DOUBLE_EQ(d.value, 0.123457);
    // trailing text is ignored, nothing numeric gives 0
    ConfItemFLOAT_cls f;
    f.Init("F=", "2.5xyz");
    EXPECT_FLOAT_EQ(f.value, 2.5f);
    ASSERT_TRUE(f.ParseLine("F=abc"));
    EXPECT_FLOAT_EQ(f.value, 0.0f);
    ASSERT_TRUE(f.ParseLine("F=1e60"));  // beyond float: the largest float, not inf
    EXPECT_EQ(f.value, FLT_MAX);
}

TEST(ConfItem, NumbersIgnoreTheUserLocale) {
    testsupport::CommaLocale comma;
    if (!comma.Ok()) GTEST_SKIP() << "no decimal-comma locale on this machine";
    ConfItemFLOAT_cls f;
    ConfItemDOUBLE_cls d;
    ConfItemDOUBLEARRAY_cls a;
    f.Init("F=", "1.5");
    d.Init("D=", "2.25e-3");
    a.Init("A=", "0.5 1.5");
    EXPECT_FLOAT_EQ(f.value, 1.5f);
    EXPECT_DOUBLE_EQ(d.value, 0.00225);
    EXPECT_DOUBLE_EQ(a.values[1], 1.5);
    EXPECT_EQ(S(f.WriteLine()), "F=1.500000\r\n");
    EXPECT_EQ(S(d.WriteLine()), "D=0.00225\r\n");
    EXPECT_EQ(S(a.WriteLine()), "A=0.5 1.5\r\n");
    // a comma is not a decimal point in a file
    ASSERT_TRUE(f.ParseLine("F=3,75"));
    EXPECT_FLOAT_EQ(f.value, 3.0f);
}

TEST(ConfArray, CountTokens) {
    struct Case {
        const char* text;
        int count;
    } cases[] = {
        {"1 0 0 0", 4}, {"0", 1}, {"1  2", 3}, {" 1 2", 2}, {"1 2 ", 3}, {"", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(ConfArray_cls::CountTokens(c.text), c.count) << c.text;
}

// The int array follows the line: at most 16 values, ending at the first non-number.
TEST(ConfItem, IntArrayReadsAtMostSixteenNumbers) {
    struct Case {
        const char* value;
        int count;
        const char* written;
    } cases[] = {
        {"0 1 5 6 7 8", 6, "0 1 5 6 7 8"},
        {"3 4", 2, "3 4"},
        {"", 0, ""},
        {"1 2 x 4", 2, "1 2"},
        {"1 2x 3", 1, "1"},
        {"1 2 ", 2, "1 2"},
        {"  -5\t6", 2, "-5 6"},
        {"x", 0, ""},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20", 16,
         "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"},
    };
    for (const Case& c : cases) {
        ConfItemINTARRAY_cls a;
        a.Init("GrammerBody=", "0 1 5 6 7 8");
        EXPECT_EQ(a.count, 6);
        ASSERT_TRUE(a.ParseLine(wxString("GrammerBody=") + c.value));
        EXPECT_EQ(a.count, c.count) << c.value;
        EXPECT_EQ(S(a.WriteLine()), std::string("GrammerBody=") + c.written + "\r\n") << c.value;
        // what was written reads back the same
        ConfItemINTARRAY_cls back;
        back.Init("GrammerBody=", "9");
        ASSERT_TRUE(back.ParseLine(a.WriteLine()));
        EXPECT_EQ(S(back.WriteLine()), S(a.WriteLine()));
    }
}

TEST(ConfItem, FixedArraysKeepTheCountOfTheirDefault) {
    ConfItemFLOATARRAY_cls f("ArrayVector0=", "1 0 0");
    EXPECT_EQ(f.count, 3);
    ASSERT_TRUE(f.ParseLine("ArrayVector0=5 6"));
    EXPECT_EQ(f.count, 3);
    EXPECT_FLOAT_EQ(f.values[0], 5);
    EXPECT_FLOAT_EQ(f.values[1], 6);
    EXPECT_FLOAT_EQ(f.values[2], 0);  // not reached: kept
    ASSERT_TRUE(f.ParseLine("ArrayVector0=7 8 9 10"));
    EXPECT_EQ(S(f.WriteLine()), "ArrayVector0=7.000000 8.000000 9.000000\r\n");
    EXPECT_FLOAT_EQ(f.values[3], 0);
    ASSERT_TRUE(f.ParseLine("ArrayVector0=1 oops 3"));  // reading ends at the bad token
    EXPECT_EQ(S(f.ValueText()), "1.000000 8.000000 9.000000");

    ConfItemDOUBLEARRAY_cls d;
    d.Init("D=", "0.1 2e-9");
    EXPECT_EQ(S(d.WriteLine()), "D=0.1 2e-09\r\n");

    ConfItemBOOLARRAY_cls b;
    b.Init("B=", "1 0 1 0");
    EXPECT_EQ(b.count, 4);
    ASSERT_TRUE(b.ParseLine("B=0 1"));
    EXPECT_EQ(S(b.ValueText()), "0 1 1 0");
    ASSERT_TRUE(b.ParseLine("B=0 0 7 0"));  // 7 is true and ends the reading
    EXPECT_EQ(S(b.ValueText()), "0 0 1 0");

    // a default with more than 16 values fills 16
    ConfItemFLOATARRAY_cls big("Big=", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18");
    EXPECT_EQ(big.count, 16);
    EXPECT_FLOAT_EQ(big.values[15], 16);
}

// A file never puts a non-finite number into a setting: "nan" reads as no number, an
// infinity or overflow as the largest value of its sign, and in an array it ends the
// reading like any other token that is no number.
TEST(ConfItem, NonFiniteTextNeverBecomesAValue) {
    struct Case {
        const char* text;
        const char* floatLine;
        const char* doubleLine;
    };
    const Case cases[] = {
        {"nan", "F=0.000000\r\n", "D=0\r\n"},
        {"-nan", "F=0.000000\r\n", "D=0\r\n"},
        {"NAN(1)", "F=0.000000\r\n", "D=0\r\n"},
        {"inf", "F=340282346638528859811704183484516925440.000000\r\n", "D=1.79769e+308\r\n"},
        {"-infinity", "F=-340282346638528859811704183484516925440.000000\r\n",
         "D=-1.79769e+308\r\n"},
        {"1e999", "F=340282346638528859811704183484516925440.000000\r\n", "D=1.79769e+308\r\n"},
        {"2.5", "F=2.500000\r\n", "D=2.5\r\n"},
    };
    for (const Case& c : cases) {
        ConfItemFLOAT_cls f;
        f.Init("F=", "1");
        ASSERT_TRUE(f.ParseLine(wxString("F=") + c.text));
        EXPECT_EQ(S(f.WriteLine()), c.floatLine) << c.text;
        ConfItemDOUBLE_cls d;
        d.Init("D=", "1");
        ASSERT_TRUE(d.ParseLine(wxString("D=") + c.text));
        EXPECT_EQ(S(d.WriteLine()), c.doubleLine) << c.text;
    }
    ConfItemFLOATARRAY_cls fa("V=", "1 2 3");
    ASSERT_TRUE(fa.ParseLine("V=4 nan 6"));
    EXPECT_EQ(S(fa.ValueText()), "4.000000 2.000000 3.000000");
    ASSERT_TRUE(fa.ParseLine("V=5 6 inf"));
    EXPECT_EQ(S(fa.ValueText()), "5.000000 6.000000 3.000000");
    ASSERT_TRUE(fa.ParseLine("V=1e39"));  // beyond a float: its largest value, as above
    EXPECT_EQ(S(fa.ValueText()),
              "340282346638528859811704183484516925440.000000 6.000000 3.000000");
    ConfItemDOUBLEARRAY_cls da;
    da.Init("W=", "1 2");
    ASSERT_TRUE(da.ParseLine("W=nan 7"));
    EXPECT_EQ(S(da.ValueText()), "1 2");
}

// A value's ValueText handed back as a default reproduces it, for every kind.
TEST(ConfItem, ValueTextReproducesTheValue) {
    ConfItemINTARRAY_cls ia;
    ia.Init("IA=", "4 5 6");
    ia.values[1] = -9;
    ConfItemINTARRAY_cls ia2;
    ia2.Init("IA=", ia.ValueText());
    EXPECT_EQ(ia2.count, 3);
    EXPECT_EQ(ia2.values[1], -9);

    ConfItemFLOATARRAY_cls fa("FA=", "1 2");
    fa.values[0] = 0.125f;
    ConfItemFLOATARRAY_cls fa2("FA=", fa.ValueText());
    EXPECT_EQ(fa2.count, 2);
    EXPECT_FLOAT_EQ(fa2.values[0], 0.125f);

    ConfItemUINT_cls u;
    u.Init("U=", "1");
    u.value = 4000000000u;
    ConfItemUINT_cls u2;
    u2.Init("U=", u.ValueText());
    EXPECT_EQ(u2.value, 4000000000u);

    ConfItemSTR_cls s;
    s.Init("S=", "a b");
    EXPECT_EQ(S(s.ValueText()), "a b");
}

TEST(ConfItem, StringItemLines) {
    ConfItemSTR_cls s;
    s.Init("Path=", "None");
    EXPECT_EQ(S(s.WriteLine()), "Path=None\r\n");
    ASSERT_TRUE(s.ParseLine("Path="));
    EXPECT_EQ(S(s.WriteLine()), "Path=\r\n");  // empty text still writes its line
    ASSERT_TRUE(s.ParseLine("Path=!!SKIP!!"));
    EXPECT_EQ(S(s.WriteLine()), "");
    ASSERT_TRUE(s.ParseLine(wxString::FromUTF8("Path=/home/ユーザー/%d 100%.png")));
    EXPECT_EQ(std::string(s.WriteLine().utf8_str()),
              "Path=/home/ユーザー/%d 100%.png\r\n");
}

// Values read from a file are clamped to the item's range, when it has one.
TEST(ConfItem, RangeClampsWhatIsRead) {
    struct Case {
        const char* value;
        int asInt;          // range 1..1000 ("DownSizing=")
        unsigned asUInt;    // range 0..7 ("LightNumber=")
        double asDouble;    // range 0..1
    } cases[] = {
        {"5", 5, 5u, 1.0},       {"0", 1, 0u, 0.0},        {"-3", 1, 7u, 0.0},
        {"5000", 1000, 7u, 1.0}, {"junk", 1, 0u, 0.0},     {"nan", 1, 0u, 0.0},
        {"0.5", 1, 0u, 0.5},
    };
    for (const Case& c : cases) {
        ConfItemINT_cls i;
        ConfItemUINT_cls u;
        ConfItemDOUBLE_cls d;
        ConfItemFLOAT_cls f;
        i.SetRange(1, 1000);
        u.SetRange(0, 7);
        d.SetRange(0.0, 1.0);
        f.SetRange(0.0f, 1.0f);
        i.Init("DownSizing=", "1");
        u.Init("LightNumber=", "0");
        d.Init("D=", "0.5");
        f.Init("F=", "0.5");
        ASSERT_TRUE(i.ParseLine(wxString("DownSizing=") + c.value));
        ASSERT_TRUE(u.ParseLine(wxString("LightNumber=") + c.value));
        ASSERT_TRUE(d.ParseLine(wxString("D=") + c.value));
        ASSERT_TRUE(f.ParseLine(wxString("F=") + c.value));
        EXPECT_EQ(i.value, c.asInt) << c.value;
        EXPECT_EQ(u.value, c.asUInt) << c.value;
        EXPECT_EQ(d.value, c.asDouble) << c.value;
        EXPECT_EQ(f.value, static_cast<float>(c.asDouble)) << c.value;
    }
    ConfItemINT_cls step;
    step.SetRange(1, INT_MAX);
    step.Init("TimeAnimStep=", "0");  // the default is clamped too
    EXPECT_EQ(step.value, 1);
    EXPECT_EQ(S(step.WriteLine()), "TimeAnimStep=1\r\n");
}
