// The "Periodic Boundary" dialog and its controller.
#include "data/gui/PeriodicBoundaryGUI.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/gui/MultiInputBase.h"
#include "common/gui/MultiInputPanel.h"
#include "data/PeriodicBoundary.h"

PeriodicBoundaryControl_cls::PeriodicBoundaryControl_cls(wxWindow* frame, PeriodicBoundary_cls* boundary_,
                                                         const wxBitmap& icon_)
    : boundary(boundary_), icon(icon_) {
    CreateGUI(frame);
}

PeriodicBoundaryControl_cls::~PeriodicBoundaryControl_cls() {
    // The dialog is a child of the frame: destroyed with it, or here when the frame lives on
    // (the central object deletes its controllers before the frame).
    if (gui) {
        gui->SetGeometryStore(nullptr);  // the toolkit deletes the dialog later
        gui->Destroy();
    }
    gui = nullptr;
}

void PeriodicBoundaryControl_cls::CreateGUI(wxWindow* frame) {
    gui = new PeriodicBoundaryGUI_cls(this, frame, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void PeriodicBoundaryControl_cls::UpdateGUI(bool) {
    if (gui && gui->panel) gui->panel->UpdateWidgets(MI_ALL_ITEMS);
}

void PeriodicBoundaryControl_cls::Show(wxWindow* frame) {
    DialogControl_cls::Show(frame);
    UpdateGUI(true);
}

PeriodicBoundaryGUI_cls::PeriodicBoundaryGUI_cls(PeriodicBoundaryControl_cls* owner, wxWindow* frame,
                                                 const wxPoint& pos, const wxSize& size)
    : wxDialogEXKey(frame, wxID_ANY, wxGetTranslation("Periodic Boundary"), pos, size,
                    owner->icon.IsOk() ? &owner->icon : nullptr, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX,
                    "dialogBox"),
      owner_(owner) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    BuildPanel(sizer);
    SetSizerAndFit(sizer);
}

void PeriodicBoundaryGUI_cls::BuildPanel(wxSizer* sizer) {
    panel = CreateMultiInputPanel(&panel, this);
    panel->labelWidth = 120;
    PeriodicBoundary_cls* b = owner_->boundary;
    static int three = 3;
    auto group = [&](const char* label, float* values) {
        const int first = panel->AddItem(MI_GROUP, &three, wxGetTranslation(label)) + 1;
        for (int k = 0; k < 3; ++k) panel->AddItem(MI_FLOAT_TEXT, &values[k], "");
        return first;
    };
    boxSizeFirst = group("Box Size", b->periodicSize.values);
    group("BaseVectorA", b->baseVector[0].values);
    group("BaseVectorB", b->baseVector[1].values);
    group("BaseVectorC", b->baseVector[2].values);
    panel->CreateAndAddToSizer(sizer);
    panel->TintXYZ(boxSizeFirst);
}
