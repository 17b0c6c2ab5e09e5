// The main window's shortcut keys.
#include "app/gui/ShortcutKeys.h"

#include "app/MenuTable.h"
#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "common/CommandIds.h"
#include "scene/SceneObj.h"
#include "timeline/TimeCtrl.h"
#include "view/ModeIcon.h"
#include "view/gui/MainGLCanvas.h"

ShortcutAction ShortcutKeys_cls::OnKey(int mask, int key) {
    // A menu accelerator belongs to its menu item (Ctrl+Shift+S is Save As, not the S of
    // the scale mode); the frame runs it before the key reaches the shortcuts.
    if (MenuAcceleratorFor(mask, key) != 0) return ShortcutAction{};
    if (mask == MOD_CTRL) return OnCtrlKey(key);
    if (mask == MOD_ALT) return ShortcutAction{};
    return OnPlainKey(key);
}

ShortcutAction ShortcutKeys_cls::OnCtrlKey(int key) {
    const ShortcutAction a = CtrlShortcutFor(key);
    Run(a);
    return a;
}

ShortcutAction ShortcutKeys_cls::OnPlainKey(int key) {
    const ShortcutAction a = PlainShortcutFor(key);
    Run(a);
    return a;
}

void ShortcutKeys_cls::Run(const ShortcutAction& a) {
    AppCore_cls* core = m_frame ? m_frame->GetAppCore() : nullptr;
    if (!core) return;
    TimeCtrl_cls* t = core->GetTimeCtrl();
    // The time model refreshes through the commands it posts itself.
    switch (a.kind) {
        case SHORTCUT_UNDO: core->Undo(); break;
        case SHORTCUT_REDO: core->Redo(); break;
        case SHORTCUT_TOGGLE_PLAY: t->TogglePlay(a.value); break;
        case SHORTCUT_ZOOM_ACTIVE_AREA: t->ZoomActiveArea(a.value != 0); break;
        case SHORTCUT_STEP: t->StepBy(a.value); break;
        case SHORTCUT_WORK_AREA_MIN: t->SetWorkAreaMinUndoable(t->Frame(), -1); break;
        case SHORTCUT_WORK_AREA_MAX: t->SetWorkAreaMaxUndoable(t->Frame(), -1); break;
        case SHORTCUT_GO_TO_KEY: t->GoToKeyFrame(a.value); break;
        case SHORTCUT_CAMERA_CHOICE:
            // The view shows the new choice in its bar and repaints.
            if (MainGLCanvas_cls* view = m_frame->GetMainView()) view->SetCameraChoice(a.value);
            break;
        case SHORTCUT_TOGGLE_PERSPECTIVE:
            if (MainGLCanvas_cls* view = m_frame->GetMainView()) {
                view->OnTogglePerspective();
                m_frame->PostMenuCommand(ID_APPLY_VIEW_SETTINGS);
            }
            break;
        case SHORTCUT_EDIT_MODE:
            // The mode of the next gizmo drag; the main view shows it in its mode icons.
            if (a.value == 0)
                SetItemEditModeTranslation();
            else if (a.value == 1)
                SetItemEditModeScale();
            else
                SetItemEditModeRotation();
            if (MainGLCanvas_cls* view = m_frame->GetMainView()) view->Refresh(false);
            break;
        case SHORTCUT_TOGGLE_AXIS:
            // Constrains the selected object's gizmo to the axis, or frees it when that axis
            // was set; without a selected object the key does nothing.
            if (!GpSelectedSceneObj) break;
            GpSelectedSceneObj->ToggleAxis(a.value);
            if (MainGLCanvas_cls* view = m_frame->GetMainView()) view->Refresh(false);
            break;
        default: break;
    }
}
