// Fog filter: settings, key-framed density and alpha, clear colour and POV-Ray text.
#include "filters/FilterFog.h"

#include <wx/intl.h>

#include "filters/ColorCurve.h"
#include "platform/FileNumbers.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

FilterFogData_cls::FilterFogData_cls() : FilterData_cls(false, true) {
    filterName.Init("FilterName=", wxGetTranslation("Fog") + "%02d");
    fogType.SetRange(0, 2);  // a combo index: an edited file cannot name a fourth type
    settings.Register(&fogType, "FogType=", "0");
    settings.Register(&fogStart, "FogStart=", "0");
    settings.Register(&fogEnd, "FogEnd=", "1");
    fogParams = new ParamGroup_cls("Filter Parameter", {"deinsity", "alpha"}, 0x1006, 0);
    fogParams->owner = this;
    // The initial values are a key of their own, made outside the history (a new filter
    // is one step of whoever makes it).
    const unsigned char undoWas = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    fogParams->SetKeyFrame({0.0, 1.0}, true, -1);
    GbParamUndoEnabled = undoWas;
    group->children.push_back(fogParams);
    colors.push_back(new ColorCurve_cls("FogColor", "FogColor", "0.5 0.5 0.5 1", 0, nullptr));
}

FilterFogData_cls::~FilterFogData_cls() {
    // The container lists the group as a child but does not own it.
    delete fogParams;
}

void FilterFogData_cls::UpdateTransform(double t) {
    SceneObj_cls::UpdateTransform(t);
    fogParams->GetValues(t, 0);
}

void FilterFogData_cls::CopyFrom(const FilterData_cls& source, const ParamGroup_cls* t, const ParamGroup_cls* r,
                                 const ParamGroup_cls* s) {
    if (const auto* fog = dynamic_cast<const FilterFogData_cls*>(&source)) {
        const unsigned char undoWas = GbParamUndoEnabled;
        GbParamUndoEnabled = 0;
        fogParams->CopyFrom(*fog->fogParams);
        GbParamUndoEnabled = undoWas;
    }
    FilterData_cls::CopyFrom(source, t, r, s);
}

void FilterFogData_cls::FogColor(float out[4]) {
    ColorCurve_cls* c = colors.empty() ? nullptr : colors[0];
    if (!c) {
        out[0] = out[1] = out[2] = 0.5f, out[3] = 1.0f;
        return;
    }
    c->UpdateScaling();
    c->ColorForValue(0.0f, out);
}

void FilterFogData_cls::DensityAlpha(double t, float& density, float& alpha) {
    const std::vector<double> v = fogParams->GetValues(t, 0);
    density = v.size() > 0 ? static_cast<float>(v[0]) : 0.0f;
    alpha = v.size() > 1 ? static_cast<float>(v[1]) : 1.0f;
}

void FogClearColor(const float fog[4], float alpha, const float background[3], float out[3]) {
    const double a = alpha;
    for (int k = 0; k < 3; ++k) out[k] = static_cast<float>(double(fog[k]) * a + (1.0 - a) * double(background[k]));
}

FilterFog_cls::FilterFog_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_FOG, std::make_unique<FilterFogData_cls>()) {}

wxString FilterFog_cls::PovFog(double t) {
    FilterFogData_cls* d = Data();
    if (!d->filterValid.value) return wxString();
    float c[4], density = 0, alpha = 1;
    d->FogColor(c);
    d->DensityAlpha(t, density, alpha);
    const float F[4] = {c[0], c[1], c[2], 1.0f - alpha};
    const float B[4] = {c[0], c[1], c[2], alpha < 1.0f ? 1.0f : F[3]};
    double L = 0;
    if (d->fogType.value == 2) {
        L = double(d->fogEnd.value) * 0.5;
    } else {
        // Exponential fog (and the types only an edited file can hold) runs by density;
        // without density there is no fog at all.
        if (density == 0.0f) return wxString();
        L = 1.0 / double(density);
    }
    wxString out;
    out << "background {" << PovVector4f("rgbt ", B, 4) << "}\n";
    out << "fog { \n";
    out << "\tdistance " << wxString::FromAscii(platform::FormatF(L, 6).c_str()) << "\n";
    out << "\tcolor " << PovVector4f("rgbt ", F, 4) << "\n";
    out << "}\n";
    return out;
}
