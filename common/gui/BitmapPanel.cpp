// Clickable picture with states.
#include "common/gui/BitmapPanel.h"

#include <wx/artprov.h>
#include <wx/dcclient.h>

BitmapPanel_cls::BitmapPanel_cls(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                 const wxSize& size)
    : wxPanel(parent, id, pos, size, wxNO_BORDER, "panel") {
    Bind(wxEVT_PAINT, &BitmapPanel_cls::OnPaint, this);
    Bind(wxEVT_LEAVE_WINDOW, &BitmapPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DOWN, &BitmapPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &BitmapPanel_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &BitmapPanel_cls::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &BitmapPanel_cls::OnKeyDown, this);
}

BitmapPanel_cls::~BitmapPanel_cls() {
    if (!ownsBitmaps) return;
    for (wxBitmap* b : bitmaps) delete b;
    delete disabledBitmap;
}

void BitmapPanel_cls::AddBitmap(const wxString& artId) {
    m_arts.push_back(artId);
    Refresh();
}

void BitmapPanel_cls::SetBitmap(const wxString& artId) {
    m_singleArt = artId;
    Refresh();
}

void BitmapPanel_cls::SetAspectSize(int kind, double factor) {
    wxSize s = GetSize();
    if (kind == 8)
        s.x = static_cast<int>(s.y * factor);
    else if (kind == 4)
        s.y = static_cast<int>(s.x * factor);
    else
        return;
    SetMinSize(s);
    SetMaxSize(s);
    SetSize(s);
}

wxString BitmapPanel_cls::CurrentArt() const {
    if (!bitmaps.empty()) return wxString();
    if (!IsEnabled() && !m_disabledArt.empty()) return m_disabledArt;
    if (m_arts.empty()) return m_singleArt;
    if (m_state < 0 || m_state >= static_cast<int>(m_arts.size())) return wxString();
    return m_arts[m_state];
}

void BitmapPanel_cls::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    Draw(dc);
}

void BitmapPanel_cls::Draw(wxDC& dc) {
    const wxSize client = GetClientSize();
    const wxSize image(client.x - 2 * m_marginX, client.y - 2 * m_marginY);
    auto outline = [&] {
        if (!outlineWhenEmpty) return;
        dc.SetPen(wxPen(wxColour(128, 128, 128)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(0, 0, client.x - 1, client.y - 1);
    };
    if (!bitmaps.empty()) {
        const wxBitmap* b = nullptr;
        if (!IsEnabled() && disabledBitmap)
            b = disabledBitmap;
        else if (m_state >= 0 && m_state < static_cast<int>(bitmaps.size()))
            b = bitmaps[m_state];
        if (!b) return;
        if (!b->IsOk()) {
            outline();
            return;
        }
        dc.DrawBitmap(*b, m_marginX, m_marginY, true);
        return;
    }
    if (m_arts.empty() && m_singleArt.empty()) return;
    const bool stateOutOfList =
        !m_arts.empty() && (m_state < 0 || m_state >= static_cast<int>(m_arts.size())) &&
        (IsEnabled() || m_disabledArt.empty());
    if (stateOutOfList) return;
    const wxString art = CurrentArt();
    if (art.empty()) {
        outline();
        return;
    }
    if (image.x <= 0 || image.y <= 0) return;
    const wxBitmap b = wxArtProvider::GetBitmap(art, wxART_OTHER, image);
    if (b.IsOk()) dc.DrawBitmap(b, m_marginX, m_marginY, true);
}

void BitmapPanel_cls::Step() {
    const int count = !bitmaps.empty() ? static_cast<int>(bitmaps.size())
                                       : static_cast<int>(m_arts.size());
    m_state = m_state + 1 >= count ? 0 : m_state + 1;
}

void BitmapPanel_cls::OnMouse(wxMouseEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEAVE_WINDOW) {
        m_pressed = false;
        Refresh(true);
    } else if (type == wxEVT_LEFT_DOWN) {
        m_pressed = true;
        Refresh();
    } else if ((type == wxEVT_LEFT_UP && m_pressed) || type == wxEVT_LEFT_DCLICK) {
        Step();
        m_pressed = false;
        SetBackgroundColour(wxNullColour);
        Refresh();
        PostMouseEvent(GetParent(), wxEVT_LEFT_UP, GetId());
    }
    event.Skip();
}

void BitmapPanel_cls::OnKeyDown(wxKeyEvent& event) {
    ForwardCommand(event);
    if (IsWindowKey(event)) event.Skip();  // the window's accelerators see it too
}
