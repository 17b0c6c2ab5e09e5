// The program's integer spin control: commits on an arrow click, Enter, Tab or Space by
// queuing an Enter character with its own id to the parent window.
#pragma once

#include "common/gui/TabCtrl.h"

#include <wx/spinctrl.h>

/// Base of the spin controls. Keys as in TextCtrlEX_cls; an arrow click or arrow key
/// commits with Enter requested; losing the focus commits without Enter. GUI thread only.
class SpinCtrlEX_cls : public wxSpinCtrl, public TabCtrl_cls {
public:
    /// Style wxSP_ARROW_KEYS | wxWANTS_CHARS | wxTE_PROCESS_ENTER; window name "wxSpinCtrl".
    SpinCtrlEX_cls(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    ~SpinCtrlEX_cls() override;

    void SetSpaceCommits(bool on) { m_spaceCommits = on; }
    void SetTabCommits(bool on) { m_tabCommits = on; }
    void SetEnterNavigates(bool on) { m_enterNavigates = on; }

    /// Commit hook; with `enterRequested` the class queues Enter to the parent.
    virtual void CommitText(bool enterRequested) = 0;

protected:
    /// Queues an Enter character (wxEVT_CHAR, key code 13) with this control's id to the parent.
    void QueueEnter();

    bool m_tabCommits = true;
    bool m_enterNavigates = true;
    bool m_spaceCommits = true;
    bool m_typing = false;  ///< digits typed since the last commit

private:
    void OnChar(wxKeyEvent& event);
    void OnTextEnter(wxCommandEvent& event);
    void OnSpin(wxSpinEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void HandleEnter(const wxKeyEvent* key);
};

/// Integer spin control, range -99999 to 99999 unless set otherwise.
class AtoiSpinCtrl_cls : public SpinCtrlEX_cls {
public:
    AtoiSpinCtrl_cls(wxWindow* parent, wxWindowID id, int value,
                     const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    /// Shows "%d" of `value` (also sets the spin value).
    void SetValueText(int value);
    /// Remembers and applies the range (maximum below minimum is swapped).
    void SetRange(int minimum, int maximum);
    int RangeMin() const { return m_min; }
    int RangeMax() const { return m_max; }

    /// Queues Enter when requested and the value differs from the last committed one.
    void CommitText(bool enterRequested) override;

private:
    int m_min = -99999;
    int m_max = 99999;
    int m_committed;  ///< value at the last commit (or construction / SetValueText)
};
