// The focal blur of the POV-Ray camera.
#pragma once

#include "scene/PageSettings.h"

class GLCamera_cls;
class GLCameraPose_cls;

/// Focal-blur settings and their camera lines. GUI thread.
class PovFocalBlurSettings_cls : public PageSettings_cls {
public:
    PovFocalBlurSettings_cls();

    /// Aperture, samples, confidence, variance and focal point lines of the camera block;
    /// empty without focal blur. `anchorPose` is the views' shared pivot pose, `scale` a
    /// factor on the aperture.
    wxString PovCameraText(const GLCamera_cls& camera, const GLCameraPose_cls& anchorPose,
                           double scale) const;
    /// Builds the "Focal Blur" page (defined with the windows).
    void CreatePage(wxWindow* parent);
    void UpdateEnables();

    ConfItemUINT_cls focalBlur;          ///< "PovFocalBlur=" 0 off, 1 on
    ConfItemFLOAT_cls scale;             ///< "PovFocalBlurScale=" aperture
    ConfItemINT_cls quality;             ///< "PovFocalBlurQuality=" 0..5
    ConfItemUINT_cls locationType;       ///< "PovFocusLocationType=" 0..4
    ConfItemFLOAT_cls distance;          ///< "PovFocusDistance="
    ConfItemFLOATARRAY_cls location;     ///< "PovFocusLocation=" x y z

    int itemScale = -1, itemQuality = -1, itemLocationType = -1, itemDistance = -1, itemLocation = -1;
};
