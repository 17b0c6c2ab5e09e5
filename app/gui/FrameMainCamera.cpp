// The main frame's side of the view bars: the views' settings lines, the bars following
// settings read from a file, and the camera and anchor keys set from the main view.
#include "app/gui/FrameMain.h"

#include <algorithm>

#include "app/gui/AppCore.h"
#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/gui/MessageHelpers.h"
#include "data/DataExporter.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "scene/PovRayCtrl.h"
#include "view/DrawOptions.h"
#include "common/CommandIds.h"
#include "timeline/TimeCtrl.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "view/gui/GLCanvasCtrl.h"
#include "view/gui/MainGLCanvas.h"

MainGLCanvas_cls* FrameMain_cls::GetMainView() const {
    if (GpCurrentCanvas) return GpCurrentCanvas;
    return m_top ? m_top->View(0) : nullptr;
}

void FrameMain_cls::ReadViewConfig(const wxString& line) {
    if (m_top)
        for (int i = 0; i < 4; ++i) m_top->Bar(i)->ReadConfig(line);
    if (m_extra) m_extra->Bar()->ReadConfig(line);
}

wxString FrameMain_cls::WriteUpperViewConfig() const {
    wxString text;
    if (m_top)
        for (int i = 0; i < 4; ++i) text += m_top->Bar(i)->WriteConfig();
    return text;
}

wxString FrameMain_cls::WriteLayoutConfig() const {
    wxString text = WriteUpperViewConfig();
    if (m_extra) text += m_extra->Bar()->WriteConfig();
    return text;
}

void FrameMain_cls::OnViewCommand(int id) {
    MainGLCanvas_cls* view = GetMainView();
    switch (id) {
        case ID_APPLY_VIEW_SETTINGS:
            if (m_top)
                for (int i = 0; i < 4; ++i) m_top->Bar(i)->SyncChoices();
            if (m_extra) m_extra->Bar()->SyncChoices();
            break;
        case ID_SET_CAMERA_KEY_POS:
        case ID_SET_CAMERA_KEY_POSROT:
        case ID_SET_ANCHOR_KEY:
            if (!view) break;
            if (id == ID_SET_CAMERA_KEY_POS)
                view->SetCameraKeyPos();
            else if (id == ID_SET_CAMERA_KEY_POSROT)
                view->SetCameraKeyPosRot();
            else
                view->SetAnchorKey();
            if (m_top) m_top->RedrawViews();
            if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(GetTimeCtrl())) params->RefreshRows();
            break;
        default: break;
    }
}

void FrameMain_cls::EndViewRunModes() {
    MainGLCanvas_cls* view = GetMainView();
    if (!view) return;
    view->EndSequenceCapture();
    view->EndPovAnimation();
    // Only the end of a POV-Ray export run concerns the controller: a render queue that is
    // under way is not built again by the end of some other run.
    PovRayCtrl_cls* pov = m_core ? m_core->GetPovRay() : nullptr;
    if (pov && pov->exporting) pov->OnExportRunEnd();
}
