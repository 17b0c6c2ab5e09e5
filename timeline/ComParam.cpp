// Undo commands of key-framed parameters.
#include "timeline/ComParam.h"

#include "common/CommandHistory.h"
#include "timeline/ParamRegistry.h"
#include "timeline/ParamViews.h"
#include "timeline/Parameter.h"

namespace {
ParamRegistry_cls* g_registry = nullptr;
}

void ComParamBase_cls::SetRegistry(ParamRegistry_cls* registry) { g_registry = registry; }
ParamRegistry_cls* ComParamBase_cls::Registry() { return g_registry; }

ComParamBase_cls::ComParamBase_cls(Parameter_cls* target, const char* cmdName)
    : CommandItem_cls(COMMAND_PLAIN, cmdName, target->updateFlags), target_(target) {
    targetName = wxString::FromUTF8(target->registryName.c_str());
    // Whatever the registry knows by this name belongs to a filter, which undo may delete
    // and re-create: such a command must never fall back to the pointer it was built with.
    // A filter's parameter is found by its address where the registry gives one (a name
    // may be shared by filters of two lists, and a colour curve is named after its record
    // alone, "BGColor ColorCurve R" in every BG filter), else by its registry name.
    if (g_registry) address_ = g_registry->AddressOf(*target);
    byName_ = address_.empty() && g_registry && g_registry->FindParamByName(target->registryName) != nullptr;
}

Parameter_cls* ComParamBase_cls::ResolveTarget() const {
    // A filter's parameter may have been deleted and re-created: never use the old pointer.
    if (!address_.empty()) return g_registry ? g_registry->FindParamByAddress(address_) : nullptr;
    if (byName_) return g_registry ? g_registry->FindParamByName(targetName.utf8_string()) : nullptr;
    return target_;
}

void ComParamBase_cls::Execute(bool /*undo*/) {
    Parameter_cls* p = ResolveTarget();
    if (!p) return;
    Apply(*p);
    Notify();
    ++p->changeCounter;
}

ComParamClearKey_cls::ComParamClearKey_cls(Parameter_cls* target, double value, double time)
    : ComParamBase_cls(target, "ParamClearKey"), value_(value), time_(time) {}
void ComParamClearKey_cls::Apply(Parameter_cls& p) { p.ResetToKey(value_, time_); }

ComParamDelKey_cls::ComParamDelKey_cls(Parameter_cls* target, int index)
    : ComParamBase_cls(target, "ParamDelKey"), index_(index) {}
void ComParamDelKey_cls::Apply(Parameter_cls& p) {
    if (index_ < 0 || index_ >= p.GetKeyCount()) return;
    p.keys.erase(p.keys.begin() + index_);
    p.UpdateAutoTangents();
}

ComParamMemento_cls::ComParamMemento_cls(Parameter_cls* target, const Parameter_cls* source)
    : ComParamBase_cls(target, "ParamMement"),
      snapshot_(std::make_unique<Parameter_cls>(source ? *source : *target)) {}
ComParamMemento_cls::~ComParamMemento_cls() = default;
void ComParamMemento_cls::Apply(Parameter_cls& p) { p.CopyCurveFrom(*snapshot_); }

ComParamMoveKey_cls::ComParamMoveKey_cls(Parameter_cls* target, double from, double to, double eps)
    : ComParamBase_cls(target, "ParamMoveKey"), from_(from), to_(to), eps_(eps) {}
void ComParamMoveKey_cls::Apply(Parameter_cls& p) { p.MoveKeyTime(from_, to_, eps_); }

ComParamOvwtKeyC_cls::ComParamOvwtKeyC_cls(Parameter_cls* target, int index, const ParamKey_cls& key)
    : ComParamBase_cls(target, "ParamOvwrKeyC"), index_(index), key_(key) {}
void ComParamOvwtKeyC_cls::Apply(Parameter_cls& p) {
    if (index_ < 0 || index_ >= p.GetKeyCount()) return;
    p.keys[static_cast<size_t>(index_)] = key_;
    p.SortKeys();
    p.UpdateAutoTangents();
}

ComParamSetKeyC_cls::ComParamSetKeyC_cls(Parameter_cls* target, const ParamKey_cls& key)
    : ComParamBase_cls(target, "ParamSetKeyC"), key_(key) {}
void ComParamSetKeyC_cls::Apply(Parameter_cls& p) {
    p.keys.push_back(key_);
    p.SortKeys();
    p.UpdateAutoTangents();
}

ComParamSetKeyTypeMulti_cls::ComParamSetKeyTypeMulti_cls(Parameter_cls* target,
                                                         std::vector<int> indices,
                                                         std::vector<int> types)
    : ComParamBase_cls(target, "ParamSetKeyTypeMulti"),
      indices_(std::move(indices)),
      types_(std::move(types)) {}
void ComParamSetKeyTypeMulti_cls::Apply(Parameter_cls& p) {
    for (size_t i = 0; i < indices_.size() && i < types_.size(); ++i) {
        int k = indices_[i];
        if (k >= 0 && k < p.GetKeyCount()) p.keys[static_cast<size_t>(k)].type = types_[i];
    }
    p.UpdateAutoTangents();
}

ComParamSetKeyType_cls::ComParamSetKeyType_cls(Parameter_cls* target, int index, int type)
    : ComParamBase_cls(target, "ParamSetKeyType"), index_(index), type_(type) {}
void ComParamSetKeyType_cls::Apply(Parameter_cls& p) {
    if (index_ >= 0 && index_ < p.GetKeyCount()) p.keys[static_cast<size_t>(index_)].type = type_;
    p.UpdateAutoTangents();
}

ComParamSetKey_cls::ComParamSetKey_cls(Parameter_cls* target, double time, double value,
                                       double tangent, double ease, int type)
    : ComParamBase_cls(target, "ParamSetKey"),
      time_(time), value_(value), tangent_(tangent), ease_(ease), type_(type) {}
void ComParamSetKey_cls::Apply(Parameter_cls& p) { p.AddKey(time_, value_, type_, tangent_, ease_); }

ComParamSetTimeDependent_cls::ComParamSetTimeDependent_cls(Parameter_cls* target, bool flag)
    : ComParamBase_cls(target, "SetTimeDependent"), flag_(flag) {
    updateFlags |= UPD_TIME;
    if (target->row) target->row->SetTimeDependToggle(flag ? 1 : 0);
}
void ComParamSetTimeDependent_cls::Apply(Parameter_cls& p) { p.SetTimeDependentValue(flag_); }
