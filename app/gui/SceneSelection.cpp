// Selection in the scene: filters across the three lists, scene objects' parameter groups
// and the light editor's light.
#include "app/gui/SceneSelection.h"

#include <utility>

#include "app/PickId.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterListView.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "scene/LightSRCCtrl.h"
#include "scene/SceneObj.h"
#include "timeline/gui/ParamGUICtrl.h"

SceneSelection_cls::SceneSelection_cls(FilterCtrl_cls* const* lists, TimeCtrl_cls* time,
                                       CameraPath_cls* cameraPath, AnchorPath_cls* anchorPath,
                                       LightSRCCtrl_cls* lights, std::function<void()> redrawViews)
    : m_lists(lists),
      m_time(time),
      m_cameraPath(cameraPath),
      m_anchorPath(anchorPath),
      m_lights(lights),
      m_redrawViews(std::move(redrawViews)) {}

void SceneSelection_cls::SelectFilter(FilterBase_cls* filter, bool clearParamSelection) {
    FilterBase_cls* previous = SelectedFilter();
    // Clearing the parameter panel's selection unselects every owner of a listed group,
    // filters included: it comes first, so that the filter chosen here stays selected.
    if (clearParamSelection && previous != filter)
        if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(m_time)) params->SelectGroup(nullptr);
    bool changed = previous != filter;
    for (int i = 0; i < 3; ++i)
        if (FilterCtrl_cls* list = m_lists[i]) changed |= list->SelectFilter(filter);
    // A filter unselected by the parameter panel still shows its selected colour.
    if (previous && previous != filter && previous->List() && previous->List()->View())
        previous->List()->View()->FilterSelectionChanged(previous);
    if (changed && m_redrawViews) m_redrawViews();
    SetSelectedSceneObj(filter ? filter->GetData() : nullptr);
}

FilterBase_cls* SceneSelection_cls::SelectedFilter() const {
    for (int l = 0; l < 3; ++l)
        for (int i = 0; m_lists[l] && i < m_lists[l]->Count(); ++i)
            if (m_lists[l]->GetNode(i)->GetData()->selected) return m_lists[l]->GetNode(i);
    return nullptr;
}

void SceneSelection_cls::SelectFilterById(int id, bool clearParamSelection) {
    const PickTarget t = DecodePickId(id);
    if (t.kind != PICK_FILTER) return;
    // An index past its list's end selects nothing (never the neighbouring list's filter).
    FilterCtrl_cls* list = t.list >= 0 && t.list < 3 ? m_lists[t.list] : nullptr;
    FilterBase_cls* f = list ? list->GetNode(t.index) : nullptr;
    if (f) SelectFilter(f, clearParamSelection);
}

void SceneSelection_cls::SelectByPickName(int name) {
    if (name < 0) return;
    if (name >= 20) {
        SelectFilterById(name, true);
        return;
    }
    // No filter stays selected (this also clears the selected scene object), then the
    // object's own group is selected and the object becomes the gizmo's target.
    SelectFilter(nullptr, false);
    SelectParamsById(name);
    SelectLightById(name);
}

SceneObj_cls* SceneSelection_cls::SelectParamsById(int id) {
    SceneObj_cls* target = nullptr;
    const PickTarget t = DecodePickId(id);
    if (t.kind == PICK_CAMERA_PATH) target = m_cameraPath;
    else if (t.kind == PICK_ANCHOR) target = m_anchorPath;
    else if (t.kind == PICK_LIGHT && m_sceneObjFinder) target = m_sceneObjFinder(id);
    // By identity, not by id: filter data carry no pick id of their own, so an id match
    // would take every filter for the camera path.
    if (ParamGUICtrl_cls* params = ParamGUICtrl_cls::Of(m_time)) params->SelectGroup(target);
    else if (target) target->SetSelected(true);
    if (target && !target->selected) target = nullptr;
    SetSelectedSceneObj(target);
    return target;
}

void SceneSelection_cls::SelectLightById(int id) {
    const PickTarget t = DecodePickId(id);
    if (t.kind != PICK_LIGHT || !m_lights || t.index >= m_lights->LightNumber()) return;
    m_lights->SelectLight(t.index);
}

