// Filtering filter: list texts against hand-written masks, and the three weighting types.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/FilterFiltering.h"
#include "timeline/Parameter.h"

namespace {

struct MaskCase {
    const char* text;
    size_t limit;
    std::vector<unsigned char> mask;
};

TEST(FilteringList, MasksTable) {
    const std::vector<MaskCase> cases = {
        {"0", 100, {1}},
        {"2-4,7", 100, {0, 0, 1, 1, 1, 0, 0, 1}},
        {" 2 - 4 , 7 ", 100, {0, 0, 1, 1, 1, 0, 0, 1}},
        {"5-", 100, {0}},            // end reads 0: marks nothing, mask 1 byte
        {"-5", 100, {1, 1, 1, 1, 1, 1}},
        {"abc", 100, {1}},           // letters read as index 0
        {"4-2", 100, {0, 0, 0}},     // reversed range marks nothing
        {"3--1", 100, {0, 0, 0, 1}}, // end -1: the single index 3
        {"3-x", 100, {0, 0, 0, 1}},  // end not a number: single index
        {"+2", 100, {0, 0, 1}},
        {"", 100, {}},               // an empty text lists nothing
        {"1,8", 4, {0, 1, 0, 0}},    // capped at the particle count
        {"99999999999999999999", 3, {0, 0, 0}},  // saturates, capped
        {"0-99999999999999999999", 3, {1, 1, 1}},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(BuildFilteringMask(ParseFilteringList(c.text), c.limit), c.mask) << "'" << c.text << "'";
}

TEST(FilteringList, NumbersSaturateInsteadOfWrapping) {
    const std::vector<FilteringItem_cls> items = ParseFilteringList("4294967297");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].start, INT_MAX);
}

class FilterFilteringTest : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        GbParamUndoEnabled = 0;
    }
    void TearDown() override { GbParamUndoEnabled = 1; }
    std::vector<float> Run(FilterFiltering_cls& f, std::vector<float> w) {
        std::vector<int> idx(w.size());
        for (size_t i = 0; i < idx.size(); ++i) idx[i] = static_cast<int>(i);
        f.ApplyWeights(FilterParticles_cls::FromIndices(idx.data(), idx.size(), nullptr, 600), w.data(), 0, 0);
        return w;
    }
};

TEST_F(FilterFilteringTest, WeightingTypes) {
    FilterFiltering_cls f(nullptr);
    // default: "0" shown, everything else removed
    EXPECT_EQ(Run(f, {1, 1, 1}), (std::vector<float>{1, 0, 0}));
    f.Data()->filteringString.text = "1,2";
    f.Data()->filteringType.value = 1;  // hide
    EXPECT_EQ(Run(f, {0.5f, 1, 1, 0.7f}), (std::vector<float>{0.5f, 0, 0, 0.7f}));
    f.Data()->filteringType.value = 2;  // force showing
    EXPECT_EQ(Run(f, {0.5f, 0, 0.2f, 0.3f}), (std::vector<float>{0.5f, 1, 1, 0.3f}));
    f.Data()->filteringString.text = "";
    f.Data()->filteringType.value = 0;
    EXPECT_EQ(Run(f, {1, 1}), (std::vector<float>{0, 0}));
    f.Data()->filteringType.value = 9;  // unknown type: no change
    EXPECT_EQ(Run(f, {0.4f, 1}), (std::vector<float>{0.4f, 1}));
    f.Data()->filteringType.value = 0;
    f.Data()->filterValid.value = false;
    EXPECT_EQ(Run(f, {0.4f, 1}), (std::vector<float>{0.4f, 1}));
}

TEST_F(FilterFilteringTest, MaskFollowsTheTextAndIsCappedAtTheParticles) {
    FilterFiltering_cls f(nullptr);
    f.Data()->filteringString.text = "2000000000";
    Run(f, {1});
    EXPECT_EQ(f.Mask().size(), 600u);  // never two gigabytes
    f.Data()->filteringString.text = "1-2";
    Run(f, {1});
    EXPECT_EQ(f.Mask(), (std::vector<unsigned char>{0, 1, 1}));
}

}  // namespace
