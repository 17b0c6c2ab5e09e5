// The 2-D overlays over a view: the time text and the colour legends of the particle
// types, each painted with a memory device context into a bitmap, turned into an RGBA
// texture in which black is transparent, and drawn as a screen-aligned quad.
#pragma once

#include <vector>

class ColorCurve_cls;
class OverlaySettings_cls;
class wxImage;

/// One renderer (the time renderer or the legend renderer). GUI thread; the draws need a
/// GL context current. Textures are rebuilt on every draw.
class OverlayRenderer_cls {
public:
    explicit OverlayRenderer_cls(const OverlaySettings_cls* settings);
    /// Deletes its textures when a context is current (GL objects go with the context
    /// otherwise).
    ~OverlayRenderer_cls();
    OverlayRenderer_cls(const OverlayRenderer_cls&) = delete;
    OverlayRenderer_cls& operator=(const OverlayRenderer_cls&) = delete;

    /// One texture name (the time renderer) or four (the legend renderer); the GL context
    /// must be current.
    void MakeTexture1();
    void MakeTextures4();
    /// Frees the staging buffer.
    void ReleaseBuffer();

    /// x, y := the reference corner of `position` and `row` on a W x H target; false and
    /// unchanged for a position outside the table.
    bool SetPosition(unsigned position, int row, int width, int height);

    /// The time text "OverLayTimeTag=" + time ("Not Defined" for -9999) at its corner of a
    /// W x H target, added onto what is there; nothing for "Do not show" or a position
    /// outside the table.
    void DrawTime(double time, int width, int height);
    /// The legend of each shown type i (its record `records[i]`, which may be null: no
    /// legend) stacked from the chosen corner.
    void DrawLegends(const ColorCurve_cls* const records[4], int width, int height);

    /// The time text's image (260 x 40, white text on black) for `time`.
    wxImage PaintTimeText(double time) const;
    /// One legend's image (240 x 34): the record's bar over its ruler (or a black strip
    /// when the ticks are hidden).
    wxImage PaintLegend(const ColorCurve_cls& record) const;
    /// The staging buffer := `image` as RGBA, alpha 0 where the pixel is pure black and 255
    /// elsewhere.
    void ImagesToRGBA(const wxImage& image);

    const OverlaySettings_cls* settings;
    int x = 0, y = 0;                     ///< reference corner, window pixels, y up
    std::vector<unsigned char> staging;   ///< RGBA rows, top row first
    int stagingWidth = 0, stagingHeight = 0;
    unsigned textures[4] = {0, 0, 0, 0};

private:
    void Upload(unsigned texture);
};

/// The overlays of one view's window (or of its capture buffer): the time text and the
/// legends for settings `settings`, the data frame's time `time` (-9999 for none) and the
/// colour records of types 0..3 (entries may be null), on a W x H target. Leaves the GL
/// state as it found it. The renderers are made on first use and kept.
void DrawOverlays(int view, int width, int height, const OverlaySettings_cls& settings, double time,
                  const ColorCurve_cls* const records[4]);
/// Deletes the renderers (their textures with them); the context must be current.
void ReleaseOverlayRenderers();
