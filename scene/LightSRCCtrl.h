// The scene's seven light sources and their set-wide services: the active count, the
// selected light, adding and removing lights as undoable steps, the lighting of the views,
// the light symbols, the POV-Ray light text and the "---AllLightSource" project section.
#pragma once

#include <functional>
#include <string>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "scene/LightSRC.h"

class ParamTextStream_cls;

/// Turns all seven GL lights off with black ambient, diffuse and specular colours. GL
/// context required (scene/gui/LightSRCGL.cpp).
void DisableGLLights();

/// Owns lights 0..6 for its whole life; lights with index < LightNumber are active, the
/// others keep their values and are skipped by every set-wide operation. GUI thread only.
class LightSRCCtrl_cls {
public:
    static constexpr int kLights = 7;

    LightSRCCtrl_cls();
    ~LightSRCCtrl_cls();
    LightSRCCtrl_cls(const LightSRCCtrl_cls&) = delete;
    LightSRCCtrl_cls& operator=(const LightSRCCtrl_cls&) = delete;

    int LightNumber() const { return lightNumber.value; }
    LightSRC_cls& Light(int i) { return *lights[i]; }
    /// The light `selected` points at, or null (-1 or an inactive index).
    LightSRC_cls* SelectedLight();

    // Editing (undoable, one history block each) --------------------------------------
    /// Below seven lights: LightNumber + 1 and the new light selected, one undo step. The
    /// editor is rebound and the container groups follow in any case.
    void AddLight();
    /// Removes the selected light: the lights above it move one slot down, LightNumber - 1,
    /// and the selection moves down when the last light went (to -1 for the only one).
    /// Nothing without an active selected light.
    void RemoveLight();
    /// selected := index (not undoable); rebinds the editor.
    void SelectLight(int index);
    /// Called after the selection or the light count changed (the editor rebinds). May be
    /// empty.
    std::function<void()> onBind;

    // Set-wide services ----------------------------------------------------------------
    int GetShadowLightIndex();
    int CountShadowLights();
    int CountVisibleLights();
    int FirstVisibleIndex();
    void GetLightVectors(double t, float position[4], float angles[2], int index, bool directional,
                         SceneObj_cls* object);
    /// Placement of each active light at t (once per view draw).
    void UpdateTransforms(double t);
    /// Container groups active for index < LightNumber; the parameter panel lays out again
    /// when that changed any.
    void UpdateGroupStates();
    /// "light_source" blocks of the active lights in index order.
    wxString PovLights(double t);

    // OpenGL (scene/gui/LightSRCGL.cpp) ----------------------------------------------
    /// The views' lighting: every active light, only the first Visible one with ambient.
    void ApplyGLLights(double t);
    /// Only light `index`, as GL light 0 (one light's shadow-volume pass).
    void ApplyOneGLLight(int index, double t);
    /// The lit pass after shadow volumes: the first Visible light (ambient only when it
    /// casts shadows) and the lights that cast none.
    void ApplyGLLightsForShadow(double t, int passFlag);
    /// Each active light's symbol under its pick name (10 + index).
    void DrawGL(bool pickPass);

    // Project section ------------------------------------------------------------------
    /// "---AllLightSource", "LightNumber=", the blocks of the active lights,
    /// "---AllLightSourceEnd".
    std::string WriteSection() const;
    /// Reads the section when `line` is "---AllLightSource"; other lines do nothing.
    /// Blocks fill lights 0, 1, .. in order (their numbers are not used); blocks beyond the
    /// seventh are skipped; lights without a block keep their values.
    void ReadSection(ParamTextStream_cls& stream, const std::string& line);

    ConfItemGroup_cls items;     ///< "LightNumber="
    ConfItemINT_cls lightNumber; ///< 0..7
    int selected = 0;            ///< light the editor edits; -1 after the last was removed
    uint64_t updateFlags = kLightUpdateFlags;

private:
    LightSRC_cls* lights[kLights] = {};
};

/// The scene's lights, set by the central object (null before and after).
extern LightSRCCtrl_cls* GpLightSRCCtrl;
