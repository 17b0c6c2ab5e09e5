// Bounded field parsers of the mesh readers. std::from_chars is locale-independent.
#include "scene/MeshText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace meshtext {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void Trim(const char*& b, const char*& e) {
    while (b < e && IsBlank(*b)) ++b;
    while (e > b && IsBlank(e[-1])) --e;
    if (b < e && *b == '+') ++b;
}

}  // namespace

const char* Find(const char* p, const char* end, char c) {
    if (!p || p >= end) return nullptr;
    return static_cast<const char*>(std::memchr(p, c, static_cast<size_t>(end - p)));
}

bool ParseFloat(const char* b, const char* e, float& out) {
    out = 0;
    Trim(b, e);
    if (b >= e) return false;
    float v = 0;
    const auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ParseInt(const char* b, const char* e, long long& out) {
    out = 0;
    Trim(b, e);
    if (b >= e) return false;
    long long v = 0;
    const auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return false;
    out = v;
    return true;
}

}  // namespace meshtext
