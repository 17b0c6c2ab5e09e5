#include "platform/TextDecoding.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using platform::DecodeText;
using platform::SplitLines;
using platform::TextEncoding;

TEST(TextDecoding, Utf8WithAndWithoutMarkIsUtf8) {
    auto plain = DecodeText("Key=\xE6\x97\xA5\xE6\x9C\xAC\r\n");
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(plain.encoding, TextEncoding::Utf8);
    EXPECT_EQ(plain.utf8, "Key=\xE6\x97\xA5\xE6\x9C\xAC\r\n");

    auto marked = DecodeText("\xEF\xBB\xBFKey=1\n");
    ASSERT_TRUE(marked.ok);
    EXPECT_EQ(marked.utf8, "Key=1\n");
}

TEST(TextDecoding, Cp932FilesDecodeToUtf8) {
    // "日本" and a half-width katakana in code page 932, plus the NEC row-13 circled 1
    auto text = DecodeText("Name=\x93\xFA\x96\x7B\xB1 \x87\x40\r\n");
    ASSERT_TRUE(text.ok) << text.error;
    EXPECT_EQ(text.encoding, TextEncoding::Cp932);
    EXPECT_EQ(text.utf8, "Name=\xE6\x97\xA5\xE6\x9C\xAC\xEF\xBD\xB1 \xE2\x91\xA0\r\n");
}

TEST(TextDecoding, UndecodableBytesAreReportedNotEmptied) {
    // 0x81 followed by 0x20 is neither UTF-8 nor a code page 932 pair
    auto text = DecodeText("A=1\n\x81\x20\n");
    EXPECT_FALSE(text.ok);
    EXPECT_NE(text.error.find("offset 4"), std::string::npos) << text.error;
}

TEST(TextDecoding, LinesLoseTheirLineEnds) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\nb\r", {"a", "b"}},
        {"x=1\r\r\n", {"x=1\r"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(TextDecoding, ReadingAFileNamesItOnFailure) {
    testsupport::TempDir dir;
    std::vector<std::string> lines;
    std::string error;
    EXPECT_FALSE(platform::ReadTextFileLines(dir.File("missing.txt"), lines, error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);

    testsupport::WriteFile(dir.File("bad.txt"), "ok\n\x81\x20");
    EXPECT_FALSE(platform::ReadTextFileLines(dir.File("bad.txt"), lines, error));
    EXPECT_NE(error.find("bad.txt"), std::string::npos);
    EXPECT_TRUE(lines.empty());

    testsupport::WriteFile(dir.File("good.txt"), "A=1\r\nB=\x93\xFA\r\n");
    ASSERT_TRUE(platform::ReadTextFileLines(dir.File("good.txt"), lines, error)) << error;
    EXPECT_EQ(lines, (std::vector<std::string>{"A=1", "B=\xE6\x97\xA5"}));
}
