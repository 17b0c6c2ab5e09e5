// Stereograms: the stereo settings and the key-framed eye distance, where each eye's camera
// stands, which eye each pass draws, how the two eye images are laid out in a view and in a
// saved image, and the eye buffers they are drawn into (GL side in view/gui/StereoGramGL.cpp).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class FBO_cls;
class GLCamera_cls;
class ParamGroup_cls;
class ParamTextStream_cls;

/// "StereogramType=": how the eye cameras are set.
enum StereoCameraSetting : unsigned {
    STEREO_MONOGRAM = 0,  ///< stereo off
    STEREO_OFF_AXIS = 1,  ///< eyes shifted sideways only
    STEREO_TOE_IN = 2,    ///< eyes shifted and turned inwards by the toe-in angle
};

/// "StereogramEye=": what a view shows and an image holds.
enum StereoOutputType : unsigned {
    STEREO_NO_PARALLAX = 0,
    STEREO_LEFT = 1,
    STEREO_RIGHT = 2,
    STEREO_LINE_BY_LINE = 3,
    STEREO_RED_CYAN = 4,
    STEREO_YELLOW_BLUE = 5,
    STEREO_SIDE_BY_SIDE = 6,
};

/// A quad in window (or buffer) pixels, lower left corner (x, y).
struct StereoQuad {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const StereoQuad& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

/// One image file written for a captured frame: which eye buffer, and the eye number that
/// names it (1 "L", 2 "R"; other values no tag).
struct StereoCaptureSave {
    int buffer = 0;
    int eye = 0;
};

/// The one stereogram object (GpStereoGram), created by the central object. GUI thread only.
class StereoGram_cls {
public:
    /// Settings at their defaults, the "Stereogram" eye parameter keyed 0.1 at time 0, no
    /// eye buffers.
    StereoGram_cls();
    /// Deletes the eye parameter; the eye buffers must have been released (ReleaseGL) while
    /// a context of the views was current, or are left to the context's end.
    ~StereoGram_cls();
    StereoGram_cls(const StereoGram_cls&) = delete;
    StereoGram_cls& operator=(const StereoGram_cls&) = delete;

    // ---- settings and files ----
    /// Empties the group, registers the four items and resets them to their defaults ("Set
    /// to Defalt"); the eye parameter is left alone.
    void RegisterSettings();
    /// Offered every line of a project: on "--StereoGram" reads the following lines into
    /// the settings until one holds "ParamGroup=", which the eye parameter reads with the
    /// stream. Any other line is offered to the settings group alone. True when the line
    /// opened the section.
    bool ReadConfig(ParamTextStream_cls& stream, const std::string& line);
    /// "--StereoGram\n", the four settings lines (CR LF each) and the eye parameter's text.
    std::string WriteConfig() const;

    // ---- per-frame logic ----
    /// The camera setting is not Monogram.
    bool StereoOn() const { return cameraSetting.value != STEREO_MONOGRAM; }
    /// 2 when stereo is on and the output type is 3 to 6, else 1.
    int PassCount() const;
    /// Eye drawn by `pass`: 0 mono (stereo off or "No Parallax"), 1 left, 2 right.
    int EyeOfPass(int pass) const;
    /// Eye distance at normalised time t (the key-framed "Distance of Eye"), without writing
    /// the parameter's cache.
    double EyeDistance(double t) const;
    /// 0 for eye 0, -d for eye 1, +d for eye 2.
    double EyeOffset(int eye, double t) const;
    /// Moves `camera` (a copy of a view's camera) for `eye` at time t: half the eye offset
    /// along its right vector and, for Toe-In, turned about its up vector by the toe-in angle
    /// (negated for the left eye). Nothing when stereo is off or for eye 0.
    void ApplyEyeToCamera(GLCamera_cls& camera, int eye, double t) const;
    /// Distance at which the toe-in axes cross: d(t) x 0.5 / tan(angle). A toe-in angle of 0
    /// (parallel axes) gives +infinity.
    double FocusDistance(double t) const;
    /// The focus marker is drawn: Toe-In, an output type other than "No Parallax", and a
    /// finite focus distance.
    bool DrawsFocusMarker(double t) const;
    /// Stereo on, "SIDE BY SIDE", written "Combined".
    bool IsCombinedSideBySide() const;
    /// Channels (r, g, b, a) written while `pass` is copied or composed: red-cyan pass 0 red,
    /// pass 1 green and blue; yellow-blue pass 0 red and green, pass 1 blue; all otherwise.
    void EyeColorMask(int pass, bool out[4]) const;
    /// Fit mode of the composition: 2 with distortion, 1 for a fisheye view, else 0.
    int ComposeFitMode(bool distortion) const;
    /// Where an eye buffer (a square image) goes in a W x H window for fit mode `mode`:
    /// 0 the square over the wider side, centred; 1 H x H centred horizontally; 2 W x H.
    static StereoQuad FittedQuad(int mode, int W, int H);
    /// The left and right quads of "SIDE BY SIDE" in a W x H window.
    void SideBySideQuads(bool distortion, int W, int H, StereoQuad out[2]) const;
    /// Stereo on with the two eyes shown side by side, each in its half of the window.
    bool IsSideBySide() const;
    /// The pass whose picture a composed view shows at window column x (pixels from the
    /// left) of a W-wide window: side by side, 1 in the right half (x >= W / 2) and 0 in
    /// the left; 0 for every other composition.
    int PassAtColumn(double x, int W) const;
    /// The eye whose camera drew the picture of `pass` as the window shows it: side by side
    /// or a single pass, EyeOfPass(pass); where two eyes overlay each other (line by line,
    /// anaglyphs), 0, the camera between them.
    int EyeOfShownPass(int pass) const;
    /// Rows of a H-pixel window that show the right eye in "LINE BY LINE": 1, 3, 5, ...
    static std::vector<int> LineStencilRows(int H);
    /// Files written for one captured frame of a view with `cameraChoice`: eye buffer 0 as
    /// eye 1 and eye buffer 1 as eye 2 when written separately (stereo on, two-pass type, a
    /// camera choice that is not an axis view, "Separately"); else one file from buffer 0
    /// with the output type as the eye (0 when stereo is off), after CombineForCapture.
    std::vector<StereoCaptureSave> CapturePlan(int cameraChoice) const;
    /// True when CapturePlan gives one file made by merging both eyes.
    bool CaptureCombines(int cameraChoice) const;
    /// "LINE BY LINE" written "Combined" cannot be saved: the dialog refuses that choice.
    static bool IsRefusedCombination(unsigned outputType, unsigned fileOutput);
    /// Recomputes the shown focus distance for time t.
    void UpdateFocus(double t) { focusDistance = FocusDistance(t); }

    // ---- GL side (view/gui/StereoGramGL.cpp; a context of the views current) ----
    /// Clears both existing eye buffers to transparent black.
    void ClearEyeBuffers();
    /// Creates eye buffer [pass] at eyeBufferSize, or gives it that size.
    void PrepareEyeBuffer(int pass);
    /// Around the copy of a scene image into eye buffer [pass]: allocates it as RGB and
    /// binds it without clearing its colour (motion-blur samples add up); EndEyePass leaves it.
    void BeginEyePass(int pass);
    void EndEyePass(int pass);
    /// glColorMask of EyeColorMask(pass) (colour white first); ResetColorMask writes all.
    void ApplyEyeColorMask(int pass);
    void ResetColorMask();
    /// Draws the eye buffers into the viewW x viewH window by the output type.
    void Compose(bool distortion);
    /// Before a one-file capture, merges eye buffer 1 into eye buffer 0 (side by side: the
    /// two halves). Nothing unless both buffers exist.
    void CombineForCapture();
    /// Marks the right-eye rows in the stencil (at pixel centres).
    void DrawLineStencil();
    /// The focus cross at camera position + focus distance x direction, scaled 0.02 x size,
    /// drawn with the display list `crossList`. Nothing unless DrawsFocusMarker(t).
    void DrawFocusMarker(const GLCamera_cls& camera, double t, double size, unsigned crossList);
    /// Deletes the eye buffers (their GL objects with them).
    void ReleaseGL();
    /// Draws `texture` as quad `q` of a vw x vh target (pixel projection), textured and
    /// modulated by the current colour, with the blending and masks the caller has set.
    static void DrawTextureIdQuad(unsigned texture, int vw, int vh, const StereoQuad& q);
    FBO_cls* EyeBuffer(int i) const { return (i == 0 || i == 1) ? eyeBuffers[i] : nullptr; }
    /// Chooses the pair of eye buffers the next passes use: the views' shared pair, or
    /// (`capturing`) a pair of the capturing view's own, so that the samples a capture adds
    /// up are never cleared or overdrawn by another view painting in between.
    void UseCaptureBuffers(bool capturing) {
        if (capturing == usingCapturePair) return;
        std::swap(eyeBuffers[0], otherBuffers[0]);
        std::swap(eyeBuffers[1], otherBuffers[1]);
        usingCapturePair = capturing;
    }

    void SetViewSize(int width, int height) { viewWidth = width, viewHeight = height; }

    // ---- fields ----
    int eyeBufferSize = 2048;            ///< side of the square eye buffers
    FBO_cls* eyeBuffers[2] = {nullptr, nullptr};  ///< eye 1 and eye 2; owned (GL side)
    FBO_cls* otherBuffers[2] = {nullptr, nullptr};  ///< the pair not in use; owned
    bool usingCapturePair = false;       ///< eyeBuffers hold the capturing view's pair
    bool fisheye = false;                ///< set by the view before Compose
    int viewWidth = 0, viewHeight = 0;   ///< window being composed
    ParamGroup_cls* eyeParam = nullptr;  ///< "Stereogram" / "Distance of Eye"; owned
    ConfItemGroup_cls group;
    ConfItemDOUBLE_cls toeInAngle;       ///< "StereoGramToeInAngle=", degrees, 0..45
    ConfItemUINT_cls cameraSetting;      ///< "StereogramType=" 0..2
    ConfItemUINT_cls outputType;         ///< "StereogramEye=" 0..6
    ConfItemUINT_cls fileOutput;         ///< "SterogramDualOutput=" 0 Combined, 1 Separately
    double focusDistance = 0;            ///< shown in the dialog (+inf: parallel eyes)
};

/// The program's stereogram object (null before the central object makes it).
extern StereoGram_cls* GpStereoGram;
