// CopyBox filter: copy counts (also for reversed ranges), cells, neighbour masks, shear
// shifts, back-to-front order and POV-Ray translate text.
#include <gtest/gtest.h>

#include <climits>

#include "common/CommandHistory.h"
#include "filters/FilterCopy.h"
#include "filters/FilterListView.h"
#include "tests/filters/FilterListsFixture.h"

namespace {

const float kBox[3][3] = {{10, 0, 0}, {0, 10, 0}, {0, 0, 10}};

void SetRange(FilterCopy_cls& f, int axis, int lo, int hi) {
    f.Data()->arrayMin[axis].value = lo;
    f.Data()->arrayMax[axis].value = hi;
}

TEST(FilterCopy, CountsFromNonNegativeSizes) {
    FilterCopy_cls f(nullptr);
    EXPECT_EQ(f.GetCopyCount(), 1);  // defaults: the cell (0, 0, 0)
    struct Case {
        int lo[3], hi[3];
        int count;
    };
    const Case cases[] = {
        {{-1, 0, 0}, {2, 1, 1}, 3},
        {{0, 0, 0}, {2, 3, 4}, 24},
        {{0, 0, 0}, {0, 1, 1}, 0},        // empty along x: no copy
        {{2, 0, 0}, {0, 1, 1}, 0},        // reversed range counts as empty
        {{2, 3, 0}, {0, 0, 1}, 0},        // two reversed ranges never multiply to a count
        {{INT_MIN, 0, 0}, {INT_MAX, INT_MAX, 2}, FilterCopyData_cls::kMaxCopies},  // bounded, no overflow
    };
    for (const Case& c : cases) {
        for (int a = 0; a < 3; ++a) SetRange(f, a, c.lo[a], c.hi[a]);
        EXPECT_EQ(f.GetCopyCount(), c.count) << c.lo[0] << ".." << c.hi[0];
    }
    f.Data()->filterValid.value = false;
    EXPECT_EQ(f.GetCopyCount(), 1);
    EXPECT_EQ(f.GetNeighbourMask(0), 0);
    EXPECT_TRUE(f.GetCopyOffset(0, 0, kBox).empty());
    EXPECT_EQ(f.PovTranslate(0, 0, kBox), "");
}

TEST(FilterCopy, CellsAndNeighbourMasks) {
    FilterCopy_cls f(nullptr);
    SetRange(f, 0, -1, 2);
    ASSERT_EQ(f.GetCopyCount(), 3);
    const int cells[3] = {-1, 0, 1}, masks[3] = {1, 1, 0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(f.Cell(k)[0], cells[k]);
        EXPECT_EQ(f.GetNeighbourMask(k), masks[k]);
    }
    SetRange(f, 0, 0, 2);
    SetRange(f, 1, 0, 2);
    SetRange(f, 2, 5, 7);
    EXPECT_EQ(f.Cell(7), (std::array<int, 3>{1, 1, 6}));
    EXPECT_EQ(f.Cell(2), (std::array<int, 3>{0, 1, 5}));
    EXPECT_EQ(f.GetNeighbourMask(0), 7);
    EXPECT_EQ(f.GetNeighbourMask(7), 0);
    EXPECT_EQ(f.GetNeighbourMask(5), 2);  // cell (1, 0, 6): y follows
}

TEST(FilterCopy, ShearShiftAndOrder) {
    FilterCopy_cls f(nullptr);
    SetRange(f, 0, 0, 3);
    f.Data()->shear[0].values[1] = 0.5f;
    f.Data()->shearPhase.value = 2;
    const std::vector<float> s = f.GetCopyOffset(1, 4.0, kBox);  // cell (1, 0, 0) at time 4
    ASSERT_EQ(s.size(), 3u);
    EXPECT_FLOAT_EQ(s[0], 10);
    EXPECT_FLOAT_EQ(s[1], 10);
    EXPECT_FLOAT_EQ(s[2], 0);
    EXPECT_EQ(f.PovTranslate(1, 4.0, kBox), "translate <10.00000000,10.00000000,0.00000000>");
    const double along[3] = {1, 0, 0};
    const std::vector<CopyOrderEntry_cls> order = f.SortCopies(along, 2.0, kBox);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].copy, 2);  // largest x shift first
    EXPECT_EQ(order[2].copy, 0);
}

// A block that asks for more copies than a view can sort and draw each paint is cut to the
// limit wherever its values come from: typed into the panel (through the list, as its
// undoable commands store them) or read from a project; the user is told each time.
class CopyBoundTest : public FilterListsFixture {};

struct BoundCase {
    int lo[3], hi[3];
    long long cells[3];  // the block after bounding
};

class ViewSpy : public FilterListView_cls {
public:
    void FilterAdded(FilterBase_cls*, int) override {}
    void FilterRemoving(FilterBase_cls*, int) override {}
    void FiltersSwapped(int, int) override {}
    void FilterSelectionChanged(FilterBase_cls*) override {}
    void FilterChanged(FilterBase_cls*) override {}
    void FilterValuesBounded(FilterBase_cls*, const wxString& why) override { told.push_back(why); }
    std::vector<wxString> told;
};

TEST_F(CopyBoundTest, BlocksBeyondTheLimitAreCutTypedOrRead) {
    const BoundCase cases[] = {
        {{0, 0, 0}, {10, 10, 10}, {10, 10, 10}},              // exactly the limit stays
        {{-5, 0, 0}, {995, 1, 1}, {1000, 1, 1}},              // one long row stays
        {{0, 0, 0}, {100000, 100000, 1}, {24, 41, 1}},        // the panel values that ate 17 GB
        {{0, 0, 0}, {11, 10, 10}, {10, 10, 10}},
        {{INT_MIN, INT_MIN, INT_MIN}, {INT_MAX, INT_MAX, INT_MAX}, {7, 9, 15}},
        {{3, 0, 0}, {1, 5000, 5000}, {0, 5000, 5000}},        // an empty axis: no copy at all
    };
    for (const BoundCase& c : cases) {
        FilterCopyData_cls d;
        for (int a = 0; a < 3; ++a) {
            d.arrayMin[a].value = c.lo[a];
            d.arrayMax[a].value = c.hi[a];
        }
        const bool cut = c.cells[0] != d.Cells(0) || c.cells[1] != d.Cells(1) || c.cells[2] != d.Cells(2);
        EXPECT_EQ(!d.BoundValues().empty(), cut) << c.hi[0];
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(d.Cells(a), c.cells[a]) << c.hi[0] << " axis " << a;
            EXPECT_EQ(d.arrayMin[a].value, c.lo[a]);  // the block keeps its first cell
        }
        EXPECT_LE(d.Cells(0) * d.Cells(1) * d.Cells(2), FilterCopyData_cls::kMaxCopies);
    }

    // Typed: the list's value command stores the value, cuts the block and tells the page.
    ViewSpy spy;
    list2.SetView(&spy);
    list2.AddFilter(FILTER_COPY, -1, nullptr, nullptr, nullptr, nullptr);
    auto* f = static_cast<FilterCopy_cls*>(list2.GetNode(0));
    list2.SetValueByAddress("CopyBox00::CopyArrayMax0=", 0, 40);
    EXPECT_TRUE(spy.told.empty());
    list2.SetValueByAddress("CopyBox00::CopyArrayMax1=", 0, 100000);
    ASSERT_EQ(spy.told.size(), 1u);
    EXPECT_NE(spy.told[0].Find("CopyBox00"), wxNOT_FOUND);
    EXPECT_EQ(f->Data()->Cells(0), 40);
    EXPECT_EQ(f->Data()->Cells(1), 25);  // the room the other axes leave
    EXPECT_EQ(f->GetCopyCount(), 40 * 25);
    list2.SetView(nullptr);

    // Read: a project holding such a block reads bounded, and the list keeps a note.
    f->Data()->arrayMax[0].value = 100000;
    f->Data()->arrayMax[1].value = 100000;
    const std::string text = All();
    FilterCtrl_cls r0{0}, r1{1}, r2{2};
    FilterCtrl_cls* into[3] = {&r0, &r1, &r2};
    ReadAllInto(into, text);
    ASSERT_EQ(r2.Count(), 1);
    EXPECT_EQ(static_cast<FilterCopy_cls*>(r2.GetNode(0))->GetCopyCount(), 24 * 41);
    const std::vector<wxString> notes = r2.TakeReadNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].Find("1000"), wxNOT_FOUND);
    EXPECT_TRUE(r2.TakeReadNotes().empty());  // told once
}

}  // namespace
