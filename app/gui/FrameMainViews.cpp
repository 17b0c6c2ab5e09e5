// The main frame's side of the views' drawing: the frame a view is about to draw is made
// ready first, and the attribute pages of the current data sequence.
#include "app/gui/FrameMain.h"

#include <wx/textentry.h>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "data/DataSequenceSet.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/gui/InfoHover.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"

void FrameMain_cls::InstallViewDrawing() {
    MainGLCanvas_cls::SetFrameRequest([this]() {
        // The frame shown must be in before the draw: wait for it (a few tries, as a
        // failed read leaves it ready without data), then let the prefetch look ahead.
        for (int i = 0; i < 10 && !IsFrameReady(-1); ++i)
            if (!PrepareFrame(-1)) break;
        TimeCtrl_cls* time = GetTimeCtrl();
        Prefetch(time ? time->direction : 1);
    });
    SequenceRenderer_cls* renderer = m_core ? m_core->GetSequenceRenderer() : nullptr;
    if (!renderer || !m_top || !GpDataSequenceSet) return;
    ParticleAttrib_cls* const* attribs = renderer->Attribs(GpDataSequenceSet->current);
    for (int t = 0; t < 4; ++t) m_top->AddAttribPage(attribs[t], attribs[t]->label);
    // The Info page shows the particle under the mouse; hidden types are never picked.
    InstallInfoHover([renderer](bool shown[4]) {
        ParticleAttrib_cls* const* a = renderer->Attribs(GpDataSequenceSet ? GpDataSequenceSet->current : 0);
        const bool classified = a[0]->drawOptions && a[0]->drawOptions->Classify() != 0;
        for (int t = 0; t < 4; ++t)
            shown[t] = (classified ? a[t] : a[0])->drawType.value < 3;
    });
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
