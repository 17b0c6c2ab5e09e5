// The program's sliders: integer, float and double values through a scale. One drag is one
// undo step: the first thumb track opens an unnamed block in the command history and the
// end of the drag closes it, also when the release never arrives.
#pragma once

#include "common/gui/TabCtrl.h"
#include "common/gui/WidgetEX.h"

#include <wx/slider.h>

/// Slider whose key presses go to the parent under the parent's id (it never moves by keys).
class wxSliderEX : public wxSlider, public WidgetEX_cls {
public:
    wxSliderEX(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxSL_HORIZONTAL, const wxString& name = wxSliderNameStr);
    wxWindow* GetWindow() override { return this; }

private:
    void OnKeyDown(wxKeyEvent& event);
};

/// Integer slider. While a drag runs (first thumb track to release) exactly one unnamed
/// block is open in GoCommandHistory; a lost release (focus lost, capture lost, a scroll
/// end, destruction) closes it too. Keys pressed during a drag are dropped, so Ctrl+Z can
/// not undo in the middle of a drag. GUI thread only.
class SliderInt_cls : public wxSliderEX, public TabCtrl_cls {
public:
    /// Window name "slider", horizontal, page size 1. `minimum` = `maximum` = 0 means the
    /// position is never clamped (the slider then spans 0 to 0).
    SliderInt_cls(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    ~SliderInt_cls() override;

    /// True from the first thumb track of a drag to its end.
    bool IsDragging() const { return m_dragging; }
    /// Sets the range used for clamping and the slider's own range.
    void SetClampRange(int minimum, int maximum);

protected:
    int m_min;
    int m_max;
    bool m_dragging = false;

private:
    void OnThumbTrack(wxScrollEvent& event);
    void OnThumbRelease(wxScrollEvent& event);
    void OnScrollChanged(wxScrollEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDownWhileDragging(wxKeyEvent& event);
    void Clamp();
    /// Closes the drag's block when one is open.
    void EndDrag();
};

/// Float slider: value = position / scale; SetValueF rounds to the nearest position.
class SliderFloat_cls : public SliderInt_cls {
public:
    /// `scale`: positions per unit of value (0 is taken as 1).
    SliderFloat_cls(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
                    int scale, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    float GetValueF() const;
    void SetValueF(float value);
    int GetScale() const { return m_scale; }
    void SetScale(int scale) { m_scale = scale == 0 ? 1 : scale; }

private:
    int m_scale;
};

/// Double slider: value = position / scale at double precision; SetValueD rounds to the
/// nearest position (0.29 at scale 100 is position 29).
class SliderDouble_cls : public SliderInt_cls {
public:
    SliderDouble_cls(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
                     int scale, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize);
    double GetValueD() const;
    void SetValueD(double value);
    int GetScale() const { return m_scale; }
    void SetScale(int scale) { m_scale = scale == 0 ? 1 : scale; }

private:
    int m_scale;
};

/// Slider position for `value` at `scale`: round to nearest, clamped to the int range.
int SliderPositionOf(double value, int scale);
