// The Fog filter of the world list: OpenGL fog over the particle drawing, the views' clear
// colour tinted towards the fog colour, and a POV-Ray background and fog.
#pragma once

#include <wx/string.h>

#include "filters/FilterBase.h"

/// Settings of the fog and its key-framed density and opacity.
class FilterFogData_cls : public FilterData_cls {
public:
    FilterFogData_cls();
    ~FilterFogData_cls() override;
    int Kind() const override { return FILTER_FOG; }

    /// Also evaluates the density and alpha at t, so the panel shows the values of t.
    void UpdateTransform(double t) override;
    /// Also copies the density and alpha key frames (from the source's own group).
    void CopyFrom(const FilterData_cls& source, const ParamGroup_cls* t, const ParamGroup_cls* r,
                  const ParamGroup_cls* s) override;

    /// The fog colour: the "FogColor" record at attribute value 0 (RGBA 0..1).
    void FogColor(float out[4]);
    /// Density (component 0) and alpha (component 1) at normalised scene time t.
    void DensityAlpha(double t, float& density, float& alpha);

    ConfItemUINT_cls fogType;            ///< "FogType=" 0 EXP, 1 EXP 2, 2 LINEAR
    ConfItemFLOAT_cls fogStart;          ///< "FogStart=" near distance of linear fog
    ConfItemFLOAT_cls fogEnd;            ///< "FogEnd=" far distance of linear fog
    ParamGroup_cls* fogParams = nullptr; ///< "Filter Parameter": deinsity, alpha; owned
};

/// The clear colour with the fog: fog colour rgb weighted by alpha over the background.
void FogClearColor(const float fog[4], float alpha, const float background[3], float out[3]);

class FilterFog_cls : public FilterBase_cls {
public:
    explicit FilterFog_cls(FilterCtrl_cls* list);
    FilterFogData_cls* Data() const { return static_cast<FilterFogData_cls*>(GetData()); }

    /// GL fog from the settings at t (colour, mode, density or start/end) and GL_FOG on;
    /// nothing when disabled. GL context required (defined in the views' GL layer).
    void ApplyGLFog(double t);
    /// glClearColor of the background `background` (rgb) tinted by the fog at t; nothing
    /// when disabled. GL layer.
    void SetClearColor(double t, const float background[3]);
    /// Background and fog text at t; "" when disabled, or for exponential fog of density 0.
    wxString PovFog(double t);
};
