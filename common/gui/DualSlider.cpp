// Two-thumb range slider.
#include "common/gui/DualSlider.h"

#include "common/gui/MultiInputDialog.h"
#include "common/gui/MultiInputItem.h"
#include "common/gui/SliderEX.h"
#include "platform/FileNumbers.h"

#include <wx/dcbuffer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

DualSlider_cls::DualSlider_cls(wxWindow* parent, MultiInputItem_cls* item, wxWindowID id, int low,
                               int high, int minimum, int maximum, const wxPoint& pos,
                               const wxSize& size)
    : wxPanel(parent, id, pos, size, wxNO_BORDER, "panel"),
      m_item(item),
      m_low(low),
      m_high(high),
      m_min(minimum),
      m_max(maximum) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (size == wxDefaultSize) SetInitialSize(wxSize(160, 28));
    Bind(wxEVT_PAINT, &DualSlider_cls::OnPaint, this);
    Bind(wxEVT_SIZE, &DualSlider_cls::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &DualSlider_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &DualSlider_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &DualSlider_cls::OnMouse, this);
    Bind(wxEVT_MOTION, &DualSlider_cls::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &DualSlider_cls::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &DualSlider_cls::OnKeyDown, this);
    m_width = GetClientSize().x;
    m_height = GetClientSize().y;
}

DualSlider_cls::~DualSlider_cls() {
    if (HasCapture()) ReleaseMouse();
}

void DualSlider_cls::SetRange(int minimum, int maximum, int digits) {
    m_min = minimum;
    m_max = maximum;
    m_digits = digits == 0 ? 1 : digits;
    Refresh(false);
}

double DualSlider_cls::GetValue(int thumb) const {
    return static_cast<double>(thumb == 0 ? m_low : m_high) / m_digits;
}

void DualSlider_cls::SetValues(double low, double high) {
    m_low = SliderPositionOf(low, m_digits);
    m_high = SliderPositionOf(high, m_digits);
    Refresh(false);
}

int DualSlider_cls::ColumnOf(int p) const {
    if (m_max == m_min) return 5;
    const float span = static_cast<float>(m_max) - static_cast<float>(m_min);
    const float c = (m_width - 10) * ((static_cast<float>(p) - m_min) / span) + 5;
    if (!(c > -1e6f)) return -1000000;
    if (c > 1e6f) return 1000000;
    return static_cast<int>(c);
}

int DualSlider_cls::PositionAt(int column) const {
    if (m_width - 10 <= 0 || m_max == m_min) return m_min;
    const double p = static_cast<double>(m_max - static_cast<double>(m_min)) * (column - 5) /
                         (m_width - 10) + m_min;
    const double lo = std::min(m_min, m_max), hi = std::max(m_min, m_max);
    return static_cast<int>(std::max(lo, std::min(hi, std::trunc(p))));
}

void DualSlider_cls::OnSize(wxSizeEvent& event) {
    m_width = GetClientSize().x;
    m_height = GetClientSize().y;
    Refresh(false);
    event.Skip();
}

void DualSlider_cls::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
}

void DualSlider_cls::Draw(wxDC& dc) {
    dc.SetBackground(wxBrush(wxColour(191, 216, 216), wxBRUSHSTYLE_SOLID));
    dc.Clear();
    m_width = GetClientSize().x;
    m_height = GetClientSize().y;

    dc.SetPen(*wxGREY_PEN);
    dc.SetBrush(*wxGREY_BRUSH);
    dc.DrawRectangle(5, 7, m_width - 10, 3);
    dc.SetPen(*wxLIGHT_GREY_PEN);
    dc.DrawRectangle(6, 8, m_width - 11, 2);

    // One tick per whole value, skipped when they would crowd closer than 3 pixels.
    dc.SetPen(*wxGREY_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    const long long whole = m_max / m_digits;
    if (whole >= 0 && whole <= std::max(0, m_width / 3)) {
        for (long long i = 0; i <= whole; ++i)
            dc.DrawRectangle(ColumnOf(static_cast<int>(i * m_digits)) - 1, 7, 3, 3);
    }

    const bool enabled = IsEnabled();
    dc.SetFont(*wxSMALL_FONT);
    for (int t = 0; t < m_thumbCount; ++t) {
        const int pos = t == 0 ? m_low : m_high;
        const int col = ColumnOf(pos);
        const wxPoint tri[3] = {wxPoint(0, 0), wxPoint(-5, 10), wxPoint(5, 10)};
        if (enabled) {
            dc.SetPen(t == m_active ? *wxRED_PEN : *wxBLACK_PEN);
            dc.SetBrush(t == 0 ? *wxBLACK_BRUSH : *wxWHITE_BRUSH);
        } else {
            dc.SetPen(*wxGREY_PEN);
            dc.SetBrush(*wxGREY_BRUSH);
        }
        dc.DrawPolygon(3, tri, col, 8);

        const std::string label = m_bound ? platform::FormatF(GetValue(t), 2)
                                          : platform::FormatInt(pos);
        const int x = col > m_width / 2 ? col - 32 : col + 8;
        dc.SetTextForeground(!enabled ? wxColour(128, 128, 128)
                                      : (t == m_active ? *wxRED : *wxBLACK));
        dc.DrawText(wxString::FromUTF8(label), x, 8);
    }
}

void DualSlider_cls::ReportChange() {
    wxWindow* parent = GetParent();
    if (!parent) return;
    wxScrollEvent report(wxEVT_SCROLL_THUMBRELEASE, GetId(), m_active == 1 ? m_high : m_low,
                         wxHORIZONTAL);
    report.SetEventObject(this);
    parent->GetEventHandler()->AddPendingEvent(report);
}

void DualSlider_cls::EndDrag(bool report) {
    if (!m_dragging) return;
    m_dragging = false;
    if (HasCapture()) ReleaseMouse();
    m_active = -1;
    if (report) ReportChange();
}

void DualSlider_cls::OnMouse(wxMouseEvent& event) {
    const int x = event.GetX();
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DCLICK) {
        EndDrag(true);
        OpenValueDialog(x, event.GetY());
    } else if (type == wxEVT_LEFT_DOWN) {
        m_active = -1;
        if (std::abs(x - ColumnOf(m_low)) < 4) m_active = 0;
        if (std::abs(x - ColumnOf(m_high)) < 4) m_active = 1;
        if (m_active >= 0 && !m_dragging) {
            CaptureMouse();
            m_dragging = true;
        }
    } else if (type == wxEVT_MOTION && event.LeftIsDown()) {
        m_lastColumn = x;
        if (m_active >= 0) {
            const int p = PositionAt(x);
            int& pos = m_active == 0 ? m_low : m_high;
            if (p != pos) {
                pos = p;
                if (event.ShiftDown()) ReportChange();
            }
        }
    } else if (type == wxEVT_LEFT_UP) {
        EndDrag(true);
    }
    event.Skip();
    Refresh(false);
}

void DualSlider_cls::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // The release will not come: the drag ends where the thumb is now.
    m_dragging = false;
    m_active = -1;
    ReportChange();
    Refresh(false);
}

void DualSlider_cls::OnKeyDown(wxKeyEvent&) {}

void DualSlider_cls::ApplyTypedValues(double minimum, double maximum, double low, double high) {
    m_min = SliderPositionOf(minimum, m_digits);
    m_max = SliderPositionOf(maximum, m_digits);
    m_low = SliderPositionOf(low, m_digits);
    m_high = SliderPositionOf(high, m_digits);
    Refresh(false);
}

bool DualSlider_cls::OpenValueDialog(int x, int y) {
    // Working copies that live only while the dialog is open: its items write them directly
    // (no undo steps that could outlive them); OK applies them to the slider.
    const double d = m_digits;
    double minCopy = m_min / d, maxCopy = m_max / d, lowCopy = m_low / d, highCopy = m_high / d;
    int two = 2;
    const wxPoint at = ClientToScreen(wxPoint(x - 40, y - 20));
    MultiInputDialog_cls dialog(nullptr, wxGetTopLevelParent(this), wxID_ANY, m_title, at);
    dialog.panel->commitMode = MI_COMMIT_DIRECT;
    dialog.panel->labelWidth = 60;
    dialog.AddItem(MI_GROUP, &two, _("Min/Max"));
    dialog.AddItem(MI_DOUBLE_TEXT, &minCopy, wxString());
    dialog.AddItem(MI_DOUBLE_TEXT, &maxCopy, wxString());
    dialog.AddItem(MI_GROUP, &two, _("value"));
    dialog.AddItem(MI_DOUBLE_TEXT, &lowCopy, wxString());
    dialog.AddItem(MI_DOUBLE_TEXT, &highCopy, wxString());
    dialog.BuildAndLayout();
    if (dialog.ShowModal() != wxID_OK) return false;
    ApplyTypedValues(minCopy, maxCopy, lowCopy, highCopy);
    if (m_bound) ReportChange();
    return true;
}
