// The "View and Camera Config" dialog.
#include "view/gui/CameraPathGUI.h"

#include <algorithm>

#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/translation.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/gui/ColorCurveBtn.h"
#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "view/TagList.h"
#include "view/ViewCameras.h"
#include "view/gui/GLResources.h"
#include "view/gui/MainGLCanvas.h"

namespace {

/// The dialog's notifier callbacks reach their dialog through this.
CameraPathGUI_cls* g_dialog = nullptr;

/// Whether each view's page shows its fisheye group now.
bool g_fisheyeShown[CameraPathGUI_cls::kViews] = {true, true, true, true, true};

/// Update bits of the view pages' and the camera panel's commits.
constexpr uint32_t kViewUpdates = UPD_VIEWS | UPD_IMGSEQ_GUI | UPD_CAMERAPATH_GUI;

wxString Tr(const char* text) { return wxGetTranslation(text); }

/// The colour buttons of the advanced panel, rebound when the records appear late.
ColorCurveBtn_cls* g_colorButtons[3] = {};

/// Evaluates the group at the current time, so that its entries show the curve's values.
void LoadCurrentValues(ParamGroup_cls* g) {
    if (g) g->GetValues(-1, -1);
}

/// True when an entry left a value in the group that its curve does not hold now.
bool Typed(ParamGroup_cls* g) {
    if (!g) return false;
    for (int k = 0; k < 3; ++k) {
        const Parameter_cls& c = g->Component(k);
        if (c.cachedValue != c.Evaluate(GdCurrentTime, -1)) return true;
    }
    return false;
}

/// A row of a slider over lo..hi (step 1) with an entry after it on the same value; returns
/// the row's group header. `entryKind` is MI_FLOAT_TEXT or MI_DOUBLE_TEXT.
int SliderWithEntry(MultiInputPanel_cls* p, int entryKind, void* value, const wxString& label, double lo,
                    double hi) {
    static int two = 2;
    const int header = p->AddItem(MI_GROUP, &two, label);
    p->AddItem(entryKind == MI_DOUBLE_TEXT ? MI_DOUBLE_SLIDER : MI_FLOAT_SLIDER, value, "");
    p->AddItem(entryKind, value, "");
    p->SetItemRange(MI_LAST_TWO, lo, hi, 1);
    return header;
}

}  // namespace

// ------------------------------------------------------------------------- controller

CameraPathCtrl_cls::CameraPathCtrl_cls(wxWindow* f, const wxBitmap& i, std::function<MainGLCanvas_cls*(int)> v,
                                       CameraPath_cls* p, AnchorPath_cls* a)
    : frame(f), icon(i), views(std::move(v)), path(p), anchor(a) {
    CreateGUI(frame);
}

CameraPathCtrl_cls::~CameraPathCtrl_cls() {
    if (gui) {
        gui->owner = nullptr;
        gui->SetGeometryStore(nullptr);  // the toolkit deletes the dialog later
        gui->Destroy();
    }
    gui = nullptr;
}

void CameraPathCtrl_cls::CreateGUI(wxWindow* f) {
    gui = new CameraPathGUI_cls(this, f, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

void CameraPathCtrl_cls::UpdateGUI(bool) {
    if (gui) gui->RefreshControls();
}

// ------------------------------------------------------------------------- dialog

CameraPathGUI_cls::CameraPathGUI_cls(CameraPathCtrl_cls* o, wxWindow* frame, const wxPoint& pos, const wxSize& size)
    : wxDialogEXKey(frame, wxID_ANY, Tr("View and Camera Config"), pos, size,
                    o->icon.IsOk() ? &o->icon : nullptr, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, "dialogBox"),
      owner(o) {
    g_dialog = this;
    std::fill(std::begin(g_fisheyeShown), std::end(g_fisheyeShown), true);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    notebook = new wxNotebook(this, ID_CAMERA_NOTEBOOK);
    static const char* const kPages[kViews] = {"View0", "View1", "View2", "View3", "Extra"};
    for (int i = 0; i < kViews; ++i) {
        MainGLCanvas_cls* view = owner->views ? owner->views(i) : nullptr;
        auto* page = new wxPanel(notebook);
        auto* pageSizer = new wxBoxSizer(wxVERTICAL);
        pages[i] = CreateMultiInputPanel(&pages[i], page);
        if (view) BuildViewPage(i, view);
        pages[i]->CreateAndAddToSizer(pageSizer);
        page->SetSizer(pageSizer);
        notebook->AddPage(page, kPages[i]);
        pages[i]->Enable(view != nullptr);
    }
    sizer->Add(notebook, 0, wxEXPAND);
    advanced = CreateMultiInputPanel(&advanced, this);
    BuildAdvanced();
    advanced->CreateAndAddToSizer(sizer);
    camera = CreateMultiInputPanel(&camera, this);
    BuildCamera();
    camera->CreateAndAddToSizer(sizer);
    SetSizer(sizer);

    // Every panel: committed values of the path and anchor become keys; the views redraw.
    for (MultiInputPanel_cls* p : pages)
        p->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnCommitted(); }, MIE_COMMITTED);
    for (MultiInputPanel_cls* p : {advanced, camera}) {
        p->GetNotifier()->Register([](void*, void*) { if (g_dialog) g_dialog->OnCommitted(); }, MIE_COMMITTED);
        // The side panels open and close from their header button.
        p->GetNotifier()->Register(
            [p](void*, void* payload) {
                auto* e = static_cast<wxCommandEvent*>(payload);
                if (!g_dialog || (e && e->GetId() != ID_CAMERA_PANEL_HEADER)) return;
                p->ToggleCollapse(1);
                g_dialog->Relayout();
            },
            MIE_BUTTON);
    }
    for (MultiInputPanel_cls* p : pages) {
        p->GetNotifier()->Register(
            [](void*, void* payload) {
                auto* e = static_cast<wxCommandEvent*>(payload);
                if (!g_dialog) return;
                if (e && e->GetId() == ID_CAMERA_VIEW_DEFAULT) g_dialog->OnDefault();
            },
            MIE_BUTTON);
        p->GetNotifier()->Register(
            [](void*, void*) {
                if (!g_dialog) return;
                g_dialog->UpdateFisheyeRows();
                if (g_dialog->owner && g_dialog->owner->frame)
                    WidgetCommon_cls::PostMenuCommand(g_dialog->owner->frame, ID_APPLY_VIEW_SETTINGS);
            },
            MIE_SELECT);
    }
    notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CameraPathGUI_cls::OnPageChanged, this, ID_CAMERA_NOTEBOOK);

    // Both side panels start collapsed, as wide as the dialog.
    sizer->SetSizeHints(this);
    const int spacer = std::max(100, GetSize().x - 8);
    for (MultiInputPanel_cls* p : {advanced, camera}) {
        p->SetSpacerWidth(spacer);
        p->ToggleCollapse(1);
    }
    RefreshControls();
    Relayout();
}

CameraPathGUI_cls::~CameraPathGUI_cls() {
    if (g_dialog == this) g_dialog = nullptr;
    std::fill(std::begin(g_colorButtons), std::end(g_colorButtons), nullptr);
    if (owner && owner->gui == this) {
        owner->gui = nullptr;
        owner->dialog = nullptr;
    }
}

void CameraPathGUI_cls::BuildViewPage(int i, MainGLCanvas_cls* view) {
    static int two = 2, three = 3;
    MultiInputPanel_cls* p = pages[i];
    p->labelWidth = 90;
    p->defaultControlWidth = -1;
    p->updateFlags = kViewUpdates;
    const wxString geometries[] = {Tr("Perspective"), Tr("Orthographic"), Tr("Fisheye"), Tr("Panoramic")};
    p->AddItem(MI_GROUP, &two, Tr("Geometry"));
    geometryItem = p->AddChoiceItem(MI_COMBO, &view->settings.geometry.value, 4, geometries, "");
    p->AddUnboundItem(ID_CAMERA_VIEW_DEFAULT, Tr("Default"), MI_BUTTON);
    // The free camera: what the view shows under its own camera choice.
    GLCamera_cls& cam = view->cameras.free;
    const int t = p->AddItem(MI_GROUP, &three, Tr("Translate"));
    for (int k = 0; k < 3; ++k) p->AddItem(MI_DOUBLE_TEXT, &cam.pose.position[k], "");
    const int r = p->AddItem(MI_GROUP, &three, Tr("Rotate"));
    p->AddItem(MI_DOUBLE_TEXT, &cam.frame.roll, "");
    p->AddItem(MI_DOUBLE_TEXT, &cam.frame.pitch, "");
    p->AddItem(MI_DOUBLE_TEXT, &cam.frame.yaw, "");
    const int v = p->AddItem(MI_GROUP, &three, Tr("Pivot"));
    for (int k = 0; k < 3; ++k) p->AddItem(MI_DOUBLE_TEXT, &GoPivotPose.position[k], "");
    viewAngleItem = SliderWithEntry(p, MI_FLOAT_TEXT, &view->settings.persAngle.value, Tr("View Angle"), 1, 180);
    p->AddItem(MI_GROUP, &two, Tr("DepthMIN/MAX"));
    p->AddItem(MI_FLOAT_TEXT, &view->settings.depthMin.value, "");
    p->AddItem(MI_FLOAT_TEXT, &view->settings.depthMax.value, "");
    fisheyeItem[i] = p->AddItem(MI_GROUP, &two, "");
    p->AddItem(MI_CHECKBOX, &view->settings.distortion.value, Tr("Distortion"));
    p->AddItem(MI_CHECKBOX, &view->settings.fisheyeGrid.value, Tr("Fisheye Grid"));
    p->BuildControls();
    p->TintXYZ(t + 1);
    p->TintXYZ(r + 1);
    p->TintXYZ(v + 1);
}

void CameraPathGUI_cls::BuildAdvanced() {
    static int three = 3;
    MultiInputPanel_cls* p = advanced;
    p->labelWidth = 90;
    p->defaultControlWidth = -1;
    p->updateFlags = 0;
    p->AddUnboundItem(ID_CAMERA_PANEL_HEADER, Tr("[+]View Advanced Setting"), MI_BUTTON);
    g_colorButtons[0] = new ColorCurveBtn_cls(p, GpBGColor, true, false, false);
    g_colorButtons[1] = new ColorCurveBtn_cls(p, GpOutColor, true, false, false);
    g_colorButtons[2] = new ColorCurveBtn_cls(p, GpTagColor, true, false, false);
    p->AddItem(MI_GROUP, &three, Tr("Colors"));
    for (ColorCurveBtn_cls* b : g_colorButtons) p->AddItem(MI_CUSTOM, b, "");
    MainGLCanvas_cls* view = owner->views ? owner->views(0) : nullptr;
    static unsigned noGrid = 0;
    const wxString grids[] = {Tr("Grid"), Tr("Grid+Circle"), Tr("Polar")};
    p->AddItem(MI_GROUP, &three, Tr("Grid and Width"));
    gridItem = p->AddChoiceItem(MI_COMBO, view ? &view->settings.gridType.value : &noGrid, 3, grids, "");
    p->AddItem(MI_FLOAT_TEXT, &GoRenderConfig.lineWidth.value, "");
    p->AddItem(MI_FLOAT_SLIDER, &GoRenderConfig.lineWidth.value, "");
    p->SetItemRange(MI_LAST_ITEM, 1, 10, 1);
    const wxString sizes[] = {"256x256", "512x512", "1024x1024", "2048x2048", "4096x4096"};
    p->AddChoiceItem(MI_COMBO, &GoRenderConfig.bufferSizeIndex.value, 5, sizes, Tr("Buffer Size"));
    const wxString fonts[] = {"HELVETICA_10", "HELVETICA_12", "HELVETICA_18", "TIMES_ROMAN_10", "TIMES_ROMAN_24"};
    p->AddChoiceItem(MI_COMBO, &GoTagConfig.fontIndex.value, 5, fonts, Tr("Tag Font"));
}

void CameraPathGUI_cls::BuildCamera() {
    static int two = 2, three = 3;
    MultiInputPanel_cls* p = camera;
    p->labelWidth = 90;
    p->defaultControlWidth = -1;
    p->updateFlags = kViewUpdates;
    CameraPath_cls* path = owner->path;
    AnchorPath_cls* anchor = owner->anchor;
    p->AddUnboundItem(ID_CAMERA_PANEL_HEADER, Tr("[+]Camera Setting"), MI_BUTTON);
    if (!path || !anchor) return;
    const wxString geometries[] = {Tr("Perspective"), Tr("Orthographic"), Tr("Fisheye"), Tr("Panoramic")};
    p->AddItem(MI_GROUP, &two, Tr("Camera Geom."));
    p->AddChoiceItem(MI_COMBO, &path->geometry.value, 4, geometries, "");
    p->AddItem(MI_CHECKBOX, &path->lookAnchor.value, Tr("Look Anchor"));
    pathAngleItem = SliderWithEntry(p, MI_DOUBLE_TEXT, &path->vAngle.value, Tr("View Angle"), 1, 180);
    SliderWithEntry(p, MI_FLOAT_TEXT, &path->fishEyeOffset.value, Tr("Fisheye Offset"), -90, 90);
    // The path's and the anchor's values are written straight into the curves' cached
    // values: the key that the commit then sets is the one undoable step of the edit.
    p->commitMode = MI_COMMIT_DIRECT;
    translateItem = p->AddItem(MI_GROUP, &three, Tr("Translae"));
    for (int k = 0; k < 3; ++k) p->AddItem(MI_DOUBLE_TEXT, &path->translate->Component(k).cachedValue, "");
    const int r = p->AddItem(MI_GROUP, &three, Tr("Rotation"));
    for (int k = 0; k < 3; ++k) p->AddItem(MI_DOUBLE_TEXT, &path->rotation->Component(k).cachedValue, "");
    const int a = p->AddItem(MI_GROUP, &three, Tr("Anchor"));
    for (int k = 0; k < 3; ++k) p->AddItem(MI_DOUBLE_TEXT, &anchor->translate->Component(k).cachedValue, "");
    p->commitMode = MI_COMMIT_UNDO;
    p->BuildControls();
    p->TintXYZ(translateItem + 1);
    p->TintXYZ(r + 1);
    p->TintXYZ(a + 1);
}

void CameraPathGUI_cls::RefreshControls() {
    if (!owner) return;
    UpdateFisheyeRows();
    if (owner->path) {
        LoadCurrentValues(owner->path->translate);
        LoadCurrentValues(owner->path->rotation);
    }
    if (owner->anchor) LoadCurrentValues(owner->anchor->translate);
    ColorCurve_cls* records[3] = {GpBGColor, GpOutColor, GpTagColor};
    for (int k = 0; k < 3; ++k)
        if (g_colorButtons[k] && g_colorButtons[k]->Record() != records[k]) g_colorButtons[k]->SetRecord(records[k]);
    for (MultiInputPanel_cls* p : pages) p->UpdateWidgets(MI_ALL_ITEMS);
    advanced->UpdateWidgets(MI_ALL_ITEMS);
    camera->UpdateWidgets(MI_ALL_ITEMS);
    for (ColorCurveBtn_cls* b : g_colorButtons)
        if (b) b->Refresh();
}

void CameraPathGUI_cls::SyncFromView() {
    if (!owner) return;
    for (int i = 0; i < kViews; ++i)
        if (owner->views && owner->views(i) && owner->views(i) == GpCurrentCanvas) {
            notebook->SetSelection(size_t(i));
            owner->viewIndex = i;
        }
    RefreshControls();
}

void CameraPathGUI_cls::UpdateFisheyeRow(int i) {
    MainGLCanvas_cls* view = owner && owner->views ? owner->views(i) : nullptr;
    if (!view || fisheyeItem[i] < 0) return;
    const bool fisheye = view->settings.geometry.value == GEOMETRY_FISHEYE;
    if (fisheye == g_fisheyeShown[i]) return;
    g_fisheyeShown[i] = fisheye;
    pages[i]->ShowItem(fisheyeItem[i], fisheye);
    pages[i]->InvalidateBestSize();
}

void CameraPathGUI_cls::UpdateFisheyeRows() {
    bool before[kViews];
    std::copy(std::begin(g_fisheyeShown), std::end(g_fisheyeShown), before);
    for (int i = 0; i < kViews; ++i) UpdateFisheyeRow(i);
    if (std::equal(std::begin(before), std::end(before), std::begin(g_fisheyeShown))) return;
    int tallest = 0;
    for (size_t i = 0; i < notebook->GetPageCount(); ++i)
        tallest = std::max(tallest, notebook->GetPage(i)->GetBestSize().y);
    notebook->SetMinSize(wxSize(-1, tallest + 32));
    // The dialog first, so that every page has its new height before it lays its rows out.
    Relayout();
    // Each panel takes its full height at once: the notebook hands its pages their new
    // size only later, and rows laid out in the old height would be squeezed.
    for (MultiInputPanel_cls* p : pages) {
        const wxSize best = p->GetBestSize();
        p->SetSize(wxSize(std::max(best.x, p->GetSize().x), best.y));
        p->Layout();
    }
}

void CameraPathGUI_cls::OnCommitted() {
    if (!owner) return;
    // Values typed into the camera panel become keys at the current time, in one step.
    if (owner->path && owner->anchor && (Typed(owner->path->translate) || Typed(owner->path->rotation) ||
                                         Typed(owner->anchor->translate))) {
        GoCommandHistory.BeginBlock("");
        owner->path->translate->UpdateChangedKeys(-1);
        owner->path->rotation->UpdateChangedKeys(-1);
        owner->anchor->translate->UpdateChangedKeys(-1);
        GoCommandHistory.EndBlock("");
    }
    if (owner->frame) WidgetCommon_cls::PostMenuCommand(owner->frame, ID_REDRAW_VIEWS);
}

void CameraPathGUI_cls::OnDefault() {
    if (!owner || !owner->views) return;
    // The page the button sits on is the page shown.
    const int i = notebook->GetSelection();
    MainGLCanvas_cls* view = i >= 0 ? owner->views(i) : nullptr;
    if (!view) return;
    if (view->CameraChoice() == CAMERA_FREE) {
        view->ResetCamera();
        view->cameras.free.frame.UpdateAngles(true);
    }
    RefreshControls();
    if (owner->frame) WidgetCommon_cls::PostMenuCommand(owner->frame, ID_REDRAW_VIEWS);
}

void CameraPathGUI_cls::OnPageChanged(wxBookCtrlEvent& event) {
    event.Skip();
    const int i = event.GetSelection();
    MainGLCanvas_cls* view = owner && owner->views && i >= 0 ? owner->views(i) : nullptr;
    if (!view || gridItem < 0) return;
    // The grid choice is the shown view's own.
    advanced->GetItem(gridItem).variable = &view->settings.gridType.value;
    advanced->UpdateWidgets(MI_ALL_ITEMS);
}
