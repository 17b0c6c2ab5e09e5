// Texture record: registration and POV-Ray fragments.
#include "scene/TexProperty.h"

#include "common/ConfItemGroup.h"
#include "scene/PovText.h"

namespace {

const char* const kPatternText[kNormalPatternCount] = {
    "no normal pattern", "agate", "bozo", "bumps", "brick", "cells", "checker", "crackle", "dents",
    "facets", "marble", "function { f_ridged_mf(x, y, z, 0.07, 2.2,  7, 0.6, 0.9, 1) }"};

// "%f" in the "C" form whatever the user's locale.
wxString Fixed6(double v) { return wxString::FromCDouble(v, 6); }

}  // namespace

const char* NormalPatternPovText(unsigned index) {
    return index < unsigned(kNormalPatternCount) ? kPatternText[index] : "";
}

const char* NormalPatternLabel(unsigned index) {
    if (index == 11) return "ridged_mf";
    return NormalPatternPovText(index);
}

TexProperty_cls::TexProperty_cls() = default;

TexProperty_cls::~TexProperty_cls() {
    if (editor) editor->Attach(nullptr, "");
}

void TexProperty_cls::Register(ConfItemGroup_cls& group) {
    // Values read from a file stay within what the editor and the writers accept.
    shaderType.SetRange(0, 3);
    reflectType.SetRange(0, 2);
    transmitType.SetRange(0, 2);
    for (int i = 0; i < 2; ++i) normalPattern[i].SetRange(0, kNormalPatternCount - 1);
    group.Register(&shaderType, "ShaderType=", "2");
    group.Register(&shininess, "Shininess=", "10");
    group.Register(&transmitType, "TransmitType=", "0");
    group.Register(&alpha, "Alpha=", "1");
    group.Register(&reflectType, "ReflectType=", "0");
    group.Register(&reflectMin, "ReflectMin=", "0.2");
    group.Register(&reflectMax, "ReflectMax=", "0.5");
    group.Register(&ior, "IOR=", "1");
    for (int i = 0; i < 2; ++i) {
        const wxString n = wxString::Format("%d=", i);
        group.Register(&normalPattern[i], "NormalPattern" + n, "0");
        group.Register(&normalDegree[i], "NormalDegree" + n, "0.3");
        group.Register(&normalScale[i], "NormalScale" + n, "1");
    }
}

void TexProperty_cls::ApplyAlpha(float ambient[4], float diffuse[4], float specular[4]) const {
    const float a = transmitType.value != 0 ? alpha.value : 1.0f;
    ambient[3] = a;
    diffuse[3] = a;
    specular[3] = a;
}

wxString TexProperty_cls::PovReflection() const {
    if (reflectType.value == 0) return wxString();
    return " reflection{" + Fixed6(reflectMin.value) + "," + Fixed6(reflectMax.value) + "}";
}

wxString TexProperty_cls::PovIor() const {
    if (ior.value == 1.0f) return wxString();
    return " ior " + Fixed6(ior.value);
}

wxString TexProperty_cls::PovNormalLayer(int i) const {
    const float s = normalScale[i].value;
    const float v[3] = {s, s, s};
    return wxString::FromUTF8(NormalPatternPovText(normalPattern[i].value)) + " " +
           Fixed6(normalDegree[i].value) + " scale " + PovVector3f("", v, 4);
}

wxString TexProperty_cls::PovNormal() const {
    const bool on0 = normalPattern[0].value != 0, on1 = normalPattern[1].value != 0;
    if (!on0 && !on1) return wxString();
    if (on0 && on1)
        return "\tnormal {\n\t\taverage\n\t\t\tnormal_map {\n"
               "\t\t\t [ 1.00 " + PovNormalLayer(0) + " ]\n"
               "\t\t\t [ 1.00 " + PovNormalLayer(1) + " ]\n"
               "\t\t}\n\t}\n";
    return "\tnormal {" + PovNormalLayer(on0 ? 0 : 1) + " }\n";
}

bool TexProperty_cls::UsesFunctions() const {
    return normalPattern[0].value == 11 || normalPattern[1].value == 11;
}
