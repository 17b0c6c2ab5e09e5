// What a view draws in one scene pass: the background, the lights, the particles of the
// current data sequence at the displayed time, and (later passes) the scene items.
#pragma once

#include "view/FilterDrawOrder.h"
#include "view/gui/MainGLCanvas.h"

class DataSequence_cls;
class FilterCtrl_cls;
class DrawOptions_cls;
struct FrameDrawRequest;
class SequenceRenderer_cls;
class TimeCtrl_cls;

/// The data frame a view shows and how far it is into the interval to the next one.
struct ViewDataTime {
    int dataFrame = 0;      ///< data frame f (0 or more)
    double fraction = 0.0;  ///< 0..1 into the interval f .. f+1
};

/// Data time `dataTime` (in frames, as the time model gives it) split into frame and
/// fraction, the same split the frame preparation uses; negative and NaN times give 0.
ViewDataTime SplitDataTime(double dataTime);

/// The scene passes of the views, installed as their scene drawer. GUI thread only.
class ViewScene_cls {
public:
    /// `time` and `renderer` are borrowed and must outlive the installation; `time` may be
    /// null (frame 0), `options` may be null (no shadows).
    ViewScene_cls(TimeCtrl_cls* time, SequenceRenderer_cls* renderer, DrawOptions_cls* options);
    /// Uninstalls itself when it is the views' drawer.
    ~ViewScene_cls();
    ViewScene_cls(const ViewScene_cls&) = delete;
    ViewScene_cls& operator=(const ViewScene_cls&) = delete;

    /// Makes this the drawer of every view.
    void Install();
    /// The views draw their background only again.
    void Uninstall();

    /// One scene pass of `view` (the drawer): matrices, viewport and target are set up.
    void Draw(MainGLCanvas_cls& view, const SceneDrawArgs& args);

    /// The data frame and fraction the views show now.
    ViewDataTime CurrentDataTime() const;

private:
    void SetDefaultLights(const GLCamera_cls& camera) const;
    void DataPass(MainGLCanvas_cls& view, const SceneDrawArgs& args);
    /// The gizmo of the selected Boolean or DataBox filter of `list`, at its centre.
    void DrawSelectedFilterGizmo(FilterCtrl_cls& list, double sceneTime);
    /// The particles once per copy of the CopyBox filter (once without one), back to front.
    void DrawCopies(DataSequence_cls& seq, const FrameDrawRequest& request, const GLCamera_cls& camera,
                    double dataTime);

    TimeCtrl_cls* m_time;
    SequenceRenderer_cls* m_renderer;
    DrawOptions_cls* m_options;
    bool m_installed = false;
    FilterDrawOrder_cls m_filterOrder;  ///< filter list 0 as the renderers' draw-order filter
};
