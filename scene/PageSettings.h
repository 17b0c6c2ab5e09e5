// A settings object with its own configuration items and (once built) its own dialog page:
// the shape of the POV-Ray settings groups and of other option pages.
#pragma once

#include <vector>

#include <wx/string.h>

#include "common/ConfItemGroup.h"

class MultiInputPanel_cls;
class wxWindow;

/// Owns nothing but its item list; the items are members of the derived class. GUI thread.
class PageSettings_cls {
public:
    PageSettings_cls() = default;
    virtual ~PageSettings_cls() = default;
    PageSettings_cls(const PageSettings_cls&) = delete;
    PageSettings_cls& operator=(const PageSettings_cls&) = delete;

    /// Offers one configuration line to the items; true when one took it.
    virtual bool ReadText(const wxString& line) { return items.OfferLine(line); }
    /// The configuration lines of all items, in registration order ("Key=value\r\n").
    wxString WriteText() const { return items.WriteAll(); }

    // Page helpers, defined with the windows (scene/gui/PageSettingsGUI.cpp).
    /// Freezes the page while items are shown or hidden.
    void BeginUpdate();
    /// Lays the page out again and thaws it.
    void EndUpdate();
    /// Freezes the page and `dialog`, lets `refit` refit the dialog, thaws both.
    void RefitDialog(wxWindow* dialog);
    /// Enables or disables every item of the page.
    void EnableAll(bool enable);
    /// Shows or hides item `index` of the page (nothing without a page).
    void ShowItem(int index, bool show);
    /// Refreshes every control of the page from its bound value.
    void UpdateWidgets();

    MultiInputPanel_cls* page = nullptr;  ///< the page, once built; owned by the dialog
    ConfItemGroup_cls items;              ///< the object's items, in writing order
};
