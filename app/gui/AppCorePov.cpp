// The central object's side of POV-Ray: exports of a snapshot and of animation frames, the
// range of an animation run, and the end of a render.
#include "app/gui/AppCore.h"

#include <wx/translation.h>

#include "app/gui/AppPovHost.h"
#include "app/gui/AppPovSources.h"
#include "app/gui/FrameMain.h"
#include "common/CommandIds.h"
#include "common/gui/MessageHelpers.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterStick.h"
#include "platform/Trace.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovSceneWriter.h"
#include "scene/gui/PovRayGUI.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/PlayCtrlGUI.h"
#include "view/Snap.h"

void AppCore_cls::CreatePovRay() {
    m_povRay = Publish(GpPovRayCtrl);
    m_povRay->SetTimeCtrl(m_timeCtrl.get());
    m_povHost = std::make_unique<AppPovHost_cls>(m_frame);
    m_povRay->SetHost(m_povHost.get());
    m_povSources = std::make_unique<AppPovSources_cls>(this);
    m_povWriter = std::make_unique<PovSceneWriter_cls>(m_povRay.get(), m_povSources.get());
    // The enabled Stick filters of the Object list: each writes its macro and its unions of
    // the sticks last prepared for the drawn frame.
    m_povSources->enabledStickCount = [this]() {
        return m_filterCtrls[1] ? int(m_filterCtrls[1]->GetEnabledSticks().size()) : 0;
    };
    m_povSources->povSticks = [this](wxString& out, int i) {
        if (!m_filterCtrls[1]) return;
        const std::vector<FilterStick_cls*> sticks = m_filterCtrls[1]->GetEnabledSticks();
        if (i < 0 || i >= int(sticks.size())) return;
        sticks[size_t(i)]->PovMacroAndSticks(out, GpSnap && GpSnap->allocated ? GpSnap->positions : nullptr, i);
    };
    ConnectFilterPovText(*m_povSources);
    m_povWriter->askNoLight = [this]() {
        return AskYesNo(m_frame, wxGetTranslation("Output .pov file"), wxGetTranslation("No Light"));
    };
}

void AppCore_cls::StopPovRay() {
    // The dialog is a child of the frame and goes with it.
    m_povDialog = nullptr;
    if (m_povHost) {
        m_povHost->readControls = nullptr;
        m_povHost->updateBusyState = nullptr;
    }
    if (!m_povRay) return;
    m_povRay->StopRender();
    m_povRay->SetHost(nullptr);
}

bool AppCore_cls::ExportPovSnapshot(bool forRender) {
    if (!m_povWriter) return false;
    const bool ok = m_povWriter->ExportPovSnapshot(forRender);
    if (m_povHost) m_povHost->UpdateBusyState();  // the dialog sees the work folder the export made
    std::string why;
    if (!m_povWriter->failure.empty()) why = "POV-Ray export: " + m_povWriter->failure;
    if (!m_povWriter->notes.empty()) why += (why.empty() ? "" : "\n") + m_povWriter->notes;
    if (!why.empty()) {
        platform::ReportError(why);
        if (m_frame) ShowMessageBox(m_frame, wxString::FromUTF8(why), wxGetTranslation("Warning"));
    }
    m_povNotesTold = m_povWriter->notes;
    return ok && m_povWriter->failure.empty();
}

bool AppCore_cls::RefusePovSnapshot() {
    const wxString why = m_povRay ? m_povRay->SnapshotRefusal() : wxString();
    if (why.empty()) return false;
    if (m_frame) ShowMessageBox(m_frame, why, wxGetTranslation("Warning"));
    return true;
}

bool AppCore_cls::ExportPovAnimationFrame() {
    if (!m_povWriter || !m_povRay || !m_povRay->exporting) return false;
    const bool ok = m_povWriter->ExportPovAnimationFrame();
    // What a step leaves out is told once, not at every step of the run.
    if (!m_povWriter->notes.empty() && m_povWriter->notes != m_povNotesTold) {
        m_povNotesTold = m_povWriter->notes;
        const std::string why = m_povWriter->notes;
        platform::ReportError(why);
        if (FrameMain_cls* frame = m_frame)
            frame->CallAfter([frame, why]() {
                ShowMessageBox(frame, wxString::FromUTF8(why), wxGetTranslation("Warning"));
            });
    }
    if (m_povWriter->failure.empty()) return ok;
    // A file that cannot be written ends the run: the frames after it would fail alike.
    const std::string why = "POV-Ray export stopped: " + m_povWriter->failure;
    platform::ReportError(why);
    m_povRay->ToggleExportAnim(false);
    if (FrameMain_cls* frame = m_frame) {
        frame->PostMenuCommand(ID_END_CAPTURE);
        // Not from inside the paint that exported: the message comes once it is over.
        frame->CallAfter([frame, why]() {
            ShowMessageBox(frame, wxString::FromUTF8(why), wxGetTranslation("Warning"));
        });
    }
    return ok;
}

void AppCore_cls::ApplyPovAnimRange() {
    TimeCtrl_cls* time = m_timeCtrl.get();
    if (!time || !m_povRay) return;
    switch (m_povRay->GetRenderRegion()) {
        case 0:
            time->GoToLimit(-1);
            break;
        case 1:
            time->SetTemporaryPlayRange(0, time->MaxFrame());
            time->SetFrameUndoable(0, time->Frame());
            break;
        case 2: {
            const int first = std::max(0, std::min(m_povRay->GetRegionCustomMin(), time->MaxFrame()));
            const int last = std::max(first, std::min(m_povRay->GetRegionCustomMax(), time->MaxFrame()));
            time->SetTemporaryPlayRange(first, last);
            time->SetFrameUndoable(first, time->Frame());
            break;
        }
        default:
            break;
    }
    // Playback must end at the end of the range, not wrap round.
    if (time->repeat.value) {
        time->SetRepeatUndoable(0, 1);
        if (time->playCtrl) time->playCtrl->UpdateControls();
    }
}

void AppCore_cls::OnPovRenderDone() {
    if (!m_povRay) return;
    m_povHost->UpdateBusyState();
    const wxString failure = m_povRay->TakeRenderFailure();
    if (failure.empty()) return;
    platform::ReportError(failure.utf8_string());
    if (m_frame) ShowMessageBox(m_frame, failure, wxGetTranslation("Warning"));
}

void AppCore_cls::ShowPovDialog() {
    if (!m_frame || !m_povRay) return;
    if (!m_povDialog) {
        FrameMain_cls* frame = m_frame;
        m_povDialog = new PovRayGUI_cls(m_povRay.get(), frame, [frame](int id) { frame->PostMenuCommand(id); });
        PovRayGUI_cls* dialog = m_povDialog;
        m_povHost->readControls = [dialog]() { dialog->ReadControls(); };
        m_povHost->updateBusyState = [dialog]() { dialog->UpdateBusyState(); };
    }
    if (!m_povDialog->IsShown()) m_povDialog->UpdateGUI();
    m_povDialog->Show();
    m_povDialog->Raise();
}
