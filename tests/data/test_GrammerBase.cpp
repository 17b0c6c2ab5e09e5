// Record grammar: its settings lines, the header and record sizes of its code lists.
#include <gtest/gtest.h>

#include <wx/arrstr.h>

#include "data/GrammerBase.h"

TEST(GrammerBase, KeysDefaultsAndOrderOfItsSettingsLines) {
    GrammerBase_cls loader("DataLoad");
    EXPECT_EQ(loader.group.WriteAll(),
              "DataLoadDataType=0\r\nDataLoadGrammerHead=0 1\r\nDataLoadGrammerBody=0 1 5 6 7 8\r\n");
    GrammerBase_cls exporter("DataExport");
    EXPECT_TRUE(exporter.group.OfferLine("DataExportGrammerHead=3 0 1\r\n"));
    EXPECT_TRUE(exporter.group.OfferLine("DataExportDataType=1\r\n"));
    EXPECT_FALSE(exporter.group.OfferLine("DataLoadGrammerBody=0\r\n"));  // the loader's key
    EXPECT_EQ(exporter.HeaderCodes(), (std::vector<int>{3, 0, 1}));
    EXPECT_EQ(exporter.dataType.value, 1);
    // a hand-written data type outside the two choices is clamped
    EXPECT_TRUE(exporter.group.OfferLine("DataExportDataType=7"));
    EXPECT_EQ(exporter.dataType.value, 1);
    // the text written reads back the same
    GrammerBase_cls copy("DataExport");
    exporter.SetBodyCodes({8, 2, 0});
    const wxString text = exporter.group.WriteAll();
    for (const wxString& line : wxSplit(text, '\n')) copy.group.OfferLine(line);
    EXPECT_EQ(copy.group.WriteAll(), text);
    EXPECT_EQ(copy.BodyCodes(), (std::vector<int>{8, 2, 0}));
}

TEST(GrammerBase, SizesOfHeadersAndRecords) {
    struct SizeCase {
        std::vector<int> head, body;
        unsigned headerBytes, headerValues;
        uint64_t recordBytes, lineValues;
    };
    const std::vector<SizeCase> cases = {
        {{0, 1}, {0, 1, 5, 6, 7, 8}, 8, 2, 40, 10},
        {{3, 0, 1}, {0}, 20, 5, 12, 3},
        {{4, 1}, {0, 4, 4}, 44, 11, 92, 23},
        {{1, 9, 0}, {0, 2, 3}, 8, 2, 28, 7},  // an unknown header code takes nothing
        {{}, {}, 0, 0, 0, 0},
    };
    GrammerBase_cls g("DataLoad");
    for (const SizeCase& c : cases) {
        g.SetHeaderCodes(c.head);
        g.SetBodyCodes(c.body);
        EXPECT_EQ(g.HeaderByteSize(), c.headerBytes);
        EXPECT_EQ(g.HeaderValueCount(), c.headerValues);
        const SnapshotGrammar s = g.Snapshot();
        EXPECT_EQ(s.RecordByteSize(), c.recordBytes);
        EXPECT_EQ(s.RecordValueCount(), c.lineValues);
    }
}

TEST(GrammerBase, CodeListsHoldSixteenCodesAtMost) {
    GrammerBase_cls g("DataLoad");
    g.SetBodyCodes(std::vector<int>(20, 2));
    EXPECT_EQ(g.BodyCodes().size(), 16u);
    EXPECT_TRUE(g.BodyHasCode(2));
    EXPECT_FALSE(g.BodyHasCode(0));
    EXPECT_FALSE(g.HeaderHasCode(3));
    g.SetDefaultCodes();
    EXPECT_TRUE(g.Snapshot().IsStandardLayout());
    EXPECT_TRUE(g.HeaderHasCode(0));
}
