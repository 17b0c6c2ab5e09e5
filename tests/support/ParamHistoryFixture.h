// Test fixture for key-framed objects: an empty command history, parameter undo off and the
// scene time at 0 before each test; history emptied and parameter undo back on after it.
#pragma once

#include <gtest/gtest.h>

#include "common/CommandHistory.h"
#include "timeline/Parameter.h"

class ParamHistoryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 0;
        GdCurrentTime = 0.0;
    }
    void TearDown() override {
        GbParamUndoEnabled = 1;
        GoCommandHistory.Clear();
    }
};
