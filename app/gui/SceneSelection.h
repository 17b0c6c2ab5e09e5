// What is selected in the scene: the filter of the three lists, the parameter group of a
// scene object (the gizmo's target) and the light editor's light, chosen directly or by
// pick id.
#pragma once

#include <functional>

class AnchorPath_cls;
class CameraPath_cls;
class FilterBase_cls;
class FilterCtrl_cls;
class LightSRCCtrl_cls;
class SceneObj_cls;
class TimeCtrl_cls;

class SceneSelection_cls {
public:
    /// Selects among the three filter lists `lists` (an array of three, kept by the caller
    /// for this object's life), the camera path, the anchor and the lights (each may be
    /// null: it is then never selected); `time`'s parameter panel shows the groups.
    /// `redrawViews` is called when a filter selection changed. GUI thread only.
    SceneSelection_cls(FilterCtrl_cls* const* lists, TimeCtrl_cls* time, CameraPath_cls* cameraPath,
                       AnchorPath_cls* anchorPath, LightSRCCtrl_cls* lights,
                       std::function<void()> redrawViews);

    /// Selects `filter` (null: none) in all three lists; its data (or nothing) becomes the
    /// selected scene object. When anything changed the views redraw, and
    /// `clearParamSelection` also clears the parameter panel's selection.
    void SelectFilter(FilterBase_cls* filter, bool clearParamSelection);
    /// The selected filter of any list, or null.
    FilterBase_cls* SelectedFilter() const;

    // By pick id (0 camera path, 1 anchor, 10..16 lights, 20 + 20 * list + index
    // filters). An id that names nothing existing selects nothing.
    void SelectFilterById(int id, bool clearParamSelection);
    void SelectLightById(int id);
    /// Selects the parameter group of the scene object with pick id `id` (0 the camera path,
    /// 1 the anchor, 10 + i light i through the scene-object finder) and makes that object
    /// the selected scene object; every other owner is unselected. Returns the object, or
    /// null (and no selected scene object) when the id names nothing. Selecting the object
    /// that is selected already keeps it selected.
    SceneObj_cls* SelectParamsById(int id);
    /// Scene objects other than the paths found by pick id (the lights); null: none.
    void SetSceneObjFinder(std::function<SceneObj_cls*(int id)> finder) { m_sceneObjFinder = std::move(finder); }
    /// What a click bound to "Item Selection" does with the first pick name under it:
    /// below 20 no filter and the scene object of that id; 20 and above that filter. -1
    /// changes nothing.
    void SelectByPickName(int name);

private:
    FilterCtrl_cls* const* m_lists;
    TimeCtrl_cls* m_time;
    CameraPath_cls* m_cameraPath;
    AnchorPath_cls* m_anchorPath;
    LightSRCCtrl_cls* m_lights;
    std::function<void()> m_redrawViews;
    std::function<SceneObj_cls*(int id)> m_sceneObjFinder;
};
