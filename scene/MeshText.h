// Small bounded scanners shared by the mesh readers: finding a byte, reading a number
// from a field, all within [begin, end).
#pragma once

#include <cstddef>

namespace meshtext {

/// First `c` in [p, end), or null.
const char* Find(const char* p, const char* end, char c);
/// The number in [begin, end) with blanks, tabs and line ends around it (a leading '+'
/// allowed, exponents read); false, with `out` 0, when the field is anything else, or a
/// value that is not finite ("nan", "inf": POV-Ray refuses a scene that holds one).
bool ParseFloat(const char* begin, const char* end, float& out);
/// The same for an integer; values beyond the 64-bit range fail.
bool ParseInt(const char* begin, const char* end, long long& out);

}  // namespace meshtext
