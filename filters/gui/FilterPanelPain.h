// A filter page of the main window: the scrolled window that shows the panels of one
// filter list in list order, follows the list's changes, and turns clicks on its empty
// area into "select nothing" and the add-filter menu.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/scrolwin.h>

#include "filters/FilterListView.h"
#include "filters/gui/FilterGUI.h"

class FilterCtrl_cls;
class ParamGUICtrl_cls;
class wxBoxSizer;

/// GUI thread only. Registers itself as the list's view and unregisters when destroyed.
class FilterPanelPain_cls : public wxScrolledWindow, public FilterListView_cls {
public:
    /// A page in `book` for `list` (borrowed; it must outlive the page). Panels are made
    /// for the filters the list holds already.
    FilterPanelPain_cls(wxWindow* book, FilterCtrl_cls* list);
    ~FilterPanelPain_cls() override;

    /// Given to every panel made from now on.
    FilterGUIHooks hooks;
    /// The lower parameter panel, where the key-framed transforms of new filters are
    /// listed (may return null).
    std::function<ParamGUICtrl_cls*()> paramPanel;

    FilterCtrl_cls* List() const { return list_; }
    /// The panel controller of `filter`, or null.
    FilterGUI_cls* GUIOf(const FilterBase_cls* filter) const;
    /// The panel controller of the filter at `index` of the list, or null.
    FilterGUI_cls* GUIAt(int index) const;
    /// Every panel shows its values again.
    void RefreshPanels();
    /// Lays the panels out and sets the scrolled area to their height.
    void Relayout();

    // FilterListView_cls
    void FilterAdded(FilterBase_cls* filter, int index) override;
    void FilterRemoving(FilterBase_cls* filter, int index) override;
    void FiltersSwapped(int index, int offset) override;
    void FilterSelectionChanged(FilterBase_cls* filter) override;
    void FilterChanged(FilterBase_cls* filter) override;
    void FilterValuesBounded(FilterBase_cls* filter, const wxString& why) override;

private:
    void OnMouse(wxMouseEvent& event);

    FilterCtrl_cls* list_;
    wxBoxSizer* sizer_;
    std::vector<std::unique_ptr<FilterGUI_cls>> guis_;  ///< in no particular order
};
