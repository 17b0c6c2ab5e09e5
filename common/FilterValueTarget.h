// A filter list as the bound-widget editors see it: the address of a filter setting,
// and the undoable command that stores a value into that setting again by its address.
#pragma once

#include <cstdint>

#include <wx/string.h>

class CommandItem_cls;

/// Implemented by the filter lists. Editors of filter settings commit through it, so that
/// the commands they push find their filter again by name when they run (a filter can be
/// deleted and recreated while the commands are in the history). GUI thread only.
class FilterValueTarget_cls {
public:
    virtual ~FilterValueTarget_cls() = default;

    /// The address of the settings value at `value` ("<filter name>::<key>", or
    /// "<filter name>::<key>::DIM=<j>" for an array element), or "" when no filter of
    /// the list holds a setting at that address.
    virtual wxString GetItemAddress(const void* value) const = 0;

    /// A new command that, when run, stores the value into the setting at `address` and
    /// raises `updateFlags`. The caller hands it to the command history, which owns it.
    /// An address that no longer resolves makes the command do nothing when it runs.
    virtual CommandItem_cls* MakeValueCommand(const wxString& address, int value,
                                              uint64_t updateFlags) = 0;
    virtual CommandItem_cls* MakeValueCommand(const wxString& address, unsigned value,
                                              uint64_t updateFlags) = 0;
    virtual CommandItem_cls* MakeValueCommand(const wxString& address, float value,
                                              uint64_t updateFlags) = 0;
    virtual CommandItem_cls* MakeValueCommand(const wxString& address, double value,
                                              uint64_t updateFlags) = 0;
    virtual CommandItem_cls* MakeValueCommand(const wxString& address, const wxString& value,
                                              uint64_t updateFlags) = 0;
};
