// The timeline panels: drawing, commits and the layout window.
#include "timeline/gui/TimeCtrlGUI.h"

#include "common/gui/BitmapPanel.h"
#include "common/gui/TextCtrlEX.h"
#include "platform/ProgramPaths.h"
#include "timeline/TimeCtrl.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace {

constexpr int ID_TL_FRAME_ENTRY = 6529;
constexpr int ID_TL_SUBFRAME_ENTRY = 6530;

// Thumb icon scaled to w x h; an empty bitmap when the file is missing (the cursor lines
// still show the position).
wxBitmap LoadThumb(const char* relative, int w, int h) {
    const std::string path = platform::FindProgramData(relative);
    if (!platform::PathExists(path)) return wxBitmap();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxLogNull quiet;
    wxImage img;
    if (!img.LoadFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG) || !img.IsOk()) return wxBitmap();
    return wxBitmap(img.Scale(w, h, wxIMAGE_QUALITY_HIGH));
}

void ClearPanel(wxDC& dc, TLPanelBase_cls& p) {
    dc.SetBackground(wxBrush(wxColour(216, 216, 216)));
    dc.Clear();
    const wxSize s = p.GetClientSize();
    p.width = s.x;
    p.height = s.y;
    p.CopyTimeValues();
}

}  // namespace

// ---------------------------------------------------------------- main slider

TimeCtrlGUI_cls::TimeCtrlGUI_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id,
                                 const wxPoint& pos, const wxSize& size)
    : TLPanelBase_cls(parent, t, id, pos, size, true),
      m_thumb(LoadThumb("ICONS/TimeSlider.png", 15, 18)),
      m_loadedPen(wxColour(192, 255, 192), 1, wxPENSTYLE_SOLID) {
    Bind(wxEVT_PAINT, &TimeCtrlGUI_cls::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &TimeCtrlGUI_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &TimeCtrlGUI_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &TimeCtrlGUI_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &TimeCtrlGUI_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &TimeCtrlGUI_cls::OnMouse, this);
    Bind(wxEVT_MOTION, &TimeCtrlGUI_cls::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &TimeCtrlGUI_cls::OnMouse, this);
}

void TimeCtrlGUI_cls::Repaint() {
    wxClientDC dc(this);
    Draw(dc);
}

bool TimeCtrlGUI_cls::CommitFrame() {
    // Time refresh only: the views follow through the idle handler.
    time->SetFrame(dragFrame, 4);
    return true;
}
bool TimeCtrlGUI_cls::CommitRangeMin() { time->SetWorkAreaMin(dragFirst); return true; }
bool TimeCtrlGUI_cls::CommitRangeMax() { time->SetWorkAreaMax(dragLast); return true; }
void TimeCtrlGUI_cls::CommitRangeMinUndoable(int old) { time->SetWorkAreaMinUndoable(dragFirst, old); }
void TimeCtrlGUI_cls::CommitRangeMaxUndoable(int old) { time->SetWorkAreaMaxUndoable(dragLast, old); }

void TimeCtrlGUI_cls::OnMouse(wxMouseEvent& event) {
    HandleMouse(event, int(time->workAreaMin.value), int(time->workAreaMax.value));
    if (mode != TLD_NONE || event.LeftUp()) Refresh(false);
}

void TimeCtrlGUI_cls::OnPaint(wxPaintEvent& event) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
    event.Skip();
}

void TimeCtrlGUI_cls::Draw(wxDC& dc) {
    ClearPanel(dc, *this);
    SetViewRange(cActiveMin, cActiveMax);
    dc.SetPen(*wxTRANSPARENT_PEN);
    DrawRangeBand(dc, cWorkMin, cWorkMax);

    const int step = cStep < 1 ? 1 : cStep;
    const int start = cWorkMin < 0 ? 0 : cWorkMin;
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(*wxGREEN_PEN);
    for (int f = start; f < cMaxFrame; f += step) {
        if (!time->IsFrameReady(f, true)) continue;
        FrameToPixel(float(f), float(f + step), viewFirst, viewLast);
        dc.DrawRectangle(pixel1, 0, pixel2 - pixel1, height);
    }
    dc.SetPen(m_loadedPen);
    for (int f = start; f < cMaxFrame; f += step) {
        if (time->IsFrameReady(f, true) || !time->IsFrameLoaded(f)) continue;
        FrameToPixel(float(f), float(f + step), viewFirst, viewLast);
        dc.DrawRectangle(pixel1, 0, pixel2 - pixel1, height);
    }
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    time->UpdateKeyFrameMarks();
    const std::vector<bool>& marks = time->KeyFrameMarks();
    for (int f = start; f < cMaxFrame; f += step) {
        if (size_t(f) >= marks.size() || !marks[size_t(f)]) continue;
        FrameToPixel(float(f), float(f + step), viewFirst, viewLast);
        dc.DrawRectangle(pixel1, height - 2, pixel2 - pixel1, 2);
    }
    DrawRangeHandles(dc, cWorkMin, cWorkMax);
    DrawCursor(dc);
    if (m_thumb.IsOk()) dc.DrawBitmap(m_thumb, (mode == TLD_FRAME ? dragCursorPixel : cursorPixel) - 7, 2, true);

    dc.SetFont(*wxSMALL_FONT);
    dc.SetTextForeground(*wxRED);
    dc.DrawText(CaptionText(), 10, 0);
}

wxString TimeCtrlGUI_cls::CaptionText() const {
    const int mem = memoryUsed ? memoryUsed() : time->GetMemoryUsed();
    return wxString::Format("current Frame=%u+%u/%u: UsedMemoryMB=%d", unsigned(cFrame), unsigned(cSub),
                            unsigned(cInterp), mem);
}

// ---------------------------------------------------------------- active-area bar

TimeCtrlGUIAA_cls::TimeCtrlGUIAA_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id,
                                     const wxPoint& pos, const wxSize& size)
    : TLPanelBase_cls(parent, t, id, pos, size, true),
      m_thumb(LoadThumb("ICONS/TimeSliderSmall.png", 9, 11)) {
    Bind(wxEVT_PAINT, &TimeCtrlGUIAA_cls::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &TimeCtrlGUIAA_cls::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &TimeCtrlGUIAA_cls::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &TimeCtrlGUIAA_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &TimeCtrlGUIAA_cls::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &TimeCtrlGUIAA_cls::OnMouse, this);
    Bind(wxEVT_MOTION, &TimeCtrlGUIAA_cls::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &TimeCtrlGUIAA_cls::OnMouse, this);
}

void TimeCtrlGUIAA_cls::Repaint() {
    wxClientDC dc(this);
    Draw(dc);
}

bool TimeCtrlGUIAA_cls::CommitFrame() { time->SetFrame(dragFrame, 6); return true; }
bool TimeCtrlGUIAA_cls::CommitRangeMin() { time->SetActiveAreaMin(dragFirst); return true; }
bool TimeCtrlGUIAA_cls::CommitRangeMax() { time->SetActiveAreaMax(dragLast); return true; }
void TimeCtrlGUIAA_cls::CommitRangeMinUndoable(int old) { time->SetActiveAreaMinUndoable(dragFirst, old); }
void TimeCtrlGUIAA_cls::CommitRangeMaxUndoable(int old) { time->SetActiveAreaMaxUndoable(dragLast, old); }

void TimeCtrlGUIAA_cls::OnMouse(wxMouseEvent& event) {
    SetViewRange(0, time->MaxFrame());
    HandleMouse(event, int(time->activeAreaMin.value), int(time->activeAreaMax.value));
    if (mode != TLD_NONE || event.LeftUp()) Refresh(false);
}

void TimeCtrlGUIAA_cls::OnPaint(wxPaintEvent& event) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
    event.Skip();
}

void TimeCtrlGUIAA_cls::Draw(wxDC& dc) {
    ClearPanel(dc, *this);
    SetViewRange(0, cMaxFrame);
    dc.SetPen(*wxTRANSPARENT_PEN);
    DrawRangeBand(dc, cWorkMin, cWorkMax);
    DrawRangeHandles(dc, cActiveMin, cActiveMax);
    DrawCursor(dc);
    if (m_thumb.IsOk()) dc.DrawBitmap(m_thumb, cursorPixel - 4, 2, true);
    if (HasCapture() && mode != TLD_RANGE && mode != TLD_NONE) {
        int v = cFrame;
        if (mode == TLD_RANGE_START) v = cActiveMin;
        if (mode == TLD_RANGE_END) v = cActiveMax;
        dc.SetFont(*wxNORMAL_FONT);
        dc.SetTextForeground(*wxRED);
        int x = pointerX + 15;
        if (pointerX > 0.7 * width) x -= 40;
        dc.DrawText(wxString::Format("%u", unsigned(v)), x, 0);
    }
}

// ---------------------------------------------------------------- ruler

TimeCtrlGUITics_cls::TimeCtrlGUITics_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id,
                                         const wxPoint& pos, const wxSize& size)
    : TLPanelBase_cls(parent, t, id, pos, size, true) {
    Bind(wxEVT_PAINT, &TimeCtrlGUITics_cls::OnPaint, this);
}

void TimeCtrlGUITics_cls::Repaint() {
    wxClientDC dc(this);
    Draw(dc);
}

void TimeCtrlGUITics_cls::OnPaint(wxPaintEvent& event) {
    wxAutoBufferedPaintDC dc(this);
    Draw(dc);
    event.Skip();
}

void TimeCtrlGUITics_cls::Draw(wxDC& dc) {
    ClearPanel(dc, *this);
    SetViewRange(cActiveMin, cActiveMax);
    tics.SetRange(GetClientSize(), float(cActiveMin), float(cActiveMax), 8);
    tics.DrawTics(dc);
    FrameToPixel(float(cFrame), float(cFrame), viewFirst, viewLast);
    dc.SetPen(*wxRED_PEN);
    dc.DrawLine(pixel1, 0, pixel1, height);
}

// ---------------------------------------------------------------- frame entry

TimeCtrlGUIAtoi_cls::TimeCtrlGUIAtoi_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id,
                                         const wxPoint& pos, const wxSize& size)
    : TLPanelBase_cls(parent, t, id, pos, size, false) {
    frameEntry = new AtoiTextCtrl_cls(this, ID_TL_FRAME_ENTRY, 0, wxPoint(0, 0), wxSize(41, size.y));
    subFrameEntry = new AtoiTextCtrl_cls(this, ID_TL_SUBFRAME_ENTRY, 0, wxPoint(41, 0), wxSize(28, size.y));
    frameEntry->SetRange(0, 99);
    subFrameEntry->SetRange(0, 0);
    Bind(wxEVT_CHAR, &TimeCtrlGUIAtoi_cls::OnChar, this);
    Bind(wxEVT_PAINT, &TimeCtrlGUIAtoi_cls::OnPaint, this);
}

void TimeCtrlGUIAtoi_cls::Repaint() { RefreshEntries(); }
bool TimeCtrlGUIAtoi_cls::CommitFrame() { time->SetFrame(dragFrame, 4); return true; }
bool TimeCtrlGUIAtoi_cls::CommitRangeMin() { time->SetWorkAreaMin(dragFirst); return true; }
bool TimeCtrlGUIAtoi_cls::CommitRangeMax() { time->SetWorkAreaMax(dragLast); return true; }
void TimeCtrlGUIAtoi_cls::CommitRangeMinUndoable(int old) { time->SetWorkAreaMinUndoable(dragFirst, old); }
void TimeCtrlGUIAtoi_cls::CommitRangeMaxUndoable(int old) { time->SetWorkAreaMaxUndoable(dragLast, old); }

void TimeCtrlGUIAtoi_cls::RefreshEntries() {
    // Written when the time model moved since the last write, so that a paint while the
    // user types (GTK repaints the panel around a focused entry) keeps the typed text.
    if (time->Frame() != shownFrame || frameEntry->GetValue().empty()) {
        frameEntry->SetInt(time->Frame());
        shownFrame = time->Frame();
    }
    frameEntry->SetRange(0, time->MaxFrame());
    if (time->SubFrame() != shownSub || subFrameEntry->GetValue().empty()) {
        subFrameEntry->SetInt(time->SubFrame());
        shownSub = time->SubFrame();
    }
    subFrameEntry->SetRange(0, time->AnimInterp() - 1);
}

void TimeCtrlGUIAtoi_cls::ApplyEntries() {
    const int f = frameEntry->GetInt();
    if (f != time->Frame()) time->SetFrameUndoable(f, -1);
    const int s = subFrameEntry->GetInt();
    if (s != time->SubFrame()) time->SetSubFrameUndoable(s);
    // Show the model's values (an entry left unapplied would otherwise keep its text).
    shownFrame = shownSub = -1;
    RefreshEntries();
}

void TimeCtrlGUIAtoi_cls::OnChar(wxKeyEvent& event) {
    const int k = event.GetKeyCode();
    if (k == 13 || k == 32)
        ApplyEntries();
    else
        event.Skip();
}

void TimeCtrlGUIAtoi_cls::OnPaint(wxPaintEvent& event) {
    wxPaintDC dc(this);
    RefreshEntries();
    event.Skip();
}

// ---------------------------------------------------------------- mark toggle and zoom

TimeCtrlGUIButtons_cls::TimeCtrlGUIButtons_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id,
                                               const wxPoint& pos, const wxSize& size)
    : TLPanelBase_cls(parent, t, id, pos, size, false) {
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    auto* spacer = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(53, 16));
    spacer->SetBackgroundColour(*wxWHITE);
    toggle = new BitmapPanel_cls(this, wxID_ANY, wxDefaultPosition, wxSize(16, 16));
    toggle->AddBitmap("wxART_KILROY_HERE");
    toggle->AddBitmap("wxART_KILROY_THERE");
    toggle->Bind(wxEVT_LEFT_UP, &TimeCtrlGUIButtons_cls::OnToggle, this);
    sizer->Add(spacer, 0);
    sizer->Add(toggle, 0);
    SetSizer(sizer);
}

void TimeCtrlGUIButtons_cls::OnToggle(wxMouseEvent& event) {
    event.Skip();
    // The bitmap panel steps its state on the same release; read it once that has run.
    CallAfter([this] {
        time->hideMarked = toggle->GetState() == 1;
        if (updateAll) updateAll();
        time->RefreshPanels();
    });
}

TimeCtrlGUIZoom_cls::TimeCtrlGUIZoom_cls(wxWindow* parent, TimeCtrl_cls* t, wxWindowID id,
                                         const wxPoint& pos, const wxSize& size)
    : TLPanelBase_cls(parent, t, id, pos, size, false) {
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    auto* spacer = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(1, 20));
    spacer->SetBackgroundColour(*wxWHITE);
    zoomOut = new BitmapPanel_cls(this, wxID_ANY, wxDefaultPosition, wxSize(34, 12));
    zoomOut->SetBitmap("wxART_ZOOM_OUT");
    zoomIn = new BitmapPanel_cls(this, wxID_ANY, wxDefaultPosition, wxSize(34, 12));
    zoomIn->SetBitmap("wxART_ZOOM_IN");
    zoomOut->Bind(wxEVT_LEFT_UP, &TimeCtrlGUIZoom_cls::OnZoomOut, this);
    zoomIn->Bind(wxEVT_LEFT_UP, &TimeCtrlGUIZoom_cls::OnZoomIn, this);
    sizer->Add(spacer, 0);
    sizer->Add(zoomOut, 0);
    sizer->Add(zoomIn, 0);
    SetSizer(sizer);
}

void TimeCtrlGUIZoom_cls::OnZoomOut(wxMouseEvent& event) {
    time->ZoomActiveArea(false);
    event.Skip();
}

void TimeCtrlGUIZoom_cls::OnZoomIn(wxMouseEvent& event) {
    time->ZoomActiveArea(true);
    event.Skip();
}

// ---------------------------------------------------------------- layout window

TimelinePanels_cls::TimelinePanels_cls(wxWindow* parent, TimeCtrl_cls* t)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, "panel"),
      time(t) {
    SetBackgroundColour(wxColour(216, 216, 216));
    entry = new TimeCtrlGUIAtoi_cls(this, t, wxID_ANY, wxDefaultPosition, wxSize(69, 24));
    buttons = new TimeCtrlGUIButtons_cls(this, t, wxID_ANY, wxDefaultPosition, wxSize(69, 16));
    zoom = new TimeCtrlGUIZoom_cls(this, t, wxID_ANY, wxDefaultPosition, wxSize(69, 12));
    slider = new TimeCtrlGUI_cls(this, t, wxID_ANY, wxDefaultPosition, wxSize(-1, 24));
    ruler = new TimeCtrlGUITics_cls(this, t, wxID_ANY, wxDefaultPosition, wxSize(-1, 16));
    bar = new TimeCtrlGUIAA_cls(this, t, wxID_ANY, wxDefaultPosition, wxSize(-1, 12));
    for (wxWindow* w : {static_cast<wxWindow*>(entry), static_cast<wxWindow*>(buttons),
                        static_cast<wxWindow*>(zoom)})
        w->SetMinSize(w->GetSize());
    slider->SetMinSize(wxSize(40, 24));
    ruler->SetMinSize(wxSize(40, 16));
    bar->SetMinSize(wxSize(40, 12));

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(entry, 0);
    left->Add(buttons, 0);
    left->Add(zoom, 0);
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(slider, 0, wxEXPAND);
    right->Add(ruler, 0, wxEXPAND);
    right->Add(bar, 0, wxEXPAND);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(left, 0);
    row->Add(right, 1, wxEXPAND);
    SetSizer(row);
}

TimelinePanels_cls::~TimelinePanels_cls() {
    // Only while the time model is still published: a model deleted before its windows
    // (the frame's deletion is deferred) must not be touched.
    if (time && GpTimeCtrlPanels == time && time->panels == this) time->panels = nullptr;
}

void TimelinePanels_cls::RefreshAll() {
    slider->Refresh(false);
    bar->Refresh(false);
    ruler->Refresh(false);
    entry->RefreshEntries();
    entry->Refresh(false);
}

TimelinePanels_cls* TimeCtrl_cls::CreatePanels(wxWindow* parent) {
    panels = new TimelinePanels_cls(parent, this);
    return panels;
}
