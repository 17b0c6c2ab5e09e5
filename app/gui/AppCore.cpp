// The central object: construction order, ownership, file reading and writing.
#include "app/gui/AppCore.h"

#include <wx/artprov.h>
#include <wx/display.h>
#include <wx/gdicmn.h>

#include "app/AtomicFile.h"
#include "app/BusyFlags.h"
#include "app/CommandIds.h"
#include "app/FrameGeometry.h"
#include "app/PickId.h"
#include "app/ProjectFile.h"
#include "app/gui/FrameMain.h"
#include "common/CommandHistory.h"
#include "common/gui/AppFonts.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MyArtProvider.h"
#include "platform/ProgramPaths.h"
#include "timeline/ComParam.h"
#include "timeline/TimeCtrl.h"

AppCore_cls* GpAppCore = nullptr;

AppCore_cls::AppCore_cls(const std::string& configPath) {
    m_exeDir = platform::ExecutableDir();
    m_configPath = configPath.empty() ? platform::ConfigFilePath() : configPath;

    const wxRect display = wxDisplay(0u).GetGeometry();
    const wxRect client = wxGetClientDisplayRect();
    m_displayWidth = display.width;
    m_displayHeight = display.height;
    const FrameRect geometry = MainFrameGeometry(
        m_displayHeight, FrameRect{client.x, client.y, client.width, client.height});

    GpAppCore = this;

    wxArtProvider::Push(new MyArtProvider);
    InitAppFonts();

    // Models and settings, in the order later steps hand them to each other.
    m_timeCtrl = new TimeCtrl_cls(&m_timeHost);

    m_frame = new FrameMain_cls(ProjectFile_cls::InitialTitle(), this, geometry.x, geometry.y,
                                geometry.width, geometry.height);

    // Module-level pointers, once every object exists.
    GpTimeCtrl = m_timeCtrl;
    GpTimeCtrlPanels = m_timeCtrl;
    ComParamBase_cls::SetRegistry(this);

    RegisterSections();
    ReadConfig(m_configPath);

    m_frame->PostMenuCommand(ID_TIME_REFRESH);
    m_frame->PostMenuCommand(ID_REDRAW_VIEWS);
    m_frame->AdjustSash(true);
}

AppCore_cls::~AppCore_cls() {
    if (m_frame) {
        // Normally the toolkit has destroyed the frame already; one still open must not
        // reach the objects deleted below.
        m_frame->SetTestHooks(nullptr);
        m_frame->DetachAppCore();
        m_frame->Destroy();
        m_frame = nullptr;
    }
    ComParamBase_cls::SetRegistry(nullptr);
    if (GpTimeCtrl == m_timeCtrl) GpTimeCtrl = nullptr;
    if (GpTimeCtrlPanels == m_timeCtrl) GpTimeCtrlPanels = nullptr;
    delete m_timeCtrl;
    m_timeCtrl = nullptr;
    if (GpAppCore == this) GpAppCore = nullptr;
}

void AppCore_cls::TimeHost::SetRestartFlag() {
    if (m_core->m_frame) m_core->m_frame->SetRestartFlag(true);
}

void AppCore_cls::FrameDestroyed(FrameMain_cls* frame) {
    if (m_frame == frame) m_frame = nullptr;
}

void AppCore_cls::RegisterSections() {
    m_sections.AddWriter(ROW_FRAME, "frame", [this]() {
        return m_frame ? std::string(m_frame->WriteConfig().utf8_str()) : std::string();
    });
    m_sections.AddReader(READ_FRAME, "frame",
                         [this](ParamTextStream_cls&, const std::string& line) {
                             if (m_frame) m_frame->ReadConfig(wxString::FromUTF8(line));
                         });
    m_sections.AddWriter(ROW_LAYOUT, "layout", [this]() {
        return m_frame ? std::string(m_frame->WriteLayoutConfig().utf8_str()) : std::string();
    });
    TimeCtrl_cls* time = m_timeCtrl;
    m_sections.AddWriter(ROW_TIME, "time",
                         [time]() { return std::string(time->WriteText().utf8_str()); });
    m_sections.AddReader(READ_TIME, "time",
                         [time](ParamTextStream_cls& stream, const std::string& line) {
                             time->ReadText(stream, line);
                         });
    m_sections.AddAfterRead(AFTER_VIEW_SETTINGS, "view settings", [this]() {
        if (m_frame) m_frame->PostMenuCommand(ID_APPLY_VIEW_SETTINGS);
    });
    m_sections.AddAfterRead(AFTER_CLEAR_HISTORY, "undo history",
                            []() { GoCommandHistory.Clear(); });
}

// ---------------------------------------------------------------------------------------
// Files

void AppCore_cls::ReadConfig(const std::string& path) {
    const bool isConfig = ProjectFile_cls::IsConfigFilePath(path);
    if (isConfig && !platform::PathExists(path)) return;  // first start: the defaults hold
    std::vector<std::string> lines;
    std::string error;
    const bool ok = isConfig ? ProjectFile_cls::LoadLines(path, lines, error)
                             : ProjectFile_cls::LoadAndCheck(path, lines, error);
    if (!ok) {
        ShowMessageBox(
            m_frame,
            "Read Configure Fails" + wxString::FromUTF8(path) + "\n" + wxString::FromUTF8(error),
            "Warning");
        return;
    }
    ReadConfigLines(lines);
}

void AppCore_cls::ReadConfigLines(const std::vector<std::string>& lines) {
    if (m_frame) m_frame->Freeze();
    GbGLLockForConfig = true;
    m_sections.ReadLines(lines);
    GbGLLockForConfig = false;
    if (m_frame) m_frame->Thaw();
}

bool AppCore_cls::WriteConfig(const std::string& path, bool full, std::string* error) {
    std::string localError;
    std::string& err = error ? *error : localError;
    wxString previous;
    const bool isProject = !ProjectFile_cls::IsConfigFilePath(path);
    if (isProject && m_frame) {
        // A project names itself in "LastOpenedFilePTP=".
        previous = m_frame->LastOpenedProject();
        m_frame->SetLastOpenedProject(wxString::FromUTF8(path));
    }
    const std::string text = m_sections.WriteText(full);
    const bool ok = AtomicFile_cls::Write(path, text, err);
    if (!ok && isProject && m_frame) m_frame->SetLastOpenedProject(previous);
    return ok;
}

bool AppCore_cls::WriteConfigFile(std::string* error) {
    return WriteConfig(m_configPath, false, error);
}

void AppCore_cls::PrepareForProject() {
    // Directly, without an undo step: the history is emptied by the read anyway.
    m_timeCtrl->SetFrame(0, 0);
    m_timeCtrl->SetSubFrame(0, 0);
    // The current data sequence's frames and the three filter lists are released here
    // as their owners join the program.
}

void AppCore_cls::AfterProjectRead() {}

// ---------------------------------------------------------------------------------------
// Edits and selection

void AppCore_cls::Undo() {
    GoCommandHistory.Undo();
}

void AppCore_cls::Redo() {
    GoCommandHistory.Redo();
}

void AppCore_cls::SelectFilterById(int id, bool) {
    const PickTarget t = DecodePickId(id);
    if (t.kind != PICK_FILTER) return;
    // The filter lists look the index up; an index past a list's end selects nothing.
}

void AppCore_cls::SelectLightById(int id) {
    const PickTarget t = DecodePickId(id);
    if (t.kind != PICK_LIGHT) return;
}

Parameter_cls* AppCore_cls::FindParamByName(const std::string&) {
    return nullptr;
}
