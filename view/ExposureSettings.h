// The tone adjustment of every view image (levels, gamma, hue, saturation): its settings
// lines, the colour mapping the exposure shader applies, and the shader's use.
#pragma once

#include <functional>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class ExposurePage_cls;
class wxWindow;

/// The values the exposure shader receives.
struct ExposureParams {
    float levelMin = 0.0f;  ///< input level mapped to 0
    float levelMax = 1.0f;  ///< input level mapped to 1
    float gamma = 1.0f;     ///< output = input^(1/gamma); below 0.01 counts as 0.01
    int hueOffset = 0;      ///< degrees
    int saturation = 0;     ///< percent change, -100 (grey) .. 100 (doubled)
    float alpha = 1.0f;     ///< opacity of the copy
    int blendMode = 0;      ///< 1: colour premultiplied by alpha (eye-buffer accumulation)
};

/// Owned by the central object; GUI thread only (the GL calls need the views' context).
class ExposureSettings_cls {
public:
    /// Names of the uniforms, in the order of `uniformLocation`.
    static const char* const kUniformNames[9];

    /// Registers "ExposureLevel=" ("0 1"), "ExposureGamma=" ("1", read 0.01 to 1000),
    /// "ExposureHueOffset=" ("0", -180 to 180), "ExposureSaturation=" ("0", -100 to 100).
    ExposureSettings_cls();
    /// Deletes the page record. The GL program belongs to the views' context and is left.
    ~ExposureSettings_cls();
    ExposureSettings_cls(const ExposureSettings_cls&) = delete;
    ExposureSettings_cls& operator=(const ExposureSettings_cls&) = delete;

    /// Offers one project line to the group; true when an item took it.
    bool ReadConfig(const wxString& line);
    /// The group's lines (CR LF each), for project files only.
    wxString WriteConfig() const;

    /// True when the levels are exactly 0 to 1, gamma exactly 1, hue and saturation 0.
    bool IsNeutral() const;
    /// The current values as the shader gets them (levels in single precision).
    ExposureParams Params() const;

    /// The colour the exposure shader writes for texel `in` (RGBA, 0..1), into `out`:
    /// 1. levels: (c - min) / (max - min) clamped to 0..1 (equal levels: c >= min gives 1);
    /// 2. gamma: c^(1 / max(gamma, 0.01));
    /// 3. when hue or saturation is set: in HSV the hue turns by hueOffset degrees and the
    ///    saturation is multiplied by (1 + saturation / 100), clamped to 0..1;
    /// 4. blend mode 0: alpha = in alpha x alpha; blend mode 1: colour and alpha x alpha.
    static void MapColour(const ExposureParams& p, const float in[4], float out[4]);

    // GL side (defined with the window code; need the views' current context).
    /// Stores `available` (whether the OpenGL 2 entry points loaded); when set builds the
    /// program from "GL/exposure.vert" and "GL/exposure.frag" with the shared program builder
    /// (compile and link errors in a box over `view`), looks up the uniforms and sets
    /// "textureImage" to 0. Enables or disables the page's panel. Returns whether the program
    /// is usable.
    bool InitShader(bool available, wxWindow* view = nullptr);
    /// Uses the program and sets the uniforms (when available).
    void BeginExposure();
    /// Back to program 0 (when available).
    void EndExposure();

    /// Makes the page record on `parent` (defined with the page).
    void CreatePage(wxWindow* parent);

    ExposurePage_cls* page = nullptr;  ///< owned; null until CreatePage
    bool shaderAvailable = false;      ///< set by InitShader
    ConfItemGroup_cls group;
    ConfItemDOUBLEARRAY_cls level;     ///< values[0] low, values[1] high
    ConfItemFLOAT_cls gamma;
    ConfItemINT_cls hueOffset;
    ConfItemINT_cls saturation;
    float alpha = 1.0f;  ///< set by the view per copy
    int blendMode = 0;   ///< 1 while the view copies into an eye buffer
    int uniformLocation[9] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
    unsigned program = 0;  ///< the GL program; 0 when not built

    /// Set by CreatePage: deletes the page record.
    std::function<void()> releasePage;

private:
    void LookUpUniforms();
    void SetUniforms();
};
