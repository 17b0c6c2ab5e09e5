// A cursor over the lines of a settings section, from which parameters and groups read
// their text blocks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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
