// Base of every undoable command, and the two block marker commands of the history.
#pragma once

#include <cstdint>

#include <wx/string.h>

/// Kinds of CommandItem_cls.
enum CommandKind {
    COMMAND_PLAIN = 0,
    COMMAND_BLOCK_OPEN = 1,
    COMMAND_BLOCK_CLOSE = 2,
};

/// One half of an undoable step. An edit makes two commands of one class, do (the new
/// state) and undo (the old state), and hands them to CommandHistory_cls::Push, then
/// CommandHistory_cls::Redo. From Push on the history owns (and deletes) them.
/// A command that targets something that can be deleted and recreated while the command
/// is in the history (a filter, its colour records) must find it again when it runs
/// (by list and name), never keep a raw pointer to it. GUI thread only.
class CommandItem_cls {
public:
    int kind = COMMAND_PLAIN;  ///< CommandKind
    wxString name;             ///< command name ("value", "ParamInit", a block's name)
    wxString targetName;       ///< name of the changed object (key-frame commands); else ""
    uint64_t updateFlags = 0;  ///< UPD_* bits raised by Notify (see CommandHistory.h)

    CommandItem_cls() = default;
    CommandItem_cls(int kind, const wxString& name, uint64_t updateFlags = 0);
    virtual ~CommandItem_cls();
    CommandItem_cls(const CommandItem_cls&) = delete;
    CommandItem_cls& operator=(const CommandItem_cls&) = delete;

    /// Establishes the state the command holds. `undo` is true when the history runs it
    /// as an undo step; commands of a pair are separate objects, so they ignore it.
    /// Commands with update flags end with Notify().
    virtual void Execute(bool undo) = 0;

    /// Raises updateFlags in the history that is running this command (GoCommandHistory
    /// when the command runs outside a history).
    void Notify();
};

/// Opens a block: running it raises the block depth of the running history by 1.
class ComBlockOpen : public CommandItem_cls {
public:
    explicit ComBlockOpen(const wxString& name);
    /// The depth change is made by the history running the step; nothing else happens.
    void Execute(bool undo) override;
};

/// Closes a block: running it lowers the block depth of the running history by 1 (never
/// below 0).
class ComBlockClose : public CommandItem_cls {
public:
    explicit ComBlockClose(const wxString& name);
    void Execute(bool undo) override;
};
