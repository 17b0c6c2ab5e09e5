// The text of the About box: program and version, the toolkit, the system, free memory
// and processor count.
#pragma once

#include <string>

struct AboutFacts {
    std::string program;        ///< "Pelthorn3"
    std::string version;        ///< "0.82"
    std::string toolkit;        ///< toolkit name and version ("wxWidgets 3.2.2")
    std::string system;         ///< operating system description
    long long freeMemory = -1;  ///< bytes; -1 when the toolkit cannot tell
    int processors = -1;        ///< -1 when unknown
};

/// Five lines: program and version; toolkit; system; "Free Memory: <MB> MB" (or
/// "Free Memory: Unknown"); "Processors: <n>" (or "Unknown").
std::string BuildAboutText(const AboutFacts& facts);
