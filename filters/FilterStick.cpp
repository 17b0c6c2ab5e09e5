// The Stick filter's settings, its per-draw preparation and its POV-Ray text.
#include "filters/FilterStick.h"

#include <wx/intl.h>

#include "platform/FileNumbers.h"
#include "platform/Trace.h"

FilterStickData_cls::FilterStickData_cls() : FilterData_cls(false, true) {
    filterName.Init("FilterName=", wxGetTranslation("Stick") + "%02d");
    // Choices read from a file stay within their lists; the line width within its slider.
    stickType.SetRange(0, 1);
    calcType.SetRange(0, 1);
    critType.SetRange(0, 2);
    specType.SetRange(0, 1);
    stickWidth.SetRange(1, 20);
    settings.Register(&stickType, "StickType=", "0");
    settings.Register(&stickRadius, "StickRadius=", "0.5");
    settings.Register(&stickWidth, "StickWidth=", "10");
    settings.Register(&calcType, "CalcType=", "0");
    settings.Register(&stickPath, "StickPath=", "NONE");
    settings.Register(&critType, "CritType=", "0");
    settings.Register(&critA, "CritA=", "1");
    settings.Register(&critB, "CritB=", "2");
    settings.Register(&specType, "SpecType=", "0");
    settings.Register(&specA, "SpecA=", "0");
    settings.Register(&specB, "SpecB=", "1");
    texture.Register(settings);
}

StickRule_cls FilterStickData_cls::Rule() const {
    StickRule_cls r;
    // Codes beyond int find nothing, as every unknown code does.
    r.critType = critType.value > 2 ? 3 : int(critType.value);
    r.critA = critA.value;
    r.critB = critB.value;
    r.specType = specType.value > 1 ? 2 : int(specType.value);
    r.specA = specA.value;
    r.specB = specB.value;
    return r;
}

FilterStick_cls::FilterStick_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_STICK, std::make_unique<FilterStickData_cls>()) {}

void FilterStick_cls::Prepare(const StickFrame_cls* frame, const StickBox_cls& box, int mask, int dataFrame) {
    FilterStickData_cls* d = Data();
    if (!d->filterValid.value) return;
    if (d->calcType.value == 0) {
        const std::string pattern = d->stickPath.Value().utf8_string();
        std::string error;
        const std::string before = d->engine.StickPath();
        if (d->engine.LoadBond(pattern, dataFrame, mask, &error)) {
            // An unchanged path read nothing: a failure told before still stands.
            if (d->engine.StickPath() != before) lastError_.clear();
        } else if (pattern != "NONE" && error != lastError_) {
            // Once per failure: a broken .bond file is read again at every draw until it
            // is whole, and must not repeat its message each time.
            lastError_ = error;
            platform::ReportError("Stick file: " + error);
            if (errorSink) errorSink(error);
        }
    } else {
        d->engine.Compute(frame, d->Rule());
    }
    d->engine.CheckIndices(frame ? frame->count : -1, frame ? frame->stride : 1);
    d->engine.SetPeriodicOffsets(box.base, box.size);
}

wxString FilterStick_cls::PovMacro() {
    FilterStickData_cls* d = Data();
    const wxString reflection = d->texture.PovReflection();
    const wxString normal = d->texture.PovNormal();
    const wxString ior = d->texture.PovIor();
    const bool one = d->engine.AllFactorsOne();
    const wxString radius = wxString::FromAscii(platform::FormatF(d->stickRadius.value, 6).c_str());
    const wxString alpha = wxString::FromAscii(platform::FormatF(d->texture.alpha.value, 6).c_str());
    wxString s;
    // The ridged normal pattern is a function of "functions.inc", which guards itself
    // against a second inclusion: the macro brings what it needs.
    if (d->texture.UsesFunctions()) s += "#include \"functions.inc\"\n";
    if (one) {
        s += "#macro CY(VPos0,VPos1)\n";
        s += "cylinder{ VPos0,VPos1," + radius + " open\n";
        s += "\ttexture {\n";
        s += "\t\tpigment {rgbt <0.8,0.8,0.8,1-" + alpha + ">}\n";
        s += "\t\tfinish { ambient <0.2,0.16,0.04> diffuse 1 specular 1 metallic roughness 0.024336" + reflection +
             "}\n";
    } else {
        s += "#macro CY(VPos0,VPos1,Factor)\n";
        s += "cylinder{ VPos0,VPos1," + radius + " open\n";
        s += "\ttexture {\n";
        s += "\t\tpigment {rgbt <1,1,1,1-" + alpha + "*Factor>}\n";
        s += "\t\tfinish { ambient <0.2,0.16,0.04> diffuse 1 specular Factor metallic roughness 0.024336" +
             reflection + "}\n";
    }
    s += "\t}\n";
    s += normal;
    if (!ior.empty()) s += "\tinterior {" + ior + "}\n";
    s += "}\n#end\n\n";
    return s;
}

void FilterStick_cls::PovSticks(wxString& out, const float* positions, int index) {
    if (!Data()->filterValid.value) return;
    int64_t nonFinite = 0;
    Data()->engine.WritePov(out, positions, 4, index, &nonFinite);
    if (nonFinite > 0)
        platform::Trace("POV-Ray sticks of " + Data()->Name() + ": " + std::to_string(nonFinite) +
                        " left out for an end that is not finite");
}

void FilterStick_cls::PovMacroAndSticks(wxString& out, const float* positions, int index) {
    if (!Data()->filterValid.value) return;
    // Each filter's unions are declared right after its own "CY" macro: the calls are
    // expanded there, so a later filter's macro of the same name changes nothing in them.
    out += PovMacro();
    PovSticks(out, positions, index);
}
