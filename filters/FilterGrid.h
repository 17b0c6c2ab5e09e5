// The Grid filter of the object list: a reference grid (a coordinate plane, the far faces of
// a cube, concentric circles or a sphere) drawn in the views and written as thin POV-Ray
// boxes or tori.
#pragma once

#include <wx/string.h>

#include "filters/FilterBase.h"

class GLCamera_cls;
class TagList_cls;

class FilterGridData_cls : public FilterData_cls {
public:
    FilterGridData_cls();
    int Kind() const override { return FILTER_GRID; }

    /// The line colour: the "Color" record at curve position 0 (RGBA 0..1).
    void LineColor(float out[4]) const;

    ConfItemUINT_cls gridType;    ///< "GridType=" 0 x-y, 1 y-z, 2 x-z, 3 cubic, 4 circle, 5 spherical
    ConfItemFLOAT_cls gridMin;    ///< "GridMin=" first line or smallest radius
    ConfItemFLOAT_cls gridMax;    ///< "GridMax=" last line or largest radius
    ConfItemINT_cls gridLineNum;  ///< "GridLineNum=" divisions between min and max (<= 0: 1, at most kGridMaxDivisions)
    ConfItemBOOL_cls gridCoord;   ///< "GridCoord=" the views label the grid's corners
};

/// Most divisions a grid is drawn or written with.
constexpr int kGridMaxDivisions = 100000;

/// Labels of the grid types, untranslated.
extern const char* const GoGridTypeNames[6];

/// Grid line positions a, a + s, ... up to b (1e-6 of slack), s = (b - a) / max(n, 1) with
/// b - a taken as 1 when a equals b. Each position is computed from its index, so a long
/// run of lines does not drift.
std::vector<double> GridLinePositions(float a, float b, int n);

/// The boxes of the grid lines in the plane z = c (first along x at each v, then along y),
/// each J + "box{" corner "," corner "}\n" with trimmed 6-decimal corners; half thickness w.
void PovGridPlaneZ(const wxString& J, wxString& out, float a, float b, int n, float c, float w);
/// The same in the plane x = c.
void PovGridPlaneX(const wxString& J, wxString& out, float a, float b, int n, float c, float w);
/// The same in the plane y = c.
void PovGridPlaneY(const wxString& J, wxString& out, float a, float b, int n, float c, float w);
/// The three faces of the cube [a, b]^3 beyond the scene seen along `direction`: per axis
/// the plane at a when the component is <= 0, else at b (z, then x, then y).
void PovGridPlanes(const wxString& J, wxString& out, float a, float b, int n, float w, const double direction[3]);
/// Tori of the radii a, a + s, ... (negative radii skipped), tube w, turned into the x-y plane.
void PovGridRings(wxString& out, float a, float b, int n, float w);
/// The averaged-form material whose ambient colour is `colour`, then J + "no_shadow".
void PovGridTexture(const wxString& J, wxString& out, const float colour[4]);

class FilterGrid_cls : public FilterBase_cls {
public:
    explicit FilterGrid_cls(FilterCtrl_cls* list);
    FilterGridData_cls* Data() const { return static_cast<FilterGridData_cls*>(GetData()); }

    /// Draws the grid at scene time t under its own Translate, Rotation and Scale; the
    /// corners are labelled into `tags` when "GridCoord=" is 1 (tags may be null). Nothing
    /// when disabled or hidden. GL context required (defined in the views' GL layer).
    void DrawGL(double t, const GLCamera_cls& camera, TagList_cls* tags);
    /// Appends the grid's union at the origin (unmoved: the exported grid ignores its
    /// transform). Nothing for a periodic copy (`copy` 1), a disabled filter or one the eye
    /// hides; a reversed range is written between the same ends as drawn. `indent` is
    /// the caller's indentation, `camera` the exported camera (cubic grids face away from
    /// it), `lineWidth` the views' "LineWidth=" (thickness lineWidth x 0.002).
    void PovGrid(wxString& out, double t, int copy, const wxString& indent, const GLCamera_cls& camera,
                 float lineWidth);

    wxString innerIndent;  ///< the union's inner indentation of the last export
};
