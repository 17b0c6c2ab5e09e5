// The main frame's side of the views' drawing: the frame a view is about to draw is made
// ready first, and the attribute pages of the current data sequence.
#include "app/gui/FrameMain.h"

#include <wx/textentry.h>

#include <memory>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "data/DataSequence.h"
#include "data/DataExporter.h"
#include "data/DataSequenceSet.h"
#include "filters/ColorCurve.h"
#include "view/gui/GLResources.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "data/DataSequence.h"
#include "filters/FilterCopy.h"
#include "filters/FilterCtrl.h"
#include "view/ViewInfoLine.h"
#include "view/gui/ImgSequence.h"
#include "view/gui/OverlayRenderer.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"

void FrameMain_cls::DrawViewOverlays(MainGLCanvas_cls& view, int w, int h) {
    OverlaySettings_cls* settings = m_core ? m_core->GetOverlaySettings() : nullptr;
    if (!settings) return;
    double time = kNoFrameTime;
    const ColorCurve_cls* records[4] = {nullptr, nullptr, nullptr, nullptr};
    DataSequence_cls* seq = GpDataSequenceSet ? GpDataSequenceSet->GetCurrent() : nullptr;
    if (seq && seq->GetFrameCount() > 0) {
        TimeCtrl_cls* t = GetTimeCtrl();
        time = seq->GetFrameTime(SplitDataTime(t ? t->GetDataTime(-1, -1) : 0.0).dataFrame);
    }
    SequenceRenderer_cls* renderer = m_core->GetSequenceRenderer();
    if (renderer && GpDataSequenceSet) {
        ParticleAttrib_cls* const* a = renderer->Attribs(GpDataSequenceSet->current);
        for (int i = 0; i < 4; ++i) records[i] = a[i]->drawType.value == 2 ? a[i]->ambient.get() : a[i]->col.get();
    }
    DrawOverlays(view.ViewIndex(), w, h, *settings, time, records);
}

void FrameMain_cls::InstallViewDrawing() {
    MainGLCanvas_cls::SetFrameRequest([this]() {
        // The frame shown must be in before the draw: wait for it (a few tries, as a
        // failed read leaves it ready without data), then let the prefetch look ahead.
        for (int i = 0; i < 10 && !IsFrameReady(-1); ++i)
            if (!PrepareFrame(-1)) break;
        TimeCtrl_cls* time = GetTimeCtrl();
        // During an export run the frame a view paints is written (once, however many
        // views paint it).
        ExportShownFrame();
        Prefetch(time ? time->direction : 1);
    });
    MainGLCanvas_cls::SetExportMode([] { return GpDataExporter && GpDataExporter->exporting; });
    // The views follow the time model's motion-blur samples and output steps, copy their
    // pictures through the exposure settings, and the main view writes image sequences.
    MainGLCanvas_cls::SetTimeModel(GetTimeCtrl());
    MainGLCanvas_cls::SetScreenItems(true);
    MainGLCanvas_cls::SetSnapshotSaved([this](const wxString& path) { m_lastIMG.text = path; });
    MainGLCanvas_cls::SetExposure(m_core ? m_core->GetExposureSettings() : nullptr);
    // Every view's overlay pass draws the time text and the legends.
    MainGLCanvas_cls::SetOverlayDrawer([this](MainGLCanvas_cls& view, int w, int h) { DrawViewOverlays(view, w, h); });
    if (ImgSequence_cls* seq = m_core ? m_core->GetImgSequence() : nullptr) {
        seq->captureView = m_top ? m_top->View(0) : nullptr;
        ImgSequence_cls::SetCaptureViewAvailable(seq->captureView != nullptr);
        seq->UpdateGUI(false);
    }
    // The info line's data: the shown data frame's time and count, and list 2's copies.
    MainGLCanvas_cls::SetInfoSource([this](MainGLCanvas_cls&, ViewInfoLine_cls& info) {
        TimeCtrl_cls* time = GetTimeCtrl();
        if (!GpDataSequenceSet || !time) return;
        const DataSequence_cls& seq = *GpDataSequenceSet->sequences[size_t(GpDataSequenceSet->current)];
        const int frame = time->GetDataFrame(-1);
        info.frameTime = seq.GetFrameTime(frame);
        info.particles = seq.GetParticleCount(frame);
        if (FilterCtrl_cls* list = GpFilterCtrls[2])
            for (int i = 0; i < list->Count(); ++i)
                if (auto* copy = dynamic_cast<FilterCopy_cls*>(list->GetNode(i))) {
                    info.copies = copy->GetCopyCount();
                    break;
                }
    });
    // The exposure program is built once, at the first view's GL set-up, when the driver
    // runs OpenGL 2; without it the Exposure page stays disabled.
    ExposureSettings_cls* exposure = m_core ? m_core->GetExposureSettings() : nullptr;
    MainGLCanvas_cls::SetGLInitHook([exposure, done = std::make_shared<bool>(false)](MainGLCanvas_cls& view) {
        if (*done || !exposure) return;
        *done = true;
        exposure->InitShader(GL2EntryPointsLoaded(), &view);
    });
    SequenceRenderer_cls* renderer = m_core ? m_core->GetSequenceRenderer() : nullptr;
    if (!renderer || !m_top || !GpDataSequenceSet) return;
    // The drawing progress shows on the status line while a large frame is drawn.
    renderer->progress = [this](int percent) {
        GiDrawProgress = percent;
        UpdateStatusLine();
    };
    ParticleAttrib_cls* const* attribs = renderer->Attribs(GpDataSequenceSet->current);
    for (int t = 0; t < 4; ++t) m_top->AddAttribPage(attribs[t], attribs[t]->label);
    // The pages' entries come first in the column, and GTK gives the keyboard to the first
    // entry when the frame is first activated: Quit's Q and the other plain shortcuts would
    // then go into an entry. The keyboard goes to the main view instead.
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        if (!event.GetActive() || m_focusSettled) return;
        m_focusSettled = true;
        CallAfter([this]() {
            if (dynamic_cast<wxTextEntry*>(wxWindow::FindFocus()) && m_top && m_top->View(0))
                m_top->View(0)->SetFocus();
        });
    });
}
