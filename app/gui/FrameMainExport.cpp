// The main frame's side of data export runs: the start over the work area, the frames shown
// by paints and playback steps handed to the exporter, and the end of a run.
#include "app/gui/FrameMain.h"

#include <algorithm>

#include <wx/translation.h>

#include "app/BusyFlags.h"
#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MessageHelpers.h"
#include "data/DataExporter.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "platform/Trace.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"

void FrameMain_cls::StartExportRun() {
    DataExporter_cls* exporter = GpDataExporter;
    TimeCtrl_cls* time = GetTimeCtrl();
    // Only the exporter's dialog asks for a run (its button is then "Abort Export").
    if (!exporter || !exporter->running || exporter->exporting) return;
    DataSequence_cls* sequence = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    if (!time || !sequence || sequence->GetFrameCount() < 1) {
        exporter->EndRun();
        ShowMessageBox(this, wxGetTranslation("No particle data is loaded: there is nothing to export."),
                       wxGetTranslation("Data Exporter"));
        return;
    }
    // Playback that is going on is stopped without ending a run (no ID_END_CAPTURE), so the
    // run can start it again, forwards, from the first frame.
    if (time->IsPlaying()) time->StopAt(time->Frame());
    GoCommandHistory.BeginBlock("");
    time->SetAnimInterpUndoable(1, time->AnimInterp());
    time->GoToLimit(-1);
    // The last frame forward playback shows: the work-area end on the step grid.
    exporter->BeginRun(time->GetSteppedFrame(int(time->workAreaMax.value), 0, true, false));
    exporter->UpdateGUI();  // the pattern field shows the number field of a numbered name
    // The first frame is written now: playback only paints the frames it steps to.
    ExportSceneFrame(time->Frame());
    if (exporter->exporting) time->TogglePlay(+1);
    GoCommandHistory.EndBlock("");
    if (m_top) m_top->RedrawViews();
}

void FrameMain_cls::ExportShownFrame() {
    TimeCtrl_cls* time = GetTimeCtrl();
    if (!time || !GpDataExporter || !GpDataExporter->exporting) return;
    ExportSceneFrame(time->Frame());
}

void FrameMain_cls::ExportSceneFrame(int sceneFrame) {
    DataExporter_cls* exporter = GpDataExporter;
    TimeCtrl_cls* time = GetTimeCtrl();
    DataSequence_cls* sequence = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    if (!exporter || !exporter->exporting || !time || !sequence) return;
    if (sceneFrame == exporter->lastSceneFrame) return;  // every other view's paint of it
    const int dataFrame = time->GetDataFrame(sceneFrame);
    // The whole frame is exported, never an interpolated position: its body must be in.
    // While a wait for the reader is under way nothing is loaded here; the next paint or
    // step asks again.
    if (!GbGLLockForLoadingData) GpDataSequenceSet->PrepareFrame(dataFrame, 0.0, false, true);
    const DrawOptions_cls* options = m_core ? m_core->GetDrawOptions() : nullptr;
    const int stride = options ? std::max(1, options->downSizing.value) : 1;
    switch (exporter->ExportShownFrame(sequence, sceneFrame, dataFrame, stride)) {
        case RUN_COMPLETE:
            // Playback went back to an earlier frame: a wrap from the end with repeat (the
            // frame before the last was the one written last), or the user moved the time
            // back, which ends the run where it is.
            FinishExportRun(exporter->lastSceneFrame >= exporter->endSceneFrame - time->AnimStep());
            break;
        case RUN_FAILED: {
            // Files written before stay as they are; the one that failed was removed.
            const std::string why = exporter->lastError;
            platform::ReportError("Data export stopped: " + why);
            exporter->EndRun();
            PostMenuCommand(ID_END_CAPTURE);  // stops playback
            // Not from inside a paint: the message comes once the paint is over.
            CallAfter([this, why] {
                ShowMessageBox(this,
                               wxGetTranslation("The data export stopped: a file could not be written.") + "\n" +
                                   wxString::FromUTF8(why.c_str()),
                               wxGetTranslation("Error!"));
            });
            break;
        }
        default:
            break;
    }
}

void FrameMain_cls::FinishExportRun(bool reachedEnd) {
    DataExporter_cls* exporter = GpDataExporter;
    if (!exporter || !exporter->exporting) return;
    // With repeat, playback wraps to the start as soon as it reaches the last frame of the
    // scene, before that frame is painted: it is written here.
    if (reachedEnd && exporter->Misses(exporter->endSceneFrame)) ExportSceneFrame(exporter->endSceneFrame);
    exporter->EndRun();
}
