// Keys handed on to the main window's shortcuts.
#include "common/gui/ShortcutForwarder.h"

int GiForwardedKey = 0;
int GiForwardedKeyMods = 0;

namespace {
ShortcutForwarder_cls*& Slot() {
    static ShortcutForwarder_cls* forwarder = nullptr;
    return forwarder;
}
}  // namespace

void ShortcutForwarder_cls::Install(ShortcutForwarder_cls* forwarder) { Slot() = forwarder; }
ShortcutForwarder_cls* ShortcutForwarder_cls::Installed() { return Slot(); }

int ShortcutForwarder_cls::ModifierMask(const wxKeyEvent& event) {
    int mask = 0;
    if (event.AltDown()) mask |= 1;
    if (event.RawControlDown()) mask |= 2;
    if (event.ShiftDown()) mask |= 4;
    if (event.MetaDown()) mask |= 8;
    return mask;
}

bool ShortcutForwarder_cls::Forward(const wxKeyEvent& event) {
    GiForwardedKey = event.GetKeyCode();
    GiForwardedKeyMods = ModifierMask(event);
    ShortcutForwarder_cls* f = Slot();
    if (!f) return false;
    f->ForwardKey(GiForwardedKey, GiForwardedKeyMods);
    return true;
}
