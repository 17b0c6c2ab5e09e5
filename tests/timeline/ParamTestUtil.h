// Small helpers shared by the key-frame tests: building curves from key tables, resetting
// the globals and the history, and a poster that records command-bus ids.
#pragma once

#include "common/CommandHistory.h"
#include "timeline/ComParam.h"
#include "timeline/Parameter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace paramtest {

struct K {
    double time;
    double value;
    int type = PKT_LINEAR;
    double tangent = 0;
    double ease = 0;
};

/// A time-dependent parameter holding exactly these keys (auto tangents computed).
inline Parameter_cls MakeParam(const std::vector<K>& ks, int period = 0, bool timeDepend = true,
                               const std::string& label = "X") {
    Parameter_cls p("Test " + label, label, UPD_VIEWS, timeDepend ? 1 : 0);
    p.keys.clear();
    for (const K& k : ks) {
        ParamKey_cls key;
        key.time = k.time;
        key.value = k.value;
        key.type = k.type;
        key.tangent = k.tangent;
        key.ease = k.ease;
        p.keys.push_back(key);
    }
    p.SetPeriod(period);
    p.UpdateAutoTangents();
    return p;
}

/// (time, value, type) of every key, for whole-curve comparisons.
inline std::vector<std::vector<double>> Shape(const Parameter_cls& p) {
    std::vector<std::vector<double>> s;
    for (const ParamKey_cls& k : p.keys)
        s.push_back({k.time, k.value, static_cast<double>(k.type), k.tangent, k.ease});
    return s;
}

/// Records the ids the history posts.
class RecordingPoster : public MenuCommandPoster_cls {
public:
    void PostMenuCommand(int id) override { ids.push_back(id); }
    std::vector<int> ids;
};

/// Fresh globals and an empty history for every test; checks that no test leaves a
/// block open.
class ParamTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSceneFrameCount(100, 1);
        GdCurrentTime = 0;
        GbParamUndoEnabled = 1;
        ComParamBase_cls::SetRegistry(nullptr);
        GoCommandHistory.SetPoster(nullptr);
        GoCommandHistory.Clear();
        ASSERT_EQ(GoCommandHistory.BlockDepth(), 0);
    }
    void TearDown() override {
        EXPECT_EQ(GoCommandHistory.BlockDepth(), 0) << "a block was left open";
        while (GoCommandHistory.BlockDepth() > 0) GoCommandHistory.EndBlock("");
        GoCommandHistory.SetPoster(nullptr);
        GoCommandHistory.Clear();
        ComParamBase_cls::SetRegistry(nullptr);
        GbParamUndoEnabled = 1;
        SetSceneFrameCount(100, 1);
        GdCurrentTime = 0;
    }
};

}  // namespace paramtest
