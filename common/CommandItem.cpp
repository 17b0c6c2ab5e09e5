// Command base and block markers.
#include "common/CommandItem.h"

#include "common/CommandHistory.h"

CommandItem_cls::CommandItem_cls(int k, const wxString& n, uint64_t flags)
    : kind(k), name(n), updateFlags(flags) {}

CommandItem_cls::~CommandItem_cls() = default;

void CommandItem_cls::Notify() {
    CommandHistory_cls* history = CommandHistory_cls::Running();
    (history ? history : &GoCommandHistory)->Notify(updateFlags);
}

ComBlockOpen::ComBlockOpen(const wxString& n) : CommandItem_cls(COMMAND_BLOCK_OPEN, n) {}

// The running history changes its depth by the command's kind, so that a block marker
// always acts on the history that runs it.
void ComBlockOpen::Execute(bool) {}

ComBlockClose::ComBlockClose(const wxString& n) : CommandItem_cls(COMMAND_BLOCK_CLOSE, n) {}

void ComBlockClose::Execute(bool) {}
