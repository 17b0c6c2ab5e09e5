// The colour button: a thin panel showing a colour record as a swatch (flat for a constant
// colour, a gradient over a checkerboard for a curve) that edits the record when clicked;
// and the swatch painting other panels call directly (the legends of the views).
#pragma once

#include <functional>

#include <wx/panel.h>

class ColorCurve_cls;
class ConfItemFLOATARRAY_cls;
class wxDC;
class wxMenu;

/// Menu ids of the button's pop-up menu.
constexpr int ID_COPY_COLOR = 6087;
constexpr int ID_PASTE_COLOR = 6088;

/// Paints `record` into `rect` of `dc`: a curve as an outlined gradient whose columns from
/// x0 + 1 on take the curve at (column - x0) / (right - x0), over a checkerboard (bands of 11
/// and 9 columns, two rows) unless `opaque`; a constant colour as a filled rectangle. With
/// `withIcon` the curve/constant icon is drawn at (0, 0).
void PaintRect(const ColorCurve_cls& record, wxDC& dc, bool withIcon, const wxRect& rect, int x0, bool opaque);
/// PaintRect over the whole DC (x0 = 20 with the icon, else 0), `height` rows high (0: the
/// DC's height).
void PaintSwatch(const ColorCurve_cls& record, wxDC& dc, bool withIcon, int height, bool opaque);

/// A 20-pixel-high button on one colour record (not owned; may be null). GUI thread only.
class ColorCurveBtn_cls : public wxPanel {
public:
    /// `clickable` 0 ignores left clicks (except in button mode); `hasCheckArea` 1 keeps the
    /// left 20 pixels for the curve/constant toggle; `buttonMode` 1 makes a left click a
    /// button command (the button's id) to the parent.
    ColorCurveBtn_cls(wxWindow* parent, ColorCurve_cls* record, bool clickable, bool hasCheckArea,
                      bool buttonMode);
    ~ColorCurveBtn_cls() override;

    void SetRecord(ColorCurve_cls* record);
    ColorCurve_cls* Record() const { return record; }

    /// Opens the colour-curve editor on a record (the editor's controller sets it); while
    /// empty, a click on a curve posts ID_COLOR_CURVE_EDITOR to the top-level window only.
    static void SetCurveEditorOpener(std::function<void(ColorCurve_cls*)> opener);

    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnCopyColor(wxCommandEvent& event);
    void OnPasteColor(wxCommandEvent& event);

    /// Called when a colour edit is made (the record's holder alive): gives the function
    /// by which the edit's commands find the record's "ConstantColor=" item again each time
    /// they run. Holders of records that can be deleted and recreated (filters) set it, and
    /// the function it gives finds the record by list and the holder's name of the moment
    /// of the edit. Empty: the item of `record` itself, which then must outlive the undo
    /// history's use of it.
    std::function<std::function<ConfItemFLOATARRAY_cls*()>()> makeColorLocator;

    ColorCurve_cls* record;
    bool clickable;
    bool hasCheckArea;
    bool buttonMode;
    wxMenu* menu;  ///< owned: "Copy Color", "Paste Color"
};
