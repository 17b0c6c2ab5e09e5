// Per-view settings lines.
#include "view/ViewSettings.h"

#include <cfloat>

#include "scene/CameraPath.h"

ViewSettings_cls::ViewSettings_cls(int index, int defaultChoice) : viewIndex(index) {
    const wxString p = wxString::Format("Panel%u", unsigned(index));
    // Values read from a file stay within what the view can use: combo indices within
    // their choices, an axis-view distance and clipping depths above zero (a zero would
    // make the projection degenerate).
    displayMode.SetRange(0, MaxChoice());
    geometry.SetRange(0, 3);
    orthoScale.SetRange(1e-6f, FLT_MAX);
    depthMin.SetRange(1e-6f, FLT_MAX);
    depthMax.SetRange(1e-6f, FLT_MAX);
    persAngle.SetRange(float(CameraPath_cls::kMinViewAngle), float(CameraPath_cls::kMaxViewAngle));
    group.Register(&showMessage, p + "ShowMessage=", index == 4 ? "0" : "1");
    group.Register(&showItems, p + "ShowItems=", "1");
    group.Register(&showGrid, p + "ShowGrid=", "1");
    group.Register(&showData, p + "ShowData=", "1");
    group.Register(&persAngle, p + "GLPersAngle=", "35");
    group.Register(&orthoScale, p + "GLOrthoScale=", "1");
    group.Register(&showOtherCam, p + "ShowOtherCam=", "0");
    group.Register(&drawItemByXOR, p + "DrawItemByXOR=", "0");
    group.Register(&geometry, p + "GLGeometry=", "0");
    group.Register(&displayMode, p + "DisplayMode=", "0");
    group.Register(&pivotMode, p + "PivotMode=", "0");
    group.Register(&pathIndex, p + "GLPathIndex=", "0");
    group.Register(&gridType, p + "GridType=", "0");
    group.Register(&gridAntialias, p + "GridAntialias=", "0");
    group.Register(&gridShowTag, p + "GridShowTag=", "0");
    group.Register(&distortion, p + "Distortion", "0");
    group.Register(&fisheyeGrid, p + "FisheyeGrid", "0");
    group.Register(&depthMin, p + "GLDepthMin=", "0.03");
    group.Register(&depthMax, p + "GLDepthMax=", "5000");
    persAngle.value = 35.0f;
    if (defaultChoice < 0 || defaultChoice > MaxChoice()) defaultChoice = 0;
    displayMode.value = defaultChoice;
    if (geometry.value == GEOMETRY_PERSPECTIVE || geometry.value == GEOMETRY_ORTHOGRAPHIC)
        geometry.value = (defaultChoice >= CAMERA_AXIS_FIRST && defaultChoice <= CAMERA_AXIS_LAST)
                             ? GEOMETRY_ORTHOGRAPHIC
                             : GEOMETRY_PERSPECTIVE;
}

bool ViewSettings_cls::ReadLine(const wxString& line) { return group.OfferLine(line); }

wxString ViewSettings_cls::WriteAll() const { return group.WriteAll(); }
