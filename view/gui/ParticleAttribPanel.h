// The "Attrib <t>" page of the upper panel: how the particles of one type are drawn.
#pragma once

#include <functional>

class ColorCurveBtn_cls;
class MultiInputPanel_cls;
class ParticleAttrib_cls;
class wxSizer;
class wxWindow;

/// Page record owned by its ParticleAttrib_cls; the panel is a child window of `parent`.
/// GUI thread only.
class ParticleAttribPanel_cls {
public:
    ParticleAttribPanel_cls(ParticleAttrib_cls* attrib, wxWindow* parent);

    /// Builds the page's rows into `sizer` (may be null): type and quality, blend and
    /// shader, radius rule and factors, point size, alpha rule, factor and base/max, the
    /// "Color" and "Material" colour buttons; then Sync. Committed values redraw the views
    /// and refresh the drawable frame.
    void CreateControls(wxSizer* sizer);
    /// Shows the controls that the current draw type, alpha type and radius type use and
    /// hides the others; nothing when none of the three changed since the last Sync.
    void Sync();
    /// Refreshes every control from its value.
    void RefreshAll();

    /// Called when a choice changes; the upper panel sets it to sync all four pages.
    /// Empty: this page syncs itself.
    std::function<void()> onSelect;

    ParticleAttrib_cls* attrib;
    wxWindow* parent;
    MultiInputPanel_cls* panel = nullptr;
    int radiusItem = -1, pointSizeItem = -1, radiusFactorItem = -1, radiusFactorConstItem = -1,
        alphaFactorItem = -1, baseMaxItem = -1, shaderItem = -1;
    int colorItem = -1;     ///< group "Color": the Col button (points and billboards)
    int materialItem = -1;  ///< group "Material": Ambient, Diffuse, Specular (spheres)
    ColorCurveBtn_cls* colorButton = nullptr;  ///< windows of the panel
    ColorCurveBtn_cls* ambientButton = nullptr;
    ColorCurveBtn_cls* diffuseButton = nullptr;
    ColorCurveBtn_cls* specularButton = nullptr;
    int lastDrawType = -1, lastAlphaType = -1, lastRadiusType = -1;
};
