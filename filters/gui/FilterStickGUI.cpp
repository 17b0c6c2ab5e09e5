// Stick filter panel.
#include "filters/gui/FilterStickGUI.h"

#include <wx/app.h>
#include <wx/intl.h>
#include <wx/window.h>

#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "common/CommandSetValue.h"
#include "common/gui/FileDialogEX.h"
#include "common/gui/MultiInputPanel.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterStick.h"

FilterStickGUI_cls::FilterStickGUI_cls(FilterBase_cls* filter)
    : FilterGUI_cls(filter), stick_(static_cast<FilterStick_cls*>(filter)) {}

void FilterStickGUI_cls::BuildRows() {
    FilterStickData_cls* d = stick_->Data();
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 4102;  // UPD_FILTER_EVAL, UPD_TIME, UPD_VIEWS
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    const wxString kStickTypes[2] = {wxGetTranslation("Line"), wxGetTranslation("Cylinder")};
    const wxString kCalcTypes[2] = {wxGetTranslation("Load File"), wxGetTranslation("Calculate")};
    const wxString kCritTypes[3] = {wxGetTranslation("Step"), wxGetTranslation("Ramp"),
                                    wxGetTranslation("Step between A and B")};
    const wxString kSpecTypes[2] = {wxGetTranslation("Any Type"), wxGetTranslation("Connect between A and B")};
    typeGroup = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Type/Calc"));
    p->AddChoiceItem(MI_COMBO, &d->stickType.value, 2, kStickTypes, "");
    p->AddChoiceItem(MI_COMBO, &d->calcType.value, 2, kCalcTypes, "");
    p->defaultControlWidth = 88;
    radiusRow = p->AddValueWithSlider(MI_FLOAT_TEXT, &d->stickRadius.value, wxGetTranslation("Radius"),
                                      MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, 0, 300, 100);
    widthRow = p->AddValueWithSlider(MI_INT_TEXT, &d->stickWidth.value, wxGetTranslation("Line Width"),
                                     MI_KEEP_WIDTH, MI_KEEP_WIDTH);
    p->SetItemRange(MI_LAST_ITEM, 1, 20, 1);
    p->defaultControlWidth = 80;
    critTypeRow = p->AddChoiceItem(MI_COMBO, &d->critType.value, 3, kCritTypes, wxGetTranslation("Calculate Type"));
    p->defaultControlWidth = 88;
    critGroup = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Crit A/B"));
    p->AddItem(MI_FLOAT_TEXT, &d->critA.value, "");
    critBItem = p->AddItem(MI_FLOAT_TEXT, &d->critB.value, "");
    p->defaultControlWidth = 80;
    specTypeRow = p->AddChoiceItem(MI_COMBO, &d->specType.value, 2, kSpecTypes, wxGetTranslation("Connection"));
    p->defaultControlWidth = 88;
    specGroup = p->AddItem(MI_GROUP, &groupCount2_, wxGetTranslation("Spec A/B"));
    p->AddItem(MI_INT_TEXT, &d->specA.value, "");
    p->AddItem(MI_INT_TEXT, &d->specB.value, "");
    // The path is written directly (a string setting has no value address).
    pathGroup = p->AddItem(MI_GROUP, &groupCount2_, "");
    p->defaultControlWidth = 232;
    p->commitMode = MI_COMMIT_DIRECT;
    p->AddItem(MI_STRING_TEXT, &d->stickPath.text, wxGetTranslation("Path"));
    p->defaultControlWidth = 24;
    chooseButton = p->AddUnboundItem(-1, "..", MI_BUTTON);
    p->defaultControlWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
}

void FilterStickGUI_cls::AfterBuild() {
    const auto refresh = [this](void*, void*) {
        Refresh();
        Post(ID_PAGES_RELAYOUT);
    };
    for (int item : {typeGroup + 1, typeGroup + 2, critTypeRow, specTypeRow})
        panel_->AddItemCallback(refresh, MIE_SELECT_CHANGED, item);
    panel_->AddItemCallback([this](void*, void*) { ChooseStickFile(); }, MIE_BUTTON, chooseButton);
    // A stick file that can not be used is told once, after the drawing that found it.
    // The filter may outlive this panel: the sink holds only a weak link to the panel's
    // way of telling the user.
    errorReporter_ = std::make_shared<std::function<void(const wxString&)>>(hooks_.reportError);
    std::weak_ptr<std::function<void(const wxString&)>> reporter = errorReporter_;
    stick_->errorSink = [reporter](const std::string& message) {
        if (!wxTheApp) return;
        const wxString text = wxString::FromUTF8(message);
        wxTheApp->CallAfter([reporter, text] {
            if (auto report = reporter.lock())
                if (*report) (*report)(text);
        });
    };
    Refresh();
}

void FilterStickGUI_cls::Refresh() {
    if (!panel_) return;
    const FilterStickData_cls* d = stick_->Data();
    panel_->Freeze();
    const bool lines = d->stickType.value == 0;
    panel_->ShowItem(radiusRow, !lines);
    panel_->ShowItem(widthRow, lines);
    const bool load = d->calcType.value == 0;
    panel_->ShowItem(pathGroup, load);
    panel_->ShowItem(critTypeRow, !load);
    panel_->ShowItem(critGroup, !load);
    panel_->ShowItem(specTypeRow, !load);
    panel_->ShowItem(specGroup, !load && d->specType.value != 0);
    panel_->EnableItem(critBItem, d->critType.value != 0);  // Step uses A alone
    panel_->Layout();
    panel_->Thaw();
}

void FilterStickGUI_cls::ChooseStickFile() {
    const wxString message = "Select Mesh File";
    const wxString wildcard = "StickInfo (*.txt;*.bond)|*.txt;*.bond";
    wxString path;
    if (hooks_.chooseFile) {
        path = hooks_.chooseFile(message, wildcard);
    } else if (GpFileDialogEX) {
        GpFileDialogEX->SetMessage(message);
        GpFileDialogEX->SetWildcard(wildcard);
        if (GpFileDialogEX->ShowModal() == wxID_OK) path = GpFileDialogEX->GetPath();
    }
    if (path.empty()) return;
    FilterCtrl_cls* list = filter_->List();
    const wxString name = filter_->GetData()->filterName.Value();
    // The filter may be deleted and made again while the step is in the history: the
    // step finds it again by its list and name.
    const auto locate = [list, name]() -> void* {
        FilterBase_cls* f = list ? list->FindByName(name) : nullptr;
        if (!f || f->Kind() != FILTER_STICK) return nullptr;
        return &static_cast<FilterStickData_cls*>(f->GetData())->stickPath.text;
    };
    const uint64_t flags = UPD_FILTER_EVAL | UPD_VIEWS;
    GoCommandHistory.Push(CommandSetValue_cls::MakeLocated(locate, path, flags),
                          CommandSetValue_cls::MakeLocated(locate, stick_->Data()->stickPath.Value(), flags));
    GoCommandHistory.Redo();
    panel_->UpdateWidgets(MI_ALL_ITEMS);
}

TexProperty_cls* FilterStickGUI_cls::TextureRecord() { return &stick_->Data()->texture; }
