// Undoable filter-list commands.
#include "filters/CommandFilter.h"

#include "common/CommandHistory.h"
#include "filters/FilterCtrl.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

CommandFilterMake_cls::CommandFilterMake_cls(FilterCtrl_cls* list, int kind, int index,
                                             const FilterData_cls* source, const wxString& name,
                                             uint64_t updateFlags)
    : CommandItem_cls(COMMAND_PLAIN, "FilterMake", updateFlags), list_(list), kind_(kind), index_(index),
      filterName_(name) {
    if (kind >= 0 && source && source->Kind() == kind) {
        snapshot_ = MakeFilter(kind, nullptr);
        if (snapshot_) snapshot_->GetData()->CopyFrom(*source, nullptr, nullptr, nullptr);
        selectAfter_ = source->selected != 0;
    }
}

CommandFilterMake_cls::~CommandFilterMake_cls() = default;

void CommandFilterMake_cls::Execute(bool) {
    if (kind_ < 0) {
        int index = index_;
        if (!filterName_.empty()) {
            index = list_->IndexOf(list_->FindByName(filterName_));
            if (index < 0) return;  // gone already: nothing to delete
        }
        list_->DeleteFilter(index);
    } else {
        FilterBase_cls* made = list_->AddFilter(kind_, index_, snapshot_ ? snapshot_->GetData() : nullptr,
                                                nullptr, nullptr, nullptr);
        // A deleted filter that was selected comes back selected.
        if (made && selectAfter_) list_->SelectEverywhere(made);
    }
    Notify();
}

CommandFilterRename_cls::CommandFilterRename_cls(FilterCtrl_cls* list, const wxString& from,
                                                 const wxString& to, uint64_t updateFlags)
    : CommandItem_cls(COMMAND_PLAIN, "FilterRename", updateFlags), list_(list), from_(from), to_(to) {}

void CommandFilterRename_cls::Execute(bool) {
    list_->RenameFilter(from_, to_);
    Notify();
}

CommandFilterMove_cls::CommandFilterMove_cls(FilterCtrl_cls* list, int index, int offset,
                                             uint64_t updateFlags)
    : CommandItem_cls(COMMAND_PLAIN, "FilterMove", updateFlags), list_(list), index_(index), offset_(offset) {}

void CommandFilterMove_cls::Execute(bool) {
    list_->MoveFilter(index_, offset_);
    Notify();
}

CommandFilterValue_cls::CommandFilterValue_cls(FilterCtrl_cls* list, const wxString& address, double x,
                                               int n, uint64_t updateFlags)
    : CommandItem_cls(COMMAND_PLAIN, "value", updateFlags), list_(list), address_(address), x_(x), n_(n) {}

void CommandFilterValue_cls::Execute(bool) {
    list_->SetValueByAddress(address_, x_, n_);
    Notify();
}

CommandFilterText_cls::CommandFilterText_cls(FilterCtrl_cls* list, const wxString& address, const wxString& text,
                                             uint64_t updateFlags)
    : CommandItem_cls(COMMAND_PLAIN, "text", updateFlags), list_(list), address_(address), text_(text) {}

void CommandFilterText_cls::Execute(bool) {
    list_->SetTextByAddress(address_, text_);
    Notify();
}

CommandFilterParamInit_cls::CommandFilterParamInit_cls(FilterCtrl_cls* list, const wxString& filterName,
                                                       const std::string& paramName,
                                                       const std::vector<double>& values, uint64_t updateFlags)
    : CommandItem_cls(COMMAND_PLAIN, "ParamInit", updateFlags), list_(list), filterName_(filterName),
      paramName_(paramName), values_(values) {}

void CommandFilterParamInit_cls::Execute(bool) {
    // The key is part of this step; keying must not push steps of its own while the
    // history runs this one.
    const unsigned char saved = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    list_->SetKeyByNames(filterName_, paramName_, values_);
    GbParamUndoEnabled = saved;
    Notify();
}

FilterBase_cls* AddFilterCommand(CommandHistory_cls& history, FilterCtrl_cls* list, int kind) {
    if (!MakeFilter(kind, nullptr)) return nullptr;
    const int at = list->Count();
    history.BeginBlock("AddFilter");
    history.Push(new CommandFilterMake_cls(list, kind, at, nullptr),
                 new CommandFilterMake_cls(list, -1, at, nullptr));
    history.Redo();
    FilterBase_cls* made = list->GetNode(at);
    if (made && made->GetData()->scale) {
        const wxString name = made->GetData()->filterName.Value();
        const std::string group = made->GetData()->scale->name;
        history.Push(new CommandFilterParamInit_cls(list, name, group, {1, 1, 1}, 0x1006),
                     new CommandFilterParamInit_cls(list, name, group, {1, 1, 1}, 0x1006));
        history.Redo();
    }
    history.EndBlock("AddFilter");
    return made;
}
