// Text of the numeric entries.
#include "common/EntryNumber.h"

#include "platform/FileNumbers.h"

std::string FormatEntryNumber(double value) {
    std::string g = platform::FormatG(value, 6);
    double back = 0;
    if (platform::ParseDouble(g, back) && back == value) return g;
    if (value != value) return g;  // NaN never reads back equal; keep "nan"
    return platform::FormatShortest(value);
}

std::string FormatEntryNumber(float value) {
    std::string g = platform::FormatG(static_cast<double>(value), 6);
    float back = 0;
    if (platform::ParseFloat(g, back) && back == value) return g;
    if (value != value) return g;
    return platform::FormatShortest(value);
}

double ParseEntryNumber(std::string_view text) {
    double v = 0;
    if (!platform::ParseDouble(text, v)) return 0;
    return v;
}
