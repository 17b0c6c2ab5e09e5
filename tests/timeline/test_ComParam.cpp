// Parameter undo commands: finding the target by registry name, mementos, update bits.
#include "tests/timeline/ParamTestUtil.h"

#include "timeline/ParamRegistry.h"

#include <map>
#include <memory>

using paramtest::K;
using paramtest::MakeParam;
using paramtest::Shape;

namespace {

// Stands in for the filter lists: parameters by registry name.
class FakeRegistry : public ParamRegistry_cls {
public:
    Parameter_cls* FindParamByName(const std::string& name) override {
        auto it = params.find(name);
        return it == params.end() ? nullptr : it->second;
    }
    std::map<std::string, Parameter_cls*> params;
};

class ComParam : public paramtest::ParamTest {};

TEST_F(ComParam, FilterParameterIsFoundAgainByName) {
    FakeRegistry registry;
    ComParamBase_cls::SetRegistry(&registry);
    auto original = std::make_unique<Parameter_cls>(MakeParam({{0, 0}, {1, 10}}));
    registry.params[original->registryName] = original.get();

    original->SetKeyAt(0.5, 3, 0, 0);
    ASSERT_EQ(original->GetKeyCount(), 3);

    // The filter is deleted and re-created (by undo of a delete, say): a new object under
    // the same name. Undo must reach the new one and never touch the old address.
    auto recreated = std::make_unique<Parameter_cls>(*original);
    recreated->changeCounter = 0;
    original.reset();
    registry.params[recreated->registryName] = recreated.get();
    GoCommandHistory.Undo();
    EXPECT_EQ(recreated->GetKeyCount(), 2);
    EXPECT_EQ(recreated->changeCounter, 1);

    // Gone for good: the command does nothing at all.
    Parameter_cls* gone = recreated.get();
    registry.params.clear();
    GoCommandHistory.Redo();
    EXPECT_EQ(gone->GetKeyCount(), 2);
    EXPECT_EQ(gone->changeCounter, 1);
}

TEST_F(ComParam, ANameTheRegistryKnowsIsNeverReachedThroughThePointer) {
    // A command built on another object of a filter parameter's name (a working copy, say)
    // acts on the registry's parameter and never on the copy, which may be gone by then.
    FakeRegistry registry;
    ComParamBase_cls::SetRegistry(&registry);
    Parameter_cls filterParam = MakeParam({{0, 0}, {1, 10}});
    registry.params[filterParam.registryName] = &filterParam;
    auto copy = std::make_unique<Parameter_cls>(filterParam);
    copy->SetKeyAt(0.5, 3, 0, 0);
    EXPECT_EQ(filterParam.GetKeyCount(), 3);
    EXPECT_EQ(copy->GetKeyCount(), 2);
    copy.reset();
    GoCommandHistory.Undo();
    EXPECT_EQ(filterParam.GetKeyCount(), 2);
}

TEST_F(ComParam, OtherParametersAreReachedThroughTheStoredPointer) {
    FakeRegistry registry;  // knows nothing of this parameter (a light, a path)
    ComParamBase_cls::SetRegistry(&registry);
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    p.SetKeyAt(0.5, 3, 0, 0);
    EXPECT_EQ(p.GetKeyCount(), 3);
    GoCommandHistory.Undo();
    EXPECT_EQ(p.GetKeyCount(), 2);
    EXPECT_EQ(p.changeCounter, 2);
}

TEST_F(ComParam, MementoKeepsTheTargetsNames) {
    Parameter_cls target("Light0 Position X", "X", UPD_VIEWS, 1);
    Parameter_cls source = MakeParam({{0, 1}, {0.5, 2}, {1, 3}}, 360, true, "Y");
    source.updateFlags = UPD_LIGHT_GUI;
    source.cachedValue = 9;
    ComParamMemento_cls m(&target, &source);
    m.Execute(false);
    EXPECT_EQ(Shape(target), Shape(source));
    EXPECT_EQ(target.GetPeriod(), 360);
    EXPECT_EQ(target.updateFlags, UPD_LIGHT_GUI);
    EXPECT_EQ(target.cachedValue, 9);
    EXPECT_EQ(target.registryName, "Light0 Position X");
    EXPECT_EQ(target.label, "X");
    // The snapshot was taken at construction: later edits of the source do not leak in.
    source.keys.clear();
    m.Execute(true);
    EXPECT_EQ(target.GetKeyCount(), 3);
}

TEST_F(ComParam, SetTimeDependentPostsTimeRefreshAtOnce) {
    paramtest::RecordingPoster poster;
    GoCommandHistory.SetPoster(&poster);
    Parameter_cls p("G X", "X", UPD_VIEWS, 1);  // its own flags lack UPD_TIME
    GoCommandHistory.BeginBlock("outer");
    GoCommandHistory.Push(new ComParamSetTimeDependent_cls(&p, false),
                          new ComParamSetTimeDependent_cls(&p, true));
    GoCommandHistory.Redo();
    EXPECT_EQ(poster.ids, std::vector<int>{ID_TIME_REFRESH});  // before the block closes
    GoCommandHistory.EndBlock("outer");
    EXPECT_FALSE(p.IsTimeDependent());
}

TEST_F(ComParam, DelKeyMinusOneStillNotifiesAndCounts) {
    paramtest::RecordingPoster poster;
    GoCommandHistory.SetPoster(&poster);
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    GoCommandHistory.Push(new ComParamDelKey_cls(&p, -1), new ComParamDelKey_cls(&p, -1));
    GoCommandHistory.Redo();
    EXPECT_EQ(p.GetKeyCount(), 2);
    EXPECT_EQ(p.changeCounter, 1);
    EXPECT_EQ(poster.ids, std::vector<int>{ID_REDRAW_VIEWS});
}

TEST_F(ComParam, CommandNamesAndTargetName) {
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    ParamKey_cls k;
    std::vector<std::unique_ptr<CommandItem_cls>> cmds;
    cmds.emplace_back(new ComParamClearKey_cls(&p, 1, 0));
    cmds.emplace_back(new ComParamDelKey_cls(&p, 0));
    cmds.emplace_back(new ComParamMemento_cls(&p, nullptr));
    cmds.emplace_back(new ComParamMoveKey_cls(&p, 0, 1, 0.01));
    cmds.emplace_back(new ComParamOvwtKeyC_cls(&p, 0, k));
    cmds.emplace_back(new ComParamSetKeyC_cls(&p, k));
    cmds.emplace_back(new ComParamSetKeyTypeMulti_cls(&p, {0}, {1}));
    cmds.emplace_back(new ComParamSetKeyType_cls(&p, 0, 1));
    cmds.emplace_back(new ComParamSetKey_cls(&p, 0, 0, 0, 0, 0));
    cmds.emplace_back(new ComParamSetTimeDependent_cls(&p, true));
    const std::vector<std::string> names = {"ParamClearKey", "ParamDelKey", "ParamMement",
                                            "ParamMoveKey", "ParamOvwrKeyC", "ParamSetKeyC",
                                            "ParamSetKeyTypeMulti", "ParamSetKeyType",
                                            "ParamSetKey", "SetTimeDependent"};
    for (size_t i = 0; i < cmds.size(); ++i) {
        EXPECT_EQ(cmds[i]->name.utf8_string(), names[i]);
        EXPECT_EQ(cmds[i]->targetName.utf8_string(), "Test X");
    }
    EXPECT_EQ(cmds.back()->updateFlags, UPD_VIEWS | UPD_TIME);
}

TEST_F(ComParam, OutOfRangeIndicesChangeNothing) {
    Parameter_cls p = MakeParam({{0, 0}, {1, 10}});
    const auto before = Shape(p);
    ParamKey_cls k;
    ComParamOvwtKeyC_cls(&p, 5, k).Execute(false);
    ComParamSetKeyType_cls(&p, 7, 3).Execute(false);
    ComParamSetKeyTypeMulti_cls(&p, {0, 9}, {0, 2}).Execute(false);
    ComParamDelKey_cls(&p, 2).Execute(false);
    ComParamMoveKey_cls(&p, 0.5, 0.7, 0.01).Execute(false);
    EXPECT_EQ(Shape(p), before);
}

}  // namespace
