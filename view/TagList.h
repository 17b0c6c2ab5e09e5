// Text labels ("tags") placed in 3-D while drawing and written in window pixels after the
// pass, and the tag font and colour settings.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class ColorCurve_cls;
class ParamTextStream_cls;

/// One label at a point of the model space current when it was added.
struct Tag_cls {
    wxString text;
    float x = 0, y = 0, z = 0;
    double winX = 0, winY = 0, winZ = 0;  ///< window position, filled by Project
};

/// The labels of one view's pass. GUI thread.
class TagList_cls {
public:
    /// True when a label with exactly this text is listed.
    bool Contains(const wxString& text) const;
    /// Appends a label unless its text is already listed; true when added.
    bool Add(const wxString& text, float x, float y, float z);
    void Clear() { tags.clear(); }

    /// Projects every label through the current modelview, projection and viewport (kept
    /// for later); nothing when the list is empty. GL context required (GL layer).
    void Project();
    /// Draws the projected labels as bitmap text in the tag colour and font, lighting off.
    /// `viewport` = (x, y, width, height) of the view. GL context required (GL layer).
    void Draw(const int viewport[4]) const;

    std::vector<Tag_cls> tags;
    double modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    int viewport[4] = {0, 0, 0, 0};
};

/// The tag settings: "TagFontIndex=" (0..4: Helvetica 10, 12, 18, Times Roman 10, 24;
/// default 4) and the colour record "TagColor" (constant "1 1 1 1").
/// The tag font used for an index outside the table.
constexpr int kDefaultTagFontIndex = 4;

struct TagSettings_cls {
    ConfItemGroup_cls group;
    ConfItemUINT_cls fontIndex;
};
extern TagSettings_cls GoTagConfig;
/// The "TagColor" record; null until InitTagSettings.
extern ColorCurve_cls* GpTagColor;

/// Registers "TagFontIndex=" and makes the TagColor record, once. GUI thread.
void InitTagSettings();
/// Offers a view-settings line to the font item, then to the colour record (which may read
/// its curve block from `stream`).
void ReadTagSettings(ParamTextStream_cls& stream, const std::string& line);
/// The font line followed by the colour record's text.
wxString WriteTagSettings();
