#include "platform/FileNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace platform {
namespace {

std::string Format(double v, std::chars_format fmt, int precision) {
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, v, fmt, precision);
    if (res.ec != std::errc()) return "0";
    return std::string(buf, res.ptr);
}

size_t SkipBlanks(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\r' || t[i] == '\n' ||
                            t[i] == '\v' || t[i] == '\f'))
        ++i;
    return i;
}

// from_chars rejects a leading '+': skip it, but only when a digit or '.' follows.
size_t SkipPlus(std::string_view t, size_t i) {
    if (i < t.size() && t[i] == '+' && i + 1 < t.size() && t[i + 1] != '-' && t[i + 1] != '+')
        return i + 1;
    return i;
}

template <typename F>
bool ParseFloating(std::string_view text, F& out, size_t* used) {
    size_t i = SkipPlus(text, SkipBlanks(text));
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    F value{};
    auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec == std::errc::invalid_argument) return false;
    if (res.ec == std::errc::result_out_of_range) {
        // tell overflow from underflow by the exponent's sign
        bool negative = first < last && *first == '-';
        std::string_view num(first, static_cast<size_t>(res.ptr - first));
        size_t e = num.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < num.size() && num[e + 1] == '-';
        value = tiny ? F(0) : std::numeric_limits<F>::max();
        if (negative) value = -value;
    }
    out = value;
    if (used) *used = static_cast<size_t>(res.ptr - text.data());
    return true;
}

template <typename I>
bool ParseInteger(std::string_view text, I& out, size_t* used) {
    size_t i = SkipPlus(text, SkipBlanks(text));
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    I value{};
    auto res = std::from_chars(first, last, value, 10);
    if (res.ec == std::errc::invalid_argument) return false;
    if (res.ec == std::errc::result_out_of_range)
        value = (first < last && *first == '-') ? std::numeric_limits<I>::min()
                                                : std::numeric_limits<I>::max();
    out = value;
    if (used) *used = static_cast<size_t>(res.ptr - text.data());
    return true;
}

}  // namespace

std::string FormatG(double v, int precision) {
    return Format(v, std::chars_format::general, precision <= 0 ? 1 : precision);
}
std::string FormatF(double v, int precision) { return Format(v, std::chars_format::fixed, precision); }
std::string FormatE(double v, int precision) {
    return Format(v, std::chars_format::scientific, precision);
}

std::string FormatFExact(double v, int precision) {
    std::string fixed = FormatF(v, precision);
    double back = 0;
    if (ParseDouble(fixed, back) && (back == v || (std::isnan(back) && std::isnan(v))) &&
        std::signbit(back) == std::signbit(v))
        return fixed;
    return FormatShortest(v);
}

std::string FormatShortest(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string FormatShortest(float v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string FormatInt(long long v) { return std::to_string(v); }
std::string FormatUInt(unsigned long long v) { return std::to_string(v); }

bool ParseDouble(std::string_view text, double& out, size_t* used) {
    return ParseFloating(text, out, used);
}
bool ParseFloat(std::string_view text, float& out, size_t* used) {
    return ParseFloating(text, out, used);
}
bool ParseInt64(std::string_view text, int64_t& out, size_t* used) {
    return ParseInteger(text, out, used);
}
bool ParseUInt64(std::string_view text, uint64_t& out, size_t* used) {
    size_t i = SkipBlanks(text);
    if (i < text.size() && text[i] == '-') return false;
    return ParseInteger(text, out, used);
}
bool ParseInt(std::string_view text, int& out, size_t* used) {
    return ParseInteger(text, out, used);
}

double ToDouble(std::string_view text) {
    double v = 0;
    ParseDouble(text, v);
    return v;
}

int ToInt(std::string_view text) {
    int v = 0;
    ParseInt(text, v);
    return v;
}

}  // namespace platform
