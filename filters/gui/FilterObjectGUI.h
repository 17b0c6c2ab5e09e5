// Panel of the Object filter: shape and shader, the mesh path with its file button, the
// affine map button, the transform rows and the three material colours.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterObject_cls;

class FilterObjectGUI_cls : public FilterGUI_cls {
public:
    explicit FilterObjectGUI_cls(FilterBase_cls* filter);

    /// Shows the path row and the "Affine map" button only for ObjectType 3 while the panel
    /// is open; lays the filter pages out again.
    void Refresh();
    /// The ".." button: asks for a mesh file; an answer changes ImportPath in one undo step.
    void ChooseMeshFile();
    /// The "Affine map" button: the three vectors in a dialog; OK with a change is one undo
    /// step.
    void EditAffineMap();
    TexProperty_cls* TextureRecord() override;

    int shapeGroup = -1;    ///< item index of the "Obj/Shader" group
    int pathGroup = -1;     ///< item index of the path group
    int affineButton = -1;  ///< item index of the "Affine map" button
    int fileButton = -1;    ///< item index of the ".." button

protected:
    void BuildRows() override;
    void AfterBuild() override;
    void RefreshRows() override { Refresh(); }

private:
    FilterObject_cls* object_;
};
