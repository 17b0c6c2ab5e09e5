// The demo's project, read back by the owners of its sections as Open offers them its lines:
// the sequence beside it, four types in four colours as small points, the periodic box, and
// a camera that has the whole box in view with room around it.
#include "tools/DemoProject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/ProjectFile.h"
#include "common/CommandHistory.h"
#include "common/ConfItemGroup.h"
#include "data/DataSequenceSet.h"
#include "tools/DemoSequence.h"
#include "common/Vec3.h"
#include "data/PeriodicBoundary.h"
#include "filters/ColorCurve.h"
#include "scene/CameraPath.h"
#include "tests/support/TestFiles.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/ViewSettings.h"

using testsupport::TempDir;

namespace {

struct ReadBack {
    ConfItemGroup_cls frame;
    ConfItemSTR_cls lastPTP;
    DataSequenceSet_cls sequences{nullptr, false};
    std::unique_ptr<ParticleAttrib_cls> attribs[4];
    PeriodicBoundary_cls periodic;
    CameraPath_cls camera;
    ViewSettings_cls view{0, CAMERA_FREE};
    OverlaySettings_cls overlay;
    TimeCtrl_cls time;

    ReadBack() {
        frame.Register(&lastPTP, "LastOpenedFilePTP=", "None");
        for (int t = 0; t < 4; ++t) attribs[t] = std::make_unique<ParticleAttrib_cls>(nullptr, 0, t);
    }
    void Read(const std::vector<std::string>& lines) {
        ParamTextStream_cls stream(lines);
        std::string line;
        while (stream.ReadLine(line)) {
            const wxString w = wxString::FromUTF8(line);
            frame.OfferLine(w);
            view.ReadLine(w);
            overlay.group.OfferLine(w);
            const size_t at = stream.Position();
            sequences.ReadConfig(stream, line);
            ParamTextStream_cls again(lines, at);
            for (auto& a : attribs) a->ReadConfig(again, line);
            periodic.ReadConfig(w);
            ParamTextStream_cls forTime(lines, at);
            time.ReadText(forTime, line);
            ParamTextStream_cls forCamera(lines, at);
            camera.ReadSection(forCamera, line);
        }
    }
};

double Distance(const float* a, const float* b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

}  // namespace

TEST(DemoProject, OpensTheSequenceInFourColoursWithTheWholeBoxInView) {
    GbParamUndoEnabled = 0;
    struct Case {
        float box;  // 0: no periodic box, the cluster alone
    };
    for (const Case& c : {Case{4.0f}, Case{0.0f}, Case{25.0f}}) {
        SCOPED_TRACE(c.box);
        TempDir dir;
        DemoSequenceOptions o;
        o.frames = 3;
        o.particles = 400;
        o.box = c.box;
        std::string error;
        ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("seq"), error)) << error;
        ASSERT_TRUE(WriteDemoProject(dir.File("seq"), o, error)) << error;

        const std::string project = dir.File("seq/" + DemoProjectName(o));
        std::vector<std::string> lines;
        ASSERT_TRUE(ProjectFile_cls::LoadAndCheck(project, nullptr, lines, error)) << error;
        ReadBack r;
        r.Read(lines);

        EXPECT_EQ(r.lastPTP.Value().utf8_string(), project);
        EXPECT_EQ(r.sequences.GetFrameCount(), 3);
        EXPECT_EQ(r.time.MaxFrame(), 2) << "the timeline as long as the sequence";
        EXPECT_EQ(r.sequences.GetCurrent()->GetFileName(0).utf8_string(), dir.File("seq/" + o.FileName(0)));
        EXPECT_EQ(r.view.displayMode.value, CAMERA_PATH);
        EXPECT_TRUE(r.overlay.ShowsTime());

        // four colours far apart, each type drawn as small points
        for (int t = 0; t < 4; ++t) {
            EXPECT_EQ(r.attribs[t]->drawType.value, 0u);
            EXPECT_LE(r.attribs[t]->pointSize.value, 3);
            for (int u = 0; u < t; ++u)
                EXPECT_GT(Distance(r.attribs[t]->col->constantColor.values, r.attribs[u]->col->constantColor.values),
                          0.4)
                    << "types " << u << " and " << t;
        }

        const double half = c.box > 0 ? 0.5 * c.box : 4.0;
        if (c.box > 0) {
            EXPECT_EQ(r.periodic.periodicType.value, unsigned(PERIODIC_XYZ));
            for (int axis = 0; axis < 3; ++axis) {
                Vec3f image;
                r.periodic.GetImageOffset(image, axis);
                const float got[3] = {image.x, image.y, image.z};
                for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(got[k], axis == k ? c.box : 0.0f);
            }
        } else {
            EXPECT_EQ(r.periodic.periodicType.value, unsigned(PERIODIC_NONE));
        }

        // every corner of the box well inside the camera's cone (the view is wider than high)
        r.camera.UpdateTransform(0.0);
        double eye[3] = {0, 0, 0};
        r.camera.TransformPoint(eye);
        // the camera looks along its placement's first axis
        double m[16];
        r.camera.PlacementMatrix(m);
        const double d[3] = {m[0], m[1], m[2]};
        const double halfAngle = 0.5 * r.camera.vAngle.value * 3.14159265358979 / 180.0;
        for (int corner = 0; corner < 8; ++corner) {
            const double p[3] = {corner & 1 ? half : -half, corner & 2 ? half : -half, corner & 4 ? half : -half};
            const double v[3] = {p[0] - eye[0], p[1] - eye[1], p[2] - eye[2]};
            const double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
            const double along = (v[0] * d[0] + v[1] * d[1] + v[2] * d[2]) / len / std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            EXPECT_LT(std::acos(along), 0.9 * halfAngle) << "corner " << corner;
        }
    }
    GoCommandHistory.Clear();
    GbParamUndoEnabled = 1;
}
