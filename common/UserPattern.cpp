#include "common/UserPattern.h"

#include <cstdlib>

namespace {

struct Conversion {
    size_t begin = 0;
    size_t end = 0;  ///< one past the conversion letter
    bool zeroPad = false;
    int width = 0;
    bool isUnsigned = false;
};

// Recognises "%[0][width](d|i|u)" (also "%ld"/"%lu") at `pos`, which holds '%'.
bool MatchConversion(const std::string& p, size_t pos, Conversion& c) {
    size_t i = pos + 1;
    c = Conversion();
    c.begin = pos;
    if (i < p.size() && p[i] == '0') {
        c.zeroPad = true;
        ++i;
    }
    int width = 0;
    int digits = 0;
    while (i < p.size() && p[i] >= '0' && p[i] <= '9' && digits < 3) {
        width = width * 10 + (p[i] - '0');
        ++i;
        ++digits;
    }
    if (i < p.size() && p[i] == 'l') ++i;
    if (i < p.size() && (p[i] == 'd' || p[i] == 'i' || p[i] == 'u')) {
        c.isUnsigned = p[i] == 'u';
        c.width = width;
        c.end = i + 1;
        return true;
    }
    return false;
}

std::string FormatNumber(const Conversion& c, long long value) {
    bool negative = value < 0 && !c.isUnsigned;
    unsigned long long mag = negative ? 0ULL - static_cast<unsigned long long>(value)
                                      : static_cast<unsigned long long>(value);
    if (c.isUnsigned && value < 0) mag = static_cast<unsigned int>(value);
    std::string digits = std::to_string(mag);
    std::string out;
    int len = static_cast<int>(digits.size()) + (negative ? 1 : 0);
    if (c.zeroPad) {
        if (negative) out += '-';
        if (len < c.width) out.append(static_cast<size_t>(c.width - len), '0');
        out += digits;
    } else {
        if (len < c.width) out.append(static_cast<size_t>(c.width - len), ' ');
        if (negative) out += '-';
        out += digits;
    }
    return out;
}

}  // namespace

int UserPattern_cls::CountIntConversions(const std::string& p) {
    int count = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] != '%') continue;
        if (i + 1 < p.size() && p[i + 1] == '%') {
            ++i;
            continue;
        }
        Conversion c;
        if (MatchConversion(p, i, c)) {
            ++count;
            i = c.end - 1;
        }
    }
    return count;
}

bool UserPattern_cls::Expand(const std::string& p, const std::vector<long long>& values,
                             std::string& out, std::string* error) {
    out.clear();
    int count = CountIntConversions(p);
    if (count != static_cast<int>(values.size())) {
        if (error)
            *error = "the name pattern \"" + p + "\" must hold " + std::to_string(values.size()) +
                     " number field(s) such as %d or %04d, but holds " + std::to_string(count);
        // still fold "%%" so callers that go on get readable text
        for (size_t i = 0; i < p.size(); ++i) {
            out += p[i];
            if (p[i] == '%' && i + 1 < p.size() && p[i + 1] == '%') ++i;
        }
        return false;
    }
    size_t next = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] != '%') {
            out += p[i];
            continue;
        }
        if (i + 1 < p.size() && p[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Conversion c;
        if (MatchConversion(p, i, c)) {
            out += FormatNumber(c, values[next++]);
            i = c.end - 1;
        } else {
            out += '%';
        }
    }
    return true;
}

std::string UserPattern_cls::ExpandOne(const std::string& pattern, long long value, bool* ok) {
    std::string out;
    bool good = Expand(pattern, {value}, out);
    if (ok) *ok = good;
    return out;
}

wxString UserPattern_cls::ExpandOne(const wxString& pattern, long long value, bool* ok) {
    std::string out = ExpandOne(std::string(pattern.utf8_str()), value, ok);
    return wxString::FromUTF8(out.c_str());
}

int UserPattern_cls::CountIntConversions(const wxString& pattern) {
    return CountIntConversions(std::string(pattern.utf8_str()));
}

std::string UserPattern_cls::Escape(const std::string& text) {
    std::string out;
    for (char ch : text) {
        out += ch;
        if (ch == '%') out += '%';
    }
    return out;
}
