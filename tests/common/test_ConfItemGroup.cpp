#include "common/ConfItemGroup.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/TextDecoding.h"
#include "tests/support/TestFiles.h"

namespace {

std::string S(const wxString& s) { return std::string(s.utf8_str()); }

// A settings owner with one item of every kind, registered in its constructor.
struct AllKinds {
    ConfItemSTR_cls str;
    ConfItemINT_cls i;
    ConfItemINTARRAY_cls ia;
    ConfItemUINT_cls u;
    ConfItemFLOAT_cls f;
    ConfItemFLOATARRAY_cls fa;
    ConfItemDOUBLE_cls d;
    ConfItemDOUBLEARRAY_cls da;
    ConfItemBOOL_cls b;
    ConfItemBOOLARRAY_cls ba;
    ConfItemGroup_cls group;

    AllKinds() {
        group.Register(&str, "LastOpenedFile=", "None");
        group.Register(&i, "TimeMaxFrame=", "100");
        group.Register(&ia, "GrammerBody=", "0 1 5 6 7 8");
        group.Register(&u, "RandomSeed=", "12345");
        group.Register(&f, "GLPersAngle=", "45.0");
        group.Register(&fa, "ConstantColor=", "0.5 0.5 0.5 1");
        group.Register(&d, "TimeScale=", "1.0");
        group.Register(&da, "BoxMin=", "-1 -1 -1");
        group.Register(&b, "Visible=", "1");
        group.Register(&ba, "AxisOn=", "1 0 1");
    }

    void SetNonDefault() {
        str.text = wxString::FromUTF8("/data/ラン 01/snap%04d.dat");
        i.value = -42;
        ia.count = 3;
        ia.values[0] = 7;
        ia.values[1] = -2147483647 - 1;
        ia.values[2] = 2147483647;
        u.value = 4000000000u;
        f.value = -0.125f;
        fa.values[0] = 1.0f;
        fa.values[1] = 0.25f;
        fa.values[2] = 0.0f;
        fa.values[3] = 0.75f;
        d.value = 1.5e-7;
        da.values[0] = 1234567.0;
        da.values[1] = -0.5;
        da.values[2] = 3e20;
        b.value = false;
        ba.values[0] = false;
        ba.values[1] = true;
        ba.values[2] = false;
    }
};

const char* const kExpected =
    "LastOpenedFile=/data/ラン 01/snap%04d.dat\r\n"
    "TimeMaxFrame=-42\r\n"
    "GrammerBody=7 -2147483648 2147483647\r\n"
    "RandomSeed=4000000000\r\n"
    "GLPersAngle=-0.125000\r\n"
    "ConstantColor=1.000000 0.250000 0.000000 0.750000\r\n"
    "TimeScale=1.5e-07\r\n"
    "BoxMin=1.23457e+06 -0.5 3e+20\r\n"
    "Visible=0\r\n"
    "AxisOn=0 1 0\r\n";

// Hands each line of a file's text to the group, as the file reader does.
void ReadText(ConfItemGroup_cls& group, const std::string& text) {
    for (const std::string& line : platform::SplitLines(text)) group.OfferLine(wxString::FromUTF8(line));
}

std::vector<std::string> LinesOf(const std::string& text) { return platform::SplitLines(text); }

std::string Join(const std::vector<std::string>& lines, const char* eol) {
    std::string out;
    for (const auto& l : lines) out += l + eol;
    return out;
}

}  // namespace

TEST(ConfItemGroup, WritesEveryKindInRegistrationOrder) {
    AllKinds a;
    EXPECT_EQ(S(a.group.WriteAll()),
              "LastOpenedFile=None\r\nTimeMaxFrame=100\r\nGrammerBody=0 1 5 6 7 8\r\n"
              "RandomSeed=12345\r\nGLPersAngle=45.000000\r\n"
              "ConstantColor=0.500000 0.500000 0.500000 1.000000\r\nTimeScale=1\r\n"
              "BoxMin=-1 -1 -1\r\nVisible=1\r\nAxisOn=1 0 1\r\n");
    a.SetNonDefault();
    EXPECT_EQ(S(a.group.WriteAll()), kExpected);
}

// What a group writes, a fresh group reads back byte-identical: with CR LF or LF line
// ends, lines in any order, and lines of other owners in between.
TEST(ConfItemGroup, RoundTripIsByteIdentical) {
    AllKinds source;
    source.SetNonDefault();
    const std::string written = S(source.group.WriteAll());
    ASSERT_EQ(written, kExpected);

    std::vector<std::string> lines = LinesOf(written);
    std::vector<std::string> shuffled = lines;
    std::mt19937 rng(7);
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    std::vector<std::string> withUnknown;
    for (const auto& l : shuffled) {
        withUnknown.push_back("SEQ0TYPE1Radius=0.5");
        withUnknown.push_back(l);
        withUnknown.push_back("---FilterCtrl");
        withUnknown.push_back("");
    }
    struct Variant {
        const char* name;
        std::string text;
    } variants[] = {
        {"crlf", written},
        {"lf", Join(lines, "\n")},
        {"shuffled crlf", Join(shuffled, "\r\n")},
        {"shuffled lf with unknown lines", Join(withUnknown, "\n")},
        {"no final line end", Join(lines, "\r\n").substr(0, written.size() - 2)},
    };
    for (const Variant& v : variants) {
        AllKinds target;
        ReadText(target.group, v.text);
        EXPECT_EQ(S(target.group.WriteAll()), written) << v.name;
        EXPECT_EQ(target.u.value, 4000000000u) << v.name;
        EXPECT_EQ(target.ia.count, 3) << v.name;
        EXPECT_FLOAT_EQ(target.fa.values[3], 0.75f) << v.name;
    }
}

TEST(ConfItemGroup, RoundTripUnderDecimalCommaLocale) {
    testsupport::CommaLocale comma;
    if (!comma.Ok()) GTEST_SKIP() << "no decimal-comma locale on this machine";
    AllKinds fresh;  // defaults parsed under the comma locale
    EXPECT_FLOAT_EQ(fresh.fa.values[0], 0.5f);
    EXPECT_DOUBLE_EQ(fresh.da.values[0], -1.0);
    AllKinds source;
    source.SetNonDefault();
    const std::string written = S(source.group.WriteAll());
    EXPECT_EQ(written, kExpected);
    AllKinds target;
    ReadText(target.group, written);
    EXPECT_EQ(S(target.group.WriteAll()), written);
    EXPECT_DOUBLE_EQ(target.d.value, 1.5e-7);
}

TEST(ConfItemGroup, OfferLineReportsWhetherAnItemTookIt) {
    AllKinds a;
    EXPECT_TRUE(a.group.OfferLine("TimeMaxFrame=5"));
    EXPECT_FALSE(a.group.OfferLine("XTimeMaxFrame=6"));
    EXPECT_FALSE(a.group.OfferLine("AnchorVisible=0"));
    EXPECT_FALSE(a.group.OfferLine("LastOpenedFileX"));
    EXPECT_FALSE(a.group.OfferLine(""));
    EXPECT_EQ(a.i.value, 5);
    EXPECT_TRUE(a.b.value);
}

TEST(ConfItemGroup, SameKeyTwiceBothTakeTheLineAndFindReturnsTheFirst) {
    ConfItemINT_cls first, second;
    ConfItemGroup_cls g;
    g.Register(&first, "N=", "1");
    g.Register(&second, "N=", "2");
    EXPECT_TRUE(g.OfferLine("N=9"));
    EXPECT_EQ(first.value, 9);
    EXPECT_EQ(second.value, 9);
    EXPECT_EQ(g.Find("N="), &first);
    EXPECT_EQ(g.Find("N"), nullptr);
    EXPECT_EQ(g.Find("n="), nullptr);
    EXPECT_EQ(S(g.WriteAll()), "N=9\r\nN=9\r\n");
    // registering the same item again lists it twice
    g.Register(&first, "N=", "");
    EXPECT_EQ(g.Items().size(), 3u);
    g.Clear();
    EXPECT_EQ(S(g.WriteAll()), "");
    EXPECT_FALSE(g.OfferLine("N=1"));
    EXPECT_EQ(first.value, 9);  // items keep their values
}

TEST(ConfItemGroup, RebuildWithCurrentValuesAsDefaults) {
    AllKinds a;
    a.SetNonDefault();
    const std::string before = S(a.group.WriteAll());
    std::vector<ConfItem_cls*> items = a.group.Items();
    std::vector<wxString> keys, defaults;
    for (ConfItem_cls* it : items) {
        keys.push_back(it->key);
        defaults.push_back(it->ValueText());
    }
    // The values go back to the original defaults: only the registration can restore them.
    AllKinds fresh;
    a.group.CopyValuesFrom(fresh.group);
    ASSERT_NE(S(a.group.WriteAll()), before);
    a.group.Clear();
    for (size_t k = 0; k < items.size(); ++k) a.group.Register(items[k], keys[k], defaults[k]);
    EXPECT_EQ(S(a.group.WriteAll()), before);
}

TEST(ConfItemGroup, KeyOfNamesScalarsAndArrayElements) {
    AllKinds a;
    ConfItemFLOATARRAY_cls vec;
    a.group.Register(&vec, "ArrayVector0=", "1 0 0");
    struct Case {
        const void* address;
        const char* key;
    } cases[] = {
        {&a.i.value, "TimeMaxFrame="},
        {&a.u.value, "RandomSeed="},
        {&a.f.value, "GLPersAngle="},
        {&a.d.value, "TimeScale="},
        {&vec.values[2], "ArrayVector0=::DIM=2"},
        {&vec.values[0], "ArrayVector0=::DIM=0"},
        {&vec.values[3], ""},  // beyond the count
        {&a.ia.values[5], "GrammerBody=::DIM=5"},
        {&a.da.values[1], "BoxMin=::DIM=1"},
        {&a.b.value, ""},
        {&a.ba.values[0], ""},
        {&a.str.text, ""},
        {nullptr, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(S(a.group.KeyOf(c.address)), c.key) << c.key;
    // the address resolves back through Find
    wxString addr = a.group.KeyOf(&vec.values[2]);
    EXPECT_EQ(a.group.Find(addr.BeforeFirst(':')), &vec);
}

TEST(ConfItemGroup, CopyValuesFromAGroupOfTheSameLayout) {
    AllKinds src, dst;
    src.SetNonDefault();
    src.fa.values[10] = 9.0f;  // beyond the count: copied too
    dst.group.CopyValuesFrom(src.group);
    EXPECT_EQ(S(dst.group.WriteAll()), kExpected);
    EXPECT_FLOAT_EQ(dst.fa.values[10], 9.0f);
    EXPECT_EQ(dst.u.value, 4000000000u);

    // a shorter or different layout copies what matches and never reads past it
    ConfItemINT_cls i;
    ConfItemSTR_cls s;
    ConfItemGroup_cls small;
    small.Register(&s, "A=", "x");
    small.Register(&i, "B=", "5");
    AllKinds other;
    other.group.CopyValuesFrom(small);  // str <- str copied; int array <- int skipped
    EXPECT_EQ(S(other.str.key), "A=");
    EXPECT_EQ(S(other.str.text), "x");
    EXPECT_EQ(S(other.i.key), "B=");
    EXPECT_EQ(other.i.value, 5);
    EXPECT_EQ(S(other.ia.key), "GrammerBody=");
    small.CopyValuesFrom(src.group);
    EXPECT_EQ(S(s.text), S(src.str.text));
    EXPECT_EQ(i.value, -42);
}
