// The "Data Loader" dialog.
#include "data/gui/DataLoaderGUI.h"

#include <wx/button.h>
#include <wx/filename.h>
#include <wx/sizer.h>

#include "common/MenuCommandPoster.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputItem.h"
#include "common/gui/MultiInputNotifier.h"
#include "common/gui/MultiInputPanel.h"
#include "data/DataLoader.h"
#include "data/PeriodicBoundary.h"
#include "common/CommandIds.h"

void DataLoader_cls::ShowDialog(wxWindow* mainFrame, MenuCommandPoster_cls* poster) {
    if (!gui) gui = new DataLoaderGUI_cls(mainFrame, poster, this);
    if (!gui->IsShown()) gui->Show();
    gui->SetFocus();
    gui->Raise();
}

DataLoaderGUI_cls::DataLoaderGUI_cls(wxWindow* mainFrame, MenuCommandPoster_cls* poster,
                                     DataLoader_cls* loader)
    : wxDialogEXKey(mainFrame, wxID_ANY, _("Data Loader"), wxDefaultPosition, wxDefaultSize, nullptr,
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"),
      GrammerBaseGUI_cls(loader),
      poster_(poster),
      loader_(loader) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    BuildSettingsPanel(top);
    BuildPeriodicPanel(top);
    BuildEditor(this, top, false);  // "Default" is the dialog's own (it also resets the transforms)
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, ID_LOADER_OPEN_SEQUENCE, _("Open File Sequence")), 0, wxALL, 2);
    buttons->Add(new wxButton(this, ID_LOADER_DEFAULT, _("Default")), 0, wxALL, 2);
    top->Add(buttons, 0, wxALL, 2);
    SetSizerAndFit(top);

    Bind(wxEVT_BUTTON, &DataLoaderGUI_cls::OnOpenFileSequence, this, ID_LOADER_OPEN_SEQUENCE);
    Bind(wxEVT_BUTTON, &DataLoaderGUI_cls::OnDefault, this, ID_LOADER_DEFAULT);
    Bind(wxEVT_CHAR_HOOK, &DataLoaderGUI_cls::OnKeyDown, this);
}

DataLoaderGUI_cls::~DataLoaderGUI_cls() {
    // Destroyed with the frame or on its own: the loader must not show a deleted dialog.
    // Only the program's loader is known to be alive here; another one may be gone already.
    if (GpDataLoader && GpDataLoader == loader_ && loader_->gui == this) loader_->gui = nullptr;
}

void DataLoaderGUI_cls::BuildSettingsPanel(wxSizer* sizer) {
    auto* p = new MultiInputPanel_cls(&settingsPanel, this);
    settingsPanel = p;
    p->labelWidth = 90;
    const wxString types[] = {_("Simple Binary"), _("Simple Ascii")};
    const wxString interp[] = {_("Linear"), _("Hermite"), _("No Interpolate")};
    const wxString number[] = {_("Constant"), _("Variable"), _("Sort by ID")};
    const wxString logs[] = {_("Raw Data"), _("Take log10")};
    // The data type is an int item holding 0 or 1; the combo stores an unsigned index of
    // the same size and range.
    p->AddChoiceItem(MI_COMBO, &loader_->dataType.value, 2, types, _("Data Type"));
    p->AddChoiceItem(MI_COMBO, &loader_->interpolateType.value, 3, interp, _("Interpolation"));
    p->AddChoiceItem(MI_COMBO, &loader_->variableNumber.value, 3, number, _("Particle Number"));
    const int translate = p->AddItem(MI_GROUP, &translateMembers_, _("Translate"));
    (void)translate;
    const int first = p->GetItemCount();
    for (int k = 0; k < 3; ++k) {
        p->AddItem(MI_FLOAT_TEXT, &loader_->translate.values[k], wxString(wxUniChar('x' + k)));
        p->GetLastItem().controlWidth = 50;
    }
    p->AddItem(MI_FLOAT_TEXT, &loader_->scale.value, _("Scaling"));
    p->AddItem(MI_GROUP, &valueMembers_, _("Modify Value1"));
    p->AddItem(MI_FLOAT_TEXT, &loader_->scaleValue1.value, _("Scale"));
    p->GetLastItem().controlWidth = 50;
    p->AddChoiceItem(MI_COMBO, &loader_->logarithm.value, 2, logs, _("Log"));
    p->CreateAndAddToSizer(sizer);
    p->TintXYZ(first);  // the controls exist only now
    // The data type decides the lists' type and byte columns: apply and show them again.
    p->AddCallback([this](void*, void*) { ApplyAndRefill(); }, MIE_SELECT_CHANGED, nullptr);
}

void DataLoaderGUI_cls::BuildPeriodicPanel(wxSizer* sizer) {
    PeriodicBoundary_cls* pb = loader_->periodic;
    if (!pb) return;
    auto* p = new MultiInputPanel_cls(&periodicPanel, this);
    periodicPanel = p;
    p->labelWidth = 100;
    const wxString types[] = {_("No Periodic Boundary Condition"), _("Periodic in x-y plane"),
                              _("Periodic in xyz space")};
    const wxString effects[] = {_("Guess velocity"), _("Force velocity to be 0")};
    p->AddChoiceItem(MI_COMBO, &pb->periodicType.value, 3, types, _("Periodic Boundary"));
    p->AddChoiceItem(MI_COMBO, &pb->periodicEffect.value, 2, effects, _("Periodic Effect"));
    const int button = p->AddUnboundItem(ID_LOADER_BOUNDARY_SIZE, _("Boundary Size"), MI_BUTTON);
    p->CreateAndAddToSizer(sizer);
    p->AddItemCallback([this](void*, void*) { PostBoundarySize(); }, MIE_BUTTON, button);
}

void DataLoaderGUI_cls::UpdateControls() {
    if (settingsPanel) settingsPanel->UpdateWidgets();
    if (periodicPanel) periodicPanel->UpdateWidgets();
}

wxString DataLoaderGUI_cls::UpdatePeriodicCaption() {
    const bool on = loader_->periodic && loader_->periodic->periodicType.value != 0;
    return wxString("Periodic Boundary Condition") + (on ? "[ON]" : "[OFF]");
}

void DataLoaderGUI_cls::OnOpenFileSequence(wxCommandEvent&) {
    ApplyAndRefill();
    if (!loader_->BodyHasCode(0)) {
        ShowMessageBox(this, _("No XYZ data."), _("Grammer Error"));
        return;
    }
    FileDialogEX local(this);
    FileDialogEX& dialog = GpFileDialogEX ? *GpFileDialogEX : local;
    const wxString last = loader_->lastOpenedFile.text;
    if (last != "NONE") {
        const wxFileName name(last);
        dialog.SetDirectoryAndFile(name.GetPath(), name.GetFullName());
    } else {
        dialog.SetDirectoryAndFile("./", "");
    }
    dialog.SetMessage(_("Coose first file"));
    dialog.SetWildcard("*");
    dialog.SetStyle(wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    ApplyAndRefill();
    loader_->SetFileAndLoad(dialog.GetPath());
    Hide();
}

void DataLoaderGUI_cls::OnDefault(wxCommandEvent&) {
    SetDefault(this);
    loader_->ResetTransforms();
    UpdateControls();
}

void DataLoaderGUI_cls::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == 'O' && event.GetModifiers() == wxMOD_CONTROL) {
        if (poster_) poster_->PostMenuCommand(ID_OPEN_PROJECT);
        return;
    }
    event.Skip();
}

void DataLoaderGUI_cls::PostBoundarySize() {
    if (poster_) poster_->PostMenuCommand(ID_PERIODIC_BOUNDARY);
}
