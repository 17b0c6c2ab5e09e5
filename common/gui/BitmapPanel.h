// A clickable picture with states: shows one of a list of images (art ids or bitmaps), steps
// to the next on every click and reports the click to its parent.
#pragma once

#include "common/gui/WidgetCommon.h"
#include "common/gui/WidgetEX.h"

#include <wx/bitmap.h>
#include <wx/panel.h>

class wxDC;

#include <vector>

class BitmapPanel_cls : public wxPanel, public WidgetEX_cls, public WidgetCommon_cls {
public:
    BitmapPanel_cls(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~BitmapPanel_cls() override;
    wxWindow* GetWindow() override { return this; }

    /// Appends a state shown by the art provider's image of `artId`.
    void AddBitmap(const wxString& artId);
    /// The image shown while the panel has no states.
    void SetBitmap(const wxString& artId);
    /// The image shown while the panel is disabled (art ids only; "" for none).
    void SetDisabledArt(const wxString& artId) { m_disabledArt = artId; Refresh(); }
    void SetMargins(int x, int y) { m_marginX = x; m_marginY = y; Refresh(); }
    /// Kind 8: width := height × factor; kind 4: height := width × factor; the result
    /// becomes the minimum and maximum size. Other kinds change nothing.
    void SetAspectSize(int kind, double factor);

    int GetState() const { return m_state; }
    void SetState(int state) { m_state = state; Refresh(); }
    /// Art id painted now ("" when a bitmap or nothing is shown).
    wxString CurrentArt() const;
    /// Paints the current image into `dc` (sized as the client area).
    void Draw(wxDC& dc);

    bool ownsBitmaps = false;            ///< delete `bitmaps` and `disabledBitmap` with the panel
    bool outlineWhenEmpty = false;       ///< outline the panel where the image is empty
    std::vector<wxBitmap*> bitmaps;      ///< images by state; used before the art ids
    wxBitmap* disabledBitmap = nullptr;  ///< shown while disabled (with bitmaps)

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void Step();

    int m_marginX = 0;
    int m_marginY = 0;
    bool m_pressed = false;
    int m_state = 0;
    std::vector<wxString> m_arts;
    wxString m_singleArt;
    wxString m_disabledArt;
};
