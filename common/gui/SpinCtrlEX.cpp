// Integer spin control that commits on an arrow, Enter, Tab or Space.
#include "common/gui/SpinCtrlEX.h"

#include "platform/FileNumbers.h"

SpinCtrlEX_cls::SpinCtrlEX_cls(wxWindow* parent, wxWindowID id, int value, int minimum,
                               int maximum, const wxPoint& pos, const wxSize& size)
    : wxSpinCtrl(parent, id, wxString::FromUTF8(platform::FormatInt(value)), pos, size,
                 wxSP_ARROW_KEYS | wxWANTS_CHARS | wxTE_PROCESS_ENTER, minimum, maximum, value,
                 "wxSpinCtrl") {
    // GTK draws a spin button no narrower than its entry plus both arrow buttons; a
    // narrower width given by the caller (the panels' default 80) is widened to that, so
    // the toolkit never has to squeeze it below its minimum.
    if (size.x > 0) {
        const int needed = GetBestSize().x;
        if (size.x < needed) SetInitialSize(wxSize(needed, size.y));
    }
    Bind(wxEVT_CHAR, &SpinCtrlEX_cls::OnChar, this);
    Bind(wxEVT_TEXT_ENTER, &SpinCtrlEX_cls::OnTextEnter, this);
    Bind(wxEVT_SPINCTRL, &SpinCtrlEX_cls::OnSpin, this);
    Bind(wxEVT_SET_FOCUS, &SpinCtrlEX_cls::OnSetFocus, this);
    Bind(wxEVT_KILL_FOCUS, &SpinCtrlEX_cls::OnKillFocus, this);
    // An arrow click or arrow key is a deliberate step and commits; typed digits commit only
    // by Enter, Tab or Space, even when the control takes the typed number on focus loss.
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        const int k = e.GetKeyCode();
        m_typing = !(k == WXK_UP || k == WXK_DOWN || k == WXK_PAGEUP || k == WXK_PAGEDOWN ||
                     k == WXK_NUMPAD_UP || k == WXK_NUMPAD_DOWN || k == WXK_TAB ||
                     k == WXK_RETURN || k == WXK_NUMPAD_ENTER || k == WXK_SHIFT ||
                     k == WXK_CONTROL || k == WXK_ALT);
        e.Skip();
    });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        m_typing = false;
        e.Skip();
    });
}

SpinCtrlEX_cls::~SpinCtrlEX_cls() {
    Unbind(wxEVT_KILL_FOCUS, &SpinCtrlEX_cls::OnKillFocus, this);
    Unbind(wxEVT_SET_FOCUS, &SpinCtrlEX_cls::OnSetFocus, this);
    Unbind(wxEVT_SPINCTRL, &SpinCtrlEX_cls::OnSpin, this);
}

void SpinCtrlEX_cls::QueueEnter() { QueueEnterToParent(this); }

void SpinCtrlEX_cls::HandleEnter(const wxKeyEvent*) {
    m_typing = false;
    CommitText(false);
    QueueEnter();
    if (m_enterNavigates) Navigate(wxNavigationKeyEvent::IsForward);
}

void SpinCtrlEX_cls::OnChar(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_TAB:
            m_typing = false;
            if (m_tabCommits) CommitText(true);
            if (!FocusNext(event))
                Navigate((event.ShiftDown() || event.ControlDown())
                             ? wxNavigationKeyEvent::IsBackward
                             : wxNavigationKeyEvent::IsForward);
            return;
        case WXK_SPACE:
            if (!m_spaceCommits || event.HasAnyModifiers()) break;
            m_typing = false;
            CommitText(false);
            SetSelection(-1, -1);
            QueueKeyToParent(this, event);
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            HandleEnter(&event);
            return;
        default:
            break;
    }
    event.Skip();
}

void SpinCtrlEX_cls::OnTextEnter(wxCommandEvent&) { HandleEnter(nullptr); }

void SpinCtrlEX_cls::OnSpin(wxSpinEvent& event) {
    event.Skip();
    if (!m_typing) CommitText(true);
}

void SpinCtrlEX_cls::OnSetFocus(wxFocusEvent& event) {
    CallAfter([this] { SetSelection(-1, -1); });
    event.Skip();
}

void SpinCtrlEX_cls::OnKillFocus(wxFocusEvent& event) {
    if (!IsBeingDeleted()) CommitText(false);
    event.Skip();
}

// ---------------------------------------------------------------------------------------

AtoiSpinCtrl_cls::AtoiSpinCtrl_cls(wxWindow* parent, wxWindowID id, int value,
                                   const wxPoint& pos, const wxSize& size)
    : SpinCtrlEX_cls(parent, id, value, -99999, 99999, pos, size), m_committed(value) {}

void AtoiSpinCtrl_cls::SetValueText(int value) {
    SetValue(value);
    m_committed = GetValue();
}

void AtoiSpinCtrl_cls::SetRange(int minimum, int maximum) {
    if (maximum < minimum) std::swap(minimum, maximum);
    m_min = minimum;
    m_max = maximum;
    wxSpinCtrl::SetRange(minimum, maximum);
}

void AtoiSpinCtrl_cls::CommitText(bool enterRequested) {
    const int v = GetValue();
    if (enterRequested && v != m_committed) QueueEnter();
    m_committed = v;
}
