// Grid filter: settings, line positions and POV-Ray text.
#include "filters/FilterGrid.h"

#include <wx/intl.h>

#include <algorithm>
#include <climits>

#include "common/GLCamera.h"
#include "filters/ColorCurve.h"
#include "platform/FileNumbers.h"
#include "scene/PovText.h"

const char* const GoGridTypeNames[6] = {"Cartesian(x-y)", "Cartesian(y-z)", "Cartesian(x-z)",
                                        "Cubic",          "Circle",         "Spherical"};

FilterGridData_cls::FilterGridData_cls() : FilterData_cls(true, true) {
    filterName.Init("FilterName=", wxGetTranslation("Grid") + "%02d");
    gridType.SetRange(0, 5);
    // Divisions beyond this would only stall the views; 0 or less stands for one.
    gridLineNum.SetRange(INT_MIN, kGridMaxDivisions);
    settings.Register(&gridType, "GridType=", "0");
    settings.Register(&gridMin, "GridMin=", "-1");
    settings.Register(&gridMax, "GridMax=", "+1");
    settings.Register(&gridLineNum, "GridLineNum=", "20");
    settings.Register(&gridCoord, "GridCoord=", "1");
    colors.push_back(new ColorCurve_cls("Color", "Color", "0.5 0.5 0.5 1", 0, nullptr));
}

void FilterGridData_cls::LineColor(float out[4]) const {
    if (colors.empty()) {
        out[0] = out[1] = out[2] = 0.5f, out[3] = 1.0f;
        return;
    }
    colors[0]->ColorAt(0.0f, out);
}

std::vector<double> GridLinePositions(float a, float b, int n) {
    const double span = a == b ? 1.0 : double(b) - double(a);
    const double s = span / std::clamp(n, 1, kGridMaxDivisions);
    std::vector<double> v;
    // A reversed range (min above max) has a negative step: no line passes the test, as
    // no line lies between them.
    if (s <= 0) return v;
    for (long i = 0; i < 1000000; ++i) {
        const double x = double(a) + double(i) * s;
        if (x > double(b) + 1e-6) break;
        v.push_back(x);
    }
    return v;
}

namespace {

wxString Corner(float x, float y, float z) {
    const float v[3] = {x, y, z};
    return PovVector3fTrimmed(v, 6);
}

void Box(const wxString& J, wxString& out, const wxString& c1, const wxString& c2) {
    out << J << "box{" << c1 << "," << c2 << "}\n";
}

}  // namespace

void PovGridPlaneZ(const wxString& J, wxString& out, float a, float b, int n, float c, float w) {
    const float lo = c - w, hi = c + w;
    const std::vector<double> vs = GridLinePositions(a, b, n);
    for (double d : vs) {
        const float v = float(d);
        Box(J, out, Corner(a, v - w, lo), Corner(b, v + w, hi));
    }
    for (double d : vs) {
        const float v = float(d);
        Box(J, out, Corner(v - w, a, lo), Corner(v + w, b, hi));
    }
}

void PovGridPlaneX(const wxString& J, wxString& out, float a, float b, int n, float c, float w) {
    const float lo = c - w, hi = c + w;
    const std::vector<double> vs = GridLinePositions(a, b, n);
    for (double d : vs) {
        const float v = float(d);
        Box(J, out, Corner(lo, v - w, a), Corner(hi, v + w, b));
    }
    for (double d : vs) {
        const float v = float(d);
        Box(J, out, Corner(lo, a, v - w), Corner(hi, b, v + w));
    }
}

void PovGridPlaneY(const wxString& J, wxString& out, float a, float b, int n, float c, float w) {
    const float lo = c - w, hi = c + w;
    const std::vector<double> vs = GridLinePositions(a, b, n);
    for (double d : vs) {
        const float v = float(d);
        Box(J, out, Corner(v - w, lo, a), Corner(v + w, hi, b));
    }
    for (double d : vs) {
        const float v = float(d);
        Box(J, out, Corner(a, lo, v - w), Corner(b, hi, v + w));
    }
}

void PovGridPlanes(const wxString& J, wxString& out, float a, float b, int n, float w, const double direction[3]) {
    PovGridPlaneZ(J, out, a, b, n, direction[2] <= 0 ? a : b, w);
    PovGridPlaneX(J, out, a, b, n, direction[0] <= 0 ? a : b, w);
    PovGridPlaneY(J, out, a, b, n, direction[1] <= 0 ? a : b, w);
}

void PovGridRings(wxString& out, float a, float b, int n, float w) {
    for (double r : GridLinePositions(a, b, n)) {
        if (r < 0) continue;
        out << "\ttorus{" << platform::FormatG(r) << "," << platform::FormatG(w) << "}\n";
    }
    out << "\trotate <90, 0, 0>\n";
}

void PovGridTexture(const wxString& J, wxString& out, const float colour[4]) {
    MaterialColors_cls m;
    for (int k = 0; k < 4; ++k) {
        m.ambient[k] = colour[k];
        m.diffuse[k] = 0.0f;
        m.specular[k] = 0.0f;
    }
    out << PovMaterialTexture(J, m, 0.024336f, wxString(), false, false);
    out << J << "no_shadow\n";
}

FilterGrid_cls::FilterGrid_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_GRID, std::make_unique<FilterGridData_cls>()) {}

void FilterGrid_cls::PovGrid(wxString& out, double, int copy, const wxString& indent, const GLCamera_cls& camera,
                             float lineWidth) {
    FilterGridData_cls* d = Data();
    if (copy == 1 || !d->filterValid.value || !d->ShownByEye()) return;
    float a = d->gridMin.value, b = d->gridMax.value;
    // The views draw a reversed range between the same two ends.
    if (b < a) std::swap(a, b);
    const float w = lineWidth * 0.002f;
    const int n = d->gridLineNum.value;
    innerIndent = indent + "\t";
    const wxString& J = innerIndent;
    out << indent << "union {\n";
    switch (d->gridType.value) {
        case 0: PovGridPlaneZ(J, out, a, b, n, 0.0f, w); break;
        case 1: PovGridPlaneX(J, out, a, b, n, 0.0f, w); break;
        case 2: PovGridPlaneY(J, out, a, b, n, 0.0f, w); break;
        case 3: PovGridPlanes(J, out, a, b, n, w, camera.frame.direction); break;
        case 4: PovGridRings(out, a, b, n, w); break;
        default: break;  // spherical: the union holds the texture alone
    }
    float colour[4];
    d->LineColor(colour);
    PovGridTexture(J, out, colour);
    out << indent << "}\n";
}
