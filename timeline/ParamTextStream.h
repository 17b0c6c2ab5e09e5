// A cursor over the lines of a settings section, from which parameters and groups read
// their text blocks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// Header line of a parameter group's block: "-ParamGroup=<name>".
constexpr std::string_view kParamGroupHeader = "-ParamGroup=";
/// Start of every section marker ("---TimeRemap", "---LightSRC 2", "---AllLightSourceEnd").
constexpr std::string_view kSectionMarker = "---";

/// True when `line` begins with `prefix`. Section readers tell headers and markers by how a
/// line starts: the same text inside a settings value (a filter named "a---b") ends nothing.
inline bool LineStartsWith(const std::string& line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

class ParamTextStream_cls {
public:
    /// Reads `lines` (not copied: they must outlive the stream) from index `start` on.
    explicit ParamTextStream_cls(const std::vector<std::string>& lines, size_t start = 0)
        : lines_(lines), pos_(start) {}
    /// A temporary list would be gone before the first line is read.
    ParamTextStream_cls(std::vector<std::string>&&, size_t = 0) = delete;
    /// Next line without its line end (a trailing CR is removed); false at the end.
    bool ReadLine(std::string& line) {
        if (pos_ >= lines_.size()) return false;
        line = lines_[pos_++];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
    /// The next line as ReadLine would give it, without moving on; false at the end.
    bool PeekLine(std::string& line) const {
        if (pos_ >= lines_.size()) return false;
        line = lines_[pos_];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }
    bool AtEnd() const { return pos_ >= lines_.size(); }
    /// Index of the next line to be read.
    size_t Position() const { return pos_; }

private:
    const std::vector<std::string>& lines_;
    size_t pos_;
};
