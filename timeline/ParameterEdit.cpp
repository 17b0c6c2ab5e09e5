// Key editing of a key-framed parameter: each change is a pair of undo commands pushed on
// the history (or, for a few edits while undo is disabled, a direct change), and the
// linked variants that route an edit to the whole group.
#include "common/CommandHistory.h"
#include "timeline/ComParam.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamUndoBlock.h"
#include "timeline/ParamViews.h"
#include "timeline/Parameter.h"

#include <algorithm>
#include <cmath>

void Parameter_cls::PushAndRun(CommandItem_cls* doCmd, CommandItem_cls* undoCmd) {
    GoCommandHistory.Push(doCmd, undoCmd);
    GoCommandHistory.Redo();
}

namespace {

// Index the key at `index` takes when its time becomes `newTime` and the list is sorted
// stably (the other keys keep their order; equal times keep their original order).
int IndexAfterRetime(const std::vector<ParamKey_cls>& keys, int index, double newTime) {
    int pos = 0;
    for (int k = 0; k < static_cast<int>(keys.size()); ++k) {
        if (k == index) continue;
        double t = keys[static_cast<size_t>(k)].time;
        if (t < newTime || (t == newTime && k < index)) ++pos;
    }
    return pos;
}

// Where a drag of key `index` by dt on an n-point grid lands; false when it stays put.
bool DragTarget(const std::vector<ParamKey_cls>& keys, int index, double dt, int grid, int& n,
                double& d, double& h) {
    if (index < 0 || index >= static_cast<int>(keys.size())) return false;
    n = grid == -1 ? GiSceneFrameCount : grid;
    if (n <= 0) return false;
    d = grid == -1 ? GdSceneTimeStep : 1.0 / n;
    const double e = keys[static_cast<size_t>(index)].time;
    h = std::max(0.0, std::min(1.0, SnapTimeToFrame(e + dt, n)));
    return h != SnapTimeToFrame(e, n);
}

// The snapping grid for a matching width: the number of steps in the scene, rounded, so
// that a width of 1/30 gives 30 (not 29 from a truncated 29.999...).
int GridForEps(double eps) {
    if (!(eps > 0)) return GiSceneFrameCount;
    double g = std::round(1.0 / eps);
    return g > 1e9 ? 1000000000 : static_cast<int>(g);
}

// Drags one key inside `outer` (opened lazily). Returns 0, 1 or 3 and the key's new index.
int DragKeyIn(Parameter_cls& p, int index, double dt, int grid, ParamUndoBlock_cls* outer,
              int* newIndex) {
    int n = 0;
    double d = 0, h = 0;
    if (!DragTarget(p.keys, index, dt, grid, n, d, h)) return 0;
    ParamUndoBlock_cls block("", outer);
    block.Ensure();
    const ParamKey_cls dragged = p.keys[static_cast<size_t>(index)];
    const double e = dragged.time;
    int l = p.FindLastKeyWithin(h, d);
    if (l == -1 || l == index) {
        GoCommandHistory.Push(new ComParamMoveKey_cls(&p, e, h, d),
                              new ComParamMoveKey_cls(&p, h, e, d));
        GoCommandHistory.Redo();
        if (newIndex) *newIndex = p.FindKey(h, d, 0);
        return 1;
    }
    ParamKey_cls merged = dragged;
    merged.time = p.keys[static_cast<size_t>(l)].time;
    GoCommandHistory.Push(new ComParamOvwtKeyC_cls(&p, l, merged),
                          new ComParamOvwtKeyC_cls(&p, l, p.keys[static_cast<size_t>(l)]));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new ComParamDelKey_cls(&p, index),
                          new ComParamSetKey_cls(&p, e, dragged.value, dragged.tangent,
                                                 dragged.ease, dragged.type));
    GoCommandHistory.Redo();
    int m = index < l ? l - 1 : l;
    if (m >= 0 && m < p.GetKeyCount()) p.keys[static_cast<size_t>(m)].selected = 1;
    if (newIndex) *newIndex = m;
    return 3;
}

}  // namespace

// ---------------------------------------------------------------- setting keys

void Parameter_cls::SetKey(const ParamKey_cls& key, double eps) {
    eps = ResolveEps(eps);
    const int i = FindLastKeyWithin(key.time, eps);
    if (GbParamUndoEnabled != 1) {
        if (i == -1)
            keys.push_back(key);
        else
            keys[static_cast<size_t>(i)] = key;
        SortKeys();
        UpdateAutoTangents();
        return;
    }
    if (i == -1) {
        // The undo deletes the index the new key really takes after the stable sort.
        const int at = static_cast<int>(std::count_if(
            keys.begin(), keys.end(), [&](const ParamKey_cls& k) { return k.time <= key.time; }));
        PushAndRun(new ComParamSetKeyC_cls(this, key), new ComParamDelKey_cls(this, at));
    } else {
        // The overwritten key may change places when its new time passes a neighbour.
        const int j = IndexAfterRetime(keys, i, key.time);
        PushAndRun(new ComParamOvwtKeyC_cls(this, i, key),
                   new ComParamOvwtKeyC_cls(this, j, keys[static_cast<size_t>(i)]));
    }
}

void Parameter_cls::SetKeyAt(double t, double value, double tangent, double ease) {
    if (t == -1) {
        t = GdCurrentTime;
        value = GetValue(t, -1);
    }
    ParamKey_cls key;
    key.time = t;
    key.type = GetKeyTypeAt(t);
    key.value = value;
    key.tangent = tangent;
    key.ease = ease;
    SetKey(key, -1);
}

double Parameter_cls::KeyCachedValue(double t, double tangent, double ease, double eps) {
    t = ResolveTime(t);
    if (!timeDepend.value) t = 0;
    eps = ResolveEps(eps);
    const int before = FindKey(t, eps, 0);
    const uint8_t wasSelected = before != -1 ? keys[static_cast<size_t>(before)].selected : 0;
    SetKeyAt(t, cachedValue, tangent, ease);
    if (before != -1 && before < GetKeyCount()) keys[static_cast<size_t>(before)].selected = wasSelected;
    return GetValue(t, -1);
}

// ---------------------------------------------------------------- deleting keys

bool Parameter_cls::DeleteKeyAt(double t, double eps) {
    if (keys.size() == 1) {
        // The last key is never removed: it moves to time 0 instead, as an undoable step,
        // so that undo and redo of the steps around it find the curve they were made on.
        if (keys[0].time == 0) return false;
        ParamKey_cls moved = keys[0];
        moved.time = 0;
        if (GbParamUndoEnabled != 1) {
            keys[0] = moved;
            return false;
        }
        PushAndRun(new ComParamOvwtKeyC_cls(this, 0, moved), new ComParamOvwtKeyC_cls(this, 0, keys[0]));
        return false;
    }
    const double tt = ResolveTime(t);
    const int i = FindKey(tt, ResolveEps(eps), 0);
    if (i == -1) return false;
    const ParamKey_cls& k = keys[static_cast<size_t>(i)];
    // Undo puts the key back at its own time, not at the time asked for, which may lie up
    // to half a step beside it.
    PushAndRun(new ComParamDelKey_cls(this, i),
               new ComParamSetKey_cls(this, k.time, k.value, k.tangent, k.ease, k.type));
    return true;
}

bool Parameter_cls::DeleteSelectedKeys() {
    if (GetSelectedKeyCount() == 0) return false;
    ParamUndoBlock_cls block("");
    bool any = false;
    size_t i = 0;
    while (i < keys.size()) {
        if (!keys[i].selected) {
            ++i;
            continue;
        }
        if (keys.size() > 1) block.Ensure();
        if (DeleteKeyAt(keys[i].time, -1))
            any = true;  // look at the same index again: the next key moved into it
        else
            ++i;
    }
    return any;
}

// ---------------------------------------------------------------- moving keys

int Parameter_cls::DragKey(int index, double dt, int grid) {
    return DragKeyIn(*this, index, dt, grid, nullptr, nullptr);
}

bool Parameter_cls::MoveSelectedKeys(double dt, double dv, double eps, double tmin, double tmax,
                                     double vmin, double vmax, ParamUndoBlock_cls* outer) {
    eps = ResolveEps(eps);
    const bool small = -eps / 2 < dt && dt < eps / 2;
    if ((dv == 0 && small) || keys.empty() || GetSelectedKeyCount() == 0) return false;
    const int grid = GridForEps(eps);
    // Opened only when something is about to change: a move that changes nothing leaves the
    // history (and any block a caller holds open) exactly as it was.
    ParamUndoBlock_cls block("", outer);
    bool changed = false;

    auto visit = [&](int& i) {
        if (!keys[static_cast<size_t>(i)].selected) return;
        int at = i;
        if (!small) {
            int moved = -1;
            int r = DragKeyIn(*this, i, dt, grid, &block, &moved);
            if (r != 0) {
                changed = true;
                if (moved >= 0) at = moved;
            }
            if (dt < 0 && r == 3) --i;
        }
        if (dv != 0 && at >= 0 && at < GetKeyCount()) {
            block.Ensure();
            const ParamKey_cls& k = keys[static_cast<size_t>(at)];
            cachedValue = k.value + dv;
            KeyCachedValue(k.time, 0, 0, -1);
            changed = true;
        }
    };
    if (dt < 0) {
        for (int i = 0; i < GetKeyCount(); ++i) visit(i);
    } else {
        for (int i = GetKeyCount() - 1; i >= 0; --i) {
            visit(i);
            if (i > GetKeyCount()) i = GetKeyCount();
        }
    }

    if (tmin != 0 || tmax != 0) {
        // Restart after each drag that did something; a drag that snaps back to where the
        // key is cannot loop, and crossed limits end after a bounded number of passes.
        int guard = 4 * GetKeyCount() + 8;
        bool again = true;
        while (again && guard-- > 0) {
            again = false;
            for (int i = 0; i < GetKeyCount(); ++i) {
                const double kt = keys[static_cast<size_t>(i)].time;
                double shift = 0;
                if (kt > tmax)
                    shift = tmax - kt;
                else if (kt < tmin)
                    shift = tmin - kt;
                else
                    continue;
                if (DragKeyIn(*this, i, shift, grid, &block, nullptr) != 0) {
                    changed = true;
                    again = true;
                    break;
                }
            }
        }
    }

    if (vmin != 0 || vmax != 0) {
        for (int i = 0; i < GetKeyCount(); ++i) {
            const ParamKey_cls& k = keys[static_cast<size_t>(i)];
            double target;
            if (k.value > vmax)
                target = vmax;
            else if (k.value < vmin)
                target = vmin;
            else
                continue;
            block.Ensure();
            cachedValue = target;
            KeyCachedValue(k.time, 0, 0, -1);
            changed = true;
        }
    }
    return changed;
}

void Parameter_cls::ScaleKeyTimes(double x) {
    const double step = x - 1;
    if (x < 1) {
        int i = 0;
        while (i < GetKeyCount()) {
            const double t = keys[static_cast<size_t>(i)].time;
            if (t != 0 && DragKey(i, step * t, -1) == 3) continue;
            ++i;
        }
    } else {
        for (int i = GetKeyCount() - 1; i >= 0; --i) {
            if (i >= GetKeyCount()) continue;
            const double t = keys[static_cast<size_t>(i)].time;
            if (t != 0) DragKey(i, step * t, -1);
        }
    }
}

// ---------------------------------------------------------------- replacing the curve

void Parameter_cls::CopyFromUndoable(const Parameter_cls& source) {
    if (GbParamUndoEnabled != 1) {
        CopyCurveFrom(source);
        return;
    }
    ParamUndoBlock_cls block("");
    block.Ensure();
    PushAndRun(new ComParamMemento_cls(this, &source), new ComParamMemento_cls(this, nullptr));
}

void Parameter_cls::FlipUndoable() {
    Parameter_cls flipped(*this);
    std::reverse(flipped.keys.begin(), flipped.keys.end());
    for (ParamKey_cls& k : flipped.keys) k.time = 1 - k.time;
    ParamUndoBlock_cls block("");
    block.Ensure();
    PushAndRun(new ComParamMemento_cls(this, &flipped), new ComParamMemento_cls(this, nullptr));
}

// ---------------------------------------------------------------- types and time dependence

void Parameter_cls::SetKeyTypeUndoable(int index, int type) {
    if (index < 0 || index >= GetKeyCount()) return;
    const int old = keys[static_cast<size_t>(index)].type;
    if (old == type) return;
    PushAndRun(new ComParamSetKeyType_cls(this, index, type),
               new ComParamSetKeyType_cls(this, index, old));
}

void Parameter_cls::SetSelectedKeysType(int type) {
    std::vector<int> indices, newTypes, oldTypes;
    for (int i = 0; i < GetKeyCount(); ++i) {
        if (!keys[static_cast<size_t>(i)].selected) continue;
        indices.push_back(i);
        newTypes.push_back(type);
        oldTypes.push_back(keys[static_cast<size_t>(i)].type);
    }
    if (indices.empty()) return;
    PushAndRun(new ComParamSetKeyTypeMulti_cls(this, indices, newTypes),
               new ComParamSetKeyTypeMulti_cls(this, indices, oldTypes));
}

void Parameter_cls::SetTimeDependentUndoable(bool flag) {
    const bool old = timeDepend.value;
    ParamUndoBlock_cls block("");
    block.Ensure();
    PushAndRun(new ComParamClearKey_cls(this, cachedValue, GdCurrentTime),
               new ComParamMemento_cls(this, nullptr));
    // The undo puts back the flag as it was (not merely the opposite of the new one).
    PushAndRun(new ComParamSetTimeDependent_cls(this, flag),
               new ComParamSetTimeDependent_cls(this, old));
}

// ---------------------------------------------------------------- command primitives

void Parameter_cls::ResetToKey(double value, double time) {
    keys.clear();
    ParamKey_cls k;
    k.time = time;
    k.value = value;
    k.type = PKT_HERMITE_AUTO;
    keys.push_back(k);
    UpdateAutoTangents();
}

void Parameter_cls::MoveKeyTime(double from, double to, double eps) {
    const int i = FindKey(from, eps, 0);
    if (i == -1) return;
    keys[static_cast<size_t>(i)].time = to;
    SortKeys();
    UpdateAutoTangents();
}

void Parameter_cls::AddKey(double time, double value, int type, double tangent, double ease) {
    ParamKey_cls k;
    k.time = time;
    k.value = value;
    k.type = type;
    k.tangent = tangent;
    k.ease = ease;
    keys.push_back(k);
    SortKeys();
    UpdateAutoTangents();
}

void Parameter_cls::CopyCurveFrom(const Parameter_cls& source) {
    if (this == &source) return;
    keys = source.keys;
    timeDepend.value = source.timeDepend.value;
    periodic.value = source.periodic.value;
    updateFlags = source.updateFlags;
    cachedValue = source.cachedValue;
}

// ---------------------------------------------------------------- linked operations

bool Parameter_cls::IsLinked() const { return owner && owner->linked == 1; }

void Parameter_cls::AddKeyLinked(double t) {
    if (IsLinked())
        owner->InsertKey(-1, t, -9999);
    else
        SetKeyAt(t, 0, 0, 0);
}

void Parameter_cls::DeleteKeyLinked(double t) {
    if (IsLinked())
        owner->DeleteKeyAt(t);
    else
        DeleteKeyAt(t, -1);
}

void Parameter_cls::MoveSelectedKeysLinked(double dt, double dv, double eps, double tmin,
                                           double tmax, double vmin, double vmax) {
    if (IsLinked())
        owner->MoveSelectedKeys(dt, dv, eps, tmin, tmax, vmin, vmax);
    else
        MoveSelectedKeys(dt, dv, eps, tmin, tmax, vmin, vmax);
}

void Parameter_cls::SelectKeyAtLinked(double t, double d, int additive, int exclusive) {
    if (IsLinked())
        owner->SelectKeyAt(t, d, additive, exclusive);
    else
        SelectKeyAt(t, d, additive, exclusive);
}

void Parameter_cls::SelectKeysInRectLinked(double t0, double t1, double y0, double y1, bool state) {
    if (IsLinked())
        owner->SelectKeysInRect(t0, t1, y0, y1, state);
    else
        SelectKeysInRect(t0, t1, y0, y1, state);
}

void Parameter_cls::SetPressTimeLinked(double t) {
    if (IsLinked()) owner->SetPressTime(t);
    if (row) row->SetPressTime(t);
}

void Parameter_cls::EndDragLinked() {
    if (IsLinked())
        owner->EndStripDrag();
    else if (row)
        row->EndDrag();
}

void Parameter_cls::DragMotionLinked(wxMouseEvent& event) {
    if (IsLinked())
        owner->StripDragMotion(event);
    else if (row)
        row->DragMotion(event);
}

void Parameter_cls::DragStartLinked(double t, bool setType, bool toStep) {
    if (IsLinked())
        owner->StripDragStart(t, setType, toStep);
    else if (row)
        row->DragStart(t, setType, toStep);
}

void Parameter_cls::RefreshGroupRows() {
    if (owner) owner->RefreshGUI();
}
