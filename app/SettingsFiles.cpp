// Reading and writing the configuration file and projects through the section registry.
#include "app/SettingsFiles.h"

#include <utility>

#include "app/AtomicFile.h"
#include "app/BusyFlags.h"
#include "app/ProjectFile.h"
#include "platform/ProgramPaths.h"
#include "platform/Trace.h"

SettingsFiles_cls::SettingsFiles_cls(std::string configPath, Hooks hooks)
    : m_configPath(std::move(configPath)), m_hooks(std::move(hooks)) {}

void SettingsFiles_cls::Read(const std::string& path) {
    const bool isConfig = ProjectFile_cls::IsConfigFilePath(path);
    if (isConfig && !platform::PathExists(path)) return;  // first start: the defaults hold
    std::vector<std::string> lines;
    std::string error;
    // The configuration file may be empty or hold any of the program's settings; a project
    // must be recognisable as one. Both must be whole.
    ProjectFile_cls::LineTest isProgramLine;
    if (!isConfig) isProgramLine = [this](const std::string& l) { return IsProgramLine(l); };
    if (!ProjectFile_cls::LoadAndCheck(path, isProgramLine, lines, error)) {
        platform::ReportError("Read Configure Fails" + path + ": " + error);  // told on the terminal too
        if (m_hooks.reportReadFailure) m_hooks.reportReadFailure("Read Configure Fails" + path + "\n" + error);
        return;
    }
    ReadLines(lines);
}

void SettingsFiles_cls::ReadLines(const std::vector<std::string>& lines) {
    if (m_hooks.beginRead) m_hooks.beginRead();
    GbGLLockForConfig = true;
    m_sections.ReadLines(lines);
    GbGLLockForConfig = false;
    if (m_hooks.endRead) m_hooks.endRead();
}

bool SettingsFiles_cls::Write(const std::string& path, bool full, std::string* error) {
    std::string localError;
    std::string& err = error ? *error : localError;
    const bool isProject = !ProjectFile_cls::IsConfigFilePath(path);
    const bool named = isProject && m_hooks.projectName && m_hooks.setProjectName;
    std::string previous;
    if (named) {
        // A project names itself in "LastOpenedFilePTP=".
        previous = m_hooks.projectName();
        m_hooks.setProjectName(path);
    }
    const bool ok = AtomicFile_cls::Write(path, m_sections.WriteText(full), err);
    if (!ok && named) m_hooks.setProjectName(previous);
    return ok;
}
