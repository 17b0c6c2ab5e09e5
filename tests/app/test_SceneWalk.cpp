// A long random walk through what a user does to a scene: filters of every kind added,
// deleted, moved and renamed; their values, colour curves and key frames edited; lights
// added, removed and keyed; undo and redo at random; the project saved and reopened.
// Every undo and redo must give back exactly the project text of that step, every reopen
// the text that was saved, and at the end every step is undone back to the start.
// It runs in the sanitizer build too, which is what it is there for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "common/ConfItem.h"
#include "filters/ColorCurve.h"
#include "filters/CommandFilter.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterData.h"
#include "filters/FilterParamRegistry.h"
#include "scene/LightSRCCtrl.h"
#include "tests/support/ParamHistoryFixture.h"
#include "timeline/ComParam.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"

namespace {

/// "" when equal, else the first line that differs in each text, with its number.
std::string FirstDifference(const std::string& got, const std::string& want) {
    if (got == want) return std::string();
    size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    const size_t start = got.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = start == std::string::npos ? 0 : start + 1;
    const size_t line = size_t(std::count(got.begin(), got.begin() + long(from), '\n')) + 1;
    auto lineAt = [from](const std::string& s) { return s.substr(from, s.find('\n', from) - from); };
    return "line " + std::to_string(line) + ": got \"" + lineAt(got) + "\", want \"" + lineAt(want) + "\"";
}

/// The walk from one fixed seed (the test's parameter).
class SceneWalk : public ParamHistoryFixture, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        ParamHistoryFixture::SetUp();
        ComParamBase_cls::SetRegistry(&registry);
        GbParamUndoEnabled = 1;
        rng.seed(GetParam());
    }
    void TearDown() override {
        GoCommandHistory.Clear();
        ComParamBase_cls::SetRegistry(nullptr);
        ParamHistoryFixture::TearDown();
    }

    /// What a project holds of this scene: the lights' and the filter lists' sections.
    std::string Text() const {
        std::string text = lights.WriteSection();
        for (FilterCtrl_cls* l : lists) text += l->WriteSection();
        return text;
    }
    /// Open: the filters go, the text is read as the project reader offers its lines (a
    /// CR at a line's end stripped), the selection is kept within the lights and the
    /// history is emptied.
    void Reopen(const std::string& text) {
        for (FilterCtrl_cls* l : lists) l->DeleteAll();
        std::vector<std::string> lines;
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            start = end + 1;
        }
        ParamTextStream_cls stream(lines);
        std::string line;
        while (stream.ReadLine(line)) {
            lights.ReadSection(stream, line);
            for (FilterCtrl_cls* l : lists) l->ReadSection(stream, line, lists);
        }
        if (lights.selected >= lights.LightNumber()) lights.SelectLight(lights.LightNumber() - 1);
        GoCommandHistory.Clear();
    }

    int Uniform(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    double Real(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); }
    double KeyTime() {
        static const double kTimes[] = {0.0, 0.25, 0.5, 0.75, 1.0};
        return kTimes[Uniform(5)];
    }
    /// A filter of any list, or null when all are empty; `list` gets its list.
    FilterBase_cls* AnyFilter(FilterCtrl_cls*& list) {
        int total = 0;
        for (FilterCtrl_cls* l : lists) total += l->Count();
        if (total == 0) return nullptr;
        int k = Uniform(total);
        for (FilterCtrl_cls* l : lists) {
            if (k < l->Count()) {
                list = l;
                return l->GetNode(k);
            }
            k -= l->Count();
        }
        return nullptr;
    }

    // ---- the user's actions; each is what a panel, menu or editor pushes ----
    void AddFilter() {
        const int kind = Uniform(FILTER_KIND_COUNT);
        FilterCtrl_cls* list = lists[FilterListOfKind(kind)];
        action = std::string("add ") + FilterKindWord(kind);
        if (list->Count() < 6) AddFilterCommand(GoCommandHistory, list, kind);
    }
    void DeleteFilter() {
        FilterCtrl_cls* list = nullptr;
        if (FilterBase_cls* f = AnyFilter(list)) {
            action = "delete " + f->GetData()->Name();
            list->SelectFilter(f);
            list->DeleteSelected();
        }
    }
    void MoveFilter() {
        FilterCtrl_cls* list = nullptr;
        if (FilterBase_cls* f = AnyFilter(list)) {
            action = "move " + f->GetData()->Name();
            list->SelectFilter(f);
            list->MoveSelected(Uniform(2) ? 1 : -1);
        }
    }
    void RenameFilter() {
        static const char* const kNames[] = {"Alpha", "Beta", "Box 1", "Boolean00", "Grid00", "  Gamma  "};
        FilterCtrl_cls* list = nullptr;
        if (FilterBase_cls* f = AnyFilter(list)) {
            const char* name = kNames[Uniform(6)];
            action = "rename " + f->GetData()->Name() + " to " + name;
            list->RenameUndoable(f, name);
        }
    }
    /// What `item` keeps of the value `text` (its range clamps it, as the panel's control
    /// does); the item itself is left as it was.
    template <class Item>
    static auto InRange(Item& item, const wxString& text) -> decltype(item.value) {
        const auto saved = item.value;
        const wxString savedText = item.text;
        item.ParseLine(item.key + text);
        const auto kept = item.value;
        item.value = saved;
        item.text = savedText;
        return kept;
    }
    /// A number typed into one of the filter's settings or one of its colour records'. The
    /// whole numbers are 0 or 1 (within the item's range), which every choice a panel offers
    /// can take.
    void EditValue() {
        FilterCtrl_cls* list = nullptr;
        FilterBase_cls* f = AnyFilter(list);
        if (!f) return;
        FilterData_cls* d = f->GetData();
        std::vector<ConfItem_cls*> items;
        for (ConfItem_cls* item : d->settings.Items()) items.push_back(item);
        for (ColorCurve_cls* c : d->colors)
            for (ConfItem_cls* item : c->settings.Items()) items.push_back(item);
        if (items.empty()) return;
        ConfItem_cls* item = items[size_t(Uniform(int(items.size())))];
        action = "value " + d->Name() + " " + item->key.utf8_string();
        const uint64_t flags = UPD_VIEWS | UPD_FILTER_PAGES;
        CommandItem_cls* doCmd = nullptr;
        CommandItem_cls* undoCmd = nullptr;
        if (auto* i = dynamic_cast<ConfItemINT_cls*>(item)) {
            const wxString address = list->GetItemAddress(&i->value);
            if (address.empty()) return;
            doCmd = list->MakeValueCommand(address, InRange(*i, wxString::Format("%d", Uniform(2))), flags);
            undoCmd = list->MakeValueCommand(address, i->value, flags);
        } else if (auto* u = dynamic_cast<ConfItemUINT_cls*>(item)) {
            const wxString address = list->GetItemAddress(&u->value);
            if (address.empty()) return;
            doCmd = list->MakeValueCommand(address, InRange(*u, wxString::Format("%d", Uniform(2))), flags);
            undoCmd = list->MakeValueCommand(address, u->value, flags);
        } else if (auto* x = dynamic_cast<ConfItemFLOAT_cls*>(item)) {
            const wxString address = list->GetItemAddress(&x->value);
            if (address.empty()) return;
            doCmd = list->MakeValueCommand(address, InRange(*x, wxString::FromCDouble(Real(0.1, 2.0))), flags);
            undoCmd = list->MakeValueCommand(address, x->value, flags);
        } else if (auto* y = dynamic_cast<ConfItemDOUBLE_cls*>(item)) {
            const wxString address = list->GetItemAddress(&y->value);
            if (address.empty()) return;
            doCmd = list->MakeValueCommand(address, InRange(*y, wxString::FromCDouble(Real(0.1, 2.0))), flags);
            undoCmd = list->MakeValueCommand(address, y->value, flags);
        } else {
            return;
        }
        GoCommandHistory.Push(doCmd, undoCmd);
        GoCommandHistory.Redo();
    }
    /// A key of the filter's Translate, Rotation or Scale at a key time.
    void KeyTransform() {
        FilterCtrl_cls* list = nullptr;
        FilterBase_cls* f = AnyFilter(list);
        if (!f) return;
        FilterData_cls* d = f->GetData();
        ParamGroup_cls* groups[3] = {d->translate, d->rotation, d->scale};
        ParamGroup_cls* g = groups[Uniform(3)];
        if (!g || g->Dimension() < 1) return;
        action = "key " + d->Name() + " " + g->name;
        std::vector<double> values;
        for (int i = 0; i < g->Dimension(); ++i) values.push_back(Real(-1.0, 1.0));
        const int how = Uniform(8);
        if (how == 0)
            g->DeleteKeyAt(KeyTime());
        else if (how == 1)
            g->SetTimeDependent(Uniform(2) != 0);
        else
            g->SetKeyFrame(values, true, KeyTime());
    }
    /// What the colour-curve editor does to a filter's record.
    void EditCurve() {
        FilterCtrl_cls* list = nullptr;
        FilterBase_cls* f = AnyFilter(list);
        if (!f || f->GetData()->colors.empty()) return;
        std::vector<ColorCurve_cls*>& colors = f->GetData()->colors;
        ColorCurve_cls* record = colors[size_t(Uniform(int(colors.size())))];
        const int edit = Uniform(7);
        action = "curve " + f->GetData()->Name() + " " + record->name + " edit " + std::to_string(edit);
        switch (edit) {
            case 0: record->curve->InsertKey(Uniform(4), Real(0.0, 1.0), Real(0.0, 1.0)); break;
            case 1: record->curve->InsertKey(-1, Real(0.0, 1.0), -9999); break;
            case 2: record->Flip(); break;
            case 3: record->SwapRGB(); break;
            case 4: record->curve->DeleteKeyAt(KeyTime()); break;
            case 5: {  // a drag of the keys inside a rubber band
                record->curve->SelectKeysInRect(0.1, 0.9, -10.0, 10.0, true);
                record->curve->MoveSelectedKeys(Real(-0.2, 0.2), Real(-0.2, 0.2), 0.001, 0.0, 1.0, 0.0, 1.0);
                record->curve->DeselectKeys();
                break;
            }
            default: {  // a template: another record's curve
                FilterCtrl_cls* other = nullptr;
                FilterBase_cls* g = AnyFilter(other);
                if (g && !g->GetData()->colors.empty()) record->CopyFrom(*g->GetData()->colors[0], true);
                break;
            }
        }
    }
    void AddLight() {
        action = "add light";
        lights.AddLight();
    }
    void RemoveLight() {
        if (lights.LightNumber() <= 0) return;
        lights.SelectLight(Uniform(lights.LightNumber()));
        action = "remove light " + std::to_string(lights.selected);
        lights.RemoveLight();
    }
    void KeyLight() {
        if (lights.LightNumber() <= 0) return;
        LightSRC_cls& l = lights.Light(Uniform(lights.LightNumber()));
        action = "key light " + std::to_string(l.index);
        if (Uniform(2))
            l.strength->SetKeyFrame({Real(0.0, 2.0)}, true, KeyTime());
        else
            l.translate->SetKeyFrame({Real(-2, 2), Real(-2, 2), Real(-2, 2)}, true, KeyTime());
    }

    FilterCtrl_cls list0{0}, list1{1}, list2{2};
    FilterCtrl_cls* lists[3] = {&list0, &list1, &list2};
    FilterParamRegistry_cls registry{lists};
    LightSRCCtrl_cls lights;
    std::mt19937 rng;
    std::string action;  ///< what the last action did, for the failure messages
};

}  // namespace

TEST_P(SceneWalk, ThousandsOfStepsUndoAndRedoExactlyAndReopenAsSaved) {
    constexpr int kSteps = 4000;
    // The project text at each history cursor reached since the last reopen, and the
    // action that led there.
    struct State {
        std::string text, action;
    };
    std::map<uint32_t, State> states;
    states[GoCommandHistory.Cursor()] = {Text(), "start"};
    // Fails (and tells which action's undo or redo went wrong) unless the text is the one
    // recorded for the cursor reached.
    auto matches = [&](int step, const char* what, uint32_t from) {
        const uint32_t at = GoCommandHistory.Cursor();
        const uint32_t later = std::max(at, from);
        const std::string action = states.count(later) ? states[later].action : "?";
        if (!states.count(at)) {
            ADD_FAILURE() << "step " << step << " " << what << " of " << action << ": cursor " << at << " unknown";
            return false;
        }
        const std::string difference = FirstDifference(Text(), states[at].text);
        if (difference.empty()) return true;
        ADD_FAILURE() << "step " << step << " " << what << " of " << action << " to cursor " << at << ": "
                      << difference;
        return false;
    };

    for (int step = 0; step < kSteps; ++step) {
        const int roll = Uniform(100);
        if (roll < 22) {  // undo, sometimes several steps
            for (int n = 1 + Uniform(3); n > 0 && GoCommandHistory.CanUndo(); --n) {
                const uint32_t from = GoCommandHistory.Cursor();
                GoCommandHistory.Undo();
                if (!matches(step, "undo", from)) return;
            }
            continue;
        }
        if (roll < 32) {
            for (int n = 1 + Uniform(3); n > 0 && GoCommandHistory.CanRedo(); --n) {
                const uint32_t from = GoCommandHistory.Cursor();
                GoCommandHistory.Redo();
                if (!matches(step, "redo", from)) return;
            }
            continue;
        }
        if (roll < 34) {  // save, open the saved file, and save again: the same text
            const std::string saved = Text();
            Reopen(saved);
            ASSERT_EQ(FirstDifference(Text(), saved), "") << "step " << step << ": the reopened project differs";
            states.clear();
            states[GoCommandHistory.Cursor()] = {saved, "reopen"};
            continue;
        }
        const uint32_t before = GoCommandHistory.Cursor();
        action.clear();
        if (roll < 45) AddFilter();
        else if (roll < 51) DeleteFilter();
        else if (roll < 56) MoveFilter();
        else if (roll < 61) RenameFilter();
        else if (roll < 72) EditValue();
        else if (roll < 80) KeyTransform();
        else if (roll < 90) EditCurve();
        else if (roll < 93) AddLight();
        else if (roll < 96) RemoveLight();
        else KeyLight();
        ASSERT_EQ(GoCommandHistory.BlockDepth(), 0) << "step " << step << " (" << action << ") left a block open";
        if (GoCommandHistory.Cursor() != before) {
            // A new step drops the redo tail.
            states.erase(states.upper_bound(before), states.end());
            states[GoCommandHistory.Cursor()] = {Text(), "step " + std::to_string(step) + " " + action};
        }
    }

    // Back to the start (the last reopen) one step at a time, then forward to the end.
    while (GoCommandHistory.CanUndo()) {
        const uint32_t from = GoCommandHistory.Cursor();
        GoCommandHistory.Undo();
        if (!matches(kSteps, "final undo", from)) return;
    }
    EXPECT_EQ(FirstDifference(Text(), states.begin()->second.text), "");
    while (GoCommandHistory.CanRedo()) {
        const uint32_t from = GoCommandHistory.Cursor();
        GoCommandHistory.Redo();
        if (!matches(kSteps, "final redo", from)) return;
    }
    EXPECT_EQ(FirstDifference(Text(), states.rbegin()->second.text), "");
}

// Three walks, each of which found a fault here before it was mended; each runs in a few
// seconds under the sanitizers.
INSTANTIATE_TEST_SUITE_P(Seeds, SceneWalk, ::testing::Values(20261211u, 2u, 3u));
