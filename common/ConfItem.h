// Typed settings items: one key ("Name=") and one value each, read from and written to
// the settings lines of the configuration and project files ("Key=value\r\n").
#pragma once

#include <cstdint>

#include <wx/string.h>

/// Type codes of the settings items (code 5 belongs to no item).
enum ConfItemType {
    CONF_STR = 1,
    CONF_INT = 2,
    CONF_INTARRAY = 3,
    CONF_UINT = 4,
    CONF_FLOAT = 6,
    CONF_FLOATARRAY = 7,
    CONF_DOUBLE = 8,
    CONF_DOUBLEARRAY = 9,
    CONF_BOOL = 10,
    CONF_BOOLARRAY = 11,
};

/// One settings item. Items are members of their owners (constructed and destroyed with
/// them) and registered in the owner's ConfItemGroup_cls. GUI thread only.
///
/// The typed value field of each concrete class (`value`, or `count` and `values` for the
/// arrays) is the storage of the setting: owners and bound controls read and write it
/// directly. `text` follows only Init and ParseLine; WriteLine and ValueText always format
/// the typed value (the string item excepted, whose value is its text).
class ConfItem_cls {
public:
    wxString key;       ///< key including its trailing "=", e.g. "GLPersAngle="; "NONE" until registered
    wxString text;      ///< value text as last taken from the default or a line; "NONE" until set
    int typeCode;       ///< one of ConfItemType, fixed by the concrete class

    explicit ConfItem_cls(int typeCode);
    virtual ~ConfItem_cls();

    /// Sets the key and, unless `def` is "", takes `def` as value text and converts it
    /// into the value (arrays: the element count follows the default; see ConfArray_cls).
    virtual void Init(const wxString& key, const wxString& def) = 0;
    /// Takes the line when it starts with the key (see MatchLine) and converts the value.
    /// Returns false, changing nothing, for any other line.
    virtual bool ParseLine(const wxString& line) = 0;
    /// The settings line: key + formatted value + "\r\n". Numbers are written in the "C"
    /// form whatever the user's locale ("%d", "%u", "%f" six decimals, "%g" six digits).
    virtual wxString WriteLine() const = 0;
    /// The value alone in the form of a default text; Init(key, ValueText()) reproduces
    /// the value (and an array's count).
    virtual wxString ValueText() const = 0;

    /// True when `line` starts with the key; then `text` becomes the rest of the line
    /// (blanks kept; a trailing CR and/or LF removed). A key met later in the line (inside
    /// a longer key, or inside another key's value) never matches.
    bool MatchLine(const wxString& line);

protected:
    ConfItem_cls(const ConfItem_cls&) = default;
    ConfItem_cls& operator=(const ConfItem_cls&) = default;
};

/// Optional clamp range of a scalar item: values taken from a default or a line are
/// clamped to [lo, hi] (a text that is no number reads as 0 and then moves to the nearer
/// bound; NaN gives lo). Direct writes to the item's value are not checked.
template <typename T>
struct ConfRange_cls {
    bool on = false;
    T lo{};
    T hi{};
    T Apply(T v) const {
        if (!on) return v;
        if (!(v >= lo)) v = lo;  // also catches NaN
        if (v > hi) v = hi;
        return v;
    }
};

/// Second base of the four array items: the number of elements in use (0..16).
class ConfArray_cls {
public:
    static constexpr int kMaxElements = 16;
    int count = 0;  ///< elements in use, never above kMaxElements

    /// 1 + the number of blanks at character positions 1 and later of `text` (every
    /// blank counts, one in position 0 does not), so "1 0 0 0" gives 4 and "0" gives 1.
    /// Not clamped; Init clamps the count it sets from it to kMaxElements.
    static int CountTokens(const wxString& text);
};

/// A text value; WriteLine gives no line at all while the text is exactly "!!SKIP!!".
class ConfItemSTR_cls : public ConfItem_cls {
public:
    ConfItemSTR_cls();
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
    /// The value is `text` itself; this is the same string, for symmetry with the others.
    const wxString& Value() const { return text; }
};

/// A signed 32-bit value; read base 10 (digits followed by letters give the digits'
/// number, no digits give 0, out of range is clamped).
class ConfItemINT_cls : public ConfItem_cls {
public:
    int value = 0;
    ConfItemINT_cls();
    /// For an item used alone (a "FilterType=" line): Init(key, def) at once.
    ConfItemINT_cls(const wxString& key, const wxString& def);
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
    /// Optional range (see ConfRange_cls). Set it before registering so that the default is
    /// clamped too. Requires lo <= hi.
    void SetRange(int lo, int hi) { range_ = {true, lo, hi}; }

private:
    ConfRange_cls<int> range_;
};

/// An unsigned 32-bit value; 0..4294967295 survive a write and a read. A negative number
/// in a file is taken the way the 32-bit program took it ("-1" gives 4294967295); values
/// past 4294967295 are clamped to it.
class ConfItemUINT_cls : public ConfItem_cls {
public:
    unsigned int value = 0;
    ConfItemUINT_cls();
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
    /// Optional range (see ConfRange_cls). Set it before registering so that the default is
    /// clamped too. Requires lo <= hi.
    void SetRange(unsigned int lo, unsigned int hi) { range_ = {true, lo, hi}; }

private:
    ConfRange_cls<unsigned int> range_;
};

/// A float, written with six decimals ("%f"): magnitudes below 0.0000005 are written as 0.
class ConfItemFLOAT_cls : public ConfItem_cls {
public:
    float value = 0.0f;
    ConfItemFLOAT_cls();
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
    /// Optional range (see ConfRange_cls). Set it before registering so that the default is
    /// clamped too. Requires lo <= hi.
    void SetRange(float lo, float hi) { range_ = {true, lo, hi}; }

private:
    ConfRange_cls<float> range_;
};

/// A double, written with six significant digits ("%g", exponent form when large/small).
class ConfItemDOUBLE_cls : public ConfItem_cls {
public:
    double value = 0.0;
    ConfItemDOUBLE_cls();
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
    /// Optional range (see ConfRange_cls). Set it before registering so that the default is
    /// clamped too. Requires lo <= hi.
    void SetRange(double lo, double hi) { range_ = {true, lo, hi}; }

private:
    ConfRange_cls<double> range_;
};

/// A one-byte bool, written 0 or 1; read as a decimal number, non-zero meaning true.
class ConfItemBOOL_cls : public ConfItem_cls {
public:
    bool value = false;
    ConfItemBOOL_cls();
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
};

/// The shape the four array items share: up to 16 values, the key matched at the line's
/// start, the elements written blank-separated. They differ only in how a value text is
/// read into the elements (and whether the count follows it) and how one element is
/// written: `Format` supplies both (see ConfItem.cpp, which instantiates the four).
template <typename T, int Code, typename Format>
class ConfItemArray_cls : public ConfItem_cls, public ConfArray_cls {
public:
    T values[kMaxElements] = {};
    ConfItemArray_cls() : ConfItem_cls(Code) {}
    void Init(const wxString& key, const wxString& def) override;
    bool ParseLine(const wxString& line) override;
    wxString WriteLine() const override;
    wxString ValueText() const override;
};

struct ConfIntListFormat;
struct ConfFloatListFormat;
struct ConfDoubleListFormat;
struct ConfBoolListFormat;

/// Up to 16 ints; the only array whose count follows the line: a line of blank-separated
/// integers sets count to their number. Reading stops at the first token that is not an
/// integer and after 16 values; an empty value gives count 0 (written as the key alone).
class ConfItemINTARRAY_cls : public ConfItemArray_cls<int, CONF_INTARRAY, ConfIntListFormat> {};

/// Up to 16 floats ("%f" each); count is fixed by the default text. A line's first
/// `count` numbers are taken; reading stops at the first that does not parse, and the
/// elements not reached keep what they held; values beyond count are ignored.
class ConfItemFLOATARRAY_cls : public ConfItemArray_cls<float, CONF_FLOATARRAY, ConfFloatListFormat> {
public:
    ConfItemFLOATARRAY_cls() = default;
    /// For an item used alone (a "COLOR=" line): Init(key, def) at once.
    ConfItemFLOATARRAY_cls(const wxString& key, const wxString& def) { Init(key, def); }
};

/// Up to 16 doubles ("%g" each); count fixed by the default, read as the float array.
class ConfItemDOUBLEARRAY_cls : public ConfItemArray_cls<double, CONF_DOUBLEARRAY, ConfDoubleListFormat> {};

/// Up to 16 one-byte bools (0/1 each); count fixed by the default. A number other than
/// 0 or 1 is taken as true and ends the reading.
class ConfItemBOOLARRAY_cls : public ConfItemArray_cls<bool, CONF_BOOLARRAY, ConfBoolListFormat> {};
