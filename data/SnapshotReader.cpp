// Snapshot parsers: headers and bodies from bytes, load transforms and sort by ID.
#include "data/SnapshotReader.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <limits>
#include <numeric>
#include <type_traits>

#include "data/IdIndex.h"
#include "data/ParticleData.h"
#include "platform/FileNumbers.h"
#include "platform/LargeBuffer.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "snapshot files are little-endian; this build copies values as they lie");

namespace {

uint64_t HeaderCodeBytes(int code) {
    switch (code) {
        case 0: case 1: case 2: return 4;
        case 3: return 12;
        case 4: return 40;
        default: return 0;
    }
}

uint64_t HeaderCodeValues(int code) {
    switch (code) {
        case 0: case 1: case 2: return 1;
        case 3: return 3;
        case 4: return 10;
        default: return 0;
    }
}

uint64_t BodyCodeValues(int code) {
    switch (code) {
        case 0: case 1: case 3: return 3;
        case 4: return 10;
        case 2: case 5: case 6: case 7: case 8: return 1;
        default: return 0;
    }
}

std::string Num(int64_t v) { return platform::FormatInt(v); }
std::string UNum(uint64_t v) { return platform::FormatUInt(v); }

// Shown text of a bad token, shortened so that a binary blob does not flood the message.
std::string Shown(const char* b, const char* e) {
    std::string s(b, static_cast<size_t>(std::min<ptrdiff_t>(e - b, 24)));
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) c = '?';
    if (e - b > 24) s += "...";
    return s;
}

inline uint8_t TypeFromLowByte(int32_t v) {
    const uint8_t b = static_cast<uint8_t>(static_cast<uint32_t>(v) & 0xFFu);
    return b > 3 ? uint8_t{3} : b;
}

inline uint8_t TypeClamped(int32_t v) {
    return v < 0 ? uint8_t{0} : (v > 3 ? uint8_t{3} : static_cast<uint8_t>(v));
}

// One line of text: [begin, end) without the line feed.
struct Line {
    const char* begin;
    const char* end;
};

// Next line at `p`; false at the end of the text.
bool NextLine(const char*& p, const char* end, Line& line) {
    if (p >= end) return false;
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    line.begin = p;
    line.end = nl ? nl : end;
    p = nl ? nl + 1 : end;
    return true;
}

// Float token parse: the whole token must be a number. Values beyond the float range are
// clamped to ±FLT_MAX, those below its smallest to 0.
bool ParseFloatToken(const char* b, const char* e, float& out) {
    if (b < e && *b == '+') ++b;
    float v = 0.0f;
    auto res = std::from_chars(b, e, v, std::chars_format::general);
    if (res.ec == std::errc::invalid_argument || res.ptr != e) return false;
    if (res.ec == std::errc::result_out_of_range) {
        double d = 0.0;
        if (!platform::ParseDouble(std::string_view(b, static_cast<size_t>(e - b)), d)) return false;
        v = std::fabs(d) > 1.0 ? (d < 0 ? -FLT_MAX : FLT_MAX) : 0.0f;
    }
    out = v;
    return true;
}

// Integer token parse: decimal integer, clamped to int32. A number written with a fraction
// or an exponent is truncated towards zero.
bool ParseIntToken(const char* b, const char* e, int32_t& out) {
    const char* s = (b < e && *b == '+') ? b + 1 : b;
    int64_t v = 0;
    auto res = std::from_chars(s, e, v, 10);
    if (res.ec == std::errc() && res.ptr == e) {
        out = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
        return true;
    }
    if (res.ec == std::errc::result_out_of_range && res.ptr == e) {
        out = (*s == '-') ? INT32_MIN : INT32_MAX;
        return true;
    }
    double d = 0.0;
    auto r2 = std::from_chars(s, e, d, std::chars_format::general);
    if (r2.ec == std::errc::invalid_argument || r2.ptr != e || std::isnan(d)) return false;
    if (r2.ec == std::errc::result_out_of_range) d = (*s == '-') ? -1e300 : 1e300;
    d = std::trunc(d);
    out = d <= INT32_MIN ? INT32_MIN : (d >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(d));
    return true;
}

// Where each value of an ASCII body line goes.
enum SlotKind : uint8_t { SLOT_FLOAT, SLOT_DROP_FLOAT, SLOT_ID, SLOT_TYPE, SLOT_DROP_INT };
struct Slot {
    SlotKind kind;
    float* f;      // base + component for SLOT_FLOAT
    int stride;    // floats per particle for SLOT_FLOAT
};

std::vector<Slot> AsciiPlan(const SnapshotGrammar& g, const ParticleArrays_cls& a) {
    std::vector<Slot> plan;
    auto vec3 = [&](float* base) {
        for (int c = 0; c < 3; ++c) plan.push_back({base ? SLOT_FLOAT : SLOT_DROP_FLOAT, base ? base + c : nullptr, 3});
    };
    auto one = [&](float* base) { plan.push_back({base ? SLOT_FLOAT : SLOT_DROP_FLOAT, base, 1}); };
    for (int code : g.bodyCodes) {
        switch (code) {
            case 0: vec3(a.position); break;
            case 1: vec3(a.velocity); break;
            case 2: one(nullptr); break;
            case 3: vec3(nullptr); break;
            case 4: for (int k = 0; k < 10; ++k) one(nullptr); break;
            case 5: one(a.radius); break;
            case 6: plan.push_back({a.id ? SLOT_ID : SLOT_DROP_INT, nullptr, 0}); break;
            case 7: plan.push_back({a.type ? SLOT_TYPE : SLOT_DROP_INT, nullptr, 0}); break;
            case 8: one(a.value1); break;
            default: break;
        }
    }
    return plan;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Grammar

uint64_t SnapshotGrammar::HeaderByteSize() const {
    uint64_t s = 0;
    for (int c : headerCodes) s += HeaderCodeBytes(c);
    return s;
}

uint64_t SnapshotGrammar::HeaderValueCount() const {
    uint64_t s = 0;
    for (int c : headerCodes) s += HeaderCodeValues(c);
    return s;
}

uint64_t SnapshotGrammar::RecordByteSize() const { return 4 * RecordValueCount(); }

uint64_t SnapshotGrammar::RecordValueCount() const {
    uint64_t s = 0;
    for (int c : bodyCodes) s += BodyCodeValues(c);
    return s;
}

bool SnapshotGrammar::HeaderHasCode(int code) const {
    return std::find(headerCodes.begin(), headerCodes.end(), code) != headerCodes.end();
}

bool SnapshotGrammar::BodyHasCode(int code) const {
    return std::find(bodyCodes.begin(), bodyCodes.end(), code) != bodyCodes.end();
}

bool SnapshotGrammar::IsStandardLayout() const {
    static const std::vector<int> standard{0, 1, 5, 6, 7, 8};
    return bodyCodes == standard;
}

std::string SnapshotGrammar::Problem() const {
    if (headerCodes.size() > 16 || bodyCodes.size() > 16) return "a code list holds more than 16 codes";
    if (!HeaderHasCode(1)) return "the header grammar has no particle count (Number)";
    for (int c : bodyCodes)
        if (c < 0 || c > 8) return "body code " + Num(c) + " is unknown";
    if (bodyCodes.empty()) return "the body grammar is empty";
    return "";
}

// ---------------------------------------------------------------------------------------
// Headers

SnapshotReadResult ParseHeaderBinary(const unsigned char* bytes, size_t size, uint64_t fileSize,
                                     const SnapshotGrammar& g, SnapshotHeader& out) {
    const std::string problem = g.Problem();
    if (!problem.empty()) return SnapshotReadResult::Fail(problem);
    SnapshotHeader h;
    uint64_t off = 0;
    uint64_t countOffset = 0;
    for (int code : g.headerCodes) {
        const uint64_t n = HeaderCodeBytes(code);
        if (off + n > size)
            return SnapshotReadResult::Fail("byte " + UNum(off) + ": the header ends early (" +
                                                UNum(size) + " bytes, " + UNum(g.HeaderByteSize()) +
                                                " expected)",
                                            -1, static_cast<int64_t>(off));
        if (code == 0) {
            float t;
            std::memcpy(&t, bytes + off, 4);
            h.time = t;
            h.hasTime = true;
        } else if (code == 1) {
            int32_t c;
            std::memcpy(&c, bytes + off, 4);
            h.count = c;
            countOffset = off;
        }
        off += n;
    }
    h.bodyOffset = off;
    if (h.count < 0)
        return SnapshotReadResult::Fail("byte " + UNum(countOffset) + ": negative particle count " +
                                            Num(h.count),
                                        -1, static_cast<int64_t>(countOffset));
    const uint64_t need = off + static_cast<uint64_t>(h.count) * g.RecordByteSize();
    if (need > fileSize)
        return SnapshotReadResult::Fail("byte " + UNum(countOffset) + ": particle count " +
                                            Num(h.count) + " needs " + UNum(need) +
                                            " bytes, the file has " + UNum(fileSize),
                                        -1, static_cast<int64_t>(countOffset));
    out = h;
    return {};
}

SnapshotReadResult ParseHeaderAscii(const char* text, size_t size, const SnapshotGrammar& g,
                                    SnapshotHeader& out, uint64_t fileSize) {
    const std::string problem = g.Problem();
    if (!problem.empty()) return SnapshotReadResult::Fail(problem);
    SnapshotHeader h;
    const char* p = text;
    const char* end = text + size;
    int64_t lineNo = 0;
    int64_t countLine = 0;
    for (int code : g.headerCodes) {
        const uint64_t lines = HeaderCodeValues(code);
        for (uint64_t k = 0; k < lines; ++k) {
            Line line;
            ++lineNo;
            if (!NextLine(p, end, line))
                return SnapshotReadResult::Fail("line " + Num(lineNo) + ": the header ends early (" +
                                                    UNum(g.HeaderValueCount()) + " lines expected)",
                                                lineNo);
            const std::string_view sv(line.begin, static_cast<size_t>(line.end - line.begin));
            if (code == 0) {
                double t = 0;
                if (!platform::ParseDouble(sv, t))
                    return SnapshotReadResult::Fail("line " + Num(lineNo) + ": expected the time, found '" +
                                                        Shown(line.begin, line.end) + "'",
                                                    lineNo);
                h.time = t;
                h.hasTime = true;
            } else if (code == 1) {
                int64_t c = 0;
                if (!platform::ParseInt64(sv, c))
                    return SnapshotReadResult::Fail("line " + Num(lineNo) +
                                                        ": expected the particle count, found '" +
                                                        Shown(line.begin, line.end) + "'",
                                                    lineNo);
                h.count = c;
                countLine = lineNo;
            }
        }
    }
    h.bodyOffset = static_cast<uint64_t>(p - text);
    if (h.count < 0)
        return SnapshotReadResult::Fail("line " + Num(countLine) + ": negative particle count " + Num(h.count),
                                        countLine);
    // Every body line needs at least one character per value and one separator (or line
    // feed) after each, less the final line feed: a count beyond that cannot be in the file.
    const uint64_t perLine = 2 * g.RecordValueCount();
    const uint64_t total = std::max<uint64_t>(fileSize, size);
    const uint64_t rest = total - h.bodyOffset;
    if (perLine > 0 && static_cast<uint64_t>(h.count) > (rest + 1) / perLine)
        return SnapshotReadResult::Fail("line " + Num(countLine) + ": particle count " + Num(h.count) +
                                            " is larger than the file can hold (" + UNum(rest) +
                                            " bytes of body)",
                                        countLine);
    out = h;
    return {};
}

// ---------------------------------------------------------------------------------------
// Binary body

SnapshotReadResult ParseBodyBinary(const unsigned char* bytes, size_t size, const SnapshotGrammar& g,
                                   int64_t first, int64_t count, const ParticleArrays_cls& a,
                                   uint64_t baseOffset) {
    if (count <= 0) return {};
    const uint64_t rec = g.RecordByteSize();
    if (rec == 0) return SnapshotReadResult::Fail("the body grammar is empty");
    const uint64_t have = size / rec;
    if (have < static_cast<uint64_t>(count)) {
        const uint64_t at = baseOffset + have * rec;
        return SnapshotReadResult::Fail("byte " + UNum(at) + ": the body ends after " +
                                            Num(first + static_cast<int64_t>(have)) + " of " +
                                            Num(first + count) + " particles",
                                        -1, static_cast<int64_t>(at));
    }
    const unsigned char* p = bytes;
    if (g.IsStandardLayout()) {
        // The array pointers in locals: stores through them cannot change them, so the
        // loop keeps them in registers.
        float* const position = a.position + 3 * first;
        float* const velocity = a.velocity + 3 * first;
        float* const radius = a.radius + first;
        float* const value1 = a.value1 + first;
        uint8_t* const type = a.type + first;
        int32_t* const id = a.id ? a.id + first : nullptr;
        for (int64_t i = 0; i < count; ++i, p += 40) {
            std::memcpy(position + 3 * i, p, 12);
            std::memcpy(velocity + 3 * i, p + 12, 12);
            std::memcpy(radius + i, p + 24, 4);
            int32_t t;
            std::memcpy(&t, p + 32, 4);
            type[i] = TypeClamped(t);
            std::memcpy(value1 + i, p + 36, 4);
        }
        if (id)
            for (int64_t i = 0; i < count; ++i) std::memcpy(id + i, bytes + 40 * i + 28, 4);
        return {};
    }
    for (int64_t i = first; i < first + count; ++i) {
        for (int code : g.bodyCodes) {
            switch (code) {
                case 0: std::memcpy(a.position + 3 * i, p, 12); p += 12; break;
                case 1: std::memcpy(a.velocity + 3 * i, p, 12); p += 12; break;
                case 2: p += 4; break;
                case 3: p += 12; break;
                case 4: p += 40; break;
                case 5: std::memcpy(a.radius + i, p, 4); p += 4; break;
                case 6: if (a.id) std::memcpy(a.id + i, p, 4); p += 4; break;
                case 7: {
                    int32_t t;
                    std::memcpy(&t, p, 4);
                    a.type[i] = TypeFromLowByte(t);
                    p += 4;
                    break;
                }
                case 8: std::memcpy(a.value1 + i, p, 4); p += 4; break;
                default: break;
            }
        }
    }
    return {};
}

// ---------------------------------------------------------------------------------------
// ASCII body

namespace {

// Character classes of the body scan: 1 blank (space, tab, CR, VT, FF), 2 line feed.
struct CharClasses {
    uint8_t of[256] = {};
    constexpr CharClasses() {
        of[static_cast<unsigned char>(' ')] = of[static_cast<unsigned char>('\t')] = 1;
        of[static_cast<unsigned char>('\r')] = of[static_cast<unsigned char>('\v')] = 1;
        of[static_cast<unsigned char>('\f')] = 1;
        of[static_cast<unsigned char>('\n')] = 2;
    }
};
constexpr CharClasses kClass;

inline bool IsBlankAt(const char* p) { return kClass.of[static_cast<unsigned char>(*p)] == 1; }
inline bool IsSeparatorAt(const char* p) { return kClass.of[static_cast<unsigned char>(*p)] != 0; }

// The plain decimals simulation codes print ("-12.3456", "123.456789", "0.500000"), read
// without the general parser. With at most 53 bits of digits and at most 22 decimals,
// digits and power of ten are both exact doubles, so their quotient is the double nearest
// the decimal. Rounding that double to float gives the float nearest the decimal, the same
// that std::from_chars gives, unless the double lies exactly halfway between two floats:
// then the decimal may lie on either side, and the general parser decides. Returns the end
// of the number, or null when the text is anything else (exponent, sign '+', more digits,
// no digit, a halfway value). The caller guarantees a non-digit before the end of the text.
inline const char* ParsePlainDecimal(const char* p, float& out) {
    static constexpr double kPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr uint64_t kExact = uint64_t{1} << 53;
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    const char* const first = p;
    uint64_t m = 0;
    for (; static_cast<unsigned>(*p - '0') < 10; ++p)
        if ((m = m * 10 + static_cast<uint64_t>(*p - '0')) > kExact) return nullptr;
    const ptrdiff_t whole = p - first;
    ptrdiff_t decimals = 0;
    if (*p == '.') {
        const char* const point = ++p;
        for (; static_cast<unsigned>(*p - '0') < 10; ++p)
            if ((m = m * 10 + static_cast<uint64_t>(*p - '0')) > kExact) return nullptr;
        decimals = p - point;
    }
    if (whole + decimals == 0 || decimals > 22) return nullptr;
    const double d = static_cast<double>(m) / kPow10[decimals];
    // Every nonzero value here is at least 1e-22, a normal float: the 29 bits of the double's
    // fraction below a float's are exactly 1 followed by zeros at a halfway point.
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    constexpr uint64_t kBelowFloat = (uint64_t{1} << 29) - 1;
    if ((bits & kBelowFloat) == (uint64_t{1} << 28)) return nullptr;
    const float v = static_cast<float>(d);
    out = negative ? -v : v;
    return p;
}

// The plain integers of ids and types ("-12", "1000042"): at most nine digits, so no
// overflow of 32 bits. Returns the end of the number, or null for anything else (sign '+',
// more digits, no digit): the general parser takes it. The caller guarantees a non-digit
// before the end of the text.
inline const char* ParsePlainInt(const char* p, int32_t& out) {
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    const char* const first = p;
    int32_t m = 0;
    for (; static_cast<unsigned>(*p - '0') < 10; ++p) {
        if (p - first == 9) return nullptr;
        m = m * 10 + (*p - '0');
    }
    if (p == first) return nullptr;
    out = negative ? -m : m;
    return p;
}

// End of the token at `p`: the first blank or line feed.
const char* TokenEnd(const char* p, const char* end) {
    while (p < end && !IsSeparatorAt(p)) ++p;
    return p;
}

// The lines of [text, end), whose last byte is a line feed: that line feed stops every scan,
// so the loops need no end checks.
SnapshotReadResult ParseTerminatedLines(const char* text, const char* end, int64_t firstIndex, int64_t count,
                                        int64_t firstLine, const std::vector<Slot>& plan,
                                        const ParticleArrays_cls& a, int64_t& lines) {
    const size_t want = plan.size();
    const Slot* const slots = plan.data();
    const char* p = text;
    SnapshotReadResult done;
    for (int64_t i = firstIndex; p < end; ++i, ++lines) {
        if (i >= count) {
            // The header's count is what the file holds: lines past it are passed over, and
            // the first that holds anything is reported.
            while (IsBlankAt(p)) ++p;
            if (*p != '\n') {
                if (done.ignoredFrom < 0) done.ignoredFrom = firstLine + i;
                p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            }
            ++p;
            continue;
        }
        for (size_t k = 0; k < want; ++k) {
            while (IsBlankAt(p)) ++p;
            if (*p == '\n')
                return SnapshotReadResult::Fail("line " + Num(firstLine + i) + ": expected " + UNum(want) +
                                                    " values, found " + UNum(k),
                                                firstLine + i);
            const Slot& s = slots[k];
            const char* t = p;
            bool ok = true;
            // The number is read straight from the text; only a token that the quick
            // parsers do not take whole (a '+', a value beyond the range, junk) goes through
            // the careful parse.
            if (s.kind <= SLOT_DROP_FLOAT) {
                float v = 0.0f;
                const char* q = ParsePlainDecimal(p, v);
                if (q && IsSeparatorAt(q)) {
                    p = q;
                } else {
                    const auto r = std::from_chars(p, end, v);
                    if (r.ec == std::errc() && IsSeparatorAt(r.ptr)) {
                        p = r.ptr;
                    } else {
                        p = TokenEnd(t, end);
                        ok = ParseFloatToken(t, p, v);
                    }
                }
                if (s.kind == SLOT_FLOAT) s.f[s.stride * i] = v;
            } else {
                int32_t v = 0;
                const char* q = ParsePlainInt(p, v);
                if (q && IsSeparatorAt(q)) {
                    p = q;
                } else {
                    const auto r = std::from_chars(p, end, v, 10);
                    if (r.ec == std::errc() && IsSeparatorAt(r.ptr)) {
                        p = r.ptr;
                    } else {
                        p = TokenEnd(t, end);
                        ok = ParseIntToken(t, p, v);
                    }
                }
                if (s.kind == SLOT_ID) a.id[i] = v;
                else if (s.kind == SLOT_TYPE) a.type[i] = TypeFromLowByte(v);
            }
            if (!ok) {
                const bool integer = s.kind == SLOT_ID || s.kind == SLOT_TYPE || s.kind == SLOT_DROP_INT;
                return SnapshotReadResult::Fail("line " + Num(firstLine + i) + ": value " + UNum(k + 1) +
                                                    " '" + Shown(t, p) + "' is not " +
                                                    (integer ? "an integer" : "a number"),
                                                firstLine + i);
            }
        }
        // Whatever follows the grammar's values is not looked at.
        while (IsBlankAt(p)) ++p;
        if (*p != '\n') p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        ++p;
    }
    return done;
}

}  // namespace

SnapshotReadResult ParseBodyAsciiLines(const char* text, size_t size, int64_t firstIndex, int64_t count,
                                       int64_t firstLine, const SnapshotGrammar& g, const ParticleArrays_cls& a,
                                       int64_t& lines) {
    lines = 0;
    const std::vector<Slot> plan = AsciiPlan(g, a);
    size_t whole = size;
    while (whole > 0 && text[whole - 1] != '\n') --whole;
    SnapshotReadResult r = ParseTerminatedLines(text, text + whole, firstIndex, count, firstLine, plan, a, lines);
    if (!r.ok || whole == size) return r;
    // A last line without a line feed is parsed from a copy that has one.
    const std::string last = std::string(text + whole, size - whole) + '\n';
    SnapshotReadResult tail =
        ParseTerminatedLines(last.data(), last.data() + last.size(), firstIndex + lines, count, firstLine, plan, a,
                             lines);
    if (tail.ok && r.ignoredFrom >= 0) tail.ignoredFrom = r.ignoredFrom;
    return tail;
}

std::string IgnoredLinesWarning(int64_t ignoredFrom, int64_t count) {
    return "line " + Num(ignoredFrom) + ": the body holds more than the " + Num(count) +
           " particles of the header; the rest of the file is ignored";
}

SnapshotReadResult CheckBodyLineCount(int64_t lines, int64_t count, int64_t firstLine) {
    if (lines >= count) return {};
    return SnapshotReadResult::Fail("line " + Num(firstLine + lines) + ": the file ends after " + Num(lines) +
                                        " of " + Num(count) + " particles",
                                    firstLine + lines);
}

SnapshotReadResult ParseBodyAscii(const char* text, size_t size, const SnapshotHeader& h,
                                  const SnapshotGrammar& g, const ParticleArrays_cls& a) {
    if (h.bodyOffset > size) return SnapshotReadResult::Fail("the body starts beyond the end of the text");
    const int64_t firstLine = static_cast<int64_t>(g.HeaderValueCount()) + 1;
    const int64_t count = std::max<int64_t>(h.count, 0);
    int64_t lines = 0;
    SnapshotReadResult r =
        ParseBodyAsciiLines(text + h.bodyOffset, size - h.bodyOffset, 0, count, firstLine, g, a, lines);
    if (!r.ok) return r;
    SnapshotReadResult checked = CheckBodyLineCount(lines, count, firstLine);
    if (checked.ok && r.ignoredFrom >= 0) {
        checked.ignoredFrom = r.ignoredFrom;
        checked.warning = IgnoredLinesWarning(r.ignoredFrom, count);
    }
    return checked;
}

// ---------------------------------------------------------------------------------------
// After the body

void ClearUnfilledArrays(const SnapshotGrammar& g, int64_t n, const ParticleArrays_cls& a) {
    if (n <= 0) return;
    const size_t un = static_cast<size_t>(n);
    if (!g.BodyHasCode(0) && a.position) std::fill(a.position, a.position + 3 * un, 0.0f);
    if (!g.BodyHasCode(1) && a.velocity) std::fill(a.velocity, a.velocity + 3 * un, 0.0f);
    if (!g.BodyHasCode(5) && a.radius) std::fill(a.radius, a.radius + un, 0.0f);
    if (!g.BodyHasCode(6) && a.id) std::fill(a.id, a.id + un, 0);
    if (!g.BodyHasCode(7) && a.type) std::fill(a.type, a.type + un, uint8_t{0});
    if (!g.BodyHasCode(8) && a.value1) std::fill(a.value1, a.value1 + un, 0.0f);
}

void ApplyTransforms(const SnapshotLoadSettings& s, int64_t n, const ParticleArrays_cls& a) {
    if (n <= 0) return;
    const size_t un = static_cast<size_t>(n);
    const bool translate = s.translate[0] != 0.0f || s.translate[1] != 0.0f || s.translate[2] != 0.0f;
    if (translate && a.position)
        for (size_t i = 0; i < un; ++i)
            for (int c = 0; c < 3; ++c) a.position[3 * i + c] += s.translate[c];
    // A factor of exactly 1 changes nothing: skip the pass.
    if (s.scale != 0.0f && s.scale != 1.0f) {
        if (a.position) for (size_t i = 0; i < 3 * un; ++i) a.position[i] *= s.scale;
        if (a.velocity) for (size_t i = 0; i < 3 * un; ++i) a.velocity[i] *= s.scale;
        if (a.radius) for (size_t i = 0; i < un; ++i) a.radius[i] *= s.scale;
    }
    if (s.value1Scale != 0.0f && s.value1Scale != 1.0f && a.value1)
        for (size_t i = 0; i < un; ++i) a.value1[i] *= s.value1Scale;
    if (s.logarithm == 1 && a.value1)
        for (size_t i = 0; i < un; ++i)
            a.value1[i] = a.value1[i] > 0.0f ? std::log10(a.value1[i]) : 0.0f;
}

namespace {

// data[k] := data[order[k]] for `comps` values per particle, through `scratch` (at least
// order.size() × comps values of T).
template <typename T>
void Gather(T* data, int comps, const uint32_t* order, size_t n, void* scratch) {
    if (!data) return;
    T* tmp = static_cast<T*>(scratch);
    if (comps == 3) {
        for (size_t k = 0; k < n; ++k) {
            const T* src = data + 3 * static_cast<size_t>(order[k]);
            tmp[3 * k] = src[0];
            tmp[3 * k + 1] = src[1];
            tmp[3 * k + 2] = src[2];
        }
    } else {
        for (size_t k = 0; k < n; ++k) tmp[k] = data[order[k]];
    }
    std::memcpy(data, tmp, n * static_cast<size_t>(comps) * sizeof(T));
}

// The stable sort of larger snapshots than 32-bit positions can name.
void SortByIDWide(int64_t n, const ParticleArrays_cls& a) {
    std::vector<uint64_t> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), uint64_t{0});
    std::stable_sort(order.begin(), order.end(), [&](uint64_t x, uint64_t y) { return a.id[x] < a.id[y]; });
    auto permute = [&](auto* data, int comps) {
        if (!data) return;
        using T = std::remove_pointer_t<decltype(data)>;
        std::vector<T> tmp(data, data + order.size() * static_cast<size_t>(comps));
        for (size_t k = 0; k < order.size(); ++k)
            for (int c = 0; c < comps; ++c) data[k * comps + c] = tmp[order[k] * comps + c];
    };
    permute(a.position, 3);
    permute(a.velocity, 3);
    permute(a.radius, 1);
    permute(a.value1, 1);
    permute(a.type, 1);
    permute(a.id, 1);
}

}  // namespace

void SortByID(int64_t n, const ParticleArrays_cls& a) {
    if (n <= 1 || !a.id) return;
    if (n > IdIndex_cls::kMaxCount) {
        SortByIDWide(n, a);
        return;
    }
    const size_t un = static_cast<size_t>(n);
    bool sorted = true;
    for (size_t i = 1; i < un && sorted; ++i) sorted = a.id[i - 1] <= a.id[i];
    if (sorted) return;  // already in ID order
    // One buffer of 16 bytes per particle: the radix sort's two (key, position) arrays,
    // then the order (4 bytes each, moved to the front) and the gather scratch (12 each).
    std::unique_ptr<void, void (*)(void*)> buffer(platform::AllocLargeBuffer(16 * un),
                                                  platform::FreeLargeBuffer);
    if (!buffer) throw std::bad_alloc();
    uint64_t* pairs = static_cast<uint64_t*>(buffer.get());
    // Stable: ties keep file order, so a sort is reproducible.
    const uint64_t* result = StableSortIdPairs(a.id, n, pairs, pairs + un);
    uint32_t* order = static_cast<uint32_t*>(buffer.get());
    // Forward, the 4-byte slot k never lies past the 8-byte pair k it is taken from.
    for (size_t k = 0; k < un; ++k) order[k] = static_cast<uint32_t>(result[k]);
    void* scratch = order + un;
    Gather(a.position, 3, order, un, scratch);
    Gather(a.velocity, 3, order, un, scratch);
    Gather(a.radius, 1, order, un, scratch);
    Gather(a.value1, 1, order, un, scratch);
    Gather(a.type, 1, order, un, scratch);
    Gather(a.id, 1, order, un, scratch);
}
