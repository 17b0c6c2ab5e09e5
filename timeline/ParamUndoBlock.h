// An undo block of the command history that is opened only when the first command is
// about to be pushed into it, so that an edit which changes nothing leaves no empty step.
#pragma once

#include <string>

class ParamUndoBlock_cls {
public:
    /// `outer`: a lazy block that must be open before this one (may be null). With
    /// `enabled` false the block never opens (edits without history blocks).
    explicit ParamUndoBlock_cls(const std::string& name, ParamUndoBlock_cls* outer = nullptr,
                                bool enabled = true)
        : name_(name), outer_(outer), enabled_(enabled) {}
    /// Closes the block when it was opened.
    ~ParamUndoBlock_cls() { Close(); }
    ParamUndoBlock_cls(const ParamUndoBlock_cls&) = delete;
    ParamUndoBlock_cls& operator=(const ParamUndoBlock_cls&) = delete;

    /// Opens the outer block (when any) and then this one, unless already open.
    void Ensure();
    /// Closes this block when open (the outer one stays open).
    void Close();
    bool Opened() const { return opened_; }

private:
    std::string name_;
    ParamUndoBlock_cls* outer_;
    bool enabled_;
    bool opened_ = false;
};
