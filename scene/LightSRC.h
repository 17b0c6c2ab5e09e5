// One of the scene's seven light sources: a scene object with key-framed Translate,
// Rotation and Strength, its settings, its OpenGL lighting, its symbol in the views, its
// POV-Ray "light_source" block and its block of the project file.
#pragma once

#include <cstdint>
#include <string>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "scene/SceneObj.h"

class ParamGroup_cls;
class ParamTextStream_cls;

/// Kinds of light ("Type="). A cylinder light is lit and written like a point light.
enum LightType : int { LIGHT_POINT = 0, LIGHT_SPOT = 1, LIGHT_CYLINDER = 2, LIGHT_PARALLEL = 3 };

/// Update bits of every light edit: UPD_VIEWS | UPD_TIME | UPD_LIGHT_GUI.
constexpr uint64_t kLightUpdateFlags = 262;

/// Light `index` (0..6), named "LightSRC<index>", pick id 10 + index. Its colour is white
/// scaled by the Strength. Nothing is cached: every set-up, drawing and text is computed
/// from the values at the time asked for. GUI thread only.
class LightSRC_cls : public SceneObj_cls {
public:
    LightSRC_cls(int index, const std::string& name);
    ~LightSRC_cls() override;

    /// Position (w 0 along RotationDirection(t) when `directional`, else the Translate at t
    /// with w 1, world coordinates) and the two angles (degrees) of the position, taken in
    /// `object`'s frame when one is given (InverseRotatePoint).
    void GetPositionAndAngles(double t, float position[4], float angles[2], bool directional,
                              SceneObj_cls* object);
    /// The Strength at t.
    double StrengthAt(double t);

    // OpenGL (scene/gui/LightSRCGL.cpp; a GL context must be current) --------------------
    /// Sets up GL light `slot` (0..6) for time t under the current model-view matrix;
    /// nothing when the light is not Visible.
    void ApplyGL(int slot, double t, bool fullAmbient, bool useColour);
    /// The light's own GL light (GL_LIGHT0 + index) for the lit pass after shadow volumes:
    /// off when `enable` is false or the light is not Visible.
    void ApplyGLForShadowPass(double t, bool enable);
    /// Enables GL light `light` at the light's place and direction for time t and gives
    /// its diffuse colour `colour` (strength, doubled with fade).
    void PlaceGL(unsigned light, double t, float colour[4]);
    void ApplyGLAttenuation(unsigned light);
    void ApplyGLSpot(unsigned light, double t);
    /// The symbol (drop line, aim line, two circles facing the viewer) and, unless picking,
    /// the Translate path. The selected light's gizmo is drawn by the views.
    void DrawGL(bool pickPass);

    // POV-Ray ---------------------------------------------------------------------------
    /// The "light_source { .. }" block at t; empty when the light is not Visible.
    wxString PovLight(double t);
    /// "\tfade_distance .." and "\tfade_power n" lines, or nothing for Fade 0.
    wxString PovFade() const;
    /// The area-light lines; the size is multiplied by `sizeFactor` for parallel lights.
    wxString PovAreaLight(float sizeFactor) const;

    // Project ---------------------------------------------------------------------------
    /// "---LightSRC <index>", the settings lines, then the Translate, Rotation and Strength
    /// texts.
    std::string WriteSection() const;
    /// Reads one block: `line` is its marker ("---LightSRC <n>") on entry and the last line
    /// read on return. Settings lines up to the first group header, then the three group
    /// blocks; a block written for another slot n is read as this light's. A line holding
    /// "---" before the first header ends the block (it is left in `line`).
    void ReadSection(ParamTextStream_cls& stream, std::string& line);

    /// Undoable copy of the scene-object values, every setting and the Strength curve of
    /// `other`, one history step each (the caller opens the block).
    void CopyFrom(LightSRC_cls& other);

    int index;
    uint64_t updateFlags = kLightUpdateFlags;
    ParamGroup_cls* strength = nullptr;  ///< owned; one component "Strength"
    ConfItemINT_cls type;                ///< LightType
    ConfItemINT_cls spotAngle;           ///< degrees
    ConfItemINT_cls fade;                ///< 0 none, 1 power 1, 2 power 2
    ConfItemFLOAT_cls fadeDistance;
    ConfItemBOOL_cls castShadow;
    ConfItemBOOL_cls lightArea;
    ConfItemFLOAT_cls lightAreaSize;
    ConfItemUINT_cls lightAreaQuality;   ///< samples per axis
};
