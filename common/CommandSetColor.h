// The undoable "store a constant colour" command: four channels into the first four
// elements of a colour record's "ConstantColor=" float-array item.
#pragma once

#include <cstdint>
#include <functional>

#include "common/CommandItem.h"
#include "common/ConfItem.h"

/// Writes red, green, blue and alpha (0..1 floats) into elements 0..3 of a float-array
/// item, prints "ColorExecute Updatebit=<flags>" to standard output, then raises its
/// update flags. A colour edit pushes (new channels, the item's current channels).
///
/// Colour records of filters can be deleted and recreated while the command is in the
/// history: such a target is given as a locator, called at each run, that finds the item
/// again (by list and name) and returns null when it no longer exists; then the command
/// changes and raises nothing. A fixed item (one living as long as the program) may be
/// given directly; it is not owned. The item's count is not changed (every array item
/// has room for 16 elements). GUI thread only.
class CommandSetColor_cls : public CommandItem_cls {
public:
    using Locator = std::function<ConfItemFLOATARRAY_cls*()>;

    CommandSetColor_cls(ConfItemFLOATARRAY_cls* item, float red, float green, float blue,
                        float alpha, uint64_t flags);
    CommandSetColor_cls(Locator locate, float red, float green, float blue, float alpha,
                        uint64_t flags);

    void Execute(bool undo) override;

    ConfItemFLOATARRAY_cls* item = nullptr;  ///< fixed target, or null when located
    float channels[4] = {0, 0, 0, 0};        ///< red, green, blue, alpha

private:
    Locator locate_;
};
