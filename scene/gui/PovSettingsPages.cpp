// The dialog pages of the POV-Ray settings groups: Format, RenderType, Radiosity, Photons and
// Focal Blur, and the modal advanced trace settings. Every item edits the group's value, so
// the scene and .ini texts follow the page at once.
#include <wx/translation.h>
#include <wx/window.h>

#include "common/CommandIds.h"
#include "common/gui/MultiInputDialog.h"
#include "common/gui/MultiInputNotifier.h"
#include "common/gui/MultiInputPanel.h"
#include "scene/PovFocalBlurSettings.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovPhotonsSettings.h"
#include "scene/PovRadiositySettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovRegionSettings.h"
#include "scene/PovTraceSettings.h"

namespace {

constexpr int ID_POV_CALC_NINIT = 6542;

int g_two = 2, g_three = 3;

wxString T(const char* text) { return wxGetTranslation(text); }

/// After a choice: the group updates what it shows, then the dialog refits.
void Refit(PageSettings_cls& group) {
    group.RefitDialog(group.page ? wxGetTopLevelParent(group.page) : nullptr);
}

void Finish(PageSettings_cls& group, wxSizer* sizer, std::function<void()> onChange) {
    group.page->CreateAndAddToSizer(sizer);
    group.page->GetNotifier()->Register(
        [onChange, &group](void*, void*) {
            onChange();
            Refit(group);
        },
        MIE_SELECT);
    group.page->GetNotifier()->Register([onChange](void*, void*) { onChange(); }, MIE_SELECT_CHANGED);
    onChange();
}

}  // namespace

// Format ---------------------------------------------------------------------------------------

void PovOutputSettings_cls::CreatePage(wxWindow* parent, wxSizer* sizer) {
    MultiInputPanel_cls* p = CreateMultiInputPanel(&page, parent);
    sizeTemplate.FindIndex(width.value, height.value);
    p->AddItem(MI_GROUP, &g_two, T("Output Format"));
    wxString sizes[ImgSizeTemplate_cls::kCount];
    for (int i = 0; i < ImgSizeTemplate_cls::kCount; ++i) sizes[i] = sizeTemplate.GetLabel(i);
    sizeTemplate.itemIndex = p->AddChoiceItem(MI_COMBO, &sizeTemplate.selected, ImgSizeTemplate_cls::kCount, sizes, "");
    const wxString formats[kFormatCount] = {"PNG(3x8bit)", "PNG(3x12bit)", "PNG(3x16bit)", "SYS(BMP/PICT)",
                                            "PPM",         "JPEG",         "EXR",          "HDR"};
    p->AddChoiceItem(MI_COMBO, &format.value, kFormatCount, formats, "");
    itemSizeGroup = p->AddItem(MI_GROUP, &g_two, T("Width,Height"));
    p->AddItem(MI_INT_SPIN, &width.value, "");
    p->SetItemRange(MI_LAST_ITEM, 40, 8192, 1);
    p->AddItem(MI_INT_SPIN, &height.value, "");
    p->SetItemRange(MI_LAST_ITEM, 30, 8192, 1);
    p->AddItem(MI_GROUP, &g_three, "");
    const int first = p->AddItem(MI_CHECKBOX, &antialias.value, "Antialias(+A)");
    p->AddItem(MI_CHECKBOX, &jitter.value, "Jitter(+J)");
    p->AddItem(MI_CHECKBOX, &display.value, "Display(+D)");
    p->AddItem(MI_GROUP, &g_three, "");
    p->AddItem(MI_CHECKBOX, &pauseWhenDone.value, "Pause(+P)");
    p->AddItem(MI_CHECKBOX, &outputAlpha.value, "Alpha(+UA)");
    const int last = p->AddItem(MI_CHECKBOX, &fileAbsolute.value, T("Absolute path"));
    const char* tips[6] = {"Antialias to decrease jaggies", "Add noise to decrease jaggies",
                           "Show rendering image on the display", "Pause when the rendering is finished",
                           "Sets alpha output on", "Use absolute file path"};
    Finish(*this, sizer, [this]() { UpdateEnables(); });
    int tip = 0;
    for (int i = first; i <= last && tip < 6; ++i)
        if (p->GetItem(i).kind == MI_CHECKBOX)
            if (wxWindow* control = p->GetItemControl(i)) control->SetToolTip(T(tips[tip++]));
}

void PovOutputSettings_cls::UpdateEnables() {
    if (!page) return;
    BeginUpdate();
    int w = 0, h = 0;
    const bool custom = sizeTemplate.GetSize(int(sizeTemplate.selected), w, h);
    if (!custom) {
        width.value = w;
        height.value = h;
        page->UpdateWidgets(MI_ALL_ITEMS);
    }
    ShowItem(itemSizeGroup, custom);
    EndUpdate();
}

// RenderType -----------------------------------------------------------------------------------

void PovRegionSettings_cls::CreatePage(wxWindow* parent) {
    MultiInputPanel_cls* p = CreateMultiInputPanel(&page, parent);
    const wxString regions[3] = {T("Render Working Area"), T("Render All Scene"), T("Custum")};
    p->AddChoiceItem(MI_COMBO, &region.value, 3, regions, T("Region to render"));
    itemCustom = p->AddItem(MI_GROUP, &g_three, T("Custom Region"));
    p->AddItem(MI_INT_TEXT, &customMin.value, "");
    p->AddUnboundItem(-1, " - ", MI_STATIC_TEXT);
    p->AddItem(MI_INT_TEXT, &customMax.value, "");
    p->AddItem(MI_GROUP, &g_two, T("Initial sequence"));
    p->AddItem(MI_INT_SPIN, &initial.value, "");
    p->AddUnboundItem(ID_POV_CALC_NINIT, T("Calc. Auto"), MI_BUTTON);
    Finish(*this, nullptr, [this]() { OnPageChanged(); });
    p->GetNotifier()->Register(
        [this](void*, void*) {
            CalcInitialNumber();
            UpdateWidgets();
        },
        MIE_BUTTON, ID_POV_CALC_NINIT);
}

void PovRegionSettings_cls::OnPageChanged() {
    if (!page) return;
    BeginUpdate();
    ShowItem(itemCustom, region.value == 2);
    EndUpdate();
}

// Radiosity ------------------------------------------------------------------------------------

void PovRadiositySettings_cls::CreatePage(wxWindow* parent) {
    MultiInputPanel_cls* p = CreateMultiInputPanel(&page, parent);
    const wxString types[3] = {T("No Radiosity (fast)"), T("Pretrace Only"), T("Fully Trace")};
    p->AddChoiceItem(MI_COMBO, &type.value, 3, types, T("radiosity"));
    itemRecursion = p->AddValueWithSlider(MI_INT_TEXT, &recursionLimit.value, "recursion_limit", MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 1, 20, 1);
    itemCount = p->AddValueWithSlider(MI_INT_TEXT, &count.value, T("ray count"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 35, 3200, 1);
    itemError = p->AddValueWithSlider(MI_FLOAT_TEXT, &errorBound.value, T("error bound"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 1, 200, 100);
    itemMinReuse = p->AddValueWithSlider(MI_FLOAT_TEXT, &minimumReuse.value, "minimum_reuse", MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 1, 30, 1000);
    itemNearest = p->AddValueWithSlider(MI_INT_TEXT, &nearestCount.value, "nearest_count", MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 3, 20, 1);
    const wxString offOn[2] = {"off", "on"};
    itemHighReproduce = p->AddChoiceItem(MI_COMBO, &highReproduce.value, 2, offOn, "High Reproducibility");
    itemTrace = p->AddItem(MI_GROUP, &g_two, T("Trace Start/End"));
    p->AddItem(MI_FLOAT_TEXT, &traceStart.value, "");
    p->AddItem(MI_FLOAT_TEXT, &traceEnd.value, "");
    itemChecks = p->AddItem(MI_GROUP, &g_three, "");
    p->AddItem(MI_CHECKBOX, &zeroAmbient.value, "ambient off");
    p->AddItem(MI_CHECKBOX, &media.value, "media on");
    p->AddItem(MI_CHECKBOX, &normal.value, "normal on");
    const wxString reuses[3] = {T("Not reuse pretrace"), T("Save Pretrace"), T("Load Pretrace")};
    itemReuse = p->AddChoiceItem(MI_COMBO, &reuse.value, 3, reuses, T("reuse pretrace"));
    Finish(*this, nullptr, [this]() { UpdateEnables(); });
}

void PovRadiositySettings_cls::UpdateEnables() {
    if (!page) return;
    BeginUpdate();
    const bool on = type.value != 0;
    const bool tweaks = on && controller && controller->povTweaks.value == 1;
    for (int i : {itemRecursion, itemCount, itemError, itemTrace, itemChecks, itemReuse}) ShowItem(i, on);
    for (int i : {itemMinReuse, itemNearest, itemHighReproduce}) ShowItem(i, tweaks);
    EndUpdate();
}

// Photons --------------------------------------------------------------------------------------

void PovPhotonsSettings_cls::CreatePage(wxWindow* parent) {
    MultiInputPanel_cls* p = CreateMultiInputPanel(&page, parent);
    const wxString types[2] = {T("No Photons"), T("Use Photons")};
    p->AddChoiceItem(MI_COMBO, &type.value, 2, types, T("Photon Mapping"));
    itemCount = p->AddValueWithSlider(MI_INT_TEXT, &count.value, T("photon (x1000)"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 2, 2500, 1);
    itemMaxTrace = p->AddValueWithSlider(MI_INT_TEXT, &maxTrace.value, "max_trace_level", MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 2, 10, 1);
    Finish(*this, nullptr, [this]() { UpdateEnables(); });
}

void PovPhotonsSettings_cls::UpdateEnables() {
    if (!page) return;
    BeginUpdate();
    ShowItem(itemCount, type.value != 0);
    ShowItem(itemMaxTrace, type.value != 0);
    EndUpdate();
}

// Focal Blur -----------------------------------------------------------------------------------

void PovFocalBlurSettings_cls::CreatePage(wxWindow* parent) {
    MultiInputPanel_cls* p = CreateMultiInputPanel(&page, parent);
    const wxString onOff[2] = {T("No Focal Blur"), T("Use Focal Blur")};
    p->AddChoiceItem(MI_COMBO, &focalBlur.value, 2, onOff, T("Focal Blur"));
    itemScale = p->AddValueWithSlider(MI_FLOAT_TEXT, &scale.value, T("scale"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 0, 1000, 1000);
    itemQuality = p->AddValueWithSlider(MI_INT_SPIN, &quality.value, T("Quality"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_TWO, 0, 5, 1);
    const wxString types[5] = {T("Origin"), T("Anchor Pos"), T("Stereo Focus"), T("Distance"), T("Numeric")};
    itemLocationType = p->AddChoiceItem(MI_COMBO, &locationType.value, 5, types, T("Focus location"));
    itemDistance = p->AddValueWithSlider(MI_FLOAT_TEXT, &distance.value, T("Distance"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, 0, 1000, 100);
    itemLocation = p->AddItem(MI_GROUP, &g_three, "location");
    const int x = p->AddItem(MI_FLOAT_TEXT, &location.values[0], "");
    p->AddItem(MI_FLOAT_TEXT, &location.values[1], "");
    p->AddItem(MI_FLOAT_TEXT, &location.values[2], "");
    Finish(*this, nullptr, [this]() { UpdateEnables(); });
    p->TintXYZ(x);
}

void PovFocalBlurSettings_cls::UpdateEnables() {
    if (!page) return;
    BeginUpdate();
    const bool on = focalBlur.value != 0;
    ShowItem(itemScale, on);
    ShowItem(itemQuality, on);
    ShowItem(itemLocationType, on);
    ShowItem(itemDistance, on && locationType.value == 3);
    ShowItem(itemLocation, on && locationType.value == 4);
    EndUpdate();
}

// Advanced -------------------------------------------------------------------------------------

void PovTraceSettings_cls::EditDialog(wxWindow* parent) {
    // Working copies that live only while the dialog is open: their edits are direct, and
    // OK writes them back in one step, so the history keeps nothing that points at them.
    int level = maxTraceLevel.value;
    float threshold = output ? output->antialiasThreshold.value : 0.15f;
    int depth = output ? output->antialiasDepth.value : 3;
    unsigned bounding = output ? output->boundingMethod.value : 1;
    MultiInputDialog_cls dialog(nullptr, parent, wxID_ANY, T("Pov-Ray Advanced Settings"));
    dialog.panel->commitMode = MI_COMMIT_DIRECT;
    dialog.AddItem(MI_INT_SPIN, &level, "max_trace_level");
    dialog.SetItemRange(MI_LAST_ITEM, 1, 256, 1);
    dialog.panel->AddValueWithSlider(MI_FLOAT_TEXT, &threshold, T("AA Threshold"), MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    dialog.SetItemRange(MI_LAST_ITEM, 0, 59, 100);
    dialog.AddItem(MI_INT_SPIN, &depth, T("AA Depth"));
    dialog.SetItemRange(MI_LAST_ITEM, 2, 5, 1);
    const wxString methods[2] = {"default", "Binary Partitioning"};
    dialog.AddChoiceItem(MI_COMBO, &bounding, 2, methods, T("Bounding Method"));
    dialog.BuildAndLayout();
    if (dialog.ShowModal() != wxID_OK) return;
    maxTraceLevel.value = level;
    if (output) {
        output->antialiasThreshold.value = threshold;
        output->antialiasDepth.value = depth;
        output->boundingMethod.value = bounding > 1 ? 1 : bounding;
    }
}
