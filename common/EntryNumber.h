// Text of the numeric entries: the short "%g" form when it reads back to the exact value,
// otherwise the shortest text that does, and a locale-independent reader.
#pragma once

#include <string>
#include <string_view>

/// "%g" of `value` when that reads back as exactly `value` (as a double), else the
/// shortest text that does ("0.1", "1234.5678", "0.29", "1e-07").
std::string FormatEntryNumber(double value);
/// The same for a float: "%g" when it reads back as exactly `value` narrowed to float
/// ("0.1" for 0.1f), else the shortest float text.
std::string FormatEntryNumber(float value);
/// The leading decimal number of `text` ('.' decimals whatever the locale; leading blanks
/// skipped, trailing text ignored) at double precision; 0 when there is none.
double ParseEntryNumber(std::string_view text);
