// Undoable commands on the filter lists: make or delete a filter, move it, store a
// setting by its value address, and key a parameter group by filter and group name.
// Each finds its filter again by list and name (or position) when it runs, so a filter
// that was deleted and recreated in between is still found, and a missing one is skipped.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>

#include "common/CommandItem.h"

class CommandHistory_cls;
class FilterBase_cls;
class FilterCtrl_cls;
class FilterData_cls;

/// Kind -1: deletes the filter named `name` (when a name is given) or else the filter at
/// `index`. Any other kind: inserts a filter of that kind at `index` with a snapshot (taken
/// now) of `source`'s settings, colours, key frames and name, or default settings when
/// `source` is null.
class CommandFilterMake_cls : public CommandItem_cls {
public:
    CommandFilterMake_cls(FilterCtrl_cls* list, int kind, int index, const FilterData_cls* source,
                          const wxString& name = wxString(), uint64_t updateFlags = 0x802);
    ~CommandFilterMake_cls() override;
    void Execute(bool undo) override;

private:
    FilterCtrl_cls* list_;
    int kind_;
    int index_;
    bool selectAfter_ = false;  ///< the source was selected: the new filter is selected again
    wxString filterName_;
    std::unique_ptr<FilterBase_cls> snapshot_;  ///< holder of the snapshot data; not in a list
};

/// Renames the filter named `from` to `to` (nothing when there is none).
class CommandFilterRename_cls : public CommandItem_cls {
public:
    CommandFilterRename_cls(FilterCtrl_cls* list, const wxString& from, const wxString& to,
                            uint64_t updateFlags = 0x802);
    void Execute(bool undo) override;

private:
    FilterCtrl_cls* list_;
    wxString from_;
    wxString to_;
};

/// Exchanges filters `index` and `index + offset`.
class CommandFilterMove_cls : public CommandItem_cls {
public:
    CommandFilterMove_cls(FilterCtrl_cls* list, int index, int offset, uint64_t updateFlags = 0x802);
    void Execute(bool undo) override;

private:
    FilterCtrl_cls* list_;
    int index_;
    int offset_;
};

/// Stores (x, n) into the setting at a value address ("<name>::<key>[::DIM=<j>]").
class CommandFilterValue_cls : public CommandItem_cls {
public:
    CommandFilterValue_cls(FilterCtrl_cls* list, const wxString& address, double x, int n,
                           uint64_t updateFlags);
    void Execute(bool undo) override;

private:
    FilterCtrl_cls* list_;
    wxString address_;
    double x_;
    int n_;
};

/// Stores a text into the string setting at a value address ("<name>::<key>"): the
/// filter is found again by name when the command runs.
class CommandFilterText_cls : public CommandItem_cls {
public:
    CommandFilterText_cls(FilterCtrl_cls* list, const wxString& address, const wxString& text, uint64_t updateFlags);
    void Execute(bool undo) override;

private:
    FilterCtrl_cls* list_;
    wxString address_;
    wxString text_;
};

/// Keys parameter group `paramName` of filter `filterName` with `values` at the current
/// time (forced), outside the parameter undo history.
class CommandFilterParamInit_cls : public CommandItem_cls {
public:
    CommandFilterParamInit_cls(FilterCtrl_cls* list, const wxString& filterName, const std::string& paramName,
                               const std::vector<double>& values, uint64_t updateFlags);
    void Execute(bool undo) override;

private:
    FilterCtrl_cls* list_;
    wxString filterName_;
    std::string paramName_;
    std::vector<double> values_;
};

/// The menu's add: one "AddFilter" block that appends a filter of `kind` with default
/// settings and keys its own Scale group to (1, 1, 1) at the current time. Returns the new
/// filter, or null when the kind is not built.
FilterBase_cls* AddFilterCommand(CommandHistory_cls& history, FilterCtrl_cls* list, int kind);
