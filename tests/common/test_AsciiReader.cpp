#include "common/AsciiReader.h"

#include <charconv>
#include <cmath>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The text copied to the very end of a heap block: a read past it is a heap overflow that
// the sanitizer build reports.
class TailBuffer {
public:
    explicit TailBuffer(const std::string& text) : size_(text.size()), data_(new char[text.size()]) {
        if (size_) std::memcpy(data_.get(), text.data(), size_);
    }
    const char* begin() const { return data_.get(); }
    const char* end() const { return data_.get() + size_; }

private:
    size_t size_;
    std::unique_ptr<char[]> data_;
};

// Reference value: the standard's correctly rounded conversion of the same digits
// (leading blanks and a '+' removed, no exponent).
float Reference(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == '+') ++i;
    float v = 0.0f;
    auto r = std::from_chars(text.data() + i, text.data() + text.size(), v, std::chars_format::fixed);
    EXPECT_EQ(r.ec, std::errc()) << text;
    return v;
}

int64_t UlpDistance(float a, float b) {
    int32_t ia, ib;
    std::memcpy(&ia, &a, 4);
    std::memcpy(&ib, &b, 4);
    // map the sign-magnitude bit patterns onto one ordered integer line
    const int64_t la = ia < 0 ? int64_t(INT32_MIN) - ia : ia;
    const int64_t lb = ib < 0 ? int64_t(INT32_MIN) - ib : ib;
    return la > lb ? la - lb : lb - la;
}

float Parse(const std::string& text) {
    TailBuffer b(text);
    return AsciiReader_cls::ParseFloatFast(b.begin(), b.end());
}

}  // namespace

TEST(AsciiReader, FloatsAgreeWithFromCharsWithinOneUlp) {
    const char* table[] = {
        "0", "-0", "7", "7.", ".25", "+3", "  -12.5", "0.1", "0.3", "123.456", "-98765.4321",
        "16777216", "16777217", "16777219", "0.000001", "1.17549435", "3.4028234",
        // ten digits and more: past a 32-bit accumulator
        "2147483648", "4294967296.5", "1234567890.123", "12345678901234567890",
        "123456789012345678901234567890", "-99999999999999999999.99999", "1000000000.0000000001",
        "0.1234567890123456789012345", "3.14159265358979323846264338327950288",
        "0.000000000000000000000000000001234", "000000000000000000000000000042.5",
        "0.00000000000000000000000000000000000001", "9007199254740993", "9007199254740993.5",
        "340282346638528859811704183484516925440", "-340282346638528859811704183484516925440",
        "0.500000059604644775390625", "0.5000000596046447753906251", "0.5000000596046447753906249",
        "   +00001.00000000000000000000000000000000001",
    };
    for (const char* t : table) {
        EXPECT_LE(UlpDistance(Parse(t), Reference(t)), 1) << t << " read " << Parse(t);
    }

    // many digit lengths and magnitudes, as printed by other programs
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> scale(-12, 20), precision(0, 25);
    char buf[128];
    for (int i = 0; i < 200000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, scale(rng));
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision(rng));
        const std::string t(buf, r.ptr);
        ASSERT_LE(UlpDistance(Parse(t), Reference(t)), 1) << t;
    }
}

TEST(AsciiReader, NarrowNumberSyntax) {
    struct Case {
        const char* text;
        float value;
    } cases[] = {
        {"  -12.5", -12.5f}, {"+3", 3.0f}, {".25", 0.25f}, {"7.", 7.0f},   {"1e5", 1.0f},
        {"abc", 0.0f},       {"", 0.0f},   {"-", 0.0f},     {"  ", 0.0f}, {"\t5", 0.0f},
        {"12,5", 12.0f},     {"4.5.6", 4.5f}, {"- 3", 0.0f}, {"1.5x", 1.5f},
        {"1" "00000000000000000000000000000000000000000", 3.4028235e38f},  // clamped
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c.text), c.value) << '"' << c.text << '"';
}

TEST(AsciiReader, IntFieldsClampInsteadOfOverflowing) {
    struct Case {
        const char* text;
        char delimiter;
        int value;
        long offset;  // where the cursor ends, -1 for the end of the buffer
    } cases[] = {
        {" -42/7", '/', -42, 4},
        {"+17 x", ' ', 17, 3},
        {"  5 6", ' ', 5, 0},  // a cursor on the delimiter stays
        {"2147483647\n", '\n', INT_MAX, 10},
        {"-2147483648\n", '\n', INT_MIN, 11},
        {"2147483648\n", '\n', INT_MAX, 10},
        {"12345678901234567890123\n", '\n', INT_MAX, 23},
        {"-99999999999999999999\n", '\n', INT_MIN, 21},
        {"x9\n", '\n', 0, 2},
        {" 12.5", '.', 12, 3},
        {"123", '\n', 123, -1},
        {"9876543210", '\n', INT_MAX, -1},
    };
    for (const Case& c : cases) {
        TailBuffer b(c.text);
        const char* cursor = b.begin();
        EXPECT_EQ(AsciiReader_cls::ParseIntField(cursor, c.delimiter, b.end()), c.value) << c.text;
        EXPECT_EQ(cursor, c.offset < 0 ? b.end() : b.begin() + c.offset) << c.text;
    }
}

TEST(AsciiReader, FloatFieldMovesToTheDelimiter) {
    struct Case {
        const char* text;
        char delimiter;
        float value;
        long offset;
    } cases[] = {
        {"<1.5 , -2>", ',', 0.0f, 5},   // starts on '<': no number
        {"1.5 , -2>", ',', 1.5f, 4},
        {" -2>", '>', -2.0f, 3},
        {"3.25 4", ' ', 3.25f, 4},
        {" 3.25 4", ' ', 3.25f, 0},      // on the delimiter already
        {"10.5-3", '-', 10.5f, 4},
        {"-3;", '-', -3.0f, 0},          // the delimiter inside the number
        {"4.75", '.', 4.75f, 1},
        {"0.5", '\n', 0.5f, -1},
    };
    for (const Case& c : cases) {
        TailBuffer b(c.text);
        const char* cursor = b.begin();
        EXPECT_EQ(AsciiReader_cls::ParseFloatField(cursor, c.delimiter, b.end()), c.value) << c.text;
        EXPECT_EQ(cursor, c.offset < 0 ? b.end() : b.begin() + c.offset) << c.text;
    }
}

TEST(AsciiReader, BoolFieldsAndCharTests) {
    struct Case {
        const char* text;
        bool value;
        long offset;
    } cases[] = {
        {"on;x", true, 2}, {"1;x", true, 1}, {"off;", false, 3}, {"0;", false, 1}, {"ON;", false, 2},
        {";", false, 0},   {"on ;", false, 3}, {"11;", false, 2}, {"on", true, -1}, {"1", true, -1},
        {"", false, -1},
    };
    for (const Case& c : cases) {
        TailBuffer b(c.text);
        const char* cursor = b.begin();
        EXPECT_EQ(AsciiReader_cls::ParseBoolField(cursor, ';', b.end()), c.value) << c.text;
        EXPECT_EQ(cursor, c.offset < 0 ? b.end() : b.begin() + c.offset) << c.text;
    }

    TailBuffer face("1//4 2//5 3//6");
    EXPECT_TRUE(AsciiReader_cls::FieldHasChar(face.begin(), ' ', '/', face.end()));
    EXPECT_FALSE(AsciiReader_cls::FieldHasChar(face.begin(), ' ', '7', face.end()));
    EXPECT_FALSE(AsciiReader_cls::FieldHasChar(face.begin() + 4, ' ', '/', face.end()));  // on ' '
    EXPECT_TRUE(AsciiReader_cls::FieldHasChar(face.begin() + 10, '\n', '6', face.end()));
    EXPECT_FALSE(AsciiReader_cls::FieldHasChar(face.begin() + 10, '\n', '9', face.end()));
}

TEST(AsciiReader, SkipToDelimiterStopsAtEnd) {
    TailBuffer b("ab\ncd");
    const char* cursor = b.begin();
    ASSERT_TRUE(AsciiReader_cls::SkipToDelimiter(cursor, '\n', b.end()));
    EXPECT_EQ(cursor, b.begin() + 2);
    ASSERT_TRUE(AsciiReader_cls::SkipToDelimiter(cursor, '\n', b.end()));  // stays on it
    EXPECT_EQ(cursor, b.begin() + 2);
    ++cursor;
    EXPECT_FALSE(AsciiReader_cls::SkipToDelimiter(cursor, '\n', b.end()));
    EXPECT_EQ(cursor, nullptr);
    // a null cursor stays null and reads nothing
    EXPECT_FALSE(AsciiReader_cls::SkipToDelimiter(cursor, '\n', b.end()));
    EXPECT_EQ(AsciiReader_cls::ParseFloatField(cursor, ' ', b.end()), 0.0f);
    EXPECT_EQ(AsciiReader_cls::ParseIntField(cursor, ' ', b.end()), 0);
    EXPECT_EQ(cursor, nullptr);

    const char* atEnd = b.end();
    EXPECT_FALSE(AsciiReader_cls::SkipToDelimiter(atEnd, '\n', b.end()));
    EXPECT_EQ(atEnd, nullptr);
}

TEST(AsciiReader, LastLineWithoutNewlineIsReadToItsEndOnly) {
    // the walk of a vertex list: "v x y z" lines, the last one without a line feed
    const std::string text = "v 1 -2.5 3\nv 4.25 5 -6\nv 7 8.5 900000000000";
    TailBuffer b(text);
    std::vector<float> values;
    const char* p = b.begin();
    while (p && p < b.end()) {
        if (*p == 'v' && p + 1 < b.end() && p[1] == ' ') {
            p += 2;
            values.push_back(AsciiReader_cls::ParseFloatField(p, ' ', b.end()));
            ++p;
            values.push_back(AsciiReader_cls::ParseFloatField(p, ' ', b.end()));
            ++p;
            values.push_back(AsciiReader_cls::ParseFloatField(p, '\n', b.end()));
            if (p == b.end()) break;
        }
        ++p;
    }
    EXPECT_EQ(values, (std::vector<float>{1, -2.5f, 3, 4.25f, 5, -6, 7, 8.5f, 9e11f}));
    EXPECT_EQ(p, b.end());

    // every field kind at the very end of the buffer
    struct Tail {
        const char* text;
    } tails[] = {{"12345"}, {"-"}, {"  "}, {"+"}, {"7."}, {""}};
    for (const Tail& t : tails) {
        TailBuffer tb(t.text);
        const char* c = tb.begin();
        AsciiReader_cls::ParseFloatField(c, '\n', tb.end());
        EXPECT_EQ(c, tb.end()) << t.text;
        c = tb.begin();
        AsciiReader_cls::ParseIntField(c, ' ', tb.end());
        EXPECT_EQ(c, tb.begin() + (t.text[0] == ' ' ? 0 : std::strlen(t.text))) << t.text;
        c = tb.begin();
        AsciiReader_cls::ParseBoolField(c, '\n', tb.end());
        EXPECT_EQ(c, tb.end());
        EXPECT_FALSE(AsciiReader_cls::FieldHasChar(tb.begin(), '\n', '!', tb.end()));
        EXPECT_EQ(AsciiReader_cls::ParseFloatFast(tb.end(), tb.end()), 0.0f);
    }
}
