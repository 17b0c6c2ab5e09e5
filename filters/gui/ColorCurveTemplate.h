// The foldable list of nine ready-made colour curves under the colour-curve editor: a click
// on one gives the edited record its four curves.
#pragma once

#include <wx/panel.h>

#include "common/gui/WidgetCommon.h"

class BitmapPanel_cls;
class ColorCurveBtn_cls;
class ColorCurveGUI_cls;
class ColorCurve_cls;
class wxStaticText;

constexpr int kColorCurveTemplates = 9;

/// GUI thread only.
class ColorCurveTemplate_cls : public wxPanel, public WidgetCommon_cls {
public:
    explicit ColorCurveTemplate_cls(ColorCurveGUI_cls* dialog);
    ~ColorCurveTemplate_cls() override;

    /// The template records, in table order ("Red Yellow" first).
    ColorCurve_cls* Template(int i) const { return templates_[i]; }
    ColorCurveBtn_cls* Button(int i) const { return buttons_[i]; }
    BitmapPanel_cls* FoldButton() const { return fold_; }
    /// True while the nine names and swatches are shown.
    bool ListShown() const;

    void OnTemplateClicked(wxCommandEvent& event);
    void OnToggleList(wxMouseEvent& event);

private:
    void OnSize(wxSizeEvent& event);
    /// Hides or shows the names and swatches; the dialog keeps its width.
    void ShowList(bool show);

    ColorCurveGUI_cls* dialog_;
    wxStaticText* names_[kColorCurveTemplates] = {};
    ColorCurveBtn_cls* buttons_[kColorCurveTemplates] = {};
    BitmapPanel_cls* fold_ = nullptr;
    ColorCurve_cls* templates_[kColorCurveTemplates] = {};  ///< owned
};
