// Numbers in files, independent of the user's locale: the same text as printf's
// "%g", "%.Nf" and "%d" under the "C" locale, and the matching readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

/// As printf("%.*g", precision, v) in the "C" locale.
std::string FormatG(double v, int precision = 6);
/// As printf("%.*f", precision, v) in the "C" locale.
std::string FormatF(double v, int precision = 6);
/// As printf("%.*e", precision, v) in the "C" locale.
std::string FormatE(double v, int precision = 6);
/// FormatF(v, precision) when that text reads back (ParseDouble) to exactly `v`, else
/// the shortest text that does: a value written and read again is the same value, and
/// values that need no more decimals keep the plain fixed form.
std::string FormatFExact(double v, int precision);
/// Shortest text that reads back to exactly `v`.
std::string FormatShortest(double v);
std::string FormatShortest(float v);
std::string FormatInt(long long v);
std::string FormatUInt(unsigned long long v);

/// Reads a number at the start of `text` the way atof/strtol read one: leading blanks
/// and a '+' are skipped, the longest valid prefix counts, trailing text is ignored.
/// Returns false (and leaves `out` unchanged) when no number starts there. Values past
/// the type's range are clamped to it. `used`, when given, receives the characters
/// consumed (including skipped blanks).
bool ParseDouble(std::string_view text, double& out, size_t* used = nullptr);
bool ParseFloat(std::string_view text, float& out, size_t* used = nullptr);
bool ParseInt64(std::string_view text, int64_t& out, size_t* used = nullptr);
bool ParseUInt64(std::string_view text, uint64_t& out, size_t* used = nullptr);
bool ParseInt(std::string_view text, int& out, size_t* used = nullptr);

/// atof / atoi equivalents: 0 when no number starts the text.
double ToDouble(std::string_view text);
int ToInt(std::string_view text);

}  // namespace platform
