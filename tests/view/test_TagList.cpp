// Tag labels and their settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/ColorCurve.h"
#include "timeline/ParamTextStream.h"
#include "view/TagList.h"

TEST(TagList, ALabelIsListedOnce) {
    TagList_cls tags;
    EXPECT_TRUE(tags.Add("(1, 2, 3)", 1, 2, 3));
    EXPECT_FALSE(tags.Add("(1, 2, 3)", 5, 5, 5));
    EXPECT_TRUE(tags.Add("(1, 2, 4)", 1, 2, 4));
    ASSERT_EQ(tags.tags.size(), 2u);
    EXPECT_FLOAT_EQ(tags.tags[0].x, 1.0f);
    EXPECT_TRUE(tags.Contains("(1, 2, 4)"));
    tags.Clear();
    EXPECT_FALSE(tags.Contains("(1, 2, 4)"));
}

TEST(TagSettings, FontAndColourRoundTrip) {
    InitTagSettings();
    InitTagSettings();  // once only
    ASSERT_NE(GpTagColor, nullptr);
    const wxString text = WriteTagSettings();
    EXPECT_TRUE(text.StartsWith("TagFontIndex=4\r\n")) << text;
    EXPECT_EQ(text.Freq('\n'), wxString(GoTagConfig.group.WriteAll() + GpTagColor->WriteText()).Freq('\n'));

    std::vector<std::string> lines = {"TagFontIndex=9"};
    ParamTextStream_cls stream(lines, 1);
    ReadTagSettings(stream, lines[0]);
    EXPECT_EQ(GoTagConfig.fontIndex.value, 4u);  // past the font table: clamped
    ReadTagSettings(stream, "TagFontIndex=1");
    EXPECT_EQ(GoTagConfig.fontIndex.value, 1u);
    ReadTagSettings(stream, "TagFontIndex=4");
}
