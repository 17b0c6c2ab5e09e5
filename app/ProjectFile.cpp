// Loading and checking configuration and project files.
#include "app/ProjectFile.h"

#include <cctype>

#include "platform/FileNumbers.h"
#include "platform/TextDecoding.h"

namespace {

const char kConfigName[] = "Pelthorn3Configure.txt";

bool StartsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool IsSettingsLine(const std::string& line) {
    if (line.empty() || !(std::isalpha(static_cast<unsigned char>(line[0])) || line[0] == '_'))
        return false;
    for (char c : line) {
        if (c == '=') return true;
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    }
    return false;
}

std::string Where(const std::string& fileName, size_t index) {
    return fileName + " line " + platform::FormatUInt(index + 1);
}

// Counts the numbers at the start of a key line ("t type value tangent ease ").
int CountNumbers(const std::string& line) {
    int n = 0;
    size_t pos = 0;
    while (pos < line.size()) {
        double v;
        size_t used = 0;
        if (!platform::ParseDouble(std::string_view(line).substr(pos), v, &used) || used == 0)
            break;
        ++n;
        pos += used;
    }
    return n;
}

// Checks one "-ParamGroup=" block starting at `i`; on success `i` is the last line of it.
bool CheckParamGroup(const std::vector<std::string>& lines, size_t& i, const std::string& file,
                     std::string& error) {
    const size_t head = i;
    int dimension = -1;
    for (++i;; ++i) {
        if (i >= lines.size()) {
            error = Where(file, head) + ": the block " + lines[head] +
                    " ends before its \"Start\" line";
            return false;
        }
        if (lines[i] == "Start") break;
        if (StartsWith(lines[i], "dimension=")) dimension = platform::ToInt(lines[i].substr(10));
    }
    if (dimension < 0) return true;  // nothing tells how many components follow
    for (int c = 0; c < dimension; ++c) {
        if (i + 1 >= lines.size()) {
            error = Where(file, head) + ": the block " + lines[head] + " ends after " +
                    platform::FormatInt(c) + " of its " + platform::FormatInt(dimension) +
                    " components";
            return false;
        }
        ++i;
        if (!StartsWith(lines[i], "Parameter_")) {
            error = Where(file, i) + ": expected component " + platform::FormatInt(c + 1) + " of " +
                    lines[head] + ", found \"" + lines[i] + "\"";
            return false;
        }
        const size_t paramLine = i;
        // settings lines up to "itemnum n"
        for (++i;; ++i) {
            if (i >= lines.size()) {
                error =
                    Where(file, paramLine) + ": " + lines[paramLine] + " ends before its key count";
                return false;
            }
            if (!IsSettingsLine(lines[i])) break;
        }
        if (!StartsWith(lines[i], "itemnum ")) {
            error = Where(file, i) + ": expected the key count of " + lines[paramLine] +
                    ", found \"" + lines[i] + "\"";
            return false;
        }
        const long long keys = platform::ToInt(lines[i].size() > 8 ? lines[i].substr(8) : "");
        if (keys < 0) {
            error = Where(file, i) + ": negative key count";
            return false;
        }
        for (long long k = 0; k < keys; ++k) {
            if (i + 1 >= lines.size()) {
                error = Where(file, paramLine) + ": " + lines[paramLine] + " has " +
                        platform::FormatInt(k) + " of its " + platform::FormatInt(keys) + " keys";
                return false;
            }
            ++i;
            if (CountNumbers(lines[i]) < 5) {
                error =
                    Where(file, i) + ": expected a key of 5 numbers, found \"" + lines[i] + "\"";
                return false;
            }
        }
    }
    return true;
}

// "DataSequence<n>=": the line of a data sequence, whose next line is its path.
bool IsDataSequenceLine(const std::string& line) {
    const size_t n = std::char_traits<char>::length("DataSequence");
    if (!StartsWith(line, "DataSequence") || line.size() <= n) return false;
    size_t i = n;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
    return i > n && i < line.size() && line[i] == '=';
}

bool FindLine(const std::vector<std::string>& lines, size_t from, const std::string& text) {
    for (size_t j = from; j < lines.size(); ++j)
        if (lines[j] == text) return true;
    return false;
}

}  // namespace

const char* ProjectFile_cls::ConfigFileName() {
    return kConfigName;
}

bool ProjectFile_cls::IsConfigFilePath(const std::string& path) {
    const size_t n = sizeof(kConfigName) - 1;
    return path.size() >= n && path.compare(path.size() - n, n, kConfigName) == 0;
}

wxString ProjectFile_cls::InitialTitle() {
    return "Pelthorn 3 v 0.82";
}

wxString ProjectFile_cls::TitleFor(const wxString& lastOpened) {
    if (lastOpened.empty()) return InitialTitle();
    return "Pelthorn3 - " + lastOpened;
}

bool ProjectFile_cls::LoadLines(const std::string& path, std::vector<std::string>& lines,
                                std::string& error) {
    lines.clear();
    return platform::ReadTextFileLines(path, lines, error);
}

wxString ProjectFile_cls::ProposedSaveName(const wxString& lastOpened, bool projectLoaded) {
    if (projectLoaded) {
        // The name of the project at hand, as it is: it is the file the user has.
        const size_t cut = lastOpened.find_last_of("/\\");
        const wxString name = cut == wxString::npos ? lastOpened : lastOpened.substr(cut + 1);
        if (!name.empty() && name != ".ptp") return name;
    }
    return "untitled.ptp";
}

bool ProjectFile_cls::CheckLines(const std::vector<std::string>& lines, const std::string& fileName,
                                 const LineTest& isProgramLine, std::string& error) {
    bool recognised = !isProgramLine;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (!recognised && isProgramLine(l)) recognised = true;
        if (StartsWith(l, "-ParamGroup=")) {
            if (!CheckParamGroup(lines, i, fileName, error)) return false;
            continue;
        }
        if (l == "---TimeRemap") {
            // Its reader looks for the parameter block that follows: anything but blank
            // lines before it would let the reader take the rest of the file.
            size_t next = i + 1;
            while (next < lines.size() && lines[next].empty()) ++next;
            if (next >= lines.size() || !StartsWith(lines[next], "-ParamGroup=")) {
                error = Where(fileName, i) +
                        ": ---TimeRemap is not followed by its parameter block "
                        "(the file is cut short or damaged)";
                return false;
            }
        } else if (IsDataSequenceLine(l)) {
            // The next line is the sequence's path (empty for none; absent at the very end
            // of a file): a setting there would be taken for a path.
            if (i + 1 < lines.size() && isProgramLine && isProgramLine(lines[i + 1])) {
                error = Where(fileName, i) + ": " + l + " is not followed by its path line";
                return false;
            }
            ++i;  // the path is no setting of its own
        } else if (StartsWith(l, "---FilterCtrl") && l.size() > 18 &&
                   l.compare(l.size() - 5, 5, "Begin") == 0) {
            const std::string end = l.substr(0, l.size() - 5) + "End";
            if (!FindLine(lines, i + 1, end)) {
                error = Where(fileName, i) + ": " + l + " has no " + end +
                        " line (the file is cut short)";
                return false;
            }
        } else if (l == "---AllLightSource") {
            if (!FindLine(lines, i + 1, "---AllLightSourceEnd")) {
                error = Where(fileName, i) +
                        ": ---AllLightSource has no ---AllLightSourceEnd line "
                        "(the file is cut short)";
                return false;
            }
        }
    }
    if (!recognised) {
        error = fileName +
                ": not a Pelthorn3 project (no line holds a setting or section of the program)";
        return false;
    }
    return true;
}

bool ProjectFile_cls::LoadAndCheck(const std::string& path, const LineTest& isProgramLine,
                                   std::vector<std::string>& lines, std::string& error) {
    if (!LoadLines(path, lines, error)) return false;
    if (!CheckLines(lines, path, isProgramLine, error)) {
        lines.clear();
        return false;
    }
    return true;
}
