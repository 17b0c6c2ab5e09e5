// How the particles of one type of one data sequence are drawn: draw type and quality,
// blending, radius and alpha rules, the shader choice, the billboard texture and four colours.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class ColorCurve_cls;
class DataSequence_cls;
class DrawOptions_cls;
class ParamTextStream_cls;
class ParticleAttribPanel_cls;
class wxWindow;

/// One attribute set; every data sequence owns four (types 0..3). Settings are stored under
/// the key prefix "SEQ<n>TYPE<t>". GUI thread, except that the drawing workers may read the
/// values and call the colour records' const lookups while nobody edits them.
class ParticleAttrib_cls {
public:
    /// Builds the key prefix from `sequenceIndex` (n) and `typeIndex` (t, 0..3), the label
    /// "Attrib <t>", the four colour records and the thirteen settings with their defaults.
    /// `owner` and `drawOptions` are borrowed and may be null.
    ParticleAttrib_cls(DataSequence_cls* owner, int sequenceIndex, int typeIndex,
                       DrawOptions_cls* drawOptions = nullptr);
    ~ParticleAttrib_cls();
    ParticleAttrib_cls(const ParticleAttrib_cls&) = delete;
    ParticleAttrib_cls& operator=(const ParticleAttrib_cls&) = delete;

    /// RadiusFactorForConst when RadiusType is 1 ("Constant (unity)"), else RadiusFactor.
    float GetRadiusFactor() const;

    /// Offers a settings line to Ambient, Diffuse, Specular, then Col, then the items; lines
    /// nobody claims are ignored. A colour record may read its curve block from `stream`.
    void ReadConfig(ParamTextStream_cls& stream, const std::string& line);
    /// The colour records' text (Ambient, Diffuse, Specular, Col) followed by the item lines.
    wxString WriteConfig() const;

    /// The shared shader manager's Use with ShaderType and `lightCount`; nothing while there
    /// is no manager. Needs the current GL context (defined in the GL layer).
    void UseShader(int lightCount) const;
    /// The shared shader manager's Stop; nothing while there is no manager.
    void StopShader() const;
    /// (Re)creates the billboard texture from TexFileBillboard (found as program data when
    /// relative); an unreadable file leaves an empty 0 x 0 texture. Needs the current GL
    /// context (defined in the GL layer).
    void UploadBillboard();

    /// Makes the "Attrib <t>" page binding on `parent` (replacing an earlier one); the
    /// page's controls are built by its CreateControls. Defined with the page (GL layer).
    void CreatePanelBinding(wxWindow* parent);

    /// RGBA bytes of a width x height image, row by row: R, G, B from `rgb` (3 bytes per
    /// pixel) and A from `alpha` (1 byte per pixel), or 255 when `alpha` is null.
    static std::vector<unsigned char> BillboardBytes(const unsigned char* rgb, const unsigned char* alpha,
                                                     int width, int height);

    DataSequence_cls* owner;            ///< borrowed
    DrawOptions_cls* drawOptions;       ///< borrowed: DownSizing, SortOrder and Classify
    std::unique_ptr<ColorCurve_cls> col;       ///< colour of points and billboards
    std::unique_ptr<ColorCurve_cls> ambient;   ///< sphere material
    std::unique_ptr<ColorCurve_cls> diffuse;   ///< sphere material
    std::unique_ptr<ColorCurve_cls> specular;  ///< sphere material
    ParticleAttribPanel_cls* panel = nullptr;  ///< owned page binding; null until made
    /// Set with the page binding: deletes it (the page's type lives with the windows).
    std::function<void()> releasePanel;
    unsigned int billboardTexture = 0;  ///< GL texture name; 0 = none
    int billboardWidth = 0;             ///< size of the uploaded billboard image (0 when empty)
    int billboardHeight = 0;
    int typeIndex;                      ///< 0..3
    std::string keyPrefix;              ///< "SEQ<n>TYPE<t>"
    wxString label;                     ///< "Attrib <t>"

    ConfItemGroup_cls settings;
    ConfItemUINT_cls drawType;              ///< 0 Point, 1 Billboard, 2 Sphere, 3 Both, 4 Hide
    ConfItemUINT_cls drawQuality;           ///< 0 Low, 1 Middle, 2 High
    ConfItemUINT_cls blendType;             ///< 0 AlphaBlend, 1 Additive
    ConfItemUINT_cls radiusType;            ///< 0 Use Data, 1 Constant (unity)
    ConfItemFLOAT_cls radiusFactor;         ///< radius factor for RadiusType 0
    ConfItemFLOAT_cls radiusFactorForConst; ///< radius factor for RadiusType 1
    ConfItemINT_cls pointSize;              ///< GL point size of draw type Point, 1..50
    ConfItemUINT_cls alphaType;             ///< 0 Constant (unity), 1 Depend on R (power -2)
    ConfItemUINT_cls shaderType;            ///< 0 fixed pipeline, 1 Gouraud, 2 Phong, 3 Toon
    ConfItemFLOAT_cls alphaFactro;          ///< alpha factor ("AlphaFactro=")
    ConfItemFLOAT_cls alphaDependBase;      ///< base radius of the radius-dependent alpha
    ConfItemFLOAT_cls alphaMax;             ///< upper bound of the radius-dependent alpha
    ConfItemSTR_cls texFileBillboard;       ///< billboard texture file
};
