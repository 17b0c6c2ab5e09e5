// Filtering filter: list texts against hand-written masks, and the three weighting types.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/FilterCtrl.h"
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

// "Classify by: Particle ID" matches the listed numbers with the particles' identifiers,
// which may be far beyond the particle count; data without identifiers falls back to the
// index. The list is read through the whole filter list, as the drawing asks it.
TEST_F(FilterFilteringTest, ParticleIdMatchesIdentifiersNotIndices) {
    FilterCtrl_cls list(0);
    auto* f = static_cast<FilterFiltering_cls*>(list.AddFilter(FILTER_FILTERING, -1, nullptr, nullptr, nullptr, nullptr));
    f->Data()->filteringString.text = "1000000-1000001, 2000000000,3";
    const int32_t ids[5] = {2000000000, 3, 1000001, 7, 1000000};
    const float pos[15] = {};
    struct Case {
        unsigned type, indexType;
        bool haveIds;
        std::vector<int> kept;
    };
    const std::vector<Case> cases = {
        {0, 1, true, {0, 1, 2, 4}},  // show the listed identifiers
        {1, 1, true, {3}},           // hide them
        {0, 0, true, {3}},           // by index: only index 3 is listed
        {0, 1, false, {3}},          // no identifiers kept: by index
    };
    for (const Case& c : cases) {
        f->Data()->filteringType.value = c.type;
        f->Data()->indexType.value = c.indexType;
        struct Rec {
            int index;
            float key, weight;
        } records[5];
        for (int i = 0; i < 5; ++i) records[i] = {i, 0, 1};
        const size_t n = list.ApplyToParticles(records, pos, 5, 5, 0.0, 1, c.haveIds ? ids : nullptr);
        std::vector<int> kept;
        for (size_t i = 0; i < n; ++i) kept.push_back(records[i].index);
        EXPECT_EQ(kept, c.kept) << "type " << c.type << " by " << c.indexType << " ids " << c.haveIds;
    }
    // Forcing: an identifier listed shows its particle whatever the earlier weight.
    f->Data()->filteringType.value = 2;
    f->Data()->indexType.value = 1;
    std::vector<float> w = {0, 0, 0, 0, 0.5f};
    std::vector<int> idx = {0, 1, 2, 3, 4};
    FilterParticles_cls parts = FilterParticles_cls::FromIndices(idx.data(), 5, pos, 5);
    parts.ids = ids;
    f->ApplyWeights(parts, w.data(), 0, 1);
    EXPECT_EQ(w, (std::vector<float>{1, 1, 1, 0, 1}));
}

TEST(FilteringList, RangesForIdentifiers) {
    const auto r = FilteringRanges(ParseFilteringList("9-12,3,10-20,5-4,21,-2--1"));
    // "5-4" lists nothing; "-2--1" splits at its first "-": an empty start (0) and an end
    // that is no number, the single 0; overlapping and touching ranges merge.
    const std::vector<std::pair<long long, long long>> expect = {{0, 0}, {3, 3}, {9, 21}};
    EXPECT_EQ(r, expect);
    for (long long n : {0LL, 3LL, 9LL, 15LL, 21LL}) EXPECT_TRUE(InFilteringRanges(r, n)) << n;
    for (long long n : {-2LL, -1LL, 1LL, 4LL, 8LL, 22LL}) EXPECT_FALSE(InFilteringRanges(r, n)) << n;
    EXPECT_FALSE(InFilteringRanges({}, 0));
}

}  // namespace
