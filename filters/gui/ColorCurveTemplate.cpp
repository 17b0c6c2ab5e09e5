// The colour-curve templates.
#include "filters/gui/ColorCurveTemplate.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include "common/gui/AppFonts.h"
#include "common/gui/BitmapPanel.h"
#include "filters/ColorCurve.h"
#include "filters/gui/ColorCurveBtn.h"
#include "filters/gui/ColorCurveGUI.h"

namespace {

struct TemplateDef {
    const char* name;
    int keyCount;
    double keys[7][5];  // position, r, g, b, a
};

const TemplateDef kTemplates[kColorCurveTemplates] = {
    {"Red Yellow", 2, {{0, 1, 0, 0, 1}, {1, 1, 1, 0, 1}}},
    {"Green Red", 2, {{0, 0, 1, 0, 1}, {1, 1, 0, 0, 1}}},
    {"Black White", 2, {{0, 0, 0, 0, 1}, {1, 1, 1, 1, 1}}},
    {"Cold Color", 2, {{0, 0, 0, 1, 1}, {1, 0, 1, 1, 1}}},
    {"Moderate Gray", 2, {{0, 0.5, 0.5, 0.5, 1}, {1, 0.75, 0.75, 0.75, 1}}},
    {"Spectrum", 7,
     {{0, 0.03, 0, 0.07, 1},
      {0.167, 0.32, 0, 0.77, 1},
      {0.333, 0, 0.31, 0.59, 1},
      {0.5, 0, 0.78, 0, 1},
      {0.666, 0.82, 0.56, 0, 1},
      {0.833, 0.84, 0, 0, 1},
      {1, 0.26, 0, 0, 1}}},
    {"SpectrumRGB", 5,
     {{0, 1, 0, 0, 1}, {0.25, 0.5, 0, 0.5, 1}, {0.5, 0, 0, 1, 1}, {0.75, 0, 0.5, 0.5, 1}, {1, 0, 1, 0, 1}}},
    {"Incandescent", 5,
     {{0, 0, 0, 0, 1}, {0.594, 0.73, 0, 0, 1}, {0.809, 1, 0.55, 0.2, 1}, {0.9, 0.97, 0.94, 0.07, 1},
      {1, 0.97, 0.97, 0.83, 1}}},
    {"ColdSteel", 3, {{0, 1, 1, 1, 1}, {0.645, 0.05, 0.02, 0.14, 1}, {1, 0.36, 0.73, 0.76, 1}}},
};

}  // namespace

ColorCurveTemplate_cls::ColorCurveTemplate_cls(ColorCurveGUI_cls* dialog)
    : wxPanel(dialog, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, "panel"),
      dialog_(dialog) {
    SetFont(GetAppFont(0));
    for (int i = 0; i < kColorCurveTemplates; ++i) {
        const TemplateDef& def = kTemplates[i];
        templates_[i] = new ColorCurve_cls("", def.name, "1 0.8 0.6 1", def.keyCount, def.keys);
        templates_[i]->useColorCurve.value = true;
        buttons_[i] = new ColorCurveBtn_cls(this, templates_[i], false, true, true);
        buttons_[i]->SetMinSize(wxSize(80, 20));
        Bind(wxEVT_BUTTON, &ColorCurveTemplate_cls::OnTemplateClicked, this, buttons_[i]->GetId());
        names_[i] = new wxStaticText(this, wxID_ANY, def.name, wxDefaultPosition, wxDefaultSize,
                                     wxALIGN_CENTRE_HORIZONTAL);
    }

    fold_ = new BitmapPanel_cls(this, wxID_ANY, wxDefaultPosition, wxSize(14, 14));
    fold_->AddBitmap("wxART_OPEN_FOLDER");
    fold_->AddBitmap("wxART_CLOSE_FOLDER");
    fold_->SetBitmap("wxART_CLOSE_FOLDER");
    fold_->SetAspectSize(8, 1.0);
    fold_->SetMargins(2, 2);
    fold_->Bind(wxEVT_LEFT_UP, &ColorCurveTemplate_cls::OnToggleList, this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* title = new wxBoxSizer(wxHORIZONTAL);
    title->Add(fold_, 0, wxALL, 1);
    title->Add(new wxStaticText(this, wxID_ANY, wxGetTranslation("Color Curve Template")), 0,
               wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    sizer->Add(title, 0, wxEXPAND);
    auto* grid = new wxFlexGridSizer(3, 6, 2, 4);
    for (int c = 1; c < 6; c += 2) grid->AddGrowableCol(c, 1);
    for (int i = 0; i < kColorCurveTemplates; ++i) {
        grid->Add(names_[i], 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(buttons_[i], 1, wxEXPAND);
    }
    sizer->Add(grid, 0, wxEXPAND | wxALL, 2);
    SetSizer(sizer);
    sizer->SetSizeHints(this);
    Bind(wxEVT_SIZE, &ColorCurveTemplate_cls::OnSize, this);
}

ColorCurveTemplate_cls::~ColorCurveTemplate_cls() {
    // The buttons are child windows that go after this destructor: they must not paint the
    // deleted records.
    for (int i = 0; i < kColorCurveTemplates; ++i) {
        if (buttons_[i]) buttons_[i]->SetRecord(nullptr);
        delete templates_[i];
    }
}

bool ColorCurveTemplate_cls::ListShown() const { return buttons_[0] && buttons_[0]->IsShown(); }

void ColorCurveTemplate_cls::OnTemplateClicked(wxCommandEvent& event) {
    for (int i = kColorCurveTemplates - 1; i >= 0; --i) {
        if (buttons_[i] && buttons_[i]->GetId() == event.GetId()) {
            dialog_->Control()->ApplyTemplate(*templates_[i], true);
            dialog_->RefreshScaling();
            return;
        }
    }
}

void ColorCurveTemplate_cls::OnToggleList(wxMouseEvent& event) {
    // The fold button steps its state on the same release: read it once that has run.
    event.Skip();
    CallAfter([this] { ShowList(fold_->GetState() != 1); });
}

void ColorCurveTemplate_cls::ShowList(bool show) {
    for (int i = 0; i < kColorCurveTemplates; ++i) {
        names_[i]->Show(show);
        buttons_[i]->Show(show);
    }
    GetSizer()->SetSizeHints(this);
    Layout();
    dialog_->RefitKeepingWidth();
}

void ColorCurveTemplate_cls::OnSize(wxSizeEvent& event) {
    if (ListShown())
        for (ColorCurveBtn_cls* b : buttons_) b->Refresh(false);
    event.Skip();
}
