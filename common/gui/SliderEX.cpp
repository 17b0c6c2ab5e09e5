// Sliders; one drag is one undo block.
#include "common/gui/SliderEX.h"

#include "common/CommandHistory.h"

#include <climits>
#include <cmath>

int SliderPositionOf(double value, int scale) {
    const double p = std::round(value * (scale == 0 ? 1 : scale));
    if (!(p == p)) return 0;
    if (p >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (p <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(p);
}

wxSliderEX::wxSliderEX(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
                       const wxPoint& pos, const wxSize& size, long style, const wxString& name)
    : wxSlider(parent, id, value, minimum, maximum, pos, size, style, wxDefaultValidator, name) {
    Bind(wxEVT_KEY_DOWN, &wxSliderEX::OnKeyDown, this);
}

void wxSliderEX::OnKeyDown(wxKeyEvent& event) {
    // Keys never move the slider: they belong to the window that holds it.
    ForwardCommand(event);
    if (IsWindowKey(event)) event.Skip();  // the window's accelerators see it too
}

// ---------------------------------------------------------------------------------------

SliderInt_cls::SliderInt_cls(wxWindow* parent, wxWindowID id, int value, int minimum,
                             int maximum, const wxPoint& pos, const wxSize& size)
    : wxSliderEX(parent, id, value, minimum, maximum, pos, size, wxSL_HORIZONTAL, "slider"),
      m_min(minimum),
      m_max(maximum) {
    SetPageSize(1);
    Bind(wxEVT_SCROLL_THUMBTRACK, &SliderInt_cls::OnThumbTrack, this);
    Bind(wxEVT_SCROLL_THUMBRELEASE, &SliderInt_cls::OnThumbRelease, this);
    Bind(wxEVT_SCROLL_CHANGED, &SliderInt_cls::OnScrollChanged, this);
    Bind(wxEVT_KILL_FOCUS, &SliderInt_cls::OnKillFocus, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &SliderInt_cls::OnCaptureLost, this);
    // Bound after wxSliderEX's handler, so it runs first (dynamic handlers run newest first).
    Bind(wxEVT_KEY_DOWN, &SliderInt_cls::OnKeyDownWhileDragging, this);
}

SliderInt_cls::~SliderInt_cls() { EndDrag(); }

void SliderInt_cls::SetClampRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = maximum;
    SetRange(minimum, maximum);
}

void SliderInt_cls::Clamp() {
    if (m_min == 0 && m_max == 0) return;
    const int p = GetValue();
    const int c = p < m_min ? m_min : (p > m_max ? m_max : p);
    if (c != p) SetValue(c);
}

void SliderInt_cls::EndDrag() {
    if (!m_dragging) return;
    m_dragging = false;
    GoCommandHistory.EndBlock("");
}

void SliderInt_cls::OnThumbTrack(wxScrollEvent& event) {
    if (!m_dragging) {
        GoCommandHistory.BeginBlock("");
        m_dragging = true;
    }
    Clamp();
    event.Skip();  // the panel commits the new position inside the block
}

void SliderInt_cls::OnThumbRelease(wxScrollEvent& event) {
    // The block closes before the panel sees the release.
    EndDrag();
    event.Skip();
}

void SliderInt_cls::OnScrollChanged(wxScrollEvent& event) {
    // Every move ends with this event; a drag whose release got lost ends here too.
    EndDrag();
    Clamp();
    event.Skip();
}

void SliderInt_cls::OnKillFocus(wxFocusEvent& event) {
    EndDrag();
    event.Skip();
}

void SliderInt_cls::OnCaptureLost(wxMouseCaptureLostEvent&) { EndDrag(); }

void SliderInt_cls::OnKeyDownWhileDragging(wxKeyEvent& event) {
    // A key (Ctrl+Z above all) must not act on a half-finished drag.
    if (m_dragging) return;
    event.Skip();
}

// ---------------------------------------------------------------------------------------

SliderFloat_cls::SliderFloat_cls(wxWindow* parent, wxWindowID id, int value, int minimum,
                                 int maximum, int scale, const wxPoint& pos, const wxSize& size)
    : SliderInt_cls(parent, id, value, minimum, maximum, pos, size), m_scale(scale == 0 ? 1 : scale) {}

float SliderFloat_cls::GetValueF() const {
    return static_cast<float>(static_cast<double>(GetValue()) / m_scale);
}

void SliderFloat_cls::SetValueF(float value) { SetValue(SliderPositionOf(value, m_scale)); }

SliderDouble_cls::SliderDouble_cls(wxWindow* parent, wxWindowID id, int value, int minimum,
                                   int maximum, int scale, const wxPoint& pos, const wxSize& size)
    : SliderInt_cls(parent, id, value, minimum, maximum, pos, size), m_scale(scale == 0 ? 1 : scale) {}

double SliderDouble_cls::GetValueD() const { return static_cast<double>(GetValue()) / m_scale; }

void SliderDouble_cls::SetValueD(double value) { SetValue(SliderPositionOf(value, m_scale)); }
