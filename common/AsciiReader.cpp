#include "common/AsciiReader.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double kInvPow10[] = {1e-0,  1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};
constexpr uint64_t kExactInDouble = uint64_t(1) << 53;
constexpr int kMaxSignificant = 19;  // 19 decimal digits always fit into 64 bits

inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

inline const char* SkipBlanks(const char* p, const char* end) {
    while (p < end && *p == ' ') ++p;
    return p;
}

// First `delimiter` in [p, end), or end.
inline const char* FindDelimiter(const char* p, char delimiter, const char* end) {
    if (p >= end) return end;
    if (*p == delimiter) return p;  // the usual case: the field ends right there
    const void* hit = std::memchr(p, delimiter, static_cast<size_t>(end - p));
    return hit ? static_cast<const char*>(hit) : end;
}

// The first delimiter at or after `begin`, for a field whose number was read from
// `begin` to `stop`. A number consumes only leading blanks, a sign, digits and the point,
// so for any other delimiter the search goes on from `stop` instead of passing over the
// number twice.
inline const char* FieldEnd(const char* begin, const char* stop, char delimiter, const char* end) {
    if (delimiter == ' ') {
        if (begin < end && *begin == ' ') return begin;  // blanks come only first
    } else if (delimiter == '+' || delimiter == '-' || delimiter == '.' || IsDigit(delimiter)) {
        for (const char* p = begin; p < stop; ++p) {
            if (*p == delimiter) return p;
        }
    }
    return FindDelimiter(stop, delimiter, end);
}

// v · 10^exp10 for the cases the short double path does not cover: more than 2^53 in v or
// a large power of ten. Long double holds every 64-bit v exactly.
float ScaleSlow(uint64_t v, int exp10) {
    long double r = static_cast<long double>(v);
    if (exp10 > 0)
        r *= std::pow(10.0L, static_cast<long double>(exp10));
    else if (exp10 < 0)
        r /= std::pow(10.0L, static_cast<long double>(-exp10));
    if (r > static_cast<long double>(FLT_MAX)) return FLT_MAX;
    return static_cast<float>(r);
}

// The number at p; *stop receives where reading ended.
inline float ParseNumber(const char* p, const char* end, const char** stop) {
    p = SkipBlanks(p, end);
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Up to 19 significant digits are gathered exactly; further integer digits only
    // raise the power of ten and further fraction digits are dropped (they change the
    // value by less than 1e-18 of it). Leading zeros are passed over first so that they
    // do not use up the 19 digits.
    uint64_t v = 0;
    int exp10 = 0;
    while (p < end && *p == '0') ++p;
    const char* first = p;
    const char* limit = end - p > kMaxSignificant ? p + kMaxSignificant : end;
    while (p < limit && IsDigit(*p)) {
        v = v * 10 + static_cast<unsigned>(*p - '0');
        ++p;
    }
    const int taken = static_cast<int>(p - first);
    while (p < end && IsDigit(*p)) {
        ++exp10;
        ++p;
    }
    if (p < end && *p == '.') {
        ++p;
        if (taken == 0) {
            const char* zeros = p;
            while (p < end && *p == '0') ++p;
            exp10 -= static_cast<int>(p - zeros);
        }
        first = p;
        const int room = kMaxSignificant - taken;
        limit = end - p > room ? p + room : end;
        while (p < limit && IsDigit(*p)) {
            v = v * 10 + static_cast<unsigned>(*p - '0');
            ++p;
        }
        exp10 -= static_cast<int>(p - first);
        while (p < end && IsDigit(*p)) ++p;
    }
    *stop = p;

    float r;
    if (v <= kExactInDouble && exp10 >= -22 && exp10 <= 22) {
        // v is exact in double and the scale is within one rounding of 10^exp10, so x is
        // within two double roundings of the exact value: far below half a float step,
        // which leaves the float at most one step from the correctly rounded one. A
        // multiplication instead of a division keeps the latency short.
        const double x = static_cast<double>(v) * (exp10 < 0 ? kInvPow10[-exp10] : kPow10[exp10]);
        r = static_cast<float>(std::min(x, static_cast<double>(FLT_MAX)));
    } else {
        r = ScaleSlow(v, exp10);
    }
    return negative ? -r : r;
}

}  // namespace

float AsciiReader_cls::ParseFloatFast(const char* text, const char* end) {
    if (text == nullptr) return 0.0f;
    const char* stop;
    return ParseNumber(text, end, &stop);
}

float AsciiReader_cls::ParseFloatField(const char*& cursor, char delimiter, const char* end) {
    if (cursor == nullptr) return 0.0f;
    const char* stop;
    const float value = ParseNumber(cursor, end, &stop);
    cursor = FieldEnd(cursor, stop, delimiter, end);
    return value;
}

int AsciiReader_cls::ParseIntField(const char*& cursor, char delimiter, const char* end) {
    if (cursor == nullptr) return 0;
    const char* p = SkipBlanks(cursor, end);
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // gathered in 64 bits and held just above the int range, so long runs cannot overflow
    constexpr int64_t kCap = int64_t(INT_MAX) + 2;
    int64_t v = 0;
    while (p < end && IsDigit(*p)) {
        if (v < kCap) v = v * 10 + (*p - '0');
        ++p;
    }
    if (negative) v = -v;
    const int value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    cursor = FieldEnd(cursor, p, delimiter, end);
    return value;
}

bool AsciiReader_cls::ParseBoolField(const char*& cursor, char delimiter, const char* end) {
    if (cursor == nullptr) return false;
    const char* field = cursor;
    cursor = FindDelimiter(cursor, delimiter, end);
    const auto len = cursor - field;
    return (len == 2 && field[0] == 'o' && field[1] == 'n') || (len == 1 && field[0] == '1');
}

bool AsciiReader_cls::SkipToDelimiter(const char*& cursor, char delimiter, const char* end) {
    if (cursor == nullptr) return false;
    cursor = FindDelimiter(cursor, delimiter, end);
    if (cursor == end) {
        cursor = nullptr;
        return false;
    }
    return true;
}

bool AsciiReader_cls::FieldHasChar(const char* text, char delimiter, char c, const char* end) {
    if (text == nullptr) return false;
    for (const char* p = text; p < end && *p != delimiter; ++p) {
        if (*p == c) return true;
    }
    return false;
}
