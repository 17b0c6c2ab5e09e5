// The "View and Camera Config" dialog and its controller: the camera settings of the five
// views, the drawing settings they share, and the camera path and anchor.
#pragma once

#include <functional>

#include <wx/bitmap.h>

#include "common/gui/DialogControl.h"
#include "common/gui/DialogEXKey.h"
#include "common/gui/MinimizeButton.h"
#include "common/gui/WidgetCommon.h"

class AnchorPath_cls;
class CameraPath_cls;
class CameraPathGUI_cls;
class MainGLCanvas_cls;
class MultiInputPanel_cls;
class wxBookCtrlEvent;
class wxNotebook;

constexpr int ID_CAMERA_NOTEBOOK = 9004;
constexpr int ID_CAMERA_VIEW_DEFAULT = 6532;
constexpr int ID_CAMERA_PANEL_HEADER = 6535;

/// Created once by the central object; the dialog is made at once and hidden. GUI thread.
class CameraPathCtrl_cls : public DialogControl_cls {
public:
    /// `views` gives view 0..4 (the four upper views and the extra view; null when absent);
    /// it and the paths must outlive the dialog.
    CameraPathCtrl_cls(wxWindow* frame, const wxBitmap& icon, std::function<MainGLCanvas_cls*(int)> views,
                       CameraPath_cls* path, AnchorPath_cls* anchor);
    /// Destroys the dialog; call it while the frame still lives.
    ~CameraPathCtrl_cls() override;

    void CreateGUI(wxWindow* frame) override;
    /// RefreshControls when the dialog exists.
    void UpdateGUI(bool full) override;

    wxWindow* frame;  ///< command target, not owned
    wxBitmap icon;
    std::function<MainGLCanvas_cls*(int)> views;
    CameraPath_cls* path;
    AnchorPath_cls* anchor;
    CameraPathGUI_cls* gui = nullptr;
    int viewIndex = 0;  ///< the view last synchronised
};

class CameraPathGUI_cls : public wxDialogEXKey, public MinimizeButton_cls, public WidgetCommon_cls {
public:
    static constexpr int kViews = 5;

    CameraPathGUI_cls(CameraPathCtrl_cls* owner, wxWindow* frame, const wxPoint& pos, const wxSize& size);
    ~CameraPathGUI_cls() override;

    /// Fisheye groups, then every control of the pages and panels from its variable (the
    /// path and anchor entries from their curves at the current time).
    void RefreshControls();
    /// Selects the page of the current view and remembers it as the synchronised view.
    void SyncFromView();
    /// Shows each page's "Distortion" and "Fisheye Grid" exactly while its view's geometry
    /// is fisheye.
    void UpdateFisheyeRows();

    /// After a commit: changed path and anchor values become keys at the current time;
    /// the views redraw.
    void OnCommitted();
    /// "Default" of the page shown: resets that view's free camera (free camera only).
    void OnDefault();
    void OnPageChanged(wxBookCtrlEvent& event);

    CameraPathCtrl_cls* owner;
    wxNotebook* notebook = nullptr;
    MultiInputPanel_cls* pages[kViews] = {};
    MultiInputPanel_cls* advanced = nullptr;
    MultiInputPanel_cls* camera = nullptr;
    int gridItem = -1;                 ///< the advanced panel's grid combo
    int fisheyeItem[kViews] = {-1, -1, -1, -1, -1};
    int geometryItem = -1;             ///< each page's geometry combo (same index on every page)
    int translateItem = -1;            ///< the camera panel's "Translae" group header
    int viewAngleItem = -1;            ///< each page's "View Angle" header: slider, then entry
    int pathAngleItem = -1;            ///< the camera panel's "View Angle" header: slider, then entry

private:
    void BuildViewPage(int i, MainGLCanvas_cls* view);
    void BuildAdvanced();
    void BuildCamera();
    void UpdateFisheyeRow(int i);
};
