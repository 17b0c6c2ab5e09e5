// The camera path as POV-Ray text: the clock line, the camera's (and, looking at the
// anchor, the anchor's) declarations, then the template's lines; and the two templates
// parse in POV-Ray 3.7 and put the camera where the views do.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "scene/PathPovText.h"
#include "tests/support/ParamHistoryFixture.h"
#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"

namespace {

class PathPovText : public ParamHistoryFixture {
protected:
    static void Key(ParamGroup_cls* g, double t, double x, double y, double z) {
        for (int k = 0; k < 3; ++k) g->Component(k).SetTimeDependentValue(true);
        g->SetKeyFrame({x, y, z}, true, t);
    }
    CameraPath_cls path;
    AnchorPath_cls anchor;
};

std::string Template(const std::string& name) {
    std::string error;
    const std::vector<std::string> lines = ReadCameraTemplate(std::string(PT_SOURCE_DIR) + "/" + name, error);
    EXPECT_FALSE(lines.empty()) << error;
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

/// POV-Ray's parse of `scene` at clock `clock`, its messages returned.
std::string RunAt(const std::string& scene, double clock, bool& ok) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("probe.pov"), scene);
    const std::string cmd = "cd '" + dir.Path() + "' && " + povprobe::PovRayPath() +
                            " +Iprobe.pov +W4 +H3 -D -P -F +K" + std::to_string(clock) + " > out.txt 2>&1";
    ok = std::system(cmd.c_str()) == 0;
    return testsupport::ReadFile(dir.File("out.txt"));
}

std::vector<double> Numbers(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> v;
    double x;
    while (in >> x) v.push_back(x);
    return v;
}

}  // namespace

TEST_F(PathPovText, CameraCodeThenTemplateAndTheAnchorOnlyWhenLookedAt) {
    const std::vector<std::string> lines = {"camera { location <0, 0, 0> }", "// end"};
    path.lookAnchor.value = false;
    EXPECT_EQ(CameraTemplateName(path), "Resource/cameratemplateNA.pov");
    const std::string na = CameraPathPovText(path, anchor, lines);
    const std::string head = "#declare t0 = clock;\n" + path.translate->GetPovCode() + path.rotation->GetPovCode();
    const std::string angle = "#declare CameraVAngle = 35;\n";  // the path's default angle
    EXPECT_EQ(na, head + angle + "camera { location <0, 0, 0> }\n// end\n");
    EXPECT_NE(na.find("#declare Camera_Translate_x = -1.5;\n"), std::string::npos);
    EXPECT_NE(na.find("#declare Camera_Rotation_y = 45;\n"), std::string::npos);
    EXPECT_EQ(na.find("Anchor_"), std::string::npos);

    path.lookAnchor.value = true;
    EXPECT_EQ(CameraTemplateName(path), "Resource/cameratemplate.pov");
    EXPECT_EQ(CameraPathPovText(path, anchor, lines),
              head + anchor.translate->GetPovCode() + angle + "camera { location <0, 0, 0> }\n// end\n");
    // No template: the clock line and the declarations only.
    EXPECT_EQ(CameraPathPovText(path, anchor, {}), head + anchor.translate->GetPovCode() + angle);
}

TEST_F(PathPovText, TemplateLinesLoseTheirCarriageReturnsAndAMissingFileGivesNone) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("t.pov"), "camera {\r\n\tlocation <1, 2, 3>\r\n}\r\n");
    std::string error;
    const std::vector<std::string> lines = ReadCameraTemplate(dir.File("t.pov"), error);
    EXPECT_EQ(lines, (std::vector<std::string>{"camera {", "\tlocation <1, 2, 3>", "}"}));
    EXPECT_TRUE(ReadCameraTemplate(dir.File("missing.pov"), error).empty());
    EXPECT_NE(error.find("missing.pov"), std::string::npos);
}

TEST_F(PathPovText, BothTemplatesParseAndPlaceTheCameraAsTheViewsDo) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    Key(path.translate, 0, -1.5, 0, 1.5);
    Key(path.translate, 1, 1, 2, 0.5);
    Key(path.rotation, 0, 0, 45, 0);
    Key(path.rotation, 1, 20, 10, 120);
    Key(anchor.translate, 0, 0, 0, 0);
    Key(anchor.translate, 1, 1, -1, 0.5);
    const double clock = 0.4;
    path.UpdateTransform(clock);
    anchor.UpdateTransform(clock);
    const std::string probe =
        "#debug concat(\"LOC \", vstr(3, CameraLocation, \" \", 0, 6), \"\\n\")\n"
        "sphere { <0, 0, 0>, 0.5 pigment { rgb 1 } }\n";
    for (bool look : {false, true}) {
        path.lookAnchor.value = look;
        const std::string tmpl = Template(CameraTemplateName(path));
        std::string scene = CameraPathPovText(path, anchor, {}) + tmpl + probe;
        if (look)
            scene += "#debug concat(\"AT \", vstr(3, AnchorLocation, \" \", 0, 6), \"\\n\")\n";
        else
            scene += "#debug concat(\"DIR \", vstr(3, CameraDirection, \" \", 0, 6), \"\\n\")\n"
                     "#debug concat(\"SKY \", vstr(3, CameraSky, \" \", 0, 6), \"\\n\")\n";
        bool ok = false;
        const std::string out = RunAt(scene, clock, ok);
        ASSERT_TRUE(ok) << out;
        const std::vector<double> loc = Numbers(povprobe::Line(out, "LOC"));
        ASSERT_EQ(loc.size(), 3u) << out;
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(loc[size_t(k)], path.transform.pose.position[k], 1e-4) << k;
        if (look) {
            const std::vector<double> at = Numbers(povprobe::Line(out, "AT"));
            ASSERT_EQ(at.size(), 3u) << out;
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(at[size_t(k)], anchor.transform.pose.position[k], 1e-4) << k;
        } else {
            // The views' frame: pi is 3.14159 there, so the directions agree to 1e-5.
            const std::vector<double> dir = Numbers(povprobe::Line(out, "DIR"));
            const std::vector<double> sky = Numbers(povprobe::Line(out, "SKY"));
            ASSERT_EQ(dir.size(), 3u) << out;
            ASSERT_EQ(sky.size(), 3u) << out;
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(dir[size_t(k)], path.transform.frame.direction[k], 1e-4) << k;
                EXPECT_NEAR(sky[size_t(k)], path.transform.frame.up[k], 1e-4) << k;
            }
        }
    }
}

TEST_F(PathPovText, PastedCameraUsesThePathsViewAngle) {
    if (!povprobe::Available()) GTEST_SKIP() << "no POV-Ray";
    struct Case {
        double pathAngle;
        double shownAngle;  ///< the vertical angle POV-Ray's camera gets
    };
    // 0 is no usable angle: nothing is declared and the template's 35 degrees stay.
    for (const Case c : {Case{50, 50}, Case{0, 35}}) {
        path.vAngle.value = c.pathAngle;
        for (bool look : {false, true}) {
            path.lookAnchor.value = look;
            const std::string scene = CameraPathPovText(path, anchor, {}) + Template(CameraTemplateName(path)) +
                                      "sphere { <0, 0, 0>, 0.5 pigment { rgb 1 } }\n"
                                      "#debug concat(\"ANGLE \", str(CameraAngle, 0, 6), \"\\n\")\n";
            bool ok = false;
            const std::string out = RunAt(scene, 0, ok);
            ASSERT_TRUE(ok) << out;
            const std::vector<double> a = Numbers(povprobe::Line(out, "ANGLE"));
            ASSERT_EQ(a.size(), 1u) << out;
            // The templates widen the vertical angle to the 4:3 image's horizontal one.
            const double expected = 2 * std::atan(std::tan(c.shownAngle * M_PI / 360) * 4 / 3) * 180 / M_PI;
            EXPECT_NEAR(a[0], expected, 1e-3) << "path angle " << c.pathAngle << (look ? " looking at the anchor" : "");
        }
    }
}
