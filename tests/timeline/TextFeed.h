// Feeds a project text line by line to a reader with the ReadText(stream, line) protocol,
// as the project loader does (lines split at LF, CR kept).
#pragma once

#include <string>
#include <vector>

#include "timeline/ParamTextStream.h"

namespace textfeed {

inline std::vector<std::string> SplitAtLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

template <typename Reader>
void ReadAll(Reader& reader, const std::string& text) {
    const std::vector<std::string> lines = SplitAtLf(text);
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) reader.ReadText(stream, line);
}

}  // namespace textfeed
