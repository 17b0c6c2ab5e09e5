// The undoable load and close of the particle data: one command class whose path says
// which half it runs (a path loads that sequence, the empty path clears the data).
#pragma once

#include <wx/string.h>

#include "common/CommandItem.h"

/// What the load command acts on: the central object's two halves of a load.
class DataLoadTarget_cls {
public:
    virtual ~DataLoadTarget_cls() = default;
    /// Takes the numbered sequence whose first file is `path` as the current data.
    virtual void LoadFileSequence(const wxString& path) = 0;
    /// Waits for the data workers and releases the current data.
    virtual void ClearData() = 0;
};

/// Runs LoadFileSequence(path), or ClearData for the empty path. Raises no update flags.
/// The target outlives the history's commands (the central object). GUI thread only.
class CommandLoadData_cls : public CommandItem_cls {
public:
    CommandLoadData_cls(DataLoadTarget_cls* target, const wxString& path);
    void Execute(bool undo) override;

    DataLoadTarget_cls* target;  ///< borrowed
    wxString path;               ///< first file of the sequence; "" closes the data
};
