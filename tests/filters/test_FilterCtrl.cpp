// Filter lists: unique names, the project section (byte-identical round trip, foreign and
// unknown blocks), pick lookups, weighting with compaction, and the undoable commands
// (add, delete, move, edit; rename and re-creation in between), each undone and redone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <wx/arrstr.h>
#include <wx/translation.h>

#include "common/CommandHistory.h"
#include "filters/ColorCurve.h"
#include "filters/CommandFilter.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterFiltering.h"
#include "tests/support/ParamHistoryFixture.h"
#include "tests/timeline/TextFeed.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

namespace {

struct Record {
    int index;
    float key;
    float weight;
};

class FilterCtrlTest : public ParamHistoryFixture {
protected:
    FilterCtrl_cls list0{0}, list1{1}, list2{2};
    FilterCtrl_cls* lists[3] = {&list0, &list1, &list2};

    std::string Names(const FilterCtrl_cls& l) {
        std::string s;
        for (int i = 0; i < l.Count(); ++i) s += l.GetNode(i)->GetData()->Name() + ",";
        return s;
    }
    std::string All() { return list0.WriteSection() + list1.WriteSection() + list2.WriteSection(); }
    void ReadAllInto(FilterCtrl_cls* const into[3], const std::string& text, int* skipped = nullptr) {
        const std::vector<std::string> lines = textfeed::SplitAtLf(text);
        ParamTextStream_cls stream(lines);
        std::string line;
        int s = 0;
        while (stream.ReadLine(line))
            for (int i = 0; i < 3; ++i)
                if (into[i]) s += into[i]->ReadSection(stream, line, into);
        if (skipped) *skipped = s;
    }
};

TEST_F(FilterCtrlTest, UniqueNamesReuseFreedNumbers) {
    for (int i = 0; i < 3; ++i) list0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Names(list0), "Boolean00,Boolean01,Boolean02,");
    list0.DeleteFilter(1);
    list0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Names(list0), "Boolean00,Boolean02,Boolean01,");
    list0.AddFilter(FILTER_FILTERING, 0, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Names(list0), "Filtering00,Boolean00,Boolean02,Boolean01,");
    // The registry names of the groups carry the filter's name.
    EXPECT_NE(list0.FindParam("Boolean02 Scale x"), nullptr);
    EXPECT_EQ(list0.FindParam("Filter Scale x"), nullptr);
    // A name that holds other '%' sequences is a name, never a format.
    EXPECT_EQ(list0.UniqueName("a%s%n%x"), "a%s%n%x");
    EXPECT_EQ(list0.AddFilter(42, -1, nullptr, nullptr, nullptr, nullptr), nullptr);
    list0.DeleteFilter(99);  // outside: nothing
    EXPECT_EQ(list0.Count(), 4);
}

TEST_F(FilterCtrlTest, DefaultBooleanTextAndSectionRoundTripIsByteIdentical) {
    FilterBase_cls* b = list0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    const std::string text = b->WriteText();
    EXPECT_EQ(text.substr(0, text.find("-ParamGroup=")),
              "FilterType=0\r\nFilterValid=1\r\nFilterName=Boolean00\r\nFilterGUIOpen=1\r\n"
              "OperatorType=0\r\nRegionType=0\r\nBorderFactor=0.010000\r\n");
    EXPECT_NE(text.find("-ParamGroup=Filter Translate\n"), std::string::npos);
    EXPECT_NE(text.find("-ParamGroup=Filter Scale\n"), std::string::npos);

    auto* bd = static_cast<FilterBooleanData_cls*>(b->GetData());
    bd->operatorType.value = 2;
    bd->borderFactor.value = 0.25f;
    bd->SetTranslateKey(1, 2, 3);
    bd->SetScaleKey(4, 5, 6);
    auto* f = static_cast<FilterFiltering_cls*>(list0.AddFilter(FILTER_FILTERING, -1, nullptr, nullptr, nullptr, nullptr));
    f->Data()->filteringString.text = "1-3, 9";
    f->Data()->filterGUIOpen.value = false;
    auto* box = static_cast<FilterDataBox_cls*>(list2.AddFilter(FILTER_DATABOX, -1, nullptr, nullptr, nullptr, nullptr));
    box->Data()->anchor->SetKeyFrame({0.3, 1, -0.5}, true, -1);
    list2.AddFilter(FILTER_COPY, -1, nullptr, nullptr, nullptr, nullptr);
    const std::string before = All();

    FilterCtrl_cls r0{0}, r1{1}, r2{2};
    FilterCtrl_cls* const read[3] = {&r0, &r1, &r2};
    ReadAllInto(read, before);
    const std::string after = r0.WriteSection() + r1.WriteSection() + r2.WriteSection();
    EXPECT_EQ(after, before);
    EXPECT_EQ(Names(r2), "DataBox00,CopyBox00,");
}

// A name is the user's text: one holding a group header or a section marker still reads
// back whole, with every setting and key after it.
TEST_F(FilterCtrlTest, NamesHoldingHeaderOrMarkerTextReadBackWhole) {
    for (const char* name : {"Left ParamGroup=half", "a---b", "-ParamGroup=Filter Translate",
                             "---FilterCtrl0End"}) {
        SCOPED_TRACE(name);
        FilterCtrl_cls w0{0};
        auto* b = static_cast<FilterBoolean_cls*>(w0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr));
        auto* bd = static_cast<FilterBooleanData_cls*>(b->GetData());
        bd->filterName.text = name;
        bd->filterGUIOpen.value = false;
        bd->operatorType.value = 2;
        bd->SetTranslateKey(1, 2, 3);
        w0.AddFilter(FILTER_FILTERING, -1, nullptr, nullptr, nullptr, nullptr);
        const std::string text = w0.WriteSection();

        FilterCtrl_cls r0{0};
        FilterCtrl_cls* const read[3] = {&r0, nullptr, nullptr};
        ReadAllInto(read, text);
        ASSERT_EQ(r0.Count(), 2);
        const auto* rd = static_cast<const FilterBooleanData_cls*>(r0.GetNode(0)->GetData());
        EXPECT_EQ(rd->Name(), name);
        EXPECT_FALSE(rd->filterGUIOpen.value);
        EXPECT_EQ(rd->operatorType.value, 2);
        EXPECT_EQ(r0.WriteSection(), text);
    }
}

TEST_F(FilterCtrlTest, ReaderSkipsUnknownBlocksAndRoutesKindsToTheirLists) {
    const std::string text =
        "---FilterCtrl0Begin\n"
        "-FilterBegin\nFilterType=77\nFilterName=Alien\n-ParamGroup=Filter Translate\n-FilterEnd\n"
        "-FilterBegin\nno kind here\n-FilterEnd\n"
        "-FilterBegin\nFilterType=1\nFilterGUIOpen=0\nFilterValid=0\nFilterName=Box%d%s\n-FilterEnd\n"
        "-FilterBegin\nFilterType=0\nFilterName=Keep\n-FilterEnd\n"
        "---FilterCtrl0End\n";
    int skipped = 0;
    ReadAllInto(lists, text, &skipped);
    EXPECT_EQ(skipped, 2);
    EXPECT_EQ(Names(list0), "Keep,");
    ASSERT_EQ(list2.Count(), 1);  // the DataBox went to list 2
    const FilterData_cls* d = list2.GetNode(0)->GetData();
    EXPECT_FALSE(d->filterValid.value);
    EXPECT_FALSE(d->filterGUIOpen.value);
    EXPECT_EQ(d->Name(), "Box0%s");  // only the integer conversion is expanded
    EXPECT_EQ(list2.GetEnabledDataBoxData(), nullptr);

    // A file that ends inside a block keeps what was read.
    FilterCtrl_cls t0{0};
    FilterCtrl_cls* const only[3] = {&t0, nullptr, nullptr};
    ReadAllInto(only, "---FilterCtrl0Begin\n-FilterBegin\nFilterType=5\nFilteringString=4\n");
    ASSERT_EQ(t0.Count(), 1);
    EXPECT_EQ(static_cast<FilterFiltering_cls*>(t0.GetNode(0))->Data()->filteringString.Value(), "4");
}

TEST_F(FilterCtrlTest, PickIdsAreBoundsChecked) {
    list0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    list2.AddFilter(FILTER_DATABOX, -1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(list0.FilterForPickId(20), list0.GetNode(0));
    EXPECT_EQ(list0.FilterForPickId(21), nullptr);  // beyond the list
    EXPECT_EQ(list0.FilterForPickId(40), nullptr);  // list 1's id
    EXPECT_EQ(list2.FilterForPickId(60), list2.GetNode(0));
    EXPECT_EQ(list2.FilterForPickId(1), nullptr);
    EXPECT_EQ(list2.PickIdOf(0), 60);
}

TEST_F(FilterCtrlTest, ApplyToParticlesInListOrderKeepsOrderAndWeights) {
    std::vector<Record> recs = {{3, 0, 1}, {0, 0, 1}, {2, 0, 1}, {1, 0, 1}, {9, 0, 1}};
    const float pos[] = {0, 0, 0, 0.2f, 0, 0, 5, 5, 5, 0.4f, 0, 0};
    {  // empty list: every valid record kept with weight 1
        std::vector<Record> r = recs;
        EXPECT_EQ(list0.ApplyToParticles(r.data(), pos, 4, r.size(), 0.0), 5u);
        for (const Record& x : r) EXPECT_EQ(x.weight, 1.0f);
    }
    auto* b = static_cast<FilterBoolean_cls*>(list0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr));
    b->Data()->SetScaleKey(1, 1, 1);
    b->Data()->borderFactor.value = 0;
    auto* f = static_cast<FilterFiltering_cls*>(list0.AddFilter(FILTER_FILTERING, -1, nullptr, nullptr, nullptr, nullptr));
    f->Data()->filteringType.value = 2;  // force showing
    f->Data()->filteringString.text = "2";
    std::vector<Record> r = recs;
    ASSERT_EQ(list0.ApplyToParticles(r.data(), pos, 4, r.size(), 0.0), 4u);
    EXPECT_EQ(r[0].index, 3);
    EXPECT_EQ(r[1].index, 0);
    EXPECT_EQ(r[2].index, 2);  // outside the box, forced back
    EXPECT_EQ(r[3].index, 1);
    // Swapped, the box removes the forced particle again.
    list0.MoveFilter(0, 1);
    r = recs;
    EXPECT_EQ(list0.ApplyToParticles(r.data(), pos, 4, r.size(), 0.0), 3u);
}

TEST_F(FilterCtrlTest, AddCommandKeysScaleAndUndoesExactly) {
    const std::string empty = All();
    FilterBase_cls* made = AddFilterCommand(GoCommandHistory, &list0, FILTER_BOOLEAN);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetData()->scale->GetValues(0, 0), (std::vector<double>{1, 1, 1}));
    const std::string added = All();
    GoCommandHistory.Undo();
    EXPECT_EQ(All(), empty);
    GoCommandHistory.Redo();
    EXPECT_EQ(All(), added);
    EXPECT_EQ(AddFilterCommand(GoCommandHistory, &list0, 42), nullptr);
    EXPECT_EQ(GoCommandHistory.BlockDepth(), 0);
}

TEST_F(FilterCtrlTest, DeleteMoveAndEditUndoAndRedoExactly) {
    for (int i = 0; i < 3; ++i) AddFilterCommand(GoCommandHistory, &list0, FILTER_BOOLEAN);
    auto* mid = static_cast<FilterBooleanData_cls*>(list0.GetNode(1)->GetData());
    mid->SetTranslateKey(7, 8, 9);
    mid->operatorType.value = 1;
    const std::string start = All();

    // edit through the value address, as the bound editors do
    const wxString address = list0.GetItemAddress(&mid->borderFactor.value);
    EXPECT_EQ(address, "Boolean01::BorderFactor=");
    GoCommandHistory.Push(list0.MakeValueCommand(address, 0.25f, UPD_VIEWS),
                          list0.MakeValueCommand(address, mid->borderFactor.value, UPD_VIEWS));
    GoCommandHistory.Redo();
    EXPECT_EQ(mid->borderFactor.value, 0.25f);
    const std::string edited = All();

    // delete the selected one; the undo brings back settings, keys and name at its place
    list0.SelectFilter(list0.GetNode(1));
    list0.DeleteSelected();
    EXPECT_EQ(Names(list0), "Boolean00,Boolean02,");
    const std::string deleted = All();
    GoCommandHistory.Undo();
    EXPECT_EQ(All(), edited);
    // the recreated filter is a new object; the edit's undo finds it by name
    GoCommandHistory.Undo();
    EXPECT_EQ(All(), start);
    GoCommandHistory.Redo();
    EXPECT_EQ(All(), edited);
    GoCommandHistory.Redo();
    EXPECT_EQ(All(), deleted);
    GoCommandHistory.Undo();

    // move the selected one down, undo, redo
    list0.SelectFilter(list0.GetNode(1));
    list0.MoveSelected(+1);
    EXPECT_EQ(Names(list0), "Boolean00,Boolean02,Boolean01,");
    const std::string moved = All();
    GoCommandHistory.Undo();
    EXPECT_EQ(All(), edited);
    GoCommandHistory.Redo();
    EXPECT_EQ(All(), moved);
    // at the edge nothing is pushed
    const size_t steps = GoCommandHistory.Size();
    list0.MoveSelected(+1);
    EXPECT_EQ(GoCommandHistory.Size(), steps);
}

TEST_F(FilterCtrlTest, RenamedFilterIsNotTouchedByCommandsForItsOldName) {
    AddFilterCommand(GoCommandHistory, &list0, FILTER_BOOLEAN);
    auto* d = static_cast<FilterBooleanData_cls*>(list0.GetNode(0)->GetData());
    const wxString address = list0.GetItemAddress(&d->regionType.value);
    GoCommandHistory.Push(list0.MakeValueCommand(address, 2u, UPD_VIEWS),
                          list0.MakeValueCommand(address, 0u, UPD_VIEWS));
    GoCommandHistory.Redo();
    EXPECT_EQ(d->regionType.value, 2u);
    d->filterName.text = "Renamed";
    GoCommandHistory.Undo();
    EXPECT_EQ(d->regionType.value, 2u);  // the address names no filter any more
    d->filterName.text = "Boolean00";
    GoCommandHistory.Undo();  // the add's block: the filter goes
    EXPECT_EQ(list0.Count(), 0);
    GoCommandHistory.Redo();
    GoCommandHistory.Redo();
    EXPECT_EQ(static_cast<FilterBooleanData_cls*>(list0.GetNode(0)->GetData())->regionType.value, 2u);
}

TEST_F(FilterCtrlTest, ValueAddressesOfArraysAndNonNumbers) {
    list2.AddFilter(FILTER_COPY, -1, nullptr, nullptr, nullptr, nullptr);
    FilterData_cls* d = list2.GetNode(0)->GetData();
    list2.SetValueByAddress("CopyBox00::ShearArray1=::DIM=2", 0.75, 0);
    EXPECT_NE(d->settings.Find("ShearArray1=")->WriteLine().Find("0.750000"), wxNOT_FOUND);
    list2.SetValueByAddress("CopyBox00::ShearArray1=::DIM=9", 1.0, 0);  // beyond: nothing
    list2.SetValueByAddress("CopyBox00::FilterName=", 1.0, 1);
    EXPECT_EQ(d->Name(), "CopyBox00");
    list2.SetValueByAddress("Nobody::CopyArrayMax0=", 0, 5);
    list2.SetValueByAddress("CopyBox00::CopyArrayMax0=", 0, 5);
    EXPECT_NE(list2.WriteSection().find("CopyArrayMax0=5\r\n"), std::string::npos);
}

}  // namespace

// Every kind, with every setting, key-framed group and colour changed from its default:
// deleting it and undoing brings back the same filter text at the same place, and a
// written project reads back into the same text.
TEST_F(FilterCtrlTest, EveryKindComesBackWholeFromDeletionAndFromTheProject) {
    for (int kind = 0; kind < FILTER_KIND_COUNT; ++kind) {
        SCOPED_TRACE(FilterKindWord(kind));
        FilterCtrl_cls* list = lists[FilterListOfKind(kind)];
        AddFilterCommand(GoCommandHistory, list, kind);  // neighbours before and after it
        FilterBase_cls* f = AddFilterCommand(GoCommandHistory, list, kind);
        ASSERT_NE(f, nullptr);
        AddFilterCommand(GoCommandHistory, list, kind);
        FilterData_cls* d = f->GetData();
        const std::string before = f->WriteText();
        for (ConfItem_cls* item : d->settings.Items()) {
            if (item->key == "FilterName=") continue;
            d->settings.OfferLine(item->key + (item->typeCode == CONF_BOOL ? "0" : "2 3 4"));
        }
        std::vector<ParamGroup_cls*> groups = {d->translate, d->rotation, d->scale};
        if (d->group)
            for (ParamGroup_cls* g : d->group->children) groups.push_back(g);
        for (ParamGroup_cls* g : groups)
            if (g) g->SetKeyFrame(std::vector<double>(size_t(g->ComponentCount()), 0.375), true, 0.5);
        for (ColorCurve_cls* c : d->colors) c->curve->SetKeyFrame({0.25, 0.5, 0.75, 0.5}, true, 0.5);
        const std::string changed = f->WriteText();
        EXPECT_NE(changed, before);
        const std::string all = All();

        list->SelectFilter(f);
        const int at = list->IndexOf(f);
        const int count = list->Count();
        list->DeleteSelected();
        EXPECT_EQ(list->Count(), count - 1);
        GoCommandHistory.Undo();
        ASSERT_EQ(list->Count(), count);
        EXPECT_EQ(list->GetNode(at)->WriteText(), changed);
        EXPECT_EQ(All(), all);

        FilterCtrl_cls r0{0}, r1{1}, r2{2};
        FilterCtrl_cls* read[3] = {&r0, &r1, &r2};
        ReadAllInto(read, all);
        EXPECT_EQ(r0.WriteSection() + r1.WriteSection() + r2.WriteSection(), all);
    }
}

// An in-memory catalogue in which the kind words "Boolean", "Filtering" and "Grid" have
// translations.
class KindWordCatalogue : public wxTranslationsLoader {
public:
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString&) override {
        // A GNU .mo file: header, the original and the translated string tables (sorted by
        // original), then the strings themselves, each followed by a zero byte.
        const std::vector<std::pair<std::string, std::string>> pairs = {
            {"", "Content-Type: text/plain; charset=UTF-8\n"}, {"Boolean", "Booleen"}, {"Filtering", "Filterung"},
            {"Grid", "Gitter"}};
        std::vector<uint32_t> words = {0x950412de, 0, uint32_t(pairs.size()), 28, uint32_t(28 + 8 * pairs.size()), 0, 0};
        std::string strings;
        const uint32_t base = uint32_t(28 + 16 * pairs.size());
        std::vector<uint32_t> originals, translations;
        for (const auto& p : pairs) {
            originals.insert(originals.end(), {uint32_t(p.first.size()), uint32_t(base + strings.size())});
            strings += p.first + '\0';
        }
        for (const auto& p : pairs) {
            translations.insert(translations.end(), {uint32_t(p.second.size()), uint32_t(base + strings.size())});
            strings += p.second + '\0';
        }
        words.insert(words.end(), originals.begin(), originals.end());
        words.insert(words.end(), translations.begin(), translations.end());
        std::string bytes(reinterpret_cast<const char*>(words.data()), words.size() * 4);
        bytes += strings;
        char* owned = static_cast<char*>(malloc(bytes.size()));
        std::memcpy(owned, bytes.data(), bytes.size());
        return wxMsgCatalog::CreateFromData(wxScopedCharBuffer::CreateOwned(owned, bytes.size()), domain);
    }
    wxArrayString GetAvailableTranslations(const wxString&) const override {
        wxArrayString a;
        a.Add("de");
        return a;
    }
};

// With translated kind words, a name read from a project shows the translation wherever
// the word stands in it, and the project text keeps the untranslated word.
TEST_F(FilterCtrlTest, KindWordsAreTranslatedOnScreenAndPlainInTheProject) {
    auto* translations = new wxTranslations;
    translations->SetLoader(new KindWordCatalogue);
    translations->SetLanguage("de");
    ASSERT_TRUE(translations->AddCatalog("Pelthorn2"));
    wxTranslations::Set(translations);
    struct Uninstall {
        ~Uninstall() { wxTranslations::Set(nullptr); }  // also when an assertion stops the test
    } uninstall;
    ASSERT_EQ(wxGetTranslation("Boolean"), "Booleen");

    const std::string text =
        "---FilterCtrl0Begin\n-FilterBegin\nFilterType=0\r\nFilterName=Boolean03\r\n-FilterEnd\n"
        "-FilterBegin\nFilterType=0\r\nFilterName=MyGridBoolean\r\n-FilterEnd\n"
        "-FilterBegin\nFilterType=5\r\nFilterName=Filtering02\r\nFilteringString=4\r\n-FilterEnd\n---FilterCtrl0End\n";
    ReadAllInto(lists, text);
    const std::string names = Names(list0);
    list0.AddFilter(FILTER_BOOLEAN, -1, nullptr, nullptr, nullptr, nullptr);
    const std::string withNew = Names(list0);
    const std::string written = list0.WriteSection();

    // A block without parameter groups (as every Filtering filter writes) is named too.
    EXPECT_EQ(names, "Booleen03,MyGitterBooleen,Filterung02,");
    EXPECT_EQ(withNew, "Booleen03,MyGitterBooleen,Filterung02,Booleen00,");  // a new filter's name too
    EXPECT_NE(written.find("FilterName=Boolean03\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("FilterName=MyGridBoolean\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("FilterName=Boolean00\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("FilterName=Filtering02\r\nFilterGUIOpen=1\r\nFilteringType=0\r\nIndexType=0\r\n"
                           "FilteringString=4\r\n"),
              std::string::npos)
        << written;
    EXPECT_EQ(written.find("Booleen"), std::string::npos) << written;
    EXPECT_EQ(written.find("Filterung"), std::string::npos) << written;
}
