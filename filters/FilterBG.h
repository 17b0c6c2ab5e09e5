// The BG filter of the world list: the scene's background as a star field, a sky textured
// from image files (two fisheye half-skies or one spherical panorama) or a sky coloured by
// a colour curve along the elevation; its settings, star generator and POV-Ray text.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/string.h>

#include "filters/FilterBase.h"

class FilterBGData_cls : public FilterData_cls {
public:
    FilterBGData_cls();
    int Kind() const override { return FILTER_BG; }
    /// BGBrightness within 0..kMaxBGBrightness (an entry may have typed more): the number
    /// and strength of the drawing passes and the POV-Ray ambient.
    float Brightness() const;

    ConfItemUINT_cls bgType;         ///< "BGType=" 0 Star Field, 1 Texture Map, 2 Color Curve
    ConfItemINT_cls starNumber;      ///< "BGStarNumber=" number of stars
    ConfItemFLOAT_cls bgScale;       ///< "BGScale=" radius of the background sphere
    ConfItemFLOAT_cls starScale;     ///< "StarScale=" star size factor
    ConfItemFLOAT_cls brightness;    ///< "BGBrightness=" drawing passes, POV-Ray ambient
    ConfItemUINT_cls mappingType;    ///< "BGMappingType=" 0 Fisheye, 1 Spherical
    ConfItemSTR_cls textureA;        ///< "BGTectureA=" upper dome or the panorama ("NONE")
    ConfItemSTR_cls textureB;        ///< "BGTectureB=" lower dome ("NONE")
    ConfItemUINT_cls colorMap;       ///< "BGColorMap=" 0 Odd, 1 Even
    std::vector<int> colorCounters;  ///< change counters of the BGColor curve seen last
};

/// The star generator shared by the views and POV-Ray: s := s * 214013 + 2531011 (mod 2^32),
/// each draw (s >> 16) & 0x7FFF, so the same stars come out on every platform.
class StarRandom_cls {
public:
    explicit StarRandom_cls(uint32_t seed) : state_(seed) {}
    /// 0..32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_;
};

/// One star of the field.
struct BGStar_cls {
    float position[3];  ///< on the sphere of radius BGScale
    float size;         ///< edge factor of its quad (the POV-Ray radius is size x 0.125)
    float color[4];     ///< RGBA; alpha grows from 1/6 for star 0 to 1 at the middle
};

/// Largest BGBrightness: each unit is one more pass over the whole sky, so a larger value
/// would only stall the views.
constexpr float kMaxBGBrightness = 16.0f;

/// Most stars a field holds (a larger count from a file or an entry is taken as this).
constexpr int kMaxStars = 1000000;

/// The `count` stars of a field of radius `bgScale` and size factor `starScale` (generator
/// seeded with 1; nothing for count 0 or less).
std::vector<BGStar_cls> MakeStarField(int count, float bgScale, float starScale);

/// Repairs the rim of a square fisheye image with alpha in place: the pixels on the circle's
/// edge take the colours found 1.5 pixels inside it. `rgb` holds w*h RGB triples, `alpha`
/// w*h values; nothing for a non-square image or without alpha.
void FixFisheyeEdge(unsigned char* rgb, unsigned char* alpha, int w, int h);

/// What the BG filters need of a POV-Ray export run. The export calls StartRun (or clears
/// commonWritten) at every snapshot export and at the start of every animation run.
struct PovBGContext_cls {
    /// Absolute folder and file prefix of the run's files ("/work/POV/"); a common file is
    /// named prefix + "Common" + PovSafeFileName(filter name) + ".pov".
    std::string pathPrefix;
    /// The first common file that could not be written ("cannot write <path>: <reason>"),
    /// "" when none; the caller empties it before the filters write.
    std::string failure;
    /// Texture files left out of the scene because POV-Ray cannot open their names.
    std::vector<std::string> notes;
    /// Set by the first BG filter that writes its text; cleared by StartRun.
    uint32_t commonWritten = 0;
    /// Names of the filters whose common file this run has written: each static BG filter's
    /// file is written once per run, several filters each their own.
    std::set<std::string> writtenCommon;
    void StartRun() {
        commonWritten = 0;
        writtenCommon.clear();
    }
};

/// GL objects of a filter, made and used by the views' GL layer; the filter only owns them.
/// The destructor makes no GL call: ReleaseGL deletes the GL names.
class FilterGLCache_cls {
public:
    virtual ~FilterGLCache_cls() = default;
    /// Deletes every GL name held (textures, display lists). GUI thread, with the context
    /// the names were made in current.
    virtual void ReleaseGL() {}
};

class FilterBG_cls : public FilterBase_cls {
public:
    explicit FilterBG_cls(FilterCtrl_cls* list);
    ~FilterBG_cls() override;
    FilterBGData_cls* Data() const { return static_cast<FilterBGData_cls*>(GetData()); }

    /// Draws the background at scene time t (nothing when disabled). GUI thread, a view's
    /// GL context current (defined in the views' GL layer).
    void Draw(double t);
    /// GL objects of the views' layer (textures, display lists); owned here.
    std::unique_ptr<FilterGLCache_cls> glCache;

    /// Appends the filter's POV-Ray text at time t: declarations, then the background union
    /// (for a static filter an include of its common file, written when this run has not
    /// written it yet) or, for a colour sky, its sky_sphere. A common file that cannot be
    /// written is named in `context.failure`; the include line is still written.
    void WritePov(wxString& out, double t, PovBGContext_cls& context);
    /// True when Translate, Rotation and Scale are all constant.
    bool IsStatic() const;

    // The parts of the text (each appends to `out`).
    void PovStarMacro(wxString& out);
    void PovDomeDeclares(wxString& out);
    void PovSkySphere(wxString& out, double t);
    void WritePovUnion(wxString& out, double t);
    void PovStars(wxString& out);
    /// `which` 0 texture A (upper dome), 1 texture B (lower dome).
    void PovDome(wxString& out, int which);
    void PovSphere(wxString& out);
    /// "image_map { <type> "<file>" interpolate 2[ map_type 1]}\n" of `file`.
    static wxString PovImageMap(const wxString& file, bool spherical);
    /// True when texture `which` (0 A, 1 B) goes into the scene: it is set (not "NONE") and
    /// POV-Ray can open its name.
    bool PovTextureWritten(int which) const;
    wxString PovFinish() const;
};
