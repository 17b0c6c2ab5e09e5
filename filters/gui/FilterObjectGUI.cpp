// Object filter panel.
#include "filters/gui/FilterObjectGUI.h"

#include <wx/intl.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MultiInputDialog.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterObject.h"
#include "filters/gui/ColorCurveBtn.h"

FilterObjectGUI_cls::FilterObjectGUI_cls(FilterBase_cls* filter)
    : FilterGUI_cls(filter), object_(static_cast<FilterObject_cls*>(filter)) {}

TexProperty_cls* FilterObjectGUI_cls::TextureRecord() { return &object_->Data()->texture; }

void FilterObjectGUI_cls::BuildRows() {
    FilterObjectData_cls* d = object_->Data();
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = UPD_TEXTURE_GUI | UPD_FILTER_EVAL | UPD_TIME | UPD_VIEWS;
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    // The shape names are the POV-Ray words and stay untranslated.
    const wxString shapes[4] = {"Box", "Plane", "Sphere", "Import"};
    const wxString shaders[4] = {wxGetTranslation("original"), wxGetTranslation("Gouroud"),
                                 wxGetTranslation("Phong"), wxGetTranslation("Toon")};
    shapeGroup = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Obj/Shader"));
    p->AddChoiceItem(MI_COMBO, &d->objectType.value, 4, shapes, "");
    p->AddChoiceItem(MI_COMBO, &d->texture.shaderType.value, 4, shaders, "");
    pathGroup = p->AddItem(MI_GROUP, &groupCount2_, "");
    p->commitMode = MI_COMMIT_DIRECT;
    p->AddItem(MI_STRING_TEXT, &d->importPath.text, "");
    p->GetLastItem().controlWidth = p->spacerWidth - 20;
    p->commitMode = MI_COMMIT_FILTER;
    fileButton = p->AddUnboundItem(-1, "..", MI_BUTTON);
    p->GetLastItem().controlWidth = 30;
    affineButton = p->AddUnboundItem(-1, wxGetTranslation("Affine map"), MI_BUTTON);
    p->GetLastItem().controlWidth = 120;
    p->GetLastItem().alignment = 1;
    xyzRows_ = AddTransformRows(p, d, 0);
    p->labelWidth = 80;
    p->AddItem(MI_GROUP, &groupCount3_, wxGetTranslation("Material"));
    const char* labels[3] = {"Ambient", "Diffuse", "Specular"};
    // The material takes each record's colour at 0: the buttons edit the constant colour,
    // and their steps find the record again after the filter is deleted and restored.
    for (int i = 0; i < 3 && i < int(d->colors.size()); ++i)
        p->AddItem(MI_CUSTOM, MakeFilterColorButton(p, filter_, i, false), wxGetTranslation(labels[i]));
}

void FilterObjectGUI_cls::AfterBuild() {
    panel_->AddItemCallback([this](void*, void*) { ChooseMeshFile(); }, MIE_BUTTON, fileButton);
    panel_->AddItemCallback([this](void*, void*) { EditAffineMap(); }, MIE_BUTTON, affineButton);
    // A new shape shows or hides the mesh rows.
    panel_->AddItemCallback([this](void*, void*) { Refresh(); }, MIE_SELECT_CHANGED, shapeGroup + 1);
    Refresh();
}

void FilterObjectGUI_cls::Refresh() {
    if (!panel_) return;
    const bool mesh = object_->Data()->objectType.value == OBJECT_IMPORT && panel_->IsShownFlag();
    // Time steps refresh the panels on every frame: the pages are laid out only on a change.
    wxWindow* button = panel_->GetItemControl(affineButton);
    wxWindow* file = panel_->GetItemControl(fileButton);
    if (button && file && button->IsShown() == mesh && file->IsShown() == mesh) return;
    panel_->Freeze();
    panel_->ShowItem(pathGroup, mesh);
    panel_->ShowItem(affineButton, mesh);
    panel_->Layout();
    panel_->Thaw();
    Post(ID_PAGES_RELAYOUT);
}

void FilterObjectGUI_cls::ChooseMeshFile() {
    if (!GpFileDialogEX) return;
    GpFileDialogEX->SetMessage(wxGetTranslation("Select Mesh File"));
    GpFileDialogEX->SetWildcard("PovMesh (*.pov)|*.pov|Wavefront Object (*.obj)|*.obj");
    if (GpFileDialogEX->ShowModal() != wxID_OK) return;
    if (SetImportPathCommand(GoCommandHistory, object_, GpFileDialogEX->GetPath()) && panel_)
        panel_->UpdateWidgets(MI_ALL_ITEMS);
}

void FilterObjectGUI_cls::EditAffineMap() {
    FilterObjectData_cls* d = object_->Data();
    float v[3][3];
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) v[a][k] = d->arrayVector[a].values[k];
    int three = 3;
    MultiInputDialog_cls dialog(nullptr, panel_ ? wxGetTopLevelParent(panel_) : nullptr, wxID_ANY,
                                wxGetTranslation("Array Vector"));
    dialog.panel->commitMode = MI_COMMIT_DIRECT;
    dialog.panel->labelWidth = 60;
    int rows[3];
    for (int a = 0; a < 3; ++a) {
        rows[a] = dialog.AddItem(MI_GROUP, &three, wxString::Format("Array %d", a));
        for (int k = 0; k < 3; ++k) dialog.AddItem(MI_FLOAT_TEXT, &v[a][k], "");
    }
    dialog.BuildAndLayout();
    dialog.UpdateWidgets();
    for (int r : rows) dialog.panel->TintXYZ(r + 1);
    if (dialog.ShowModal() != wxID_OK) return;
    if (SetAffineMapCommand(GoCommandHistory, object_, v)) Post(ID_REDRAW_VIEWS);
}
