// Filter lists: editing, naming, project section, value access and services.
#include "filters/FilterCtrl.h"

#include <algorithm>
#include <string>

#include "common/CommandHistory.h"
#include "common/UserPattern.h"
#include "filters/ColorCurve.h"
#include "filters/CommandFilter.h"
#include "filters/FilterBG.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCopy.h"
#include "filters/FilterObject.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovText.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterFiltering.h"
#include "filters/FilterFog.h"
#include "filters/FilterGrid.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovText.h"
#include "filters/FilterListView.h"
#include "filters/FilterStick.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"

FilterCtrl_cls* GpFilterCtrls[3] = {nullptr, nullptr, nullptr};

std::unique_ptr<FilterBase_cls> MakeFilter(int kind, FilterCtrl_cls* list) {
    switch (kind) {
        case FILTER_BOOLEAN: return std::make_unique<FilterBoolean_cls>(list);
        case FILTER_DATABOX: return std::make_unique<FilterDataBox_cls>(list);
        case FILTER_FILTERING: return std::make_unique<FilterFiltering_cls>(list);
        case FILTER_COPY: return std::make_unique<FilterCopy_cls>(list);
        case FILTER_FOG: return std::make_unique<FilterFog_cls>(list);
        case FILTER_GRID: return std::make_unique<FilterGrid_cls>(list);
        case FILTER_BG: return std::make_unique<FilterBG_cls>(list);
        case FILTER_OBJECT: return std::make_unique<FilterObject_cls>(list);
        case FILTER_STICK: return std::make_unique<FilterStick_cls>(list);
        default: return nullptr;
    }
}

FilterCtrl_cls::FilterCtrl_cls(int listIndex) : listIndex_(listIndex) {}

FilterCtrl_cls::~FilterCtrl_cls() = default;

FilterBase_cls* FilterCtrl_cls::AddFilter(int kind, int position, const FilterData_cls* source,
                                          const ParamGroup_cls* t, const ParamGroup_cls* r,
                                          const ParamGroup_cls* s) {
    std::unique_ptr<FilterBase_cls> f = MakeFilter(kind, this);
    if (!f) return nullptr;
    FilterData_cls* data = f->GetData();
    if (source && source->Kind() == kind) data->CopyFrom(*source, t, r, s);
    const wxString name = UniqueName(data->filterName.Value());
    data->filterName.text = name;
    data->RenameParams(name.utf8_string());
    if (position < 0 || position > Count()) position = Count();
    FilterBase_cls* made = f.get();
    filters_.insert(filters_.begin() + position, std::move(f));
    if (view_) view_->FilterAdded(made, position);
    return made;
}

void FilterCtrl_cls::DeleteFilter(int index) {
    if (index < 0 || index >= Count()) return;
    FilterBase_cls* f = GetNode(index);
    if (view_) view_->FilterRemoving(f, index);
    // A background's textures can be large (a 4096 x 4096 sky is 64 MB): they go with the
    // filter, at the next paint of a view, where their context is current.
    if (f->Kind() == FILTER_BG) {
        auto* bg = static_cast<FilterBG_cls*>(f);
        if (bg->glCache) retiredGL_.push_back(std::move(bg->glCache));
    }
    filters_.erase(filters_.begin() + index);
}

void FilterCtrl_cls::ReleaseRetiredGL() {
    std::vector<std::unique_ptr<FilterGLCache_cls>> retired;
    retired.swap(retiredGL_);
    for (auto& cache : retired) cache->ReleaseGL();
}

void FilterCtrl_cls::DeleteAll() {
    while (Count() > 0) DeleteFilter(0);
}

void FilterCtrl_cls::MoveFilter(int index, int offset) {
    const int to = index + offset;
    if (index < 0 || index >= Count() || to < 0 || to >= Count()) return;
    std::swap(filters_[static_cast<size_t>(index)], filters_[static_cast<size_t>(to)]);
    if (view_) view_->FiltersSwapped(index, offset);
}

void FilterCtrl_cls::DeleteSelected() {
    for (int i = 0; i < Count(); ++i) {
        FilterBase_cls* f = GetNode(i);
        if (!f->GetData()->selected) continue;
        const wxString name = f->GetData()->filterName.Value();
        GoCommandHistory.Push(new CommandFilterMake_cls(this, -1, i, nullptr, name),
                              new CommandFilterMake_cls(this, f->Kind(), i, f->GetData()));
        GoCommandHistory.Redo();
        return;
    }
}

void FilterCtrl_cls::MoveSelected(int offset) {
    for (int i = 0; i < Count(); ++i) {
        if (!GetNode(i)->GetData()->selected) continue;
        if (i + offset < 0 || i + offset >= Count()) continue;
        GoCommandHistory.Push(new CommandFilterMove_cls(this, i, offset),
                              new CommandFilterMove_cls(this, i + offset, -offset));
        GoCommandHistory.Redo();
        return;
    }
}

bool FilterCtrl_cls::SelectFilter(const FilterBase_cls* filter) {
    bool changed = false;
    for (auto& f : filters_)
        if (f->SetSelected(f.get() == filter)) {
            changed = true;
            if (view_) view_->FilterSelectionChanged(f.get());
        }
    return changed;
}

void FilterCtrl_cls::SelectEverywhere(FilterBase_cls* filter) {
    if (selectAcrossLists)
        selectAcrossLists(filter);
    else
        SelectFilter(filter);
}

wxString FilterCtrl_cls::RenameFilter(const wxString& oldName, const wxString& newName) {
    FilterBase_cls* f = FindByName(oldName);
    wxString name = newName;
    name.Trim(true).Trim(false);
    if (!f || name.empty()) return "";
    if (name == oldName) return oldName;
    // Names stay unique in the list: commands and lookups find filters by them.
    if (FindByName(name)) return "";
    FilterData_cls* d = f->GetData();
    d->filterName.text = name;
    if (d->group) d->group->Rename(oldName.utf8_string(), name.utf8_string());
    if (d->group && !d->TransformInGroup())
        for (ParamGroup_cls* g : {d->translate, d->rotation, d->scale})
            if (g) g->Rename(oldName.utf8_string(), name.utf8_string());
    if (view_) view_->FilterChanged(f);
    return name;
}

wxString FilterCtrl_cls::RenameUndoable(FilterBase_cls* filter, const wxString& newName) {
    if (IndexOf(filter) < 0) return "";
    const wxString oldName = filter->GetData()->filterName.Value();
    wxString wanted = newName;
    wanted.Trim(true).Trim(false);
    if (wanted.empty() || wanted == oldName || FindByName(wanted)) return "";
    const wxString name = wanted;
    GoCommandHistory.Push(new CommandFilterRename_cls(this, oldName, name),
                          new CommandFilterRename_cls(this, name, oldName));
    GoCommandHistory.Redo();
    return name;
}

FilterBase_cls* FilterCtrl_cls::GetNode(int index) const {
    return index >= 0 && index < Count() ? filters_[static_cast<size_t>(index)].get() : nullptr;
}

int FilterCtrl_cls::IndexOf(const FilterBase_cls* filter) const {
    for (int i = 0; i < Count(); ++i)
        if (filter && filters_[static_cast<size_t>(i)].get() == filter) return i;
    return -1;
}

FilterBase_cls* FilterCtrl_cls::FindByName(const wxString& name) const {
    for (const auto& f : filters_)
        if (f->GetData()->filterName.Value() == name) return f.get();
    return nullptr;
}

wxString FilterCtrl_cls::UniqueName(const wxString& pattern) const {
    // A name read from a file is used as the pattern too: only an integer conversion is
    // ever substituted, and a name without one stands for itself ('%' and all).
    const bool numbered = UserPattern_cls::CountIntConversions(pattern) == 1;
    wxString name = pattern;
    for (int i = 0; i < 99; ++i) {
        name = numbered ? UserPattern_cls::ExpandOne(pattern, i) : pattern;
        if (!FindByName(name)) return name;
        if (!numbered) break;
    }
    return name;
}

FilterBase_cls* FilterCtrl_cls::FilterForPickId(int id) const {
    if (id < 20) return nullptr;
    const int list = (id - 20) / 20, index = (id - 20) % 20;
    return list == listIndex_ ? GetNode(index) : nullptr;
}

std::string FilterCtrl_cls::WriteSection() {
    const std::string i = std::to_string(listIndex_);
    std::string out = "---FilterCtrl" + i + "Begin\n";
    for (auto& f : filters_) out += "-FilterBegin\n" + f->WriteText() + "-FilterEnd\n";
    out += "---FilterCtrl" + i + "End\n";
    return out;
}

int FilterCtrl_cls::ReadSection(ParamTextStream_cls& stream, const std::string& line,
                                FilterCtrl_cls* const lists[3]) {
    const std::string i = std::to_string(listIndex_);
    if (line != "---FilterCtrl" + i + "Begin") return 0;
    const std::string endLine = "---FilterCtrl" + i + "End";
    int skipped = 0;
    std::string l;
    while (stream.ReadLine(l) && l != endLine) {
        if (l != "-FilterBegin") continue;
        ConfItemINT_cls kindItem;
        kindItem.Init("FilterType=", "");
        kindItem.value = -1;
        if (!stream.ReadLine(l)) break;
        const bool hasKind = kindItem.ParseLine(wxString::FromUTF8(l));
        std::unique_ptr<FilterBase_cls> temp = hasKind ? MakeFilter(kindItem.value, nullptr) : nullptr;
        if (!temp) {
            // Unknown kind or no "FilterType=" line: skip to the block's end so the rest of
            // the section still reads.
            ++skipped;
            if (l == "-FilterEnd") continue;
            while (stream.ReadLine(l) && l != "-FilterEnd" && l != endLine) {}
            if (l == endLine) break;
            continue;
        }
        temp->GetData()->ReadText(stream);
        const wxString bounded = temp->GetData()->BoundValues();
        if (!bounded.empty()) readNotes_.push_back(bounded);
        const int target = FilterListOfKind(kindItem.value);
        FilterCtrl_cls* into = lists && lists[target] ? lists[target] : this;
        into->AddFilter(kindItem.value, -1, temp->GetData(), nullptr, nullptr, nullptr);
    }
    return skipped;
}

void FilterCtrl_cls::SetValueByAddress(const wxString& address, double x, int n) {
    const int sep = address.Find("::");
    if (sep == wxNOT_FOUND) return;
    FilterBase_cls* f = FindByName(address.Left(static_cast<size_t>(sep)));
    if (!f) return;
    f->GetData()->SetValueByKey(address.Mid(static_cast<size_t>(sep) + 2), x, n);
    const wxString bounded = f->GetData()->BoundValues();
    if (view_) {
        view_->FilterChanged(f);
        if (!bounded.empty()) view_->FilterValuesBounded(f, bounded);
    }
}

void FilterCtrl_cls::SetTextByAddress(const wxString& address, const wxString& text) {
    const int sep = address.Find("::");
    if (sep == wxNOT_FOUND) return;
    FilterBase_cls* f = FindByName(address.Left(static_cast<size_t>(sep)));
    const wxString key = address.Mid(static_cast<size_t>(sep) + 2);
    if (!f || key == "FilterName=") return;
    ConfItem_cls* item = f->GetData()->settings.Find(key);
    if (!item || item->typeCode != CONF_STR) return;
    item->text = text;
    if (view_) view_->FilterChanged(f);
}

void FilterCtrl_cls::SetKeyByNames(const wxString& filterName, const std::string& paramName,
                                   const std::vector<double>& values) {
    FilterBase_cls* f = FindByName(filterName);
    if (!f) return;
    ParamGroup_cls* g = f->GetData()->FindParam(paramName);
    if (!g || g->ComponentCount() != static_cast<int>(values.size())) return;
    g->SetKeyFrame(values, true, -1);
    if (view_) view_->FilterChanged(f);
}

Parameter_cls* FilterCtrl_cls::FindParam(const std::string& registryName) const {
    for (const auto& f : filters_) {
        FilterData_cls* d = f->GetData();
        for (ParamGroup_cls* g : {d->group, d->translate, d->rotation, d->scale})
            if (g)
                if (Parameter_cls* p = g->FindParam(registryName)) return p;
    }
    return nullptr;
}

// Address fields are separated by a line feed, which no filter or record name holds (each
// is one settings line): the list index, then the registry name of a group's component, or
// the filter name, the record name and the component index of a colour curve's.
std::string FilterCtrl_cls::AddressOf(const Parameter_cls& p) const {
    const std::string list = std::to_string(listIndex_) + "\n";
    for (const auto& f : filters_) {
        FilterData_cls* d = f->GetData();
        for (ParamGroup_cls* g : {d->group, d->translate, d->rotation, d->scale})
            if (g && g->FindParam(p.registryName) == &p) return list + p.registryName;
        for (const ColorCurve_cls* c : d->colors) {
            if (!c || !c->curve) continue;
            for (int k = 0; k < c->curve->ComponentCount(); ++k)
                if (&c->curve->Component(k) == &p)
                    return list + d->Name() + "\n" + c->name + "\n" + std::to_string(k);
        }
    }
    return std::string();
}

Parameter_cls* FilterCtrl_cls::FindByAddress(const std::string& address) const {
    const size_t a = address.find('\n');
    if (a == std::string::npos || address.substr(0, a) != std::to_string(listIndex_)) return nullptr;
    const std::string rest = address.substr(a + 1);
    const size_t c = rest.rfind('\n');
    if (c == std::string::npos) return rest.empty() ? nullptr : FindParam(rest);
    const size_t b = c == 0 ? std::string::npos : rest.rfind('\n', c - 1);
    if (b == std::string::npos) return nullptr;
    const std::string filterName = rest.substr(0, b);
    const std::string recordName = rest.substr(b + 1, c - b - 1);
    const std::string digits = rest.substr(c + 1);
    if (digits.empty() || digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
        return nullptr;
    const int component = std::stoi(digits);
    const FilterBase_cls* f = FindByName(wxString::FromUTF8(filterName.c_str()));
    if (!f) return nullptr;
    for (ColorCurve_cls* record : f->GetData()->colors)
        if (record && record->curve && record->name == recordName && component < record->curve->ComponentCount())
            return &record->curve->Component(component);
    return nullptr;
}

void FilterCtrl_cls::ComputeWeights(const FilterParticles_cls& particles, double time, float* weights,
                                    int threads) {
    std::fill(weights, weights + particles.count, 1.0f);
    for (auto& f : filters_)
        if (f->Kind() == FILTER_BOOLEAN || f->Kind() == FILTER_FILTERING)
            f->ApplyWeights(particles, weights, time, threads);
}

bool FilterCtrl_cls::HasBorderBoolean() const {
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_BOOLEAN) {
            const auto* d = static_cast<const FilterBooleanData_cls*>(f->GetData());
            if (d->filterValid.value && d->borderFactor.value != 0.0f) return true;
        }
    return false;
}

std::vector<FilterStick_cls*> FilterCtrl_cls::GetEnabledSticks() const {
    std::vector<FilterStick_cls*> out;
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_STICK && f->GetData()->filterValid.value) out.push_back(static_cast<FilterStick_cls*>(f.get()));
    return out;
}

FilterCopy_cls* FilterCtrl_cls::FindCopy() const {
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_COPY) return static_cast<FilterCopy_cls*>(f.get());
    return nullptr;
}

FilterFog_cls* FilterCtrl_cls::FindFog() const {
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_FOG) return static_cast<FilterFog_cls*>(f.get());
    return nullptr;
}

std::vector<FilterBG_cls*> FilterCtrl_cls::GetEnabledBGs() const {
    std::vector<FilterBG_cls*> out;
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_BG && f->GetData()->filterValid.value) out.push_back(static_cast<FilterBG_cls*>(f.get()));
    return out;
}

void FilterCtrl_cls::PovBG(wxString& out, double t, PovBGContext_cls& context) {
    for (auto& f : filters_)
        if (f->Kind() == FILTER_BG) static_cast<FilterBG_cls*>(f.get())->WritePov(out, t, context);
}

FilterDataBoxData_cls* FilterCtrl_cls::GetEnabledDataBoxData() const {
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_DATABOX && f->GetData()->filterValid.value)
            return static_cast<FilterDataBoxData_cls*>(f->GetData());
    return nullptr;
}

void FilterCtrl_cls::PovBG(wxString& out, double t, PovRayCtrl_cls& ctrl) {
    if (!bgRun_) bgRun_ = std::make_unique<PovBGContext_cls>();
    bgRun_->pathPrefix = ctrl.GetPathPrefix(true).utf8_string();
    bgRun_->commonWritten = ctrl.bgCommonWritten ? 1u : 0u;
    bgRun_->failure.clear();
    bgRun_->notes.clear();
    PovBG(out, t, *bgRun_);
    ctrl.bgCommonWritten = bgRun_->commonWritten ? 1 : 0;
    // A common file the scene includes but that is missing fails the export.
    if (!bgRun_->failure.empty() && ctrl.sceneFailure.empty()) ctrl.sceneFailure = bgRun_->failure;
    ctrl.sceneNotes.insert(ctrl.sceneNotes.end(), bgRun_->notes.begin(), bgRun_->notes.end());
}

bool FilterCtrl_cls::HasEnabledObjectOrGrid() const {
    for (const auto& f : filters_)
        if ((f->Kind() == FILTER_OBJECT || f->Kind() == FILTER_GRID) && f->GetData()->filterValid.value &&
            f->GetData()->ShownByEye())
            return true;
    return false;
}

wxString FilterCtrl_cls::PovObjectDeclares(const PovObjectStyle_cls& style, int dataFrame) {
    std::vector<FilterObject_cls*> imports;
    for (auto& f : filters_)
        if (f->Kind() == FILTER_OBJECT) {
            auto* o = static_cast<FilterObject_cls*>(f.get());
            if (o->Data()->objectType.value != OBJECT_IMPORT) continue;
            // A mesh that no object shows is neither read nor declared.
            if (!o->Data()->filterValid.value || !o->Data()->ShownByEye()) continue;
            if (dataFrame >= 0) o->Data()->LoadMesh(dataFrame);
            imports.push_back(o);
        }
    // Every import has a name of its own, so every object shows its own mesh. A mesh2 file
    // declares a name of its choosing, which another file may declare too: its copy is
    // taken under the import's name right after its include, and all includes come before
    // the meshes built from memory (the first of which keeps "MESH_OBJECT").
    wxString files, built;
    for (size_t k = 0; k < imports.size(); ++k) {
        const bool file = imports[k]->Data()->mesh.FromPovFile();
        const wxString name = file ? wxString::Format("MESH_IMPORT_%d", int(k))
                              : k == 0 ? wxString("MESH_OBJECT")
                                       : wxString::Format("MESH_OBJECT_%d", int(k));
        (file ? files : built) << imports[k]->PovDeclare(style, name);
    }
    return files + built;
}

void FilterCtrl_cls::PovObjects(wxString& out, double time, int mode, unsigned indentCount,
                                const wxString& copyTransform, const PovObjectStyle_cls& style) {
    const wxString indent = PovIndent(indentCount);
    const GLCamera_cls defaultCamera;
    for (auto& f : filters_) {
        if (f->Kind() == FILTER_OBJECT) {
            out << static_cast<FilterObject_cls*>(f.get())->PovObject(time, copyTransform, mode, indent, style);
        } else if (f->Kind() == FILTER_GRID) {
            // Each grid works on its own copy of the camera.
            const GLCamera_cls camera = style.camera ? *style.camera : defaultCamera;
            static_cast<FilterGrid_cls*>(f.get())->PovGrid(out, time, mode, indent, camera, style.lineWidth);
        }
    }
}

wxString FilterCtrl_cls::PovObjectDeclares() { return PovObjectDeclares(PovObjectStyle_cls::FromController(), -1); }

void FilterCtrl_cls::PovObjects(wxString& out, double time, int mode, int indentCount, const GLCamera_cls& camera,
                                float lineWidth) {
    PovObjectStyle_cls style = PovObjectStyle_cls::FromController();
    style.camera = &camera;
    style.lineWidth = lineWidth;
    PovObjects(out, time, mode, unsigned(indentCount < 0 ? 0 : indentCount), povCopyTransform_, style);
}

bool FilterCtrl_cls::ObjectsUseFunctions() const {
    for (const auto& f : filters_)
        if (f->Kind() == FILTER_OBJECT && f->GetData()->filterValid.value &&
            static_cast<const FilterObject_cls*>(f.get())->Data()->texture.UsesFunctions())
            return true;
    return false;
}

void FilterCtrl_cls::RefreshObjectGUIs() {
    if (!view_) return;
    for (auto& f : filters_)
        if (f->Kind() == FILTER_OBJECT) view_->FilterChanged(f.get());
}

void FilterCtrl_cls::UpdateTransforms(double time) {
    for (auto& f : filters_) f->GetData()->UpdateTransform(time);
}

wxString FilterCtrl_cls::GetItemAddress(const void* value) const {
    for (const auto& f : filters_) {
        const wxString key = f->GetData()->KeyOf(value);
        if (!key.empty()) return f->GetData()->filterName.Value() + "::" + key;
    }
    return "";
}

CommandItem_cls* FilterCtrl_cls::MakeValueCommand(const wxString& address, int value, uint64_t flags) {
    return new CommandFilterValue_cls(this, address, value, value, flags);
}
CommandItem_cls* FilterCtrl_cls::MakeValueCommand(const wxString& address, unsigned value, uint64_t flags) {
    return new CommandFilterValue_cls(this, address, value, static_cast<int>(value), flags);
}
CommandItem_cls* FilterCtrl_cls::MakeValueCommand(const wxString& address, float value, uint64_t flags) {
    return new CommandFilterValue_cls(this, address, value, static_cast<int>(value), flags);
}
CommandItem_cls* FilterCtrl_cls::MakeValueCommand(const wxString& address, double value, uint64_t flags) {
    return new CommandFilterValue_cls(this, address, value, static_cast<int>(value), flags);
}
CommandItem_cls* FilterCtrl_cls::MakeValueCommand(const wxString& address, const wxString& value,
                                                  uint64_t flags) {
    // The name is the one string setting edited through the history: a rename pair. The
    // editor asks for the do half (the new name) first, then the undo half (the name the
    // address still carries), which renames back from the new name.
    const int sep = address.Find("::");
    if (sep != wxNOT_FOUND && address.Mid(static_cast<size_t>(sep) + 2) == "FilterName=") {
        const wxString current = address.Left(static_cast<size_t>(sep));
        if (value != current) {
            wxString trimmed = value;
            trimmed.Trim(true).Trim(false);
            pendingRenameTo_ = trimmed.empty() || FindByName(trimmed) ? current : trimmed;
            return new CommandFilterRename_cls(this, current, pendingRenameTo_, flags);
        }
        const wxString from = pendingRenameTo_.empty() ? current : pendingRenameTo_;
        pendingRenameTo_.clear();
        return new CommandFilterRename_cls(this, from, current, flags);
    }
    // Other string settings are edited directly; a value address carries numbers only.
    return new CommandFilterValue_cls(this, "", 0, 0, flags);
}
