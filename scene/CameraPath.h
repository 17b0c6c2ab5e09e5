// The scene's camera path: a key-framed camera (Translate and Rotation curves), the
// projection and view angle of a view that follows it, and its "---CameraPath" block.
#pragma once

#include <string>

#include "scene/SceneObj.h"

class ParamTextStream_cls;

/// The scene object "Camera" (pick id 0). Starts at (-1.5, 0, 1.5) turned 45 degrees down
/// along +x. GUI thread.
class CameraPath_cls : public SceneObj_cls {
public:
    CameraPath_cls();

    /// The view angles, degrees, that the path and the views hold: at 0 or less a view
    /// has no projection at all (and the POV-Ray camera no angle).
    static constexpr double kMinViewAngle = 0.01;
    static constexpr double kMaxViewAngle = 360.0;

    /// "---CameraPath", the settings lines, then the Translate and Rotation texts (the Scale
    /// is not stored).
    std::string WriteSection() const;
    /// Reads the block when `line` is "---CameraPath": settings lines up to the first group
    /// header, then the Translate block, then the Rotation block on the line after it.
    /// Other lines do nothing.
    void ReadSection(ParamTextStream_cls& stream, const std::string& line);

    /// Draws the green camera symbol at the placement (a frustum of CameraVAngle, or the
    /// fisheye cone when CameraGeometry is 2; size 0.2), the gizmo while selected and not
    /// dragged, and unless `pickPass` the path points. Lighting and texturing are left off.
    /// GL layer (view/gui/CameraPathGL.cpp); context current.
    void DrawGL(bool pickPass);

    ConfItemINT_cls geometry;       ///< "CameraGeometry=": 0 perspective .. 3 panorama
    ConfItemDOUBLE_cls vAngle;      ///< "CameraVAngle=": vertical view angle, degrees
    ConfItemFLOAT_cls fishEyeOffset;///< "FishEyeOffset=": pitch of the fisheye sub-views
    ConfItemBOOL_cls lookAnchor;    ///< "CareraLookAnchor=": the camera looks at the anchor
};

/// The scene's camera path and anchor, set by the central object (null before).
extern CameraPath_cls* GpCameraPath;
