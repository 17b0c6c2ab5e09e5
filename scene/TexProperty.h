// The surface record of the filters that draw solids (Object and Stick): GL shader choice,
// transparency, mirror reflection, index of refraction and two layers of POV-Ray normal
// patterns, with the POV-Ray fragments of that part of the surface.
#pragma once

#include <wx/string.h>

#include "common/ConfItem.h"

class ConfItemGroup_cls;
class TexProperty_cls;

/// The texture editor as a record sees it: the record tells the editor bound to it to edit
/// nothing when it is destroyed. Implemented by the editor dialog.
class TexPropertyEditor_cls {
public:
    virtual ~TexPropertyEditor_cls() = default;
    /// Edit `record` (null: nothing) under `title`.
    virtual void Attach(TexProperty_cls* record, const wxString& title) = 0;
};

/// Number of entries of the normal-pattern table (0 = layer off).
constexpr int kNormalPatternCount = 12;

/// POV-Ray text of normal pattern `index`; "" outside the table.
const char* NormalPatternPovText(unsigned index);
/// Label of normal pattern `index` as the editor lists it ("ridged_mf" for the function).
const char* NormalPatternLabel(unsigned index);

/// One texture record, embedded by value in its filter's data. GUI thread only.
class TexProperty_cls {
public:
    TexProperty_cls();
    /// Detaches a bound editor first, so it never points at a destroyed record.
    ~TexProperty_cls();
    TexProperty_cls(const TexProperty_cls&) = delete;
    TexProperty_cls& operator=(const TexProperty_cls&) = delete;

    /// Registers the items in `group` with their keys and defaults, in the order the filter
    /// text carries them: ShaderType, Shininess, TransmitType, Alpha, ReflectType,
    /// ReflectMin, ReflectMax, IOR, then NormalPattern/Degree/Scale of layer 0 and 1.
    void Register(ConfItemGroup_cls& group);

    /// Sets the alpha (index 3) of the three RGBA colours: `alpha` when the transmit type
    /// is not 0, else 1.
    void ApplyAlpha(float ambient[4], float diffuse[4], float specular[4]) const;
    /// " reflection{min,max}" ("%f" each) when the reflect type is not 0, else "".
    wxString PovReflection() const;
    /// " ior <IOR>" ("%f") when IOR is not exactly 1, else "".
    wxString PovIor() const;
    /// The normal block of the two layers ("" when both are off); lines end in "\n".
    wxString PovNormal() const;
    /// Text of layer `i` (0 or 1): pattern text, degree and uniform scale.
    wxString PovNormalLayer(int i) const;
    /// True when a layer uses the f_ridged_mf function (the scene then needs
    /// "functions.inc").
    bool UsesFunctions() const;

    /// The editor bound to this record (not owned), or null.
    TexPropertyEditor_cls* editor = nullptr;

    ConfItemUINT_cls shaderType;    ///< "ShaderType=": 0 original, 1 Gouroud, 2 Phong, 3 Toon
    ConfItemINT_cls shininess;      ///< "Shininess=": 0..100, stored only
    ConfItemUINT_cls reflectType;   ///< "ReflectType=": 0 no mirror, 1 mirror like, 2 metal like
    ConfItemFLOAT_cls reflectMin;   ///< "ReflectMin=": reflection along the normal, 0..1
    ConfItemFLOAT_cls reflectMax;   ///< "ReflectMax=": reflection at a shallow angle, 0..1
    ConfItemFLOAT_cls ior;          ///< "IOR=": index of refraction
    ConfItemUINT_cls transmitType;  ///< "TransmitType=": 0 no transmit, 1 transmit, 2 filtered
    ConfItemFLOAT_cls alpha;        ///< "Alpha=": opacity used when transmitType != 0, 0..1
    ConfItemUINT_cls normalPattern[2];  ///< "NormalPattern<i>=": index into the pattern table
    ConfItemFLOAT_cls normalDegree[2];  ///< "NormalDegree<i>=": strength of layer i
    ConfItemFLOAT_cls normalScale[2];   ///< "NormalScale<i>=": uniform scale of layer i
};
