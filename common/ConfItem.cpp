// Settings items: line matching, value conversion and formatting. Every number goes
// through platform/FileNumbers so that files read the same under any user locale.
#include "common/ConfItem.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/FileNumbers.h"

namespace {

std::string Narrow(const wxString& s) { return std::string(s.utf8_str()); }

// Formatted numbers are plain ASCII: copied without a conversion (settings files are
// written many thousand numbers at a time).
wxString Ascii(const std::string& s) { return wxString::FromAscii(s.data(), s.size()); }

// Settings text is ASCII numbers; the conversions below take the value text the way the
// C runtime's atoi/atof take it (leading blanks, longest numeric prefix, 0 for nothing).
int ConvertInt(const wxString& text) { return platform::ToInt(Narrow(text)); }

unsigned int ConvertUInt(const wxString& text) {
    int64_t v = 0;
    platform::ParseInt64(Narrow(text), v);
    if (v < 0) {
        // a negative number is taken as the 32-bit program took it: -1 is 4294967295
        v = std::max<int64_t>(v, std::numeric_limits<int32_t>::min());
        return static_cast<unsigned int>(static_cast<int32_t>(v));
    }
    return static_cast<unsigned int>(std::min<int64_t>(v, std::numeric_limits<uint32_t>::max()));
}

// "nan" is no number (0, as for any text that is none); an infinity or an overflow is
// taken as the largest finite value of its sign, so no setting ever holds a non-finite
// value that the next write would put into a file.
double ConvertDouble(const wxString& text) {
    const double v = platform::ToDouble(Narrow(text));
    if (std::isnan(v)) return 0.0;
    if (std::isinf(v)) return v > 0 ? DBL_MAX : -DBL_MAX;
    return v;
}

float NarrowToFloat(double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

wxString FormatFloat(float v) { return Ascii(platform::FormatF(v, 6)); }
wxString FormatDouble(double v) { return Ascii(platform::FormatG(v, 6)); }
wxString FormatInt(int v) { return Ascii(platform::FormatInt(v)); }

// Reads up to `count` numbers from `text` in turn, the way a stream's extraction does:
// blanks are skipped, each number is the longest prefix that parses, and the first
// failure ends the reading (the elements not reached keep what they held).
template <typename T, typename Parse>
void ReadFixedCount(const wxString& text, T* values, int count, Parse parse) {
    const std::string s = Narrow(text);
    std::string_view rest(s);
    for (int i = 0; i < count && i < ConfArray_cls::kMaxElements; ++i) {
        size_t used = 0;
        if (!parse(rest, values[i], used)) return;
        rest.remove_prefix(used);
    }
}

template <typename T, typename Format>
wxString JoinValues(const T* values, int count, Format format) {
    wxString out;
    for (int i = 0; i < count && i < ConfArray_cls::kMaxElements; ++i) {
        if (i > 0) out += ' ';
        out += format(values[i]);
    }
    return out;
}

int ClampCount(int n) { return std::min(std::max(n, 0), ConfArray_cls::kMaxElements); }

}  // namespace

// ---------------------------------------------------------------- base

ConfItem_cls::ConfItem_cls(int code) : key("NONE"), text("NONE"), typeCode(code) {}

ConfItem_cls::~ConfItem_cls() = default;

bool ConfItem_cls::MatchLine(const wxString& line) {
    // Only a line that starts with the key is this item's: a key inside a longer key
    // ("AnchorVisible=" for "Visible=") or inside another key's value must not match.
    if (key.empty() || !line.StartsWith(key)) return false;
    size_t end = line.length();
    while (end > key.length() && (line[end - 1] == '\r' || line[end - 1] == '\n')) --end;
    text = line.Mid(key.length(), end - key.length());
    return true;
}

int ConfArray_cls::CountTokens(const wxString& text) {
    int n = 1;
    for (size_t i = 1; i < text.length(); ++i)
        if (text[i] == ' ') ++n;
    return n;
}

// ---------------------------------------------------------------- string

ConfItemSTR_cls::ConfItemSTR_cls() : ConfItem_cls(CONF_STR) {}

void ConfItemSTR_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (!def.empty()) text = def;
}

bool ConfItemSTR_cls::ParseLine(const wxString& line) { return MatchLine(line); }

wxString ConfItemSTR_cls::WriteLine() const {
    if (text == wxS("!!SKIP!!")) return wxString();
    return key + text + wxS("\r\n");
}

wxString ConfItemSTR_cls::ValueText() const { return text; }

// ---------------------------------------------------------------- int

ConfItemINT_cls::ConfItemINT_cls() : ConfItem_cls(CONF_INT) {}

ConfItemINT_cls::ConfItemINT_cls(const wxString& k, const wxString& def) : ConfItem_cls(CONF_INT) {
    Init(k, def);
}

void ConfItemINT_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    value = range_.Apply(ConvertInt(text));
}

bool ConfItemINT_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    value = range_.Apply(ConvertInt(text));
    return true;
}

wxString ConfItemINT_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemINT_cls::ValueText() const { return FormatInt(value); }

// ---------------------------------------------------------------- unsigned

ConfItemUINT_cls::ConfItemUINT_cls() : ConfItem_cls(CONF_UINT) {}

void ConfItemUINT_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    value = range_.Apply(ConvertUInt(text));
}

bool ConfItemUINT_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    value = range_.Apply(ConvertUInt(text));
    return true;
}

wxString ConfItemUINT_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemUINT_cls::ValueText() const { return Ascii(platform::FormatUInt(value)); }

// ---------------------------------------------------------------- float

ConfItemFLOAT_cls::ConfItemFLOAT_cls() : ConfItem_cls(CONF_FLOAT) {}

void ConfItemFLOAT_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    value = range_.Apply(NarrowToFloat(ConvertDouble(text)));
}

bool ConfItemFLOAT_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    value = range_.Apply(NarrowToFloat(ConvertDouble(text)));
    return true;
}

wxString ConfItemFLOAT_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemFLOAT_cls::ValueText() const { return FormatFloat(value); }

// ---------------------------------------------------------------- double

ConfItemDOUBLE_cls::ConfItemDOUBLE_cls() : ConfItem_cls(CONF_DOUBLE) {}

void ConfItemDOUBLE_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    value = range_.Apply(ConvertDouble(text));
}

bool ConfItemDOUBLE_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    value = range_.Apply(ConvertDouble(text));
    return true;
}

wxString ConfItemDOUBLE_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemDOUBLE_cls::ValueText() const { return FormatDouble(value); }

// ---------------------------------------------------------------- bool

ConfItemBOOL_cls::ConfItemBOOL_cls() : ConfItem_cls(CONF_BOOL) {}

void ConfItemBOOL_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    value = ConvertInt(text) != 0;
}

bool ConfItemBOOL_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    value = ConvertInt(text) != 0;
    return true;
}

wxString ConfItemBOOL_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemBOOL_cls::ValueText() const { return value ? wxS("1") : wxS("0"); }

// ---------------------------------------------------------------- int array

namespace {

// The count follows the text: blank-separated integers, at most 16; the first token
// that is not wholly an integer ends the list.
void ReadIntList(const wxString& text, int* values, int& count) {
    const std::string s = Narrow(text);
    count = 0;
    size_t i = 0;
    while (count < ConfArray_cls::kMaxElements) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i >= s.size()) break;
        size_t end = i;
        while (end < s.size() && s[end] != ' ' && s[end] != '\t') ++end;
        std::string_view token(s.data() + i, end - i);
        int v = 0;
        size_t used = 0;
        if (!platform::ParseInt(token, v, &used) || used != token.size()) break;
        values[count++] = v;
        i = end;
    }
}

}  // namespace

ConfItemINTARRAY_cls::ConfItemINTARRAY_cls() : ConfItem_cls(CONF_INTARRAY) {}

void ConfItemINTARRAY_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    ReadIntList(text, values, count);
}

bool ConfItemINTARRAY_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    ReadIntList(text, values, count);
    return true;
}

wxString ConfItemINTARRAY_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemINTARRAY_cls::ValueText() const { return JoinValues(values, count, FormatInt); }

// ---------------------------------------------------------------- float array

namespace {

// A non-finite element ("nan", "inf", an overflow) is no number: it ends the reading.
bool ParseFloatToken(std::string_view& rest, float& out, size_t& used) {
    float v = 0.0f;
    if (!platform::ParseFloat(rest, v, &used) || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ParseDoubleToken(std::string_view& rest, double& out, size_t& used) {
    double v = 0.0;
    if (!platform::ParseDouble(rest, v, &used) || !std::isfinite(v)) return false;
    out = v;
    return true;
}

// A stream reads a bool as a number: 0 and 1 are taken; any other number is stored as
// true and ends the reading.
bool ParseBoolToken(std::string_view& rest, bool& out, size_t& used) {
    int64_t v = 0;
    if (!platform::ParseInt64(rest, v, &used)) return false;
    out = v != 0;
    return v == 0 || v == 1;
}

}  // namespace

ConfItemFLOATARRAY_cls::ConfItemFLOATARRAY_cls() : ConfItem_cls(CONF_FLOATARRAY) {}

ConfItemFLOATARRAY_cls::ConfItemFLOATARRAY_cls(const wxString& k, const wxString& def)
    : ConfItem_cls(CONF_FLOATARRAY) {
    Init(k, def);
}

void ConfItemFLOATARRAY_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    count = ClampCount(CountTokens(def));
    ReadFixedCount(text, values, count, ParseFloatToken);
}

bool ConfItemFLOATARRAY_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    ReadFixedCount(text, values, count, ParseFloatToken);
    return true;
}

wxString ConfItemFLOATARRAY_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemFLOATARRAY_cls::ValueText() const {
    return JoinValues(values, count, FormatFloat);
}

// ---------------------------------------------------------------- double array

ConfItemDOUBLEARRAY_cls::ConfItemDOUBLEARRAY_cls() : ConfItem_cls(CONF_DOUBLEARRAY) {}

void ConfItemDOUBLEARRAY_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    count = ClampCount(CountTokens(def));
    ReadFixedCount(text, values, count, ParseDoubleToken);
}

bool ConfItemDOUBLEARRAY_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    ReadFixedCount(text, values, count, ParseDoubleToken);
    return true;
}

wxString ConfItemDOUBLEARRAY_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemDOUBLEARRAY_cls::ValueText() const {
    return JoinValues(values, count, FormatDouble);
}

// ---------------------------------------------------------------- bool array

ConfItemBOOLARRAY_cls::ConfItemBOOLARRAY_cls() : ConfItem_cls(CONF_BOOLARRAY) {}

void ConfItemBOOLARRAY_cls::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    count = ClampCount(CountTokens(def));
    ReadFixedCount(text, values, count, ParseBoolToken);
}

bool ConfItemBOOLARRAY_cls::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    ReadFixedCount(text, values, count, ParseBoolToken);
    return true;
}

wxString ConfItemBOOLARRAY_cls::WriteLine() const { return key + ValueText() + wxS("\r\n"); }
wxString ConfItemBOOLARRAY_cls::ValueText() const {
    return JoinValues(values, count, [](bool b) { return wxString(b ? wxS("1") : wxS("0")); });
}
