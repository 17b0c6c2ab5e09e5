// The undoable load and close of the particle data.
#include "app/CommandLoadData.h"

CommandLoadData_cls::CommandLoadData_cls(DataLoadTarget_cls* t, const wxString& p)
    : target(t), path(p) {}

void CommandLoadData_cls::Execute(bool) {
    if (!target) return;
    if (path.empty())
        target->ClearData();
    else
        target->LoadFileSequence(path);
}
