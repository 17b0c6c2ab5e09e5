// Constant-colour command.
#include "common/CommandSetColor.h"

#include <cstdio>
#include <utility>
#include "platform/Trace.h"

CommandSetColor_cls::CommandSetColor_cls(ConfItemFLOATARRAY_cls* target, float red, float green,
                                         float blue, float alpha, uint64_t flags)
    : CommandItem_cls(COMMAND_PLAIN, wxString(), flags),
      item(target),
      channels{red, green, blue, alpha} {}

CommandSetColor_cls::CommandSetColor_cls(Locator locate, float red, float green, float blue,
                                         float alpha, uint64_t flags)
    : CommandItem_cls(COMMAND_PLAIN, wxString(), flags),
      channels{red, green, blue, alpha},
      locate_(std::move(locate)) {}

void CommandSetColor_cls::Execute(bool) {
    ConfItemFLOATARRAY_cls* dest = locate_ ? locate_() : item;
    if (!dest) return;  // the colour record is gone: nothing to change
    for (int i = 0; i < 4; ++i) dest->values[i] = channels[i];
    platform::Trace("ColorExecute Updatebit=" + std::to_string(static_cast<unsigned long long>(updateFlags)));
    if (updateFlags) Notify();
}
