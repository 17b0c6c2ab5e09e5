// What a filter list tells the page that shows it: filters added, about to be removed,
// moved, selected or edited. The page (a window) builds and drops the filters' panels.
#pragma once

#include <wx/string.h>

class FilterBase_cls;

/// Implemented by the filter page of a list. Every call comes from the list on the GUI
/// thread, after (or, for removal, before) the list itself has changed.
class FilterListView_cls {
public:
    virtual ~FilterListView_cls() = default;
    /// `filter` now stands at `index` of the list (named, with its settings).
    virtual void FilterAdded(FilterBase_cls* filter, int index) = 0;
    /// `filter` at `index` is about to be deleted (its data still exists).
    virtual void FilterRemoving(FilterBase_cls* filter, int index) = 0;
    /// The filters at `index` and `index + offset` have exchanged places.
    virtual void FiltersSwapped(int index, int offset) = 0;
    /// The selected flag of `filter` changed.
    virtual void FilterSelectionChanged(FilterBase_cls* filter) = 0;
    /// A setting or the name of `filter` changed outside its panel (undo, redo, rename).
    virtual void FilterChanged(FilterBase_cls* filter) = 0;
    /// A value the user gave `filter` was more than the views can draw and was narrowed;
    /// `why` says to what.
    virtual void FilterValuesBounded(FilterBase_cls* filter, const wxString& why) = 0;
};
