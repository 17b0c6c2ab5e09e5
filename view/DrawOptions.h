// How the particles are drawn: down-sizing, depth-sort type, classification by type and
// shadows, with the settings lines of the "Option" page.
#pragma once

#include <functional>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

class OptionPage_cls;
class wxWindow;

/// Owned by the central object; GUI thread only.
class DrawOptions_cls {
public:
    /// Registers "DownSizing=" ("1", 1 to 1000), "SortOrder=" ("0", 0 to 2), "Classify="
    /// ("1", 0 to 1) and "Shadow=" ("0", 0 to 2), in this order; values read are clamped.
    DrawOptions_cls();
    /// Deletes the page record (the page's windows belong to their parent).
    ~DrawOptions_cls();
    DrawOptions_cls(const DrawOptions_cls&) = delete;
    DrawOptions_cls& operator=(const DrawOptions_cls&) = delete;

    /// The group's lines (CR LF each), for project files only.
    wxString WriteText() const;
    /// Offers one project line to the group; true when an item took it.
    bool ReadText(const wxString& line);

    /// Makes the page record on `parent` (defined with the page); a second call replaces it.
    void CreatePage(wxWindow* parent);

    int DownSizing() const { return downSizing.value; }     ///< 1 to 1000 when read from a file
    unsigned SortOrder() const { return sortOrder.value; }  ///< 0 none, 1 transparent, 2 solid
    unsigned Classify() const { return classify.value; }    ///< 0 attribute 0 only, 1 all
    unsigned Shadow() const { return shadow.value; }        ///< 0 none, 1 volume, 2 show

    OptionPage_cls* page = nullptr;  ///< owned; null until CreatePage
    ConfItemGroup_cls group;
    ConfItemINT_cls downSizing;
    ConfItemUINT_cls sortOrder;
    ConfItemUINT_cls classify;
    ConfItemUINT_cls shadow;

    /// The shadow settings' "ShadowQuality=" (0..2) and "ShadowLength=" edited in the
    /// page's "Q./Length" group; set by their owner before the page is built. While null
    /// the page edits `shadowQualityStandIn` and `shadowLengthStandIn`.
    unsigned* shadowQuality = nullptr;
    float* shadowLength = nullptr;
    unsigned shadowQualityStandIn = 0;
    float shadowLengthStandIn = 0.0f;

    /// Set by CreatePage: deletes the page record (the page's type lives with the windows).
    std::function<void()> releasePage;
};
