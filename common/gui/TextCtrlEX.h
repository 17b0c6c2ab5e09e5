// The program's single-line entries: numeric and text entries that commit on Enter, Tab or
// Space by queuing an Enter character with their own id to the parent window.
#pragma once

#include "common/gui/TabCtrl.h"

#include <wx/textctrl.h>

/// Base of the entries. Keys, by character code:
/// - Tab: commits with Enter requested (when Tab commits), then moves the focus on
///   (TabCtrl_cls lists first, else the parent's tab order; Shift or Ctrl goes back).
/// - Space (when Space commits): commits without Enter, selects the text and queues the
///   Space character to the parent; the space is not typed.
/// - Enter: queued to the parent (which commits the bound item); then the focus moves on
///   when Enter navigates. Nothing is inserted.
/// Losing the focus commits without Enter, so it never changes a bound variable by itself.
/// GUI thread only.
class TextCtrlEX_cls : public wxTextCtrl, public TabCtrl_cls {
public:
    /// The style gains wxWANTS_CHARS, wxTE_PROCESS_ENTER and wxTE_PROCESS_TAB; window name "text".
    TextCtrlEX_cls(wxWindow* parent, wxWindowID id, const wxString& value,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = 0);
    ~TextCtrlEX_cls() override;

    /// True (default): Space commits; false: Space is typed into the text.
    void SetSpaceCommits(bool on) { m_spaceCommits = on; }
    /// True (default): Tab commits before moving the focus.
    void SetTabCommits(bool on) { m_tabCommits = on; }
    /// True (default): Enter moves the focus to the next control after committing.
    void SetEnterNavigates(bool on) { m_enterNavigates = on; }

    /// Parses and normalises the text where the class does so and remembers it as the last
    /// committed state; with `enterRequested` queues Enter to the parent when the entry
    /// changed since its last commit.
    virtual void CommitText(bool enterRequested) = 0;

protected:
    /// Queues an Enter character (wxEVT_CHAR, key code 13) with this control's id to the parent.
    void QueueEnter();
    /// Queues a copy of `event` with this control's id to the parent.
    void QueueToParent(const wxKeyEvent& event);

    bool m_tabCommits = true;
    bool m_enterNavigates = true;
    bool m_spaceCommits = true;

private:
    void OnChar(wxKeyEvent& event);
    void OnTextEnter(wxCommandEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void HandleEnter();
    void MoveFocus(bool backward);
};

/// Float / double entry. The text shows the value in the "%g" form when that reads back
/// exactly, else in the shortest form that does; values are read at double precision, and
/// an untouched text reads back exactly the value last set, so a commit of an untouched
/// entry never changes its variable.
class AtofTextCtrl_cls : public TextCtrlEX_cls {
public:
    AtofTextCtrl_cls(wxWindow* parent, wxWindowID id, float value,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    AtofTextCtrl_cls(wxWindow* parent, wxWindowID id, double value,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    /// The value narrowed to float (see GetDouble).
    float GetFloat() const;
    /// The value set last when the text is unchanged since; else the leading number of the
    /// text at double precision, 0 when there is none. Locale-independent ('.' decimals).
    double GetDouble() const;
    /// Shows `value` (float form: "0.1" for 0.1f).
    void SetFloat(float value);
    /// Shows `value` (double form: "0.1" for 0.1, "1234.5678" for 1234.5678).
    void SetDouble(double value);

    /// Enter is queued when requested and the value differs from the last committed one;
    /// prints "Send RETURN" to standard output when it does.
    void CommitText(bool enterRequested) override;

private:
    void ShowValue(double value, const wxString& text);

    wxString m_shownText;     ///< text written by the last Set; GetDouble trusts it while unchanged
    double m_shownValue = 0;  ///< exact value behind m_shownText
    double m_committed = 0;   ///< value at the last commit
    bool m_committedSet = false;
};

/// Integer entry with an optional clamp range.
class AtoiTextCtrl_cls : public TextCtrlEX_cls {
public:
    AtoiTextCtrl_cls(wxWindow* parent, wxWindowID id, int value,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    /// The leading base-10 integer of the text; 0 when there is none.
    int GetInt() const;
    /// Shows "%d" of `value`.
    void SetInt(int value);
    /// Commits clamp to [minimum, maximum]; (-1, -1), the default, means no clamp.
    void SetRange(int minimum, int maximum);

    /// Parses, clamps (when a range is set) and rewrites the text as "%d"; queues Enter when
    /// requested and the number differs from the last committed one.
    void CommitText(bool enterRequested) override;

private:
    int m_min = -1;
    int m_max = -1;
    wxString m_committedText;  ///< text after the last commit (or the last Set)
};

/// Text entry (read and set with GetValue / SetValue).
class AtoSTextCtrl_cls : public TextCtrlEX_cls {
public:
    AtoSTextCtrl_cls(wxWindow* parent, wxWindowID id, const wxString& text,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    /// Queues Enter when requested and the text differs from the last committed text.
    void CommitText(bool enterRequested) override;

private:
    wxString m_committed;  ///< text at the last commit (or construction)
};
