// The "Overlay" page's settings: the time text (corner, tag, font) and the colour legends
// of the particle types drawn over every view, with the layout rules both overlays follow.
#pragma once

#include <functional>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class OverlayPage_cls;
class wxWindow;

/// Size of the time text's image and of one legend's image (bar 240 x 20 over a ruler
/// 240 x 14), in pixels.
constexpr int kOverlayTimeWidth = 260, kOverlayTimeHeight = 40;
constexpr int kLegendWidth = 240, kLegendBarHeight = 20, kLegendTicsHeight = 14;
constexpr int kLegendHeight = kLegendBarHeight + kLegendTicsHeight;
/// The time a frame without one reports.
constexpr double kNoFrameTime = -9999.0;

/// Window position (y upwards) of the reference corner of overlay row `row` at corner
/// `position` of a W x H target: 0 top left (20, H - 36 (row + 1)), 1 top right (W - 260,
/// H - 36 (row + 1)), 2 bottom left (20, 20 + 36 row), 3 bottom right (W - 260, 20 + 36 row).
/// False, x and y untouched, for any other position: such an overlay is not drawn.
bool OverlayCorner(unsigned position, int row, int width, int height, int& x, int& y);

/// `tag` followed by the time formatted as "%g" (whatever the user's locale), or by
/// "Not Defined" when the time is kNoFrameTime.
wxString OverlayTimeText(const wxString& tag, double time);

/// Where one legend goes: its particle type and the lower left corner of its 240 x 34 quad.
struct LegendPlacement {
    int type;
    int x, y;
};

/// Owned by the central object; GUI thread only.
class OverlaySettings_cls {
public:
    /// Registers, in this order: "OverLayTimePos=" ("4"), "OverLayTimeFontFamily=" ("2"),
    /// "OverLayTimeFontPoint=" ("18"), "OverLayTimeCustomFont=" (""), "OverLayTimeTag="
    /// ("Time="), "OverLayShowLegend=" ("1 0 0 0"), "OverLayLegendPos=" ("3"),
    /// "OverLayLegendIgnoreAlphe=" ("0"), "OverLayLegendIgnoreTics=" ("0"). Values read are
    /// clamped to their choices (point size to 1..500).
    OverlaySettings_cls();
    /// Deletes the page record.
    ~OverlaySettings_cls();
    OverlaySettings_cls(const OverlaySettings_cls&) = delete;
    OverlaySettings_cls& operator=(const OverlaySettings_cls&) = delete;

    /// The group's lines (CR LF each), for project files only.
    wxString WriteText() const;
    /// Offers one line to the group; true when an item took it.
    bool ReadText(const wxString& line);

    /// Makes the page record on `parent` (defined with the page); a second call replaces it.
    void CreatePage(wxWindow* parent);

    /// True when the time text is drawn (a corner 0..3 is chosen).
    bool ShowsTime() const { return timePos.value <= 3; }
    /// The legends to draw on a W x H target: each type 0..3 whose flag is set, in type
    /// order, the first at the corner "OverLayLegendPos=" and each next one 36 pixels
    /// further from it (below a top corner, above a bottom one). Empty for a position
    /// outside 0..3.
    std::vector<LegendPlacement> LegendPlacements(int width, int height) const;
    /// The face for the time text: the custom face for family 7, else "".
    wxString FontFace() const;
    /// The font family 0..7; one outside the table gives 0 ("Default").
    unsigned FontFamily() const { return fontFamily.value <= 7 ? fontFamily.value : 0; }
    /// The point size, at least 1.
    int FontPoint() const { return fontPoint.value >= 1 ? fontPoint.value : 1; }

    OverlayPage_cls* page = nullptr;  ///< owned; null until CreatePage
    ConfItemGroup_cls group;
    ConfItemUINT_cls fontFamily;   ///< "OverLayTimeFontFamily="
    ConfItemINT_cls fontPoint;     ///< "OverLayTimeFontPoint="
    ConfItemUINT_cls timePos;      ///< "OverLayTimePos=": 0..3 corners, 4 not shown
    ConfItemSTR_cls timeTag;       ///< "OverLayTimeTag="
    ConfItemSTR_cls customFont;    ///< "OverLayTimeCustomFont="
    ConfItemBOOLARRAY_cls showLegend;  ///< "OverLayShowLegend=": one flag per type
    ConfItemUINT_cls legendPos;    ///< "OverLayLegendPos=": 0..3
    ConfItemUINT_cls ignoreAlpha;  ///< "OverLayLegendIgnoreAlphe=": 1 paints the bar opaque
    ConfItemUINT_cls ignoreTics;   ///< "OverLayLegendIgnoreTics=": 1 leaves the ruler out

    /// Set by CreatePage: deletes the page record.
    std::function<void()> releasePage;
};
