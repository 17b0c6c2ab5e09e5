// Colour record: a constant RGBA colour or a four-channel key-framed curve that maps a
// particle attribute to a colour; its project text, tables and POV-Ray colour text.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class ParamGroup_cls;
class ParamTextStream_cls;

/// Entries of the colour table that BuildColorTable makes by default (64 KiB of floats).
constexpr int kColorTableEntries = 4096;

/// Labels of the DependType values 0..10 ("VALUE1", "Radius", ...), untranslated.
extern const char* const GoColorDependTypeNames[11];

/// One named colour of the scene. Created and deleted by its holder (filter data, particle
/// attributes, view settings). Everything runs on the GUI thread except ColorForValue and
/// ColorAt, which worker threads may call at once while nobody edits the record (after
/// UpdateScaling on the GUI thread).
class ColorCurve_cls {
public:
    /// `name` prefixes every key and names the curve group (name + " ColorCurve").
    /// `defaultColor` is the default text of "ConstantColor=" ("0.1 0.3 0.5 1"). `keys`
    /// holds `keyCount` rows {position, r, g, b, a}; without rows the curve runs from opaque
    /// green at 0 to opaque red at 1. The keys are set directly (no undo steps).
    ColorCurve_cls(const std::string& name, const wxString& label, const wxString& defaultColor, int keyCount,
                   const double (*keys)[5]);
    ~ColorCurve_cls();
    ColorCurve_cls(const ColorCurve_cls&) = delete;

    /// Called with each record as it is deleted (before its curve goes), so that windows
    /// showing a record let go of it. One observer; null removes it. GUI thread only.
    static void SetDeleteObserver(void (*observer)(ColorCurve_cls*));
    ColorCurve_cls& operator=(const ColorCurve_cls&) = delete;

    /// Offers the line to the five settings, then lets the curve read its block when the
    /// line is its header ("-ParamGroup=" + name + " ColorCurve"). DependType is clamped
    /// to 0..10.
    void ReadText(ParamTextStream_cls& stream, const std::string& line);
    /// The five settings lines ("key" value CR LF) followed by the curve's text.
    wxString WriteText() const;

    /// Undoable copy of the curve (block "CopyFromP"); unless `curveOnly`, also the five
    /// settings item by item (records of the same name only).
    void CopyFrom(const ColorCurve_cls& source, bool curveOnly);

    /// offset := ScalingMin, range := ScalingMax - ScalingMin; a zero range becomes 1 and
    /// ScalingMax is set to ScalingMin + 1. Call before a pass of ColorForValue.
    void UpdateScaling();
    /// RGBA (0..1 each) for an attribute value: the curve at (value - offset) / range, or the
    /// constant colour. Positions outside the keys give the end keys' colours. Const and
    /// safe from several threads (stores nothing).
    void ColorForValue(float value, float out[4]) const;
    /// The colour at curve position x (no scaling).
    void ColorAt(float x, float out[4]) const;

    /// Samples the curve at `entries` (at least 2) evenly spaced positions over 0..1 for
    /// ColorFromTable, and notes the cells that hold a key. The table is a snapshot: build it
    /// once per frame, after UpdateScaling and before the workers start, on the GUI thread;
    /// later edits of the curve need a new build.
    void BuildColorTable(int entries = kColorTableEntries);
    /// ColorForValue through the table: linear interpolation between the two entries around
    /// the curve position. Cells that hold a key (a kink or a step of the curve), positions
    /// outside 0..1 where the curve still changes, and values that are not numbers are
    /// evaluated directly, so the result differs from ColorForValue only by a smooth
    /// segment's bend inside one cell; positions beyond the end keys give the end colours,
    /// and the constant colour is returned exactly. Without a table, ColorForValue. Const and
    /// safe from several threads once built.
    void ColorFromTable(float value, float out[4]) const;
    /// Entries of the last BuildColorTable (0 before the first).
    int ColorTableEntries() const { return static_cast<int>(colorTable_.size() / 4); }

    /// count RGBA byte entries (R, G, B, A each; channels x 255, truncated, clamped to
    /// 0..255). Constant colour: alpha 255. Curve mode 0: entry i at position i/255; mode 1:
    /// at |i/128 - 1|.
    std::vector<unsigned char> MakeTable(int count, int mode) const;

    /// "rgb<r,g,b>" of the constant colour, three decimals.
    wxString PovRGB() const;
    /// Appends a POV-Ray color_map with one entry per distinct key position of the four
    /// channels ("%g" position, "rgbt" colour with transmit 1 - alpha).
    void PovColorMap(wxString& out, const wxString& indent) const;

    /// Reverses the curve along its positions (undo block "Flip").
    void Flip();
    /// R takes G's curve, G takes B's, B takes R's; A unchanged (undo block "Swap").
    void SwapRGB();

    /// "COLOR=" + the four constant channels ("%f", blank separated) + CR LF.
    wxString CopyColorText() const;
    /// Reads a "COLOR=" text (as the "COLOR=" float-array item with default "0.5 0.5 0.5 1"
    /// reads it) into `out`; false, out untouched, for any text not starting "COLOR=".
    static bool ParseColorText(const wxString& text, float out[4]);

    bool UsesCurve() const { return useColorCurve.value; }
    /// The constant colour's four channels.
    const float* ConstantColor() const { return constantColor.values; }

    std::string name;  ///< prefix of the keys; never shown
    wxString label;    ///< title of the curve editor
    ConfItemGroup_cls settings;
    ConfItemBOOL_cls useColorCurve;          ///< name + "UseColorCurve="
    ConfItemFLOATARRAY_cls constantColor;    ///< name + "ConstantColor=", 4 floats
    ConfItemFLOAT_cls scalingMin;            ///< name + "ScalingMin="
    ConfItemFLOAT_cls scalingMax;            ///< name + "ScalingMax="
    ConfItemUINT_cls dependType;             ///< name + "DependType=", 0..10
    float offset = 0.0f;                     ///< ScalingMin as of the last UpdateScaling
    float range = 1.0f;                      ///< never 0
    ParamGroup_cls* curve = nullptr;         ///< owned; components R, G, B, A

private:
    std::vector<float> colorTable_;          ///< RGBA per entry, entry i at position i / (entries - 1)
    std::vector<unsigned char> directCell_;  ///< per cell between two entries: 1 = evaluate directly
    bool constantBelow_ = true;              ///< the curve at positions below 0 equals entry 0
    bool constantAbove_ = true;              ///< the curve at positions above 1 equals the last entry
};
