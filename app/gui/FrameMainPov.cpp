// The main frame's POV-Ray commands: the dialog, and exports and renders of a snapshot or
// an animation run.
#include "app/gui/FrameMain.h"

#include "app/gui/AppCore.h"
#include "common/CommandIds.h"
#include "scene/PovRayCtrl.h"
#include "timeline/TimeCtrl.h"
#include "view/gui/MainGLCanvas.h"

void FrameMain_cls::OnPovCommand(int id) {
    PovRayCtrl_cls* pov = m_core ? m_core->GetPovRay() : nullptr;
    if (!pov) return;
    switch (id) {
        case ID_POVRAY_CONFIG:
            m_core->ShowPovDialog();
            break;
        case ID_POV_EXPORT_SNAPSHOT:
            // A running render or queue reads the files this export would write again.
            if (m_core->RefusePovSnapshot()) break;
            m_core->ExportPovSnapshot(false);
            break;
        case ID_POV_RENDER_SNAPSHOT:
            if (m_core->RefusePovSnapshot()) break;
            // Only a scene this export wrote whole is rendered: never the files of an
            // earlier export, nor a half-written scene.
            if (m_core->ExportPovSnapshot(true)) pov->RenderSnap();
            break;
        case ID_POV_EXPORT_ANIMATION:
        case ID_POV_RENDER_ANIMATION: {
            MainGLCanvas_cls* view = GetMainView();
            TimeCtrl_cls* time = GetTimeCtrl();
            if (view && time && pov->ToggleExportAnim(id == ID_POV_RENDER_ANIMATION)) {
                m_core->ApplyPovAnimRange();
                view->BeginPovAnimation();
                time->TogglePlay(1);
            } else {
                // Also a run that could not start (no main view) ends at once.
                if (pov->exporting) pov->ToggleExportAnim(false);
                PostMenuCommand(ID_END_CAPTURE);
            }
            break;
        }
        default:
            break;
    }
}
