// Lazily opened undo blocks.
#include "timeline/ParamUndoBlock.h"

#include "common/CommandHistory.h"

void ParamUndoBlock_cls::Ensure() {
    if (opened_) return;
    if (outer_) outer_->Ensure();
    if (!enabled_) return;
    GoCommandHistory.BeginBlock(wxString::FromUTF8(name_.c_str()));
    opened_ = true;
}

void ParamUndoBlock_cls::Close() {
    if (!opened_) return;
    opened_ = false;
    GoCommandHistory.EndBlock(wxString::FromUTF8(name_.c_str()));
}
