// What a view draws in one scene pass: the background, the lights, the particles of the
// current data sequence at the displayed time, and (later passes) the scene items.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "view/FilterDrawOrder.h"
#include "view/gui/MainGLCanvas.h"

class DataSequence_cls;
class FBO_cls;
class FilterCtrl_cls;
class DrawOptions_cls;
class ExposureSettings_cls;
struct FrameDrawRequest;
class SequenceRenderer_cls;
class TimeCtrl_cls;

/// Drawing progress of the view being drawn, 0..100; 100 between draws (the status line
/// shows nothing then). GUI thread.
extern int GiDrawProgress;
/// What the particle draws are for: 0 the normal pass, 1 shadow volumes, 2 the lit pass
/// after them. GUI thread.
extern int GiDrawMode;

/// The status line's drawing field: empty at 100, else the label of `mode` ("Drawing ",
/// "Shadow ", "Drawing LH") followed by the progress and "%".
std::string DrawProgressText(int mode, int progress);

/// The data frame a view shows and how far it is into the interval to the next one.
struct ViewDataTime {
    int dataFrame = 0;      ///< data frame f (0 or more)
    double fraction = 0.0;  ///< 0..1 into the interval f .. f+1
};

/// Data time `dataTime` (in frames, as the time model gives it) split into frame and
/// fraction, the same split the frame preparation uses; negative and NaN times give 0.
ViewDataTime SplitDataTime(double dataTime);

/// Grid step for a camera at distance `d` from its pivot: 0.0001 up to d = 0.001, else the
/// largest of 0.001, 0.01, 0.1, ... that stays below d.
double GridStepForDistance(double d);
/// Line width in a target `width` pixels wide: LineWidth scaled by the target's size
/// relative to 2048 (256 0.125, 512 0.25, 1024 0.5, 4096 2, others 1) off screen; a third
/// of LineWidth in the window.
float PassLineWidth(float lineWidth, int width, bool offScreen);

/// What one view shows (its toggles D, G and I).
struct ViewToggles {
    bool data = true;   ///< particles
    bool grid = true;   ///< ground grid
    bool items = true;  ///< scene items and the pivot marker
};

/// The toggles D, G and I of `view`'s settings ("ShowData=", "ShowGrid=", "ShowItems=").
ViewToggles TogglesOf(const MainGLCanvas_cls& view);

class TagList_cls;

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

    /// Where the views' toggles come from; empty: each view's own settings (TogglesOf).
    void SetToggleSource(std::function<ViewToggles(const MainGLCanvas_cls& view)> source) {
        m_toggles = std::move(source);
    }
    /// The exposure settings (borrowed; may be null): a direct-display view warns when they
    /// are not neutral, as only the off-screen road applies them.
    void SetExposure(const ExposureSettings_cls* exposure) { m_exposure = exposure; }
    /// Told when an Object filter's mesh file cannot be read (once per path); empty: the
    /// error line on stderr alone.
    void SetMeshErrorReporter(std::function<void(const std::string&)> report) { m_reportMeshError = std::move(report); }
    /// The tag labels of view `view` (0..4) filled by its last draw.
    TagList_cls& Tags(int view);

private:
    void SetDefaultLights(const GLCamera_cls& camera) const;
    /// Shadow-casting lights that take part in this pass: 0 without shadows (the option
    /// off, the window drawn directly, or no lights).
    int ShadowLightCount(const SceneDrawArgs& args) const;
    /// `k` shadow lights: above 0 the stencil shadow volumes follow the particles.
    void DataPass(MainGLCanvas_cls& view, const SceneDrawArgs& args, const ViewToggles& show, int k);
    /// The particles' shadow volumes into the stencil, then the shadowed places drawn again
    /// (Grid filters, filter objects, particles) with the lights of the shadowed side. The
    /// current matrix holds the data's placement; `objectsInBox`: the objects follow it.
    void ShadowVolumePass(DataSequence_cls& seq, const FrameDrawRequest& request, const GLCamera_cls& camera,
                          double dataTime, int dataFrame, const double viewMatrix[16], double lightTime,
                          bool objectsInBox);
    /// With several shadow-casting lights (off screen): each caster's light outside its own
    /// shadows, drawn into a buffer of the target's size and added over the picture.
    void ShadowLightPasses(const SceneDrawArgs& args);
    /// The fog, the Grid filters, the particles and the filter objects lit by light `i`
    /// alone, with the places in its shadow drawn dark (or, for particles drawn by a
    /// shader, left transparent black).
    void ShadowLightPass(DataSequence_cls& seq, const SceneDrawArgs& args, int i);
    /// The gizmo of the selected Boolean or DataBox filter of `list`, at its centre.
    void DrawSelectedFilterGizmo(FilterCtrl_cls& list, double sceneTime);
    /// The particles once per copy of the CopyBox filter (once without one), back to front,
    /// each with its sticks unless `sticks` is false (the shadow passes).
    void DrawCopies(DataSequence_cls& seq, const FrameDrawRequest& request, const GLCamera_cls& camera,
                    double dataTime, int dataFrame, bool sticks = true);
    /// The Object filters of list 1: meshes once per periodic copy, then the solids once,
    /// their shaders told `lightCount` lights.
    void DrawObjectPasses(const GLCamera_cls& camera, double dataTime, double sceneTime, int dataFrame,
                          int lightCount = 1);
    /// The enabled Stick filters of list 1 for the copy with neighbour mask `mask` (0
    /// without copies), on the frame just drawn, at data frame `dataFrame`.
    void DrawSticks(int mask, int dataFrame);
    void ItemsPass(const MainGLCanvas_cls& view, const SceneDrawArgs& args, const ViewToggles& show, double d,
                   double g, TagList_cls& tags);
    void DirectModeWarnings(MainGLCanvas_cls& view) const;

    std::function<ViewToggles(const MainGLCanvas_cls&)> m_toggles;
    std::function<void(const std::string&)> m_reportMeshError;
    std::unique_ptr<TagList_cls> m_tags[5];

    TimeCtrl_cls* m_time;
    SequenceRenderer_cls* m_renderer;
    DrawOptions_cls* m_options;
    const ExposureSettings_cls* m_exposure = nullptr;
    bool m_installed = false;
    std::unique_ptr<FBO_cls> m_lightBuffer;  ///< one shadow-casting light's part of the picture
    FilterDrawOrder_cls m_filterOrder;  ///< filter list 0 as the renderers' draw-order filter
};
