// The settings of one view: what it shows (info line, items, grid, data), its camera
// choice and geometry, angle, axis-view distance and clipping depths. Written as the lines
// "Panel<view>..." of the configuration and project files.
#pragma once

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

/// Camera choices of a view: free, six axis views, the camera path, a copy of view 0.
enum ViewCameraChoice {
    CAMERA_FREE = 0,
    CAMERA_AXIS_FIRST = 1,  ///< "From -X to +X"
    CAMERA_AXIS_LAST = 6,   ///< "From +Z to -Z"
    CAMERA_PATH = 7,        ///< "Cam0"
    CAMERA_COPY_VIEW0 = 8,  ///< "Copy of View 0" (extra view only)
};

/// Geometry (GLGeometry): 0 perspective, 1 orthographic, 2 fisheye, 3 panorama.
enum ViewGeometry { GEOMETRY_PERSPECTIVE = 0, GEOMETRY_ORTHOGRAPHIC, GEOMETRY_FISHEYE, GEOMETRY_PANORAMA };

/// The nineteen settings items of a view, registered under "Panel" + view index. Items
/// marked "stored only" are read and written but drive nothing. GUI thread.
class ViewSettings_cls {
public:
    /// Registers the items for view `viewIndex` (0..3 upper views, 4 the extra view), then
    /// DisplayMode := `defaultChoice` and GLGeometry := 1 for an axis-view choice, else 0.
    ViewSettings_cls(int viewIndex, int defaultChoice);
    ViewSettings_cls(const ViewSettings_cls&) = delete;
    ViewSettings_cls& operator=(const ViewSettings_cls&) = delete;

    /// Offers one configuration or project line; true when an item took it.
    bool ReadLine(const wxString& line);
    /// The group's lines, in registration order, each ending in "\r\n".
    wxString WriteAll() const;

    /// The highest camera choice this view offers (8 for the extra view, else 7).
    int MaxChoice() const { return viewIndex == 4 ? CAMERA_COPY_VIEW0 : CAMERA_PATH; }

    const int viewIndex;
    ConfItemBOOL_cls showMessage;   ///< info line and messages (toggle M)
    ConfItemBOOL_cls showItems;     ///< paths, lights, pick regions, pivot marker (toggle I)
    ConfItemBOOL_cls showGrid;      ///< ground grid (toggle G)
    ConfItemBOOL_cls showData;      ///< particles (toggle D)
    ConfItemBOOL_cls pivotMode;     ///< "Pivot Follows Anchor"
    ConfItemFLOAT_cls depthMin;     ///< near clipping distance
    ConfItemFLOAT_cls depthMax;     ///< far clipping distance
    ConfItemFLOAT_cls persAngle;    ///< vertical view angle, degrees
    ConfItemFLOAT_cls orthoScale;   ///< distance of the axis-view camera from its pivot
    ConfItemINT_cls displayMode;    ///< camera choice 0..8
    ConfItemINT_cls geometry;       ///< GLGeometry 0..3
    ConfItemINT_cls pathIndex;      ///< stored only
    ConfItemUINT_cls gridType;      ///< stored only
    ConfItemBOOL_cls showOtherCam;  ///< stored only
    ConfItemBOOL_cls drawItemByXOR; ///< stored only
    ConfItemBOOL_cls gridAntialias; ///< stored only
    ConfItemBOOL_cls gridShowTag;   ///< stored only
    ConfItemBOOL_cls distortion;    ///< fisheye composition through the mask and mesh
    ConfItemBOOL_cls fisheyeGrid;   ///< fisheye grid overlay
    ConfItemGroup_cls group;
};
