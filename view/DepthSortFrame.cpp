// The scene-object frame in which depth keys are computed.
#include "scene/SceneObj.h"
#include "view/DepthSort.h"

SceneObj_cls* GpSortFrameObject = nullptr;
double GdSortFrameTime = 0.0;
bool GbSpecialDebug = false;

void SetSortTransform(SceneObj_cls* object, double time) {
    GpSortFrameObject = object;
    GdSortFrameTime = time;
}

void MapSortViewToFrame(float eye[3], float direction[3], ParamGroup_cls* pivot) {
    if (!GpSortFrameObject) return;
    GpSortFrameObject->InverseRotatePoint(direction, GdSortFrameTime);
    GpSortFrameObject->InverseTransformPoint(eye, GdSortFrameTime, pivot);
}
