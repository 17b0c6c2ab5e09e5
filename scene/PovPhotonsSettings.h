// Photon mapping of the POV-Ray scene.
#pragma once

#include "scene/PageSettings.h"

/// Photons settings, their global block and their per-object line. GUI thread.
class PovPhotonsSettings_cls : public PageSettings_cls {
public:
    PovPhotonsSettings_cls();

    /// The "\tphotons {" block of global_settings; empty without photons.
    wxString PovGlobalText() const;
    /// The per-object "\tphotons{ ... }" line; empty without photons. Refraction is off for
    /// an opacity above 0.8, reflection off for reflectMin < 0.1 and reflectMax < 0.2,
    /// collect off below an opacity of 0.1.
    wxString PovObjectModifier(double opacity, double reflectMin, double reflectMax,
                               bool noTarget) const;
    /// Builds the "Photons" page (defined with the windows).
    void CreatePage(wxWindow* parent);
    void UpdateEnables();

    ConfItemUINT_cls type;      ///< "PovPhotonsType=" 0 none, 1 photons
    ConfItemINT_cls count;      ///< "PovPhotonsCount=" thousands
    ConfItemINT_cls maxTrace;   ///< "PovPhotonsMaxTrace="

    int itemCount = -1, itemMaxTrace = -1;
};
