// Entries that commit on Enter, Tab or Space.
#include "common/gui/TextCtrlEX.h"

#include <wx/log.h>

#include "common/EntryNumber.h"
#include "platform/FileNumbers.h"

#include <cstdio>
#include "platform/Trace.h"

namespace {
const long kEntryStyle = wxWANTS_CHARS | wxTE_PROCESS_ENTER | wxTE_PROCESS_TAB;

std::string Utf8(const wxString& s) {
    const wxScopedCharBuffer b = s.utf8_str();
    return std::string(b.data(), b.length());
}

// Whether the text is one number and nothing else (blanks around it allowed), so that what
// the field shows is what a commit stores.
bool IsWholeNumber(const std::string& text, bool integer) {
    size_t used = 0;
    bool ok;
    if (integer) {
        int v = 0;
        ok = platform::ParseInt(text, v, &used);
    } else {
        double v = 0;
        ok = platform::ParseDouble(text, v, &used);
    }
    if (!ok) return false;
    while (used < text.size() && (text[used] == ' ' || text[used] == '\t')) ++used;
    return used == text.size();
}
}  // namespace

TextCtrlEX_cls::TextCtrlEX_cls(wxWindow* parent, wxWindowID id, const wxString& value,
                               const wxPoint& pos, const wxSize& size, long style)
    : wxTextCtrl(parent, id, value, pos, size, style | kEntryStyle, wxDefaultValidator, "text") {
    Bind(wxEVT_CHAR, &TextCtrlEX_cls::OnChar, this);
    Bind(wxEVT_TEXT_ENTER, &TextCtrlEX_cls::OnTextEnter, this);
    Bind(wxEVT_SET_FOCUS, &TextCtrlEX_cls::OnSetFocus, this);
    Bind(wxEVT_KILL_FOCUS, &TextCtrlEX_cls::OnKillFocus, this);
}

TextCtrlEX_cls::~TextCtrlEX_cls() {
    // The focus can leave while the window is torn down; the commit must not run then.
    Unbind(wxEVT_KILL_FOCUS, &TextCtrlEX_cls::OnKillFocus, this);
    Unbind(wxEVT_SET_FOCUS, &TextCtrlEX_cls::OnSetFocus, this);
}

void TextCtrlEX_cls::QueueEnter() { QueueEnterToParent(this); }

void TextCtrlEX_cls::QueueToParent(const wxKeyEvent& event) { QueueKeyToParent(this, event); }

void TextCtrlEX_cls::MoveFocus(bool backward) {
    Navigate(backward ? wxNavigationKeyEvent::IsBackward : wxNavigationKeyEvent::IsForward);
}

void TextCtrlEX_cls::HandleEnter() {
    // Normalise first (an int entry clamps), so the parent reads the committed text.
    CommitText(false);
    QueueEnter();
    if (m_enterNavigates) MoveFocus(false);
}

void TextCtrlEX_cls::OnChar(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_TAB: {
            if (m_tabCommits) CommitText(true);
            if (!FocusNext(event)) MoveFocus(event.ShiftDown() || event.ControlDown());
            return;
        }
        case WXK_SPACE:
            if (!m_spaceCommits || event.HasAnyModifiers()) break;
            CommitText(false);
            // GTK moves the cursor after the key handler; select once it is done.
            CallAfter([this] { SelectAll(); });
            QueueToParent(event);
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            HandleEnter();
            return;
        default:
            break;
    }
    event.Skip();
}

void TextCtrlEX_cls::OnTextEnter(wxCommandEvent&) {
    // Only reached when the Enter character was not seen (some input methods).
    HandleEnter();
}

void TextCtrlEX_cls::OnSetFocus(wxFocusEvent& event) {
    CallAfter([this] { SelectAll(); });
    event.Skip();
}

void TextCtrlEX_cls::OnKillFocus(wxFocusEvent& event) {
    if (!IsBeingDeleted()) CommitText(false);
    event.Skip();
}

// ---------------------------------------------------------------------------------------

AtofTextCtrl_cls::AtofTextCtrl_cls(wxWindow* parent, wxWindowID id, float value,
                                   const wxPoint& pos, const wxSize& size)
    : TextCtrlEX_cls(parent, id, wxString(), pos, size) {
    SetFloat(value);
}

AtofTextCtrl_cls::AtofTextCtrl_cls(wxWindow* parent, wxWindowID id, double value,
                                   const wxPoint& pos, const wxSize& size)
    : TextCtrlEX_cls(parent, id, wxString(), pos, size) {
    SetDouble(value);
}

void AtofTextCtrl_cls::ShowValue(double value, const wxString& text) {
    m_shownText = text;
    m_shownValue = value;
    m_committed = value;
    m_committedSet = true;
    ChangeValue(text);
}

void AtofTextCtrl_cls::SetFloat(float value) {
    ShowValue(value, wxString::FromUTF8(FormatEntryNumber(value)));
}

void AtofTextCtrl_cls::SetDouble(double value) {
    ShowValue(value, wxString::FromUTF8(FormatEntryNumber(value)));
}

double AtofTextCtrl_cls::GetDouble() const {
    const wxString text = GetValue();
    if (text == m_shownText) return m_shownValue;
    return ParseEntryNumber(Utf8(text));
}

float AtofTextCtrl_cls::GetFloat() const { return static_cast<float>(GetDouble()); }

void AtofTextCtrl_cls::CommitText(bool enterRequested) {
    const double v = GetDouble();
    // Text that is no number ("abc", "2x") commits its reading (0, 2): show that reading.
    const wxString text = GetValue();
    if (text != m_shownText && !IsWholeNumber(Utf8(text), false)) {
        const double before = m_committed;
        const bool beforeSet = m_committedSet;
        ShowValue(v, wxString::FromUTF8(FormatEntryNumber(v)));
        m_committed = before;
        m_committedSet = beforeSet;
    }
    const bool same = m_committedSet && (v == m_committed || (v != v && m_committed != m_committed));
    if (enterRequested && !same) {
        QueueEnter();
        platform::Trace("Send RETURN");
    }
    m_committed = v;
    m_committedSet = true;
}

// ---------------------------------------------------------------------------------------

AtoiTextCtrl_cls::AtoiTextCtrl_cls(wxWindow* parent, wxWindowID id, int value, const wxPoint& pos,
                                   const wxSize& size)
    : TextCtrlEX_cls(parent, id, wxString(), pos, size) {
    SetInt(value);
}

int AtoiTextCtrl_cls::GetInt() const {
    int v = 0;
    if (!platform::ParseInt(Utf8(GetValue()), v)) return 0;
    return v;
}

void AtoiTextCtrl_cls::SetInt(int value) {
    const wxString text = wxString::FromUTF8(platform::FormatInt(value));
    m_committedText = text;
    ChangeValue(text);
}

void AtoiTextCtrl_cls::SetRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = maximum;
}

void AtoiTextCtrl_cls::CommitText(bool enterRequested) {
    int v = GetInt();
    if (!(m_min == -1 && m_max == -1)) {
        if (v < m_min) v = m_min;
        if (v > m_max) v = m_max;
        const wxString text = wxString::FromUTF8(platform::FormatInt(v));
        if (text != GetValue()) ChangeValue(text);
    } else if (!IsWholeNumber(Utf8(GetValue()), true)) {
        // Text that is no number commits its reading: show that reading.
        ChangeValue(wxString::FromUTF8(platform::FormatInt(v)));
    }
    int before = 0;
    const bool hadNumber = platform::ParseInt(Utf8(m_committedText), before);
    if (enterRequested && (!hadNumber || before != v)) QueueEnter();
    m_committedText = wxString::FromUTF8(platform::FormatInt(v));
}

// ---------------------------------------------------------------------------------------

AtoSTextCtrl_cls::AtoSTextCtrl_cls(wxWindow* parent, wxWindowID id, const wxString& text,
                                   const wxPoint& pos, const wxSize& size)
    : TextCtrlEX_cls(parent, id, text, pos, size), m_committed(text) {}

void AtoSTextCtrl_cls::CommitText(bool enterRequested) {
    const wxString text = GetValue();
    if (enterRequested && text != m_committed) QueueEnter();
    m_committed = text;
}
