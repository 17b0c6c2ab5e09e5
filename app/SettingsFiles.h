// The configuration file and project files as the section registry reads and writes them:
// which files must prove to be projects, the lock around a read, the project's own name in
// "LastOpenedFilePTP=" and the report of a file that cannot be read.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ConfigSections.h"

class SettingsFiles_cls {
public:
    /// What the files need from the program; every member may be left empty.
    struct Hooks {
        /// Around the offering of a file's lines to the sections (the frame freezes).
        std::function<void()> beginRead;
        std::function<void()> endRead;
        /// The project name kept for "LastOpenedFilePTP=", read and set around a project write.
        std::function<std::string()> projectName;
        std::function<void(const std::string& path)> setProjectName;
        /// A file that cannot be read: "Read Configure Fails" + path, a line feed and why.
        std::function<void(const std::string& message)> reportReadFailure;
    };

    /// `configPath`: the configuration file's path. GUI thread only.
    SettingsFiles_cls(std::string configPath, Hooks hooks);

    /// The configuration file's path.
    const std::string& ConfigPath() const { return m_configPath; }
    /// The section registry; each owner plugs its reader and writer in at its place.
    ConfigSections_cls& Sections() { return m_sections; }

    /// Reads a configuration or project file. A missing configuration file is passed over
    /// in silence; any other file that cannot be read or decoded, is incomplete, or (a
    /// project) holds nothing of this program is reported and changes nothing.
    void Read(const std::string& path);
    /// True when `line` starts with a key of one of the program's settings groups or with
    /// a section marker: a file without such a line is not a project.
    bool IsProgramLine(const std::string& line) const { return m_sections.IsProgramLine(line); }
    /// Offers every line to every section reader (inside beginRead / endRead, with the
    /// views locked), then runs the steps after a read.
    void ReadLines(const std::vector<std::string>& lines);
    /// Writes the program-wide rows (full = false) or every row (full = true) to `path`
    /// through a temporary file. A project path becomes the project name first; when the
    /// write fails the name is restored, `error` says why and false is returned.
    bool Write(const std::string& path, bool full, std::string* error = nullptr);
    /// The configuration file (program-wide rows only).
    bool WriteConfigFile(std::string* error = nullptr) { return Write(m_configPath, false, error); }

private:
    std::string m_configPath;
    Hooks m_hooks;
    ConfigSections_cls m_sections;
};
