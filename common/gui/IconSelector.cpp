// Strip of icon cells with one selected.
#include "common/gui/IconSelector.h"

#include "platform/FileNumbers.h"

#include <wx/dcbuffer.h>

namespace {
const int kCell = 20;
}

IconSelector_cls::IconSelector_cls(wxWindow* parent, wxWindowID id, int selection, int cellCount,
                                   const std::vector<wxBitmap>& images, const wxPoint& pos,
                                   const wxSize& size)
    : wxPanel(parent, id, pos, size, wxNO_BORDER | wxTAB_TRAVERSAL, "panel"),
      m_images(16, 16, true),
      m_selection(selection),
      m_cellCount(cellCount) {
    SetBackgroundColour(wxColour(216, 216, 216));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetImages(images);
    Bind(wxEVT_PAINT, &IconSelector_cls::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &IconSelector_cls::OnLeftDown, this);
    Bind(wxEVT_KEY_DOWN, &IconSelector_cls::OnKeyDown, this);
}

void IconSelector_cls::SetImages(const std::vector<wxBitmap>& images) {
    m_images.RemoveAll();
    for (const wxBitmap& b : images) {
        if (!b.IsOk()) continue;
        if (b.GetWidth() == 16 && b.GetHeight() == 16) {
            m_images.Add(b);
        } else {
            wxImage img = b.ConvertToImage();
            m_images.Add(wxBitmap(img.Scale(16, 16, wxIMAGE_QUALITY_HIGH)));
        }
    }
    m_cellCount = static_cast<int>(images.size());
    Refresh(false);
}

void IconSelector_cls::SetSelection(int index) {
    m_selection = index;
    Refresh(false);
}

void IconSelector_cls::SetCellCount(int count) {
    m_cellCount = count < 0 ? 0 : count;
    Refresh(false);
}

wxString IconSelector_cls::PageText() const {
    if (m_cellCount == 0) return wxString();
    return wxString::FromUTF8(platform::FormatUInt(static_cast<unsigned>(m_selection)) + "/" +
                              platform::FormatUInt(static_cast<unsigned>(m_cellCount)));
}

int IconSelector_cls::CellAt(int x) const {
    if (x < 0) return -1;
    const int cell = x / kCell;
    return cell < m_cellCount ? cell : -1;
}

void IconSelector_cls::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}

void IconSelector_cls::Draw(wxDC& dc) {
    const wxSize client = GetClientSize();
    dc.SetBackground(wxBrush(wxColour(216, 216, 216), wxBRUSHSTYLE_SOLID));
    dc.Clear();
    dc.SetFont(*wxNORMAL_FONT);
    dc.SetPen(*wxTRANSPARENT_PEN);
    const int y0 = (client.y - kCell) / 2;
    dc.SetBrush(wxBrush(wxColour(128, 128, 128)));
    dc.DrawRectangle(0, y0, m_cellCount * kCell, kCell);
    const int images = m_images.GetImageCount();
    for (int i = 0; i < m_cellCount; ++i) {
        if (i == m_selection) {
            dc.SetBrush(wxBrush(wxColour(255, 255, 0)));
            dc.DrawRectangle(kCell * i, y0, kCell, kCell);
        }
        int image = -1;
        if (images == 1)
            image = 0;
        else if (images == m_cellCount)
            image = i;
        if (image >= 0)
            m_images.Draw(image, dc, kCell * i + 2, y0 + 2, wxIMAGELIST_DRAW_TRANSPARENT);
    }
    if (m_cellCount != 0) {
        const int x = std::max(client.x - 24, m_cellCount * kCell + 4);
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(PageText(), x, (kCell - m_textHeight) / 2);
    }
}

void IconSelector_cls::OnLeftDown(wxMouseEvent& event) {
    const int cell = CellAt(event.GetX());
    if (cell < 0) return;
    m_selection = cell;
    if (wxWindow* parent = GetParent()) {
        wxCommandEvent selected(wxEVT_COMBOBOX, GetId());
        selected.SetEventObject(this);
        selected.SetInt(cell);
        parent->GetEventHandler()->AddPendingEvent(selected);
    }
    Refresh(false);
}

void IconSelector_cls::OnKeyDown(wxKeyEvent& event) {
    ForwardCommand(event);
    if (IsWindowKey(event)) event.Skip();  // the window's accelerators see it too
}
