// Which time range a POV-Ray animation run renders and how its frames are numbered.
#pragma once

#include "scene/PageSettings.h"

class PovRayCtrl_cls;

/// Region settings. GUI thread.
class PovRegionSettings_cls : public PageSettings_cls {
public:
    explicit PovRegionSettings_cls(PovRayCtrl_cls* controller);

    /// The "Calc. Auto" number: minus the output step of frame 0 for the working area, 0
    /// for the whole scene, (custom minimum / TimeAnimStep) x TimeAnimInterp for a custom
    /// range. Needs the controller's time model; without one nothing changes. The page
    /// refreshes its widgets afterwards.
    void CalcInitialNumber();
    /// Builds the "RenderType" page (defined with the windows).
    void CreatePage(wxWindow* parent);
    void OnPageChanged();

    PovRayCtrl_cls* controller;
    ConfItemUINT_cls region;      ///< "PovRenderRegion=" 0 working area, 1 all scene, 2 custom
    ConfItemINT_cls customMin;    ///< "PovRegionCustomMin="
    ConfItemINT_cls customMax;    ///< "PovRegionCustomMax="
    ConfItemINT_cls initial;      ///< "PovRenderAnimNinit="

    int itemCustom = -1;
};
