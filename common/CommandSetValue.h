// The undoable "store a value into a variable" command, for every value kind of the
// settings: float, double, int, unsigned, text and one-byte bool.
#pragma once

#include <cstdint>
#include <functional>

#include <wx/string.h>

#include "common/CommandItem.h"

/// Value kinds of CommandSetValue_cls (the filter value command uses the same codes).
enum CommandValueType {
    CVT_FLOAT = 0,
    CVT_DOUBLE = 1,
    CVT_INT = 2,
    CVT_UINT = 3,
    CVT_STRING = 10,
    CVT_BOOL = 11,  ///< a one-byte bool variable (check boxes); stores 0 or 1
};

/// Stores its held value into a variable of exactly its kind, in either direction, then
/// raises its update flags. An edit pushes (new value, old value) with the same target
/// and flags, then calls Redo.
///
/// The target is either a fixed address (a variable of a long-lived settings owner; not
/// owned) or, for variables inside objects that can be deleted and recreated while the
/// command is in the history, a locator called at each run that finds the variable again
/// and returns null when it no longer exists (then the command changes nothing and
/// raises nothing). The locator must return the address of a variable of the command's
/// kind. GUI thread only.
class CommandSetValue_cls : public CommandItem_cls {
public:
    using Locator = std::function<void*()>;

    CommandSetValue_cls(float* target, float value, uint64_t flags);        ///< name "float"
    CommandSetValue_cls(double* target, double value, uint64_t flags);      ///< name "double"
    CommandSetValue_cls(int* target, int value, uint64_t flags);            ///< name "value"
    CommandSetValue_cls(unsigned int* target, unsigned int value, uint64_t flags);  ///< "uint"
    CommandSetValue_cls(wxString* target, const wxString& value, uint64_t flags);   ///< "str"
    CommandSetValue_cls(bool* target, bool value, uint64_t flags);          ///< name "bool"

    /// A command whose target is found by `locate` at each run; the value's C++ type
    /// gives the kind, so `locate` must return the address of a variable of that type.
    /// The result is owned by the caller until pushed.
    static CommandSetValue_cls* MakeLocated(Locator locate, float value, uint64_t flags);
    static CommandSetValue_cls* MakeLocated(Locator locate, double value, uint64_t flags);
    static CommandSetValue_cls* MakeLocated(Locator locate, int value, uint64_t flags);
    static CommandSetValue_cls* MakeLocated(Locator locate, unsigned int value, uint64_t flags);
    static CommandSetValue_cls* MakeLocated(Locator locate, const wxString& value, uint64_t flags);
    static CommandSetValue_cls* MakeLocated(Locator locate, bool value, uint64_t flags);

    /// Stores the value (float 32 bits, double 64, int and unsigned 32, text by
    /// assignment, bool one byte), then Notify() when flags are set.
    void Execute(bool undo) override;

    void* target = nullptr;   ///< fixed target, or null when located
    int valueType = CVT_INT;  ///< CommandValueType
    float floatValue = 0.0f;
    double doubleValue = 0.0;
    unsigned int uintValue = 0;
    int intValue = 0;
    wxString stringValue;
    bool boolValue = false;

private:
    CommandSetValue_cls(int valueType, const wxString& name, uint64_t flags);
    template <typename T, typename V>
    static CommandSetValue_cls* Located(Locator locate, const V& v, uint64_t flags);
    Locator locate_;
};
