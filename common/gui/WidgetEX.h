// Mixin of the program's buttons, check box, sliders and small panels: key presses they do
// not use go on to the parent window under the parent's id.
#pragma once

class wxEvent;
class wxKeyEvent;
class wxWindow;

class WidgetEX_cls {
public:
    virtual ~WidgetEX_cls() = default;

    /// The control this mixin belongs to.
    virtual wxWindow* GetWindow() = 0;

    /// Queues a copy of `event`, with its id set to the parent window's id, to the parent
    /// window's event handler (handled after the current handler returns). Does nothing
    /// for a control without a parent. GUI thread.
    void ForwardCommand(wxEvent& event);

    /// Whether a key press belongs to the window rather than to a control: Ctrl, Alt or Meta
    /// held, or a function key. Controls that keep their keys still let these go on, so that
    /// the window's menu accelerators work whatever control has the focus.
    static bool IsWindowKey(const wxKeyEvent& event);
};
