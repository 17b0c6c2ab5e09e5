// A running shell for the window tests: the central object with its frame, a configuration
// file in a temporary folder, and questions answered by the test.
#pragma once

#include <wx/frame.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "common/CommandHistory.h"
#include "common/gui/UserPrompts.h"
#include "filters/ColorCurve.h"
#include "data/DataSequenceSet.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TestFiles.h"

namespace shelltest {

/// Answers yes/no and file questions from presets and records what was asked.
class ScriptedPrompts : public UserPrompts_cls {
public:
    bool yes = false;
    int fileAnswer = wxID_CANCEL;
    wxString filePath;
    std::vector<wxString> questions;
    std::vector<FileQuestion> fileQuestions;

    bool AskYesNo(wxWindow*, const wxString& caption, const wxString& question) override {
        questions.push_back(caption + "|" + question);
        return yes;
    }
    int PickFile(wxWindow*, const FileQuestion& q, wxString& path) override {
        fileQuestions.push_back(q);
        if (fileAnswer == wxID_OK) path = filePath;
        return fileAnswer;
    }
};

class Shell {
public:
    /// `screenArea`: the usable area of the screen the frame opens on (default: the display's).
    explicit Shell(const std::string& configPath, const FrameRect* screenArea = nullptr) {
        testsupport::ResetModals();
        testsupport::SetModalAnswer(wxID_OK);
        UserPrompts_cls::Install(&prompts);
        core = new AppCore_cls(configPath, screenArea);
        frame = core->GetFrameMain();
        frame->Show();
        testsupport::Pump(50);
    }
    ~Shell() {
        CloseFrame();
        delete core;
        UserPrompts_cls::Install(nullptr);
        testsupport::ResetModals();
    }
    /// Destroys the frame (as the close box does) and waits until it is gone.
    void CloseFrame() {
        if (core->GetFrameMain()) {
            core->GetFrameMain()->Close(true);
            testsupport::PumpUntil([this] { return core->GetFrameMain() == nullptr; }, 5000);
        }
        frame = nullptr;
    }
    /// Posts `id` to the frame and lets it run.
    void Post(int id) {
        frame->PostMenuCommand(id);
        testsupport::Pump(20);
    }

    /// The views draw the particles only: no ground grid, pivot marker or scene items over them.
    void ParticlesOnly() {
        core->GetViewScene()->SetToggleSource([](const MainGLCanvas_cls&) {
            ViewToggles t;
            t.grid = t.items = false;
            return t;
        });
    }
    /// Every particle type of the current sequence in one constant colour and point size.
    void ColourAllTypes(const float rgba[4], int pointSize) {
        ParticleAttrib_cls* const* attribs = core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
        for (int t = 0; t < 4; ++t) {
            std::copy(rgba, rgba + 4, attribs[t]->col->constantColor.values);
            attribs[t]->pointSize.value = pointSize;
        }
        GbSnapDataRefresh = true;
    }

    ScriptedPrompts prompts;
    AppCore_cls* core = nullptr;
    FrameMain_cls* frame = nullptr;
};

}  // namespace shelltest
