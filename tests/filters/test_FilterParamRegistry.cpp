// Undo of a filter's colour-curve edits after the filter was deleted and brought back:
// the commands find the curve again by list, filter name and record, never through the
// object they were made on.
#include <gtest/gtest.h>

#include <string>

#include "common/CommandHistory.h"
#include "filters/ColorCurve.h"
#include "filters/CommandFilter.h"
#include "filters/FilterParamRegistry.h"
#include "tests/filters/FilterListsFixture.h"
#include "timeline/ComParam.h"
#include "timeline/ParamGroup.h"

namespace {

class FilterParamRegistryTest : public FilterListsFixture {
protected:
    void SetUp() override {
        FilterListsFixture::SetUp();
        ComParamBase_cls::SetRegistry(&registry);
        GbParamUndoEnabled = 1;
    }
    void TearDown() override {
        GoCommandHistory.Clear();
        ComParamBase_cls::SetRegistry(nullptr);
        FilterListsFixture::TearDown();
    }
    FilterParamRegistry_cls registry{lists};
};

enum class Edit { InsertKey, Flip, SwapRGB };

void Apply(Edit edit, ColorCurve_cls& record) {
    switch (edit) {
        case Edit::InsertKey: record.curve->InsertKey(0, 0.5, 0.25); break;
        case Edit::Flip: record.Flip(); break;
        case Edit::SwapRGB: record.SwapRGB(); break;
    }
}

}  // namespace

TEST_F(FilterParamRegistryTest, CurveEditsOfADeletedFilterAreUndoneOnTheFilterThatCameBack) {
    struct Case {
        const char* what;
        int kind;
        int record;    ///< index of the colour record edited
        Edit edit;
        bool renamed;  ///< the filter is renamed between the edit and the delete
    };
    const Case cases[] = {
        {"BG key", FILTER_BG, 0, Edit::InsertKey, false},
        {"BG flip, renamed", FILTER_BG, 0, Edit::Flip, true},
        {"Fog key", FILTER_FOG, 0, Edit::InsertKey, false},
        {"Fog swap", FILTER_FOG, 0, Edit::SwapRGB, false},
        {"Grid key, renamed", FILTER_GRID, 0, Edit::InsertKey, true},
        {"Object first record key", FILTER_OBJECT, 0, Edit::InsertKey, false},
        {"Object second record flip", FILTER_OBJECT, 1, Edit::Flip, false},
        {"Object third record key, renamed", FILTER_OBJECT, 2, Edit::InsertKey, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilterCtrl_cls* list = lists[FilterListOfKind(c.kind)];
        // Another filter of the kind first, whose curve is named like the edited one.
        AddFilterCommand(GoCommandHistory, list, c.kind);
        FilterBase_cls* f = AddFilterCommand(GoCommandHistory, list, c.kind);
        ASSERT_NE(f, nullptr);
        ASSERT_GT(int(f->GetData()->colors.size()), c.record);
        const std::string before = All();

        Apply(c.edit, *f->GetData()->colors[size_t(c.record)]);
        const std::string edited = All();
        ASSERT_NE(edited, before) << "the edit changes the project text";
        if (c.renamed) ASSERT_FALSE(list->RenameUndoable(f, "Renamed").empty());
        const std::string beforeDelete = All();
        list->SelectFilter(f);
        list->DeleteSelected();
        ASSERT_EQ(list->Count(), 1);
        const std::string deleted = All();

        // Undo brings the filter back as a new object, with the edit; the next undo takes
        // the rename back and then the edit, on that new object.
        GoCommandHistory.Undo();
        EXPECT_EQ(All(), beforeDelete);
        if (c.renamed) GoCommandHistory.Undo();
        GoCommandHistory.Undo();
        EXPECT_EQ(All(), before);
        // And forward again to the deleted filter.
        GoCommandHistory.Redo();
        EXPECT_EQ(All(), edited);
        if (c.renamed) GoCommandHistory.Redo();
        GoCommandHistory.Redo();
        EXPECT_EQ(All(), deleted);

        GoCommandHistory.Clear();
        for (FilterCtrl_cls* l : lists) l->DeleteAll();
    }
}

TEST_F(FilterParamRegistryTest, AddressesTellApartWhatSharesARegistryName) {
    // Two Object filters: their curves share every registry name.
    FilterBase_cls* a = AddFilterCommand(GoCommandHistory, &list1, FILTER_OBJECT);
    FilterBase_cls* b = AddFilterCommand(GoCommandHistory, &list1, FILTER_OBJECT);
    // A Boolean and a BG filter of one name (names are unique within a list only): their
    // Translate components share registry names.
    FilterBase_cls* boolean = AddFilterCommand(GoCommandHistory, &list0, FILTER_BOOLEAN);
    FilterBase_cls* bg = AddFilterCommand(GoCommandHistory, &list2, FILTER_BG);
    ASSERT_TRUE(a && b && boolean && bg);
    ASSERT_FALSE(list0.RenameUndoable(boolean, "Same").empty());
    ASSERT_FALSE(list2.RenameUndoable(bg, "Same").empty());

    struct Pair {
        const char* what;
        Parameter_cls* first;
        Parameter_cls* second;
    };
    const Pair pairs[] = {
        {"colour curves", &a->GetData()->colors[1]->curve->Component(1), &b->GetData()->colors[1]->curve->Component(1)},
        {"same-named filters", &boolean->GetData()->translate->Component(0), &bg->GetData()->translate->Component(0)},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.what);
        ASSERT_EQ(p.first->registryName, p.second->registryName) << "they share their names";
        const std::string first = registry.AddressOf(*p.first);
        const std::string second = registry.AddressOf(*p.second);
        EXPECT_NE(first, "");
        EXPECT_NE(first, second);
        EXPECT_EQ(registry.FindParamByAddress(first), p.first);
        EXPECT_EQ(registry.FindParamByAddress(second), p.second);
    }

    // Parameters outside the lists have no address; an address whose filter is gone, or
    // that is no address at all, finds nothing.
    Parameter_cls loose("Light0 Strength Strength", "Strength", 0, 1);
    EXPECT_EQ(registry.AddressOf(loose), "");
    const std::string gone = registry.AddressOf(b->GetData()->colors[0]->curve->Component(0));
    list1.DeleteFilter(1);
    EXPECT_EQ(registry.FindParamByAddress(gone), nullptr);
    for (const char* bad : {"", "garbage", "1\n", "1\nObject00\nDiffuse\n9", "7\nSame Translate x"})
        EXPECT_EQ(registry.FindParamByAddress(bad), nullptr) << bad;
}

TEST_F(FilterParamRegistryTest, KeysOfSameNamedFiltersInTwoListsAreUndoneOnTheirOwn) {
    FilterBase_cls* boolean = AddFilterCommand(GoCommandHistory, &list0, FILTER_BOOLEAN);
    FilterBase_cls* bg = AddFilterCommand(GoCommandHistory, &list2, FILTER_BG);
    ASSERT_TRUE(boolean && bg);
    ASSERT_FALSE(list0.RenameUndoable(boolean, "Same").empty());
    ASSERT_FALSE(list2.RenameUndoable(bg, "Same").empty());
    const std::string before = All();
    bg->GetData()->translate->SetKeyFrame({0.5, -0.5, 2.0}, true, 0.0);
    const std::string keyed = All();
    ASSERT_NE(keyed, before);
    GoCommandHistory.Undo();
    EXPECT_EQ(All(), before);
    GoCommandHistory.Redo();
    EXPECT_EQ(All(), keyed);
}
