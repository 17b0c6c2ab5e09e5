// Parameter groups: evaluation, keying in named undo blocks, selection, the window hooks,
// the group text and names.
#include "timeline/ParamGroup.h"

#include "common/CommandHistory.h"
#include "platform/FileNumbers.h"
#include "timeline/ParamOwner.h"
#include "timeline/ParamTextStream.h"
#include "timeline/ParamUndoBlock.h"
#include "timeline/ParamViews.h"

#include <algorithm>

ParamGroup_cls::ParamGroup_cls(const std::string& name_, const std::vector<std::string>& labels,
                               uint64_t updateFlags, int timeDependDefault)
    : name(name_), displayName(name_) {
    settings.Register(&dimension, "dimension=",
                      wxString::FromUTF8(platform::FormatInt(static_cast<long long>(labels.size())).c_str()));
    components.reserve(labels.size());
    for (const std::string& label : labels) {
        components.emplace_back(name + " " + label, label, updateFlags, timeDependDefault);
        components.back().owner = this;
    }
    container = labels.empty() ? 1 : 0;
}

ParamGroup_cls::~ParamGroup_cls() = default;

int ParamGroup_cls::Dimension() const {
    return std::max(0, std::min(dimension.value, ComponentCount()));
}

double ParamGroup_cls::CurveValue(int component, double t) const {
    if (component < 0 || component >= ComponentCount()) return 0.0;
    return Component(component).Evaluate(t, -1);
}

std::vector<CurveKeyPoint> ParamGroup_cls::CurveKeys(int component) const {
    std::vector<CurveKeyPoint> out;
    if (component < 0 || component >= ComponentCount()) return out;
    for (const ParamKey_cls& key : Component(component).keys)
        out.push_back({key.time, key.value, key.selected != 0});
    return out;
}

// ---------------------------------------------------------------- evaluation and queries

std::vector<double> ParamGroup_cls::GetValues(double t, double eps) {
    std::vector<double> v;
    const int n = Dimension();
    v.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v.push_back(t == -1 ? Component(i).cachedValue : Component(i).GetValue(t, eps));
    return v;
}

void ParamGroup_cls::GetRGBA(double t, double eps, float out[4]) {
    for (int i = 0; i < 4; ++i)
        out[i] = i < ComponentCount() ? static_cast<float>(Component(i).GetValue(t, eps)) : 0.0f;
}

void ParamGroup_cls::GetRGBAConst(double t, double eps, float out[4]) const {
    for (int i = 0; i < 4; ++i)
        out[i] = i < ComponentCount() ? static_cast<float>(Component(i).Evaluate(t, eps)) : 0.0f;
}

bool ParamGroup_cls::IsConstant() const {
    for (const Parameter_cls& p : components)
        if (p.IsTimeDependent()) return false;
    return true;
}

bool ParamGroup_cls::CheckChanged(std::vector<int>& counters) const {
    if (counters.size() != components.size()) {
        counters.resize(components.size());
        for (size_t i = 0; i < components.size(); ++i) counters[i] = components[i].changeCounter;
        return true;
    }
    bool changed = false;
    for (size_t i = 0; i < components.size(); ++i) {
        if (counters[i] != components[i].changeCounter) {
            counters[i] = components[i].changeCounter;
            changed = true;
        }
    }
    return changed;
}

Parameter_cls* ParamGroup_cls::FindParam(const std::string& registryName) {
    for (Parameter_cls& p : components)
        if (p.registryName == registryName) return &p;
    for (ParamGroup_cls* c : children)
        if (Parameter_cls* p = c ? c->FindParam(registryName) : nullptr) return p;
    return nullptr;
}

ParamOwner_cls* ParamGroup_cls::FindOwnerById(int id) const {
    if (owner && owner->GetOwnerPickId() == id) return owner;
    if (container) {
        for (const ParamGroup_cls* c : children)
            if (ParamOwner_cls* o = c ? c->FindOwnerById(id) : nullptr) return o;
    }
    return nullptr;
}

void ParamGroup_cls::MarkKeyFrames(std::vector<bool>& marks,
                                   const std::function<void(int frame)>& markDataFrame) const {
    for (const Parameter_cls& p : components) p.MarkKeyFrames(marks, markDataFrame);
}

bool ParamGroup_cls::HasSelectedKeyNear(double t, double dt, double v, double dv) const {
    for (const Parameter_cls& p : components)
        if (p.HasSelectedKeyNear(t, dt, v, dv)) return true;
    return false;
}

// ---------------------------------------------------------------- keying

void ParamGroup_cls::BeginBlockIfEnabled(const std::string& blockName) {
    if (GbParamUndoEnabled == 1) GoCommandHistory.BeginBlock(wxString::FromUTF8(blockName.c_str()));
}

void ParamGroup_cls::EndBlockIfEnabled(const std::string& blockName) {
    if (GbParamUndoEnabled == 1) GoCommandHistory.EndBlock(wxString::FromUTF8(blockName.c_str()));
}

void ParamGroup_cls::SetKeyFrame(const std::vector<double>& values, bool force, double t) {
    const int n = Dimension();
    for (int i = 0; i < n && i < static_cast<int>(values.size()); ++i)
        Component(i).cachedValue = values[static_cast<size_t>(i)];
    bool changed = force;
    for (int i = 0; i < n && !changed; ++i) changed = Component(i).IsChangedAt(t);
    if (!changed) return;
    BeginBlockIfEnabled("SetKeyFrame");
    for (int i = 0; i < n; ++i)
        if (UsesComponent(i)) Component(i).KeyCachedValue(t, 0, 0, -1);
    EndBlockIfEnabled("SetKeyFrame");
}

void ParamGroup_cls::UpdateChangedKeys(double t) {
    for (int i = 0; i < Dimension(); ++i)
        if (Component(i).IsChangedAt(t)) Component(i).KeyCachedValue(t, 0, 0, -1);
}

void ParamGroup_cls::InsertKey(int component, double t, double value) {
    if (component >= 0) {
        if (component >= Dimension()) return;
        Parameter_cls& p = Component(component);
        if (value != -9999) {
            if (p.HasKeyAt(t, 0.03) && p.GetValue(t, -1) == value) return;
        } else {
            if (p.HasKeyAt(t, 0.03)) return;
            value = p.GetValue(t, -1);
        }
        p.SetKeyAt(t, value, 0, 0);
        return;
    }
    BeginBlockIfEnabled("InsertKey");
    for (int i = 0; i < Dimension(); ++i) {
        if (!UsesComponent(i)) continue;
        Parameter_cls& p = Component(i);
        p.SetKeyAt(t, p.GetValue(t, -1), 0, 0);
    }
    EndBlockIfEnabled("InsertKey");
}

bool ParamGroup_cls::DeleteKeyAt(double t) {
    BeginBlockIfEnabled("DeleteKey");
    bool any = false;
    for (int i = 0; i < Dimension(); ++i) any = Component(i).DeleteKeyAt(t, -1) || any;
    EndBlockIfEnabled("DeleteKey");
    return any;
}

void ParamGroup_cls::DeleteSelectedKeys() {
    BeginBlockIfEnabled("DeleteSelectedKey");
    for (int i = 0; i < Dimension(); ++i) Component(i).DeleteSelectedKeys();
    EndBlockIfEnabled("DeleteSelectedKey");
}

bool ParamGroup_cls::MoveSelectedKeys(double dt, double dv, double eps, double tmin, double tmax,
                                      double vmin, double vmax) {
    // The named block opens only when a component is about to change, so a move that
    // changes nothing leaves no step behind.
    ParamUndoBlock_cls block("MoveSelectedKeyByXY", nullptr, GbParamUndoEnabled == 1);
    bool any = false;
    for (int i = 0; i < Dimension(); ++i)
        any = Component(i).MoveSelectedKeys(dt, dv, eps, tmin, tmax, vmin, vmax, &block) || any;
    return any;
}

void ParamGroup_cls::Flip() {
    BeginBlockIfEnabled("Flip");
    for (int i = 0; i < Dimension(); ++i) Component(i).FlipUndoable();
    EndBlockIfEnabled("Flip");
}

void ParamGroup_cls::Swap(int n) {
    const int dim = Dimension();
    if (dim <= 1 || dim < n || n < 2) return;
    const Parameter_cls first(Component(0));
    BeginBlockIfEnabled("Swap");
    for (int i = 0; i + 1 < n; ++i) Component(i).CopyFromUndoable(Component(i + 1));
    Component(n - 1).CopyFromUndoable(first);
    EndBlockIfEnabled("Swap");
}

void ParamGroup_cls::CopyFrom(const ParamGroup_cls& other) {
    if (Dimension() != other.Dimension() || &other == this) return;
    BeginBlockIfEnabled("CopyFromP");
    for (int i = 0; i < Dimension(); ++i) Component(i).CopyFromUndoable(other.Component(i));
    EndBlockIfEnabled("CopyFromP");
}

void ParamGroup_cls::SetTimeDependent(bool flag) {
    BeginBlockIfEnabled("SetTimeDependent");
    for (int i = 0; i < Dimension(); ++i) Component(i).SetTimeDependentUndoable(flag);
    EndBlockIfEnabled("SetTimeDependent");
}

void ParamGroup_cls::ScaleKeyTimes(double x) {
    for (int i = 0; i < Dimension(); ++i) Component(i).ScaleKeyTimes(x);
}

// ---------------------------------------------------------------- selection

void ParamGroup_cls::DeselectKeys() {
    for (Parameter_cls& p : components) p.DeselectKeys();
}

void ParamGroup_cls::SelectKeyAt(double t, double d, int additive, int exclusive) {
    for (int i = 0; i < Dimension(); ++i) Component(i).SelectKeyAt(t, d, additive, exclusive);
}

bool ParamGroup_cls::SelectKeysNear(double t, double dt, double v, double dv, bool stopAtFirst) {
    bool any = false;
    for (int i = 0; i < Dimension(); ++i) {
        if (!UsesComponent(i)) continue;
        const bool hit = Component(i).SelectKeysNear(t, dt, v, dv, true);
        any = any || hit;
        if (hit && stopAtFirst) break;
    }
    return any;
}

bool ParamGroup_cls::SelectKeysInRect(double t0, double t1, double y0, double y1, bool state) {
    bool any = false;
    for (int i = 0; i < Dimension(); ++i)
        if (UsesComponent(i)) any = Component(i).SelectKeysInRect(t0, t1, y0, y1, state) || any;
    return any;
}

namespace {
// Shared walk of the two selection-by-owner forms.
template <class Match>
bool SelectOwnerWalk(ParamGroup_cls& g, const Match& match) {
    bool changed = false;
    if (g.container) {
        for (ParamGroup_cls* c : g.children)
            if (c) changed = SelectOwnerWalk(*c, match) || changed;
    }
    if (!g.owner) return changed;
    const bool hit = match(*g.owner);
    bool mine = false;
    if (hit && !g.owner->IsOwnerSelected()) {
        g.owner->SetOwnerSelected(true);
        g.owner->ClearOwnerDragged();
        mine = true;
    } else if (!hit && g.owner->IsOwnerSelected()) {
        g.owner->SetOwnerSelected(false);
        mine = true;
    }
    if (mine && g.header) g.header->UpdateColour();
    return changed || mine;
}
}  // namespace

bool ParamGroup_cls::SelectByOwnerId(int id) {
    return SelectOwnerWalk(*this, [id](const ParamOwner_cls& o) { return o.GetOwnerPickId() == id; });
}

bool ParamGroup_cls::SelectByOwner(const ParamOwner_cls* who) {
    return SelectOwnerWalk(*this, [who](const ParamOwner_cls& o) { return &o == who; });
}

// ---------------------------------------------------------------- user interface

void ParamGroup_cls::AttachGUI(ParamHeaderView_cls* headerView,
                               const std::vector<ParamRowView_cls*>& rowViews) {
    header = headerView;
    rows = rowViews;
}

void ParamGroup_cls::DestroyGUI() {
    if (header) header->DestroyHeader();
    header = nullptr;
    for (ParamRowView_cls* r : rows)
        if (r) r->DestroyRow();
    rows.clear();
}

void ParamGroup_cls::HideGUI() {
    if (header) header->ShowLinkButton(false);
    for (ParamRowView_cls* r : rows)
        if (r) r->ShowRow(false);
    for (ParamGroup_cls* c : children) {
        if (!c) continue;
        if (c->header) c->header->ShowHeader(false);
        c->HideGUI();
    }
    if (header) {
        header->SetFolderOpen(false);
        header->RelayoutPanel();
    }
}

void ParamGroup_cls::ShowGUI() {
    if (header) header->ShowLinkButton(true);
    for (ParamRowView_cls* r : rows)
        if (r) r->ShowRow(true);
    for (ParamGroup_cls* c : children) {
        if (!c) continue;
        if (c->header) {
            c->header->ShowHeader(true);
            if (c->header->IsFolderOpen()) c->ShowGUI();
        }
    }
    if (header) header->RelayoutPanel();
}

void ParamGroup_cls::RefreshGUI() {
    for (ParamGroup_cls* c : children)
        if (c) c->RefreshGUI();
    if (!active || !header || !header->IsFolderOpen()) return;
    for (ParamRowView_cls* r : rows)
        if (r) r->UpdateState();
}

void ParamGroup_cls::UpdateTrackPanel() {
    if (header) header->UpdatePanel();
}

void ParamGroup_cls::SetActive(bool flag) {
    active = flag ? 1 : 0;
    for (ParamGroup_cls* c : children)
        if (c) c->SetActive(flag);
}

void ParamGroup_cls::SetMarked(bool flag) {
    marked = flag ? 1 : 0;
    UpdateTrackPanel();
}

void ParamGroup_cls::SetPressTime(double t) {
    for (Parameter_cls& p : components)
        if (p.row) p.row->SetPressTime(t);
}

void ParamGroup_cls::EndStripDrag() {
    for (Parameter_cls& p : components)
        if (p.row) p.row->EndDrag();
}

void ParamGroup_cls::StripDragMotion(wxMouseEvent& event) {
    for (Parameter_cls& p : components)
        if (p.row) p.row->DragMotion(event);
}

void ParamGroup_cls::StripDragStart(double t, bool setType, bool toStep) {
    for (Parameter_cls& p : components)
        if (p.row) p.row->DragStart(t, setType, toStep);
}

// ---------------------------------------------------------------- text and names

std::string ParamGroup_cls::WriteText() const {
    std::string s;
    if (container) {
        for (const ParamGroup_cls* c : children)
            if (c) s += c->WriteText();
        return s;
    }
    s = "-ParamGroup=" + name + "\n";
    s += settings.WriteAll().utf8_string();
    s += "Start\n";
    for (const Parameter_cls& p : components) s += p.WriteText();
    return s;
}

void ParamGroup_cls::ReadText(ParamTextStream_cls& stream, const std::string& line) {
    std::string head = line;
    if (!head.empty() && head.back() == '\r') head.pop_back();
    if (head != "-ParamGroup=" + name) return;
    std::string next;
    while (stream.ReadLine(next)) {
        if (next == "Start") break;
        settings.OfferLine(wxString::FromUTF8(next.c_str()));
    }
    // A hand-edited count may not exceed the components this group has.
    dimension.value = Dimension();
    for (int i = 0; i < dimension.value; ++i) {
        if (!stream.ReadLine(next)) break;
        Component(i).ReadText(stream, next);
    }
    // The writer writes every component, also those beyond the dimension: read them back
    // where they follow, so that a saved project opens with all its keys.
    for (int i = dimension.value; i < ComponentCount(); ++i) {
        if (!stream.PeekLine(next) || next != "Parameter_" + Component(i).label) break;
        stream.ReadLine(next);
        Component(i).ReadText(stream, next);
    }
}

std::string ParamGroup_cls::GetPovCode() const {
    std::string s;
    for (int i = 0; i < Dimension(); ++i) {
        std::string id = Component(i).registryName;
        std::replace(id.begin(), id.end(), ' ', '_');
        s += Component(i).GetPovCode(id);
    }
    return s;
}

namespace {
void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    if (from.empty()) return;
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}
}  // namespace

void ParamGroup_cls::Rename(const std::string& from, const std::string& to) {
    ReplaceAll(displayName, from, to);
    for (Parameter_cls& p : components) ReplaceAll(p.registryName, from, to);
    for (ParamGroup_cls* c : children)
        if (c) c->Rename(from, to);
}
