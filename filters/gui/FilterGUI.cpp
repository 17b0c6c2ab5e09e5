// Filter panels: header row, transform rows, callbacks, collapse and selection colour.
#include "filters/gui/FilterGUI.h"

#include <wx/colour.h>
#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/CommandIds.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/ColorCurve.h"
#include "filters/FilterBase.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterData.h"
#include "filters/gui/FilterBGGUI.h"
#include "filters/gui/ColorCurveBtn.h"
#include "filters/gui/FilterBooleanGUI.h"
#include "filters/gui/FilterCopyGUI.h"
#include "filters/gui/FilterDataBoxGUI.h"
#include "filters/gui/FilterFilteringGUI.h"
#include "filters/gui/FilterFogGUI.h"
#include "filters/gui/FilterGridGUI.h"
#include "filters/gui/FilterObjectGUI.h"
#include "filters/gui/FilterStickGUI.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

std::unique_ptr<FilterGUI_cls> MakeFilterGUI(FilterBase_cls* filter) {
    if (!filter) return nullptr;
    switch (filter->Kind()) {
        case FILTER_BOOLEAN: return std::make_unique<FilterBooleanGUI_cls>(filter);
        case FILTER_DATABOX: return std::make_unique<FilterDataBoxGUI_cls>(filter);
        case FILTER_FILTERING: return std::make_unique<FilterFilteringGUI_cls>(filter);
        case FILTER_COPY: return std::make_unique<FilterCopyGUI_cls>(filter);
        case FILTER_FOG: return std::make_unique<FilterFogGUI_cls>(filter);
        case FILTER_GRID: return std::make_unique<FilterGridGUI_cls>(filter);
        case FILTER_BG: return std::make_unique<FilterBGGUI_cls>(filter);
        case FILTER_OBJECT: return std::make_unique<FilterObjectGUI_cls>(filter);
        case FILTER_STICK: return std::make_unique<FilterStickGUI_cls>(filter);
        default: return nullptr;
    }
}

ColorCurveBtn_cls* MakeFilterColorButton(wxWindow* parent, FilterBase_cls* filter, int index, bool checkArea) {
    FilterData_cls* d = filter->GetData();
    ColorCurve_cls* record = index >= 0 && index < int(d->colors.size()) ? d->colors[size_t(index)] : nullptr;
    auto* button = new ColorCurveBtn_cls(parent, record, true, checkArea, false);
    FilterCtrl_cls* list = filter->List();
    if (list) {
        // The filter may be deleted and restored (a new object of the same name, perhaps
        // where another filter lived) while a colour command sits in the history, and
        // renamed while its button lives: each edit's commands find the record by list and
        // by the name the filter has when the edit is made, never by the object.
        button->makeColorLocator = [list, filter, index]() -> std::function<ConfItemFLOATARRAY_cls*()> {
            const wxString name = list->IndexOf(filter) >= 0 ? filter->GetData()->filterName.Value() : wxString();
            return [list, name, index]() -> ConfItemFLOATARRAY_cls* {
                FilterBase_cls* f = name.empty() ? nullptr : list->FindByName(name);
                if (!f) return nullptr;
                FilterData_cls* data = f->GetData();
                if (index < 0 || index >= int(data->colors.size())) return nullptr;
                return &data->colors[size_t(index)]->constantColor;
            };
        };
    }
    return button;
}

FilterGUI_cls::FilterGUI_cls(FilterBase_cls* filter) : filter_(filter) {}

FilterGUI_cls::~FilterGUI_cls() = default;

void FilterGUI_cls::Post(int id) const {
    if (hooks_.postCommand) hooks_.postCommand(id);
}

void FilterGUI_cls::Build(wxWindow* page, const FilterGUIHooks& hooks) {
    hooks_ = hooks;
    CreateHeaderPanel(page, filter_->GetData()->filterName.Value());
    BuildRows();
    panel_->CreateAndAddToSizer(nullptr);
    ConnectPanelCallbacks(panel_);
    AfterBuild();
    for (int i : xyzRows_) panel_->TintXYZ(i + 1);
    if (!filter_->GetData()->filterGUIOpen.value) {
        panel_->ToggleCollapse(3);  // built open: hide every row after the header
    }
    UpdateHeaderLabel();
    panel_->UpdateWidgets(MI_ALL_ITEMS);
    ShowSelection();
}

MultiInputPanel_cls* FilterGUI_cls::CreateHeaderPanel(wxWindow* page, const wxString& label) {
    panel_ = CreateMultiInputPanel(nullptr, page);
    panel_->updateFlags = 2;  // UPD_VIEWS
    panel_->commitMode = MI_COMMIT_DIRECT;
    panel_->filterContext = filter_->List();
    panel_->AddItem(MI_GROUP, &groupCount2_, "");
    const int box = panel_->AddItem(MI_CHECKBOX, &filter_->GetData()->filterValid.value, "");
    panel_->GetItem(box).controlWidth = 16;
    panel_->AddUnboundItem(ID_FILTER_OPEN_BUTTON, "[+]" + label, MI_BUTTON);
    return panel_;
}

int FilterGUI_cls::AddVectorRow(MultiInputPanel_cls* panel, ParamGroup_cls* group, const wxString& label) {
    const int header = panel->AddItem(MI_GROUP, &groupCount3_, label);
    for (int c = 0; c < 3; ++c) {
        void* value = group && c < group->ComponentCount() ? &group->Component(c).cachedValue : nullptr;
        panel->AddItem(MI_DOUBLE_TEXT, value, "");
    }
    return header;
}

std::vector<int> FilterGUI_cls::AddTransformRows(MultiInputPanel_cls* panel, FilterData_cls* data, int mask) {
    if (mask == 0) mask = FILTER_ROW_T | FILTER_ROW_R | FILTER_ROW_S;
    panel->labelWidth = 20;
    panel->defaultControlWidth = 82;
    panel->commitMode = MI_COMMIT_DIRECT;
    std::vector<int> headers;
    // The rows show the values at the current time; typing one writes the cached value,
    // which the value-changed callback then keys.
    if (mask & FILTER_ROW_T) headers.push_back(AddVectorRow(panel, data->translate, "T"));
    if (mask & FILTER_ROW_R) headers.push_back(AddVectorRow(panel, data->rotation, "R"));
    if (mask & FILTER_ROW_S) headers.push_back(AddVectorRow(panel, data->scale, "S"));
    for (ParamGroup_cls* g : {data->translate, data->rotation, data->scale})
        if (g) g->GetValues(GdCurrentTime, -1);
    return headers;
}

void FilterGUI_cls::ConnectPanelCallbacks(MultiInputPanel_cls* panel) {
    panel->AddCallback(
        [this](void*, void*) {
            filter_->GetData()->UpdateChangedKeys();
            Post(ID_REDRAW_VIEWS);
        },
        MIE_VALUE_CHANGED, nullptr);
    panel->AddItemCallback([this](void*, void*) { ToggleOpen(); }, MIE_BUTTON, 2, false, this);
    panel->AddCallback(
        [this](void*, void* payload) {
            auto* e = static_cast<wxMouseEvent*>(payload);
            if (!e) return;
            if (e->LeftDClick()) {
                AskRename();
                return;
            }
            if (!e->LeftDown() && !e->RightDown()) return;
            if (hooks_.selectFilter) hooks_.selectFilter(filter_, true);
            if (e->RightDown()) Post(ID_FILTER_CONTEXT_MENU);
        },
        MIE_LABEL_CLICK, nullptr);
    panel->AddCallback(
        [this](void*, void*) {
            panel_->UpdateWidgets(MI_ALL_ITEMS);
            Post(ID_REDRAW_VIEWS);
        },
        MIE_CLICK, nullptr);
    panel->AddCallback([this](void*, void*) { Post(ID_REDRAW_VIEWS); }, MIE_CHECKBOX_CHANGED, nullptr);
}

void FilterGUI_cls::ToggleOpen() {
    if (!panel_) return;
    panel_->ToggleCollapse(3);
    filter_->GetData()->filterGUIOpen.value = panel_->IsShownFlag();
    if (panel_->IsShownFlag()) RefreshRows();
    Post(ID_PAGES_RELAYOUT);
}

void FilterGUI_cls::UpdateHeaderLabel() {
    if (!panel_) return;
    if (wxWindow* button = panel_->GetItemControl(2)) button->SetLabel(filter_->GetData()->filterName.Value());
}

void FilterGUI_cls::ShowSelection() {
    if (!panel_) return;
    if (filter_->GetData()->selected)
        panel_->SetBackgroundColour(wxColour(240, 230, 180));
    else
        panel_->SetBackgroundColour(wxColour(191, 216, 216));  // the toolkit's "LIGHT BLUE"
    panel_->Refresh(true);
    panel_->RefreshSliders();
}

void FilterGUI_cls::RefreshWidgets() {
    if (!panel_) return;
    // The rows show the key-framed values at the current time (the anchor too).
    FilterData_cls* d = filter_->GetData();
    for (ParamGroup_cls* g : {d->translate, d->rotation, d->scale})
        if (g) g->GetValues(GdCurrentTime, -1);
    if (d->group)
        for (ParamGroup_cls* g : d->group->children)
            if (g) g->GetValues(GdCurrentTime, -1);
    panel_->UpdateWidgets(MI_ALL_ITEMS);
    UpdateHeaderLabel();
    // An undo may have changed a choice that decides which rows show.
    if (panel_->IsShownFlag()) RefreshRows();
}

void FilterGUI_cls::AskRename() {
    if (!hooks_.askName || !filter_->List()) return;
    const wxString current = filter_->GetData()->filterName.Value();
    wxString name = hooks_.askName(current);
    name.Trim(true).Trim(false);
    if (name.empty() || name == current) return;  // cancelled or unchanged
    if (filter_->List()->RenameUndoable(filter_, name).empty() && hooks_.reportError)
        hooks_.reportError(wxString::Format(wxGetTranslation("The name \"%s\" is used by another filter."), name));
}
