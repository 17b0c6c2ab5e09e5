// Allocation-free field parsers for number text in memory (mesh and stick files): each
// reads the field at a cursor and moves the cursor on to a delimiter, never past `end`.
#pragma once

/// Field parsers over a narrow text buffer [cursor, end). No state; any thread. Base of
/// the classes that read mesh text.
///
/// Number syntax: blanks (' ' only), an optional sign, decimal digits, an optional point
/// and fraction digits; no exponent ("1e5" reads as 1). Reading stops at the first other
/// character or at `end`. Any number of digits is read without overflow: floats are
/// rounded from all significant digits (within one unit in the last place of the exact
/// value); integers beyond the int range are clamped to it.
///
/// Moving a cursor "to the delimiter" means to the first delimiter at or after the
/// position where the field began (a cursor already on the delimiter stays). When the
/// buffer ends first, the cursor is set to `end`: the field was the last one. A null
/// cursor (left by SkipToDelimiter) reads as 0 or false and stays null.
class AsciiReader_cls {
public:
    /// The number at `text`; nothing is moved. 0 when no digits stand there; values past
    /// the float range are clamped to ±FLT_MAX.
    static float ParseFloatFast(const char* text, const char* end);
    /// ParseFloatFast at the cursor, then the cursor moves to the delimiter (or `end`).
    static float ParseFloatField(const char*& cursor, char delimiter, const char* end);
    /// An integer (blanks, sign, digits) at the cursor, clamped to the int range; then the
    /// cursor moves to the delimiter (or `end`).
    static int ParseIntField(const char*& cursor, char delimiter, const char* end);
    /// Moves the cursor to the delimiter (or `end`); true when the text passed over is
    /// exactly "on" or "1" ("off", "0", "ON" and an empty field are false).
    static bool ParseBoolField(const char*& cursor, char delimiter, const char* end);
    /// Moves the cursor to the delimiter and returns true; when `end` comes first the
    /// cursor becomes null and the result is false. A null cursor stays null (false).
    static bool SkipToDelimiter(const char*& cursor, char delimiter, const char* end);
    /// True when `c` occurs in [text, end) before the first delimiter. Moves nothing.
    static bool FieldHasChar(const char* text, char delimiter, char c, const char* end);
};
