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

// ---------------------------------------------------------------- arrays

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

// The fixed-count arrays take their count from the default text only; a line fills the
// elements in use.
template <typename T, typename Parse>
void ReadFixedArray(const wxString& text, T* values, int& count, bool fromDefault, Parse parse) {
    if (fromDefault) count = ClampCount(ConfArray_cls::CountTokens(text));
    ReadFixedCount(text, values, count, parse);
}

}  // namespace

struct ConfIntListFormat {
    static void Read(const wxString& text, int* values, int& count, bool) { ReadIntList(text, values, count); }
    static wxString Write(int v) { return FormatInt(v); }
};

struct ConfFloatListFormat {
    static void Read(const wxString& text, float* values, int& count, bool fromDefault) {
        ReadFixedArray(text, values, count, fromDefault, ParseFloatToken);
    }
    static wxString Write(float v) { return FormatFloat(v); }
};

struct ConfDoubleListFormat {
    static void Read(const wxString& text, double* values, int& count, bool fromDefault) {
        ReadFixedArray(text, values, count, fromDefault, ParseDoubleToken);
    }
    static wxString Write(double v) { return FormatDouble(v); }
};

struct ConfBoolListFormat {
    static void Read(const wxString& text, bool* values, int& count, bool fromDefault) {
        ReadFixedArray(text, values, count, fromDefault, ParseBoolToken);
    }
    static wxString Write(bool v) { return v ? wxS("1") : wxS("0"); }
};

template <typename T, int Code, typename Format>
void ConfItemArray_cls<T, Code, Format>::Init(const wxString& k, const wxString& def) {
    key = k;
    if (def.empty()) return;
    text = def;
    Format::Read(text, values, count, true);
}

template <typename T, int Code, typename Format>
bool ConfItemArray_cls<T, Code, Format>::ParseLine(const wxString& line) {
    if (!MatchLine(line)) return false;
    Format::Read(text, values, count, false);
    return true;
}

template <typename T, int Code, typename Format>
wxString ConfItemArray_cls<T, Code, Format>::WriteLine() const {
    return key + ValueText() + wxS("\r\n");
}

template <typename T, int Code, typename Format>
wxString ConfItemArray_cls<T, Code, Format>::ValueText() const {
    return JoinValues(values, count, Format::Write);
}

template class ConfItemArray_cls<int, CONF_INTARRAY, ConfIntListFormat>;
template class ConfItemArray_cls<float, CONF_FLOATARRAY, ConfFloatListFormat>;
template class ConfItemArray_cls<double, CONF_DOUBLEARRAY, ConfDoubleListFormat>;
template class ConfItemArray_cls<bool, CONF_BOOLARRAY, ConfBoolListFormat>;
