// POV-Ray number and material text. Every number goes through the locale-independent
// formatters, so a scene written under a decimal-comma locale still parses.
#include "scene/PovText.h"

#include <cmath>

#include "platform/FileNumbers.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovPhotonsSettings.h"
#include "scene/PovRayCtrl.h"

namespace {

wxString F(double v, int decimals) {
    return wxString::FromAscii(platform::FormatF(v, decimals < 0 ? 0 : decimals).c_str());
}

template <typename T>
wxString Bracketed(const wxString& label, const T* v, int n, int decimals) {
    wxString s = label + "<";
    for (int i = 0; i < n; ++i) {
        if (i) s += ",";
        s += F(double(v[i]), decimals);
    }
    return s + ">";
}

// Transmit written as an expression of the macro's FilterAlpha parameter.
wxString FilterAlphaPigment(const float c[4]) {
    return "rgbt <" + F(c[0], 6) + "," + F(c[1], 6) + "," + F(c[2], 6) + ",1-" + F(c[3], 6) + "*FilterAlpha>";
}

}  // namespace

wxString PovIndent(unsigned n) {
    if (n == 0 || n > 7) return wxString();
    return wxString(wxT('\t'), n);
}

wxString PovScalar(float value, int decimals) { return F(value, decimals); }

wxString PovTrimZeros(const wxString& text) {
    if (text.Find('.') == wxNOT_FOUND) return text;
    wxString s = text;
    while (!s.empty() && s.Last() == '0') s.RemoveLast();
    if (!s.empty() && s.Last() == '.') s.RemoveLast();
    return s;
}

wxString PovTrimmedFloat(float value) { return PovTrimZeros(F(value, 6)); }

wxString PovVector3f(const wxString& label, const float v[3], int decimals) { return Bracketed(label, v, 3, decimals); }

wxString PovVector3d(const wxString& label, const double v[3], int decimals) { return Bracketed(label, v, 3, decimals); }

wxString PovVector4f(const wxString& label, const float v[4], int decimals) { return Bracketed(label, v, 4, decimals); }

wxString PovVector3i(const wxString& label, const int v[3]) {
    return label + "<" + wxString::FromAscii(platform::FormatInt(v[0]).c_str()) + "," +
           wxString::FromAscii(platform::FormatInt(v[1]).c_str()) + "," +
           wxString::FromAscii(platform::FormatInt(v[2]).c_str()) + ">";
}

wxString PovVector3fTrimmed(const wxString& label, const float v[3], int decimals) {
    return label + "<" + PovTrimZeros(F(v[0], decimals)) + "," + PovTrimZeros(F(v[1], decimals)) + "," +
           PovTrimZeros(F(v[2], decimals)) + ">";
}

wxString PovVector3fTrimmed(const float v[3], int decimals) { return PovVector3fTrimmed(wxString(), v, decimals); }

wxString PovColor(const float c[4], int decimals, bool rgbt) {
    const float v[4] = {c[0], c[1], c[2], 1.0f - c[3]};
    return Bracketed(rgbt ? wxString("rgbt ") : wxString(), v, 4, decimals);
}

wxString PovMaterialTexture(const wxString& indent, MaterialColors_cls& col, float roughness, const wxString& extra,
                            bool useFilterAlpha, bool singleForm) {
    float* A = col.ambient;
    const float* D = col.diffuse;
    const float* S = col.specular;
    wxString out;
    if (singleForm) {
        const float e = std::sqrt(D[0] * D[0] + D[1] * D[1] + D[2] * D[2]);
        const float spec = e != 0.0f ? std::sqrt(S[0] * S[0] + S[1] * S[1] + S[2] * S[2]) / e : 0.0f;
        wxString pigment;
        if (useFilterAlpha) pigment = FilterAlphaPigment(D);
        else if (D[3] != 1.0f) pigment = PovColor(D, 4, true);
        else pigment = PovVector3f("rgb ", D, 4);
        // Ambient relative to the diffuse colour: POV-Ray multiplies the finish's ambient by
        // the pigment.
        for (int k = 0; k < 3; ++k)
            if (D[k] != 0.0f) A[k] = A[k] / D[k];
        out << indent << "texture {\n";
        out << indent << "\tpigment {" << pigment << "}\n";
        out << indent << "\tfinish {" << PovVector3f(" ambient ", A, 4) << " diffuse 1 specular " << F(spec, 6)
            << (useFilterAlpha ? "*FilterAlpha " : "") << " metallic roughness " << F(roughness, 6) << extra
            << "}\n";
        out << indent << "}\n";
        return out;
    }
    auto pigmentOf = [&](const float* c) -> wxString {
        if (useFilterAlpha) return FilterAlphaPigment(c);
        if (D[3] != 1.0f) return PovColor(c, 4, true);
        return PovVector3f("rgb ", c, 4);
    };
    const wxString bodies[3] = {"ambient 3 diffuse 0 specular 0", "ambient 0 diffuse 3 specular 0",
                                "ambient 0 diffuse 0 specular 3 metallic roughness " + F(roughness, 6)};
    const float* colours[3] = {A, D, S};
    out << indent << "texture {\n";
    out << indent << "\taverage\n";
    out << indent << "\ttexture_map {\n";
    for (int i = 0; i < 3; ++i)
        out << indent << "\t\t\t[pigment {" << pigmentOf(colours[i]) << "} finish { " << bodies[i] << extra << "}]\n";
    out << indent << "\t\t}\n";
    out << indent << "\t}\n";
    return out;
}

wxString PovPhotonsModifier(double opacity, double reflectMin, double reflectMax, bool noTarget) {
    if (!GpPovRayCtrlSelf || !GpPovRayCtrlSelf->photons) return wxString();
    return GpPovRayCtrlSelf->photons->PovObjectModifier(opacity, reflectMin, reflectMax, noTarget);
}

bool PovFastColoring() {
    return !GpPovRayCtrlSelf || !GpPovRayCtrlSelf->output || GpPovRayCtrlSelf->output->fastColoring.value;
}

bool PovPathUsable(const wxString& path) {
    for (const wxUniChar c : path) {
        const unsigned v = c.GetValue();
        if (v < 0x20 || v > 0x7E || v == '"' || v == '\\') return false;
    }
    return true;
}

std::string PovPathRefusal(const wxString& path) {
    return path.utf8_string() +
           ": POV-Ray cannot open a file whose name holds letters other than ASCII, a '\"' or a '\\'";
}

std::string PovSafeFileName(const wxString& name) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : name.utf8_string()) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_') {
            out += char(c);
        } else {
            out += "_x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out.empty() ? std::string("_") : out;
}
