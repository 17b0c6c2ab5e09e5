// The colour button and the swatch painting.
#include "filters/gui/ColorCurveBtn.h"

#include <wx/artprov.h>
#include <wx/clipbrd.h>
#include <wx/dcbuffer.h>
#include <wx/menu.h>

#include <memory>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/CommandSetColor.h"
#include "common/gui/ColourDialogEX.h"
#include "common/gui/WidgetCommon.h"
#include "filters/ColorCurve.h"
#include "filters/ColorSwatch.h"

namespace {

std::function<void(ColorCurve_cls*)>& EditorOpener() {
    static std::function<void(ColorCurve_cls*)> opener;
    return opener;
}

// A do/undo pair storing `to` and restoring `from` in the constant colour of the button's record.
void PushColour(ColorCurveBtn_cls& b, const float to[4], const float from[4]) {
    // The drawable frame holds colours made from the record: it is rebuilt as well.
    const uint64_t flags = UPD_ATTRIB_PAGES | UPD_VIEWS | UPD_SNAP_REFRESH;
    CommandItem_cls* doCmd;
    CommandItem_cls* undoCmd;
    if (b.makeColorLocator) {
        const CommandSetColor_cls::Locator locate = b.makeColorLocator();
        doCmd = new CommandSetColor_cls(locate, to[0], to[1], to[2], to[3], flags);
        undoCmd = new CommandSetColor_cls(locate, from[0], from[1], from[2], from[3], flags);
    } else {
        ConfItemFLOATARRAY_cls* item = &b.record->constantColor;
        doCmd = new CommandSetColor_cls(item, to[0], to[1], to[2], to[3], flags);
        undoCmd = new CommandSetColor_cls(item, from[0], from[1], from[2], from[3], flags);
    }
    GoCommandHistory.Push(doCmd, undoCmd);
    GoCommandHistory.Redo();
}

wxColour ToColour(SwatchRGB c) { return wxColour(c.r, c.g, c.b); }

void DrawIcon(wxDC& dc, bool curve) {
    const wxBitmap icon = wxArtProvider::GetBitmap(curve ? "wxART_GRAPH_P" : "wxART_GRAPH_N", "wxART_OTHER_C");
    if (icon.IsOk()) dc.DrawBitmap(icon, 0, 0, false);
}

}  // namespace

void PaintRect(const ColorCurve_cls& record, wxDC& dc, bool withIcon, const wxRect& rect, int x0, bool opaque) {
    const int right = rect.x + rect.width - 1;
    const int bottom = rect.y + rect.height;
    if (record.UsesCurve()) {
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(rect);
        dc.SetPen(*wxTRANSPARENT_PEN);
        const int half = (bottom - 1) / 2;
        const SwatchRGB light{192, 192, 192}, dark{64, 64, 64}, black{0, 0, 0};
        const double span = right - x0;
        for (int i = x0 + 1; i <= right - 1; ++i) {
            const double p = span > 0 ? (i - x0) / span : 0.0;
            SwatchRGB top = black, low = black;
            if (!opaque) {
                const bool band = i % 20 > 10;
                top = band ? light : dark;
                low = band ? dark : light;
            }
            dc.SetBrush(wxBrush(ToColour(SwatchColour(record, top, p, opaque))));
            dc.DrawRectangle(i, 1, 1, half);
            dc.SetBrush(wxBrush(ToColour(SwatchColour(record, low, p, opaque))));
            dc.DrawRectangle(i, half + 1, 1, half);
        }
        if (withIcon) DrawIcon(dc, true);
        return;
    }
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(ToColour(SwatchColour(record, SwatchRGB(), 0.0, false))));
    dc.DrawRectangle(rect);
    if (withIcon) DrawIcon(dc, false);
}

void PaintSwatch(const ColorCurve_cls& record, wxDC& dc, bool withIcon, int height, bool opaque) {
    const int x0 = withIcon ? 20 : 0;
    const wxSize size = dc.GetSize();
    PaintRect(record, dc, withIcon, wxRect(x0, 0, size.x - x0, height ? height : size.y), x0, opaque);
}

ColorCurveBtn_cls::ColorCurveBtn_cls(wxWindow* parent, ColorCurve_cls* r, bool click, bool checkArea, bool button)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(-1, 20), wxTAB_TRAVERSAL | wxNO_BORDER, "panel"),
      record(r),
      clickable(click),
      hasCheckArea(checkArea),
      buttonMode(button) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    menu = new wxMenu;
    menu->Append(ID_COPY_COLOR, wxGetTranslation("Copy Color"), "");
    menu->Append(ID_PASTE_COLOR, wxGetTranslation("Paste Color"), "");
    Bind(wxEVT_LEFT_DOWN, &ColorCurveBtn_cls::OnLeftDown, this);
    Bind(wxEVT_RIGHT_DOWN, &ColorCurveBtn_cls::OnRightDown, this);
    Bind(wxEVT_PAINT, &ColorCurveBtn_cls::OnPaint, this);
    Bind(wxEVT_MENU, &ColorCurveBtn_cls::OnCopyColor, this, ID_COPY_COLOR);
    Bind(wxEVT_MENU, &ColorCurveBtn_cls::OnPasteColor, this, ID_PASTE_COLOR);
}

ColorCurveBtn_cls::~ColorCurveBtn_cls() { delete menu; }

void ColorCurveBtn_cls::SetRecord(ColorCurve_cls* r) {
    record = r;
    Refresh(false);
}

void ColorCurveBtn_cls::SetCurveEditorOpener(std::function<void(ColorCurve_cls*)> opener) {
    EditorOpener() = std::move(opener);
}

void ColorCurveBtn_cls::OnLeftDown(wxMouseEvent& event) {
    if (buttonMode) {
        WidgetCommon_cls::PostButtonCommand(GetParent(), GetId());
        return;
    }
    if (!record || !clickable) return;
    if (event.GetX() < 20 && hasCheckArea) {
        // The toggle is a view choice of the record, not an undoable edit.
        record->useColorCurve.value = !record->useColorCurve.value;
        Refresh(false);
        GbSnapDataRefresh = true;
        WidgetCommon_cls::PostMenuCommand(wxGetTopLevelParent(this), ID_REDRAW_VIEWS);
        if (GetParent()) WidgetCommon_cls::ForwardEvent(GetParent(), event);
        if (!record->useColorCurve.value) return;
    }
    if (record->useColorCurve.value) {
        if (EditorOpener()) EditorOpener()(record);
        WidgetCommon_cls::PostMenuCommand(wxGetTopLevelParent(this), ID_COLOR_CURVE_EDITOR);
        return;
    }
    // Constant colour: the shared colour dialog (or one of our own before the frame made it).
    std::unique_ptr<ColourDialogEX_cls> own;
    ColourDialogEX_cls* dialog = GpColourDialogEX;
    if (!dialog) {
        own = std::make_unique<ColourDialogEX_cls>(this, *wxWHITE);
        dialog = own.get();
    }
    const float* c = record->ConstantColor();
    dialog->SetColourRGB(c[0], c[1], c[2]);
    if (dialog->ShowModal() == wxID_OK) {
        const float* rgb = dialog->GetColourRGB();
        const float to[4] = {rgb[0], rgb[1], rgb[2], 1.0f}, from[4] = {c[0], c[1], c[2], c[3]};
        PushColour(*this, to, from);
        Refresh(false);
    }
    if (GetParent()) WidgetCommon_cls::ForwardEvent(GetParent(), event);
}

void ColorCurveBtn_cls::OnRightDown(wxMouseEvent& event) { PopupMenu(menu, event.GetPosition()); }

void ColorCurveBtn_cls::OnPaint(wxPaintEvent& event) {
    wxAutoBufferedPaintDC dc(this);
    if (record) {
        const int x0 = clickable && hasCheckArea ? 20 : 0;
        const wxSize size = GetClientSize();
        const wxRect rect(x0, 0, size.x - x0, size.y);
        // The icon's corner belongs to the swatch too: clear it before painting.
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        PaintRect(*record, dc, clickable && hasCheckArea, rect, x0, false);
    }
    event.Skip();
}

void ColorCurveBtn_cls::OnCopyColor(wxCommandEvent&) {
    if (!record) return;
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(record->CopyColorText()));
        wxTheClipboard->Close();
    }
}

void ColorCurveBtn_cls::OnPasteColor(wxCommandEvent&) {
    if (!record || !wxTheClipboard->Open()) return;
    wxString text;
    if (wxTheClipboard->IsSupported(wxDF_TEXT) || wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) text = data.GetText();
    }
    wxTheClipboard->Close();
    float pasted[4];
    if (!ColorCurve_cls::ParseColorText(text, pasted)) return;
    const float* c = record->ConstantColor();
    const float from[4] = {c[0], c[1], c[2], c[3]};
    PushColour(*this, pasted, from);
    Refresh(false);
}
