// The camera path and anchor: their starting placement, their project blocks read back to
// the same text, and blocks that are cut short or carry foreign lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "tests/support/ParamHistoryFixture.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

/// Offers every line of `text` to the section reader, as the project reader does.
template <class T>
void ReadInto(T& object, const std::string& text) {
    const std::vector<std::string> lines = Lines(text);
    ParamTextStream_cls stream(lines);
    std::string line;
    while (stream.ReadLine(line)) object.ReadSection(stream, line);
}

using CameraPathTest = ParamHistoryFixture;

}  // namespace

TEST_F(CameraPathTest, StartsAboveTheOriginLookingDownAlongX) {
    CameraPath_cls path;
    EXPECT_EQ(path.pickId, 0);
    path.UpdateTransform(0);
    EXPECT_NEAR(path.transform.pose.position[0], -1.5, 1e-12);
    EXPECT_NEAR(path.transform.pose.position[2], 1.5, 1e-12);
    EXPECT_NEAR(path.transform.frame.direction[0], std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(path.transform.frame.direction[2], -std::sqrt(0.5), 1e-4);
    AnchorPath_cls anchor;
    EXPECT_EQ(anchor.pickId, 1);
}

TEST_F(CameraPathTest, SectionsReadBackToTheSameText) {
    CameraPath_cls a;
    a.geometry.value = 2;
    a.vAngle.value = 80.5;
    a.lookAnchor.value = true;
    a.translate->SetKeyFrame({1, 2, 3}, true, 0.5);
    a.rotation->SetKeyFrame({10, 20, 30}, true, 0.25);
    const std::string text = a.WriteSection();
    EXPECT_EQ(text.rfind("---CameraPath\r\nCameraGeometry=2\r\nCameraVAngle=80.5\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("Camera Scale"), std::string::npos) << "the scale is not stored";

    CameraPath_cls b;
    ReadInto(b, "SomethingElse=1\n" + text + "TimeMaxFrame=100\r\n");
    EXPECT_EQ(b.WriteSection(), text);
    EXPECT_EQ(b.geometry.value, 2);
    EXPECT_TRUE(b.lookAnchor.value);

    AnchorPath_cls anchor;
    anchor.translate->SetKeyFrame({0.5, -1, 2}, true, 0.75);
    const std::string atext = anchor.WriteSection();
    EXPECT_EQ(atext.rfind("---AnchorPath\r\n-ParamGroup=Anchor Translate\n", 0), 0u) << atext;
    AnchorPath_cls anchor2;
    ReadInto(anchor2, atext);
    EXPECT_EQ(anchor2.WriteSection(), atext);
}

TEST_F(CameraPathTest, ShortOrForeignBlocksReadWhatTheyHold) {
    CameraPath_cls path;
    const std::string before = path.WriteSection();
    // Settings only: the group texts are missing; the curves stay as they were.
    ReadInto(path, "---CameraPath\r\nForeignKey=3\r\nCameraVAngle=50\r\nCameraGeometry=7\r\n");
    EXPECT_DOUBLE_EQ(path.vAngle.value, 50);
    EXPECT_EQ(path.geometry.value, 3) << "a geometry beyond the four kinds is the last one";
    path.vAngle.value = 35;
    path.geometry.value = 0;
    EXPECT_EQ(path.WriteSection(), before);

    // A view angle a view cannot project with is read as the nearest one it can.
    const struct {
        const char* text;
        double angle;
    } angles[] = {{"0", 0.01}, {"-20", 0.01}, {"nan", 0.01}, {"1e9", 360}, {"179.5", 179.5}};
    for (const auto& a : angles) {
        ReadInto(path, std::string("---CameraPath\r\nCameraVAngle=") + a.text + "\r\n");
        EXPECT_NEAR(path.vAngle.value, a.angle, 1e-9) << a.text;
    }

    // A project without the anchor block leaves the anchor as it is.
    AnchorPath_cls anchor;
    anchor.translate->SetKeyFrame({1, 1, 1}, true, 0);
    const std::string kept = anchor.WriteSection();
    ReadInto(anchor, before);
    EXPECT_EQ(anchor.WriteSection(), kept);
}
