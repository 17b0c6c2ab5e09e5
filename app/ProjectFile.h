// Configuration and project files as a whole: telling the configuration file from a
// project, loading and checking a file before anything of the open scene is released,
// and the frame title that names the project.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

class ProjectFile_cls {
public:
    /// The configuration file's name, "Pelthorn3Configure.txt".
    static const char* ConfigFileName();

    /// True when `path` is the configuration file: any text followed by its name.
    /// Every other path is a project file.
    static bool IsConfigFilePath(const std::string& path);

    /// Title of the main frame: "Pelthorn3 - " + `lastOpened` when it is not empty,
    /// otherwise the title the frame starts with, "Pelthorn 3 v 0.82".
    static wxString TitleFor(const wxString& lastOpened);
    /// The frame's title before any project was opened or saved.
    static wxString InitialTitle();

    /// The file name the Save As dialog proposes: the current project's own name when a
    /// project has been opened or saved (its path `lastOpened`, the name taken as it is),
    /// otherwise "untitled.ptp". Never empty, never a bare or doubled extension.
    static wxString ProposedSaveName(const wxString& lastOpened, bool projectLoaded);

    /// Tells whether a line is one this program writes at the top of its files (a key of
    /// one of its settings groups, or a section marker).
    using LineTest = std::function<bool(const std::string& line)>;

    /// Reads and decodes a file (UTF-8, else code page 932) into lines without line ends.
    /// False with a message naming the file when it cannot be read or decoded.
    static bool LoadLines(const std::string& path, std::vector<std::string>& lines,
                          std::string& error);

    /// Checks that `lines` hold a complete file of this program:
    /// - when `isProgramLine` is given (project files), at least one line passes it: a
    ///   file whose lines are all foreign (a makefile, "CXX=g++") is no project;
    /// - every block is whole: each filter list and the lights closed by their end
    ///   markers, "---TimeRemap" followed (blank lines aside) by its "-ParamGroup=" block,
    ///   no setting standing in the path line after a "DataSequence<n>=" line, and every
    ///   key-framed parameter block ("-ParamGroup=" .. "Start", then per component
    ///   "Parameter_", its settings, "itemnum n" and n key lines of five numbers) complete.
    /// A file cut short fails here. `fileName` names the file in `error`, with the line.
    static bool CheckLines(const std::vector<std::string>& lines, const std::string& fileName,
                           const LineTest& isProgramLine, std::string& error);

    /// LoadLines, then CheckLines: what Open does before it releases the open scene.
    /// `lines` is emptied when the check fails.
    static bool LoadAndCheck(const std::string& path, const LineTest& isProgramLine,
                             std::vector<std::string>& lines, std::string& error);
};
