// The Object filter: one solid in the scene (box, square plane, sphere or an imported
// mesh) with a key-framed placement, a material of three colours, a texture record, and
// its POV-Ray declaration and object text.
#pragma once

#include <functional>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "filters/FilterBase.h"
#include "scene/ObjectMesh.h"
#include "scene/TexProperty.h"

class CommandHistory_cls;
class GLCamera_cls;
struct MaterialColors_cls;
struct ObjectDrawContext;

/// Shapes of "ObjectType=".
enum ObjectShape { OBJECT_BOX = 0, OBJECT_PLANE = 1, OBJECT_SPHERE = 2, OBJECT_IMPORT = 3 };

/// What the POV-Ray writers of the objects take from the POV-Ray settings, given by the
/// scene writer (empty members: defaults).
struct PovObjectStyle_cls {
    bool singleForm = false;  ///< "PovFastColoring=" is 1: one pigment and one finish
    /// The per-object photons line for (opacity, reflectMin, reflectMax, noTarget); empty:
    /// no photons line.
    std::function<wxString(double, double, double, bool)> photons;
    /// Makes a mesh file's path relative to the scene's folder; empty: the path as it is.
    std::function<wxString(const wxString&)> relativePath;
    /// Hears what a declaration leaves out of the scene (a mesh path POV-Ray cannot open);
    /// empty: nobody.
    std::function<void(const std::string&)> note;
    /// The exported camera (not owned; null: the default camera): cubic grids show the
    /// cube's faces beyond the scene as seen from it.
    const GLCamera_cls* camera = nullptr;
    /// The views' "LineWidth=": grid lines are lineWidth x 0.002 thick.
    float lineWidth = 5.0f;

    /// The style of the POV-Ray controller's settings (fast colouring, photons, work
    /// folder); the defaults before the controller exists.
    static PovObjectStyle_cls FromController();
};

class FilterObjectData_cls : public FilterData_cls {
public:
    FilterObjectData_cls();
    ~FilterObjectData_cls() override;
    int Kind() const override { return FILTER_OBJECT; }

    /// ImportPath with data frame `frame` put into its one integer conversion ("%d",
    /// "%03d", ...); a path with any other '%' conversion is used as it stands.
    wxString MeshPath(int frame) const;
    /// Loads the mesh for data frame `frame` (nothing when that path was read last). A
    /// problem is returned once per path, "" otherwise.
    std::string LoadMesh(int frame);
    /// "\tmatrix<" the nine ArrayVector values ("%f" each, followed by ",") "0,0,0>".
    wxString PovMatrix() const;
    /// The three colours at parameter 0 (the constant colour, or the curve at 0), with the
    /// texture's alpha rule applied.
    void MaterialAt0(MaterialColors_cls& out) const;

    ConfItemUINT_cls objectType;     ///< "ObjectType=": ObjectShape (clamped to 0..3)
    ConfItemSTR_cls importPath;      ///< "ImportPath=": mesh path pattern, "NONE" for none
    TexProperty_cls texture;         ///< shader, transparency, mirror, IOR, normal layers
    ObjectMesh_cls mesh;             ///< the mesh of the last load
    ConfItemFLOATARRAY_cls arrayVector[3];  ///< "ArrayVector<i>=": images of the x, y, z axes

private:
    wxString reportedPath_;  ///< the last mesh path whose problem was returned
};

/// One Object filter (kind 2, list 1). GUI thread only.
class FilterObject_cls : public FilterBase_cls {
public:
    explicit FilterObject_cls(FilterCtrl_cls* list);
    FilterObjectData_cls* Data() const { return static_cast<FilterObjectData_cls*>(GetData()); }

    /// The mesh declaration for ObjectType 3 (written enabled or not), else "". A mesh
    /// built from memory is declared as `name`.
    wxString PovDeclare(const PovObjectStyle_cls& style, const wxString& name = "MESH_OBJECT");
    /// One POV-Ray object at normalised time t, or "" (disabled or hidden by the eye;
    /// shapes 0-2 outside mode 0; the mesh outside mode 1; an unknown shape).
    /// `copyTransform` is appended inside the object when not empty; `indent` starts
    /// every line.
    wxString PovObject(double t, const wxString& copyTransform, int mode, const wxString& indent,
                       const PovObjectStyle_cls& style);

    /// GL drawing (defined with the GL code). `pass` 1 draws the mesh (once per periodic
    /// copy), pass 0 the box, plane and sphere. Nothing while disabled or hidden by the eye.
    void Draw(const ObjectDrawContext& context);
    /// The wire cube of the pick pass and, when selected, the gizmo (GL code).
    void DrawOutline(double t);
};

/// Undoable change of `filter`'s ImportPath (one step; the filter is found by its list
/// and name when the step runs). False, nothing pushed, when the path is the same.
bool SetImportPathCommand(CommandHistory_cls& history, FilterObject_cls* filter, const wxString& path);
/// Undoable change of the three ArrayVectors (rows: vector 0, 1, 2) in one unnamed block
/// of nine value steps. False, nothing pushed, when no value changes.
bool SetAffineMapCommand(CommandHistory_cls& history, FilterObject_cls* filter, const float vectors[3][3]);
