// Photons text.
#include "scene/PovPhotonsSettings.h"

#include "platform/FileNumbers.h"

PovPhotonsSettings_cls::PovPhotonsSettings_cls() {
    type.SetRange(0, 1);
    count.SetRange(1, 100000);
    maxTrace.SetRange(1, 256);
    items.Register(&type, "PovPhotonsType=", "0");
    items.Register(&count, "PovPhotonsCount=", "20");
    items.Register(&maxTrace, "PovPhotonsMaxTrace=", "5");
}

wxString PovPhotonsSettings_cls::PovGlobalText() const {
    if (type.value == 0) return wxString();
    return "\tphotons {\n\t\tcount " + wxString(platform::FormatInt(1000LL * count.value)) +
           "\t\tautostop 0\t\tjitter " + wxString(platform::FormatG(0.4)) + "\t\tmax_trace_level " +
           wxString(platform::FormatInt(maxTrace.value)) + "\t}\n";
}

wxString PovPhotonsSettings_cls::PovObjectModifier(double opacity, double reflectMin,
                                                   double reflectMax, bool noTarget) const {
    if (type.value == 0) return wxString();
    const bool refraction = !(opacity > 0.8);
    const bool reflection = !(reflectMin < 0.1 && reflectMax < 0.2);
    const bool target = !(noTarget || (!refraction && !reflection));
    const bool collect = !(opacity < 0.1);
    wxString s = "\tphotons{ ";
    s << "target " << (target ? "on " : "off ");
    s << "reflection " << (reflection ? "on " : "off ");
    s << "refraction " << (refraction ? "on " : "off ");
    s << "collect " << (collect ? "on " : "off ");
    return s + "}\n";
}
