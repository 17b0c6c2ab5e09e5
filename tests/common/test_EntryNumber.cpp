// Text of the numeric entries: values read back exactly, whatever the locale.
#include "common/EntryNumber.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

TEST(EntryNumber, DoublesReadBackExactly) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0.1, "0.1"}, {1234.5678, "1234.5678"}, {0.29, "0.29"}, {1.5, "1.5"}, {0, "0"},
        {-2.25, "-2.25"}, {1e-7, "1e-07"}, {123456789.0, "123456789"}, {1.0 / 3, "0.3333333333333333"},
    };
    for (const Case& c : cases) {
        const std::string text = FormatEntryNumber(c.value);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(ParseEntryNumber(text), c.value) << text;
    }
}

TEST(EntryNumber, FloatsUseTheShortFloatText) {
    for (float v : {0.1f, 0.29f, 1234.5678f, 3.14159f, -0.001f, 16777217.0f}) {
        const std::string text = FormatEntryNumber(v);
        EXPECT_EQ(static_cast<float>(ParseEntryNumber(text)), v) << text;
        EXPECT_LE(text.size(), 13u) << text;
    }
    EXPECT_EQ(FormatEntryNumber(0.1f), "0.1");
    EXPECT_EQ(FormatEntryNumber(1234.5678f), "1234.5677");
}

TEST(EntryNumber, ParsingIgnoresTheLocaleAndTrailingText) {
    testsupport::CommaLocale comma;
    EXPECT_EQ(ParseEntryNumber("0.29"), 0.29);
    EXPECT_EQ(ParseEntryNumber("  2.5abc"), 2.5);
    EXPECT_EQ(ParseEntryNumber("abc"), 0);
    EXPECT_EQ(ParseEntryNumber(""), 0);
    EXPECT_EQ(ParseEntryNumber("1,5"), 1);
    EXPECT_EQ(FormatEntryNumber(1234.5678), "1234.5678");
}
