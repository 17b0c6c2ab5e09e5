// The demo sequence's project.
#include "tools/DemoProject.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/AtomicFile.h"
#include "data/GrammerBase.h"
#include "data/PeriodicBoundary.h"
#include "filters/ColorCurve.h"
#include "scene/CameraPath.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "tools/DemoSequence.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/ViewSettings.h"

namespace {

// Four colours told apart at a glance, also by most colour-blind eyes.
constexpr float kTypeColours[4][4] = {
    {1.0f, 0.6f, 0.1f, 1.0f},   // orange
    {0.3f, 0.65f, 1.0f, 1.0f},  // blue
    {0.4f, 0.9f, 0.4f, 1.0f},   // green
    {0.95f, 0.35f, 0.8f, 1.0f}, // magenta
};
// Small enough that the cloud's inner structure shows through its outer layers.
constexpr int kPointSize = 2;
// Seen from the front left, somewhat above.
constexpr double kElevation = 25.0;
constexpr double kAzimuth = 30.0;
constexpr double kDegree = 3.14159265358979 / 180.0;

std::string Line(const wxString& key, const std::string& value) {
    return key.utf8_string() + value + "\r\n";
}

// The camera path's key at time 0: from outside the sphere around the whole cloud (the box,
// or the cluster when there is none), far enough that the sphere fills about 80 % of the
// view's height at the path's view angle.
std::string CameraText(const DemoSequenceOptions& o) {
    const double half = o.box > 0 ? 0.5 * o.box : 4.0;
    const double radius = half * std::sqrt(3.0);
    CameraPath_cls camera;
    const double angle = camera.vAngle.value > 1 ? camera.vAngle.value : 35.0;
    const double distance = radius / std::sin(0.5 * angle * kDegree) / 0.8;
    const double e = kElevation * kDegree, a = kAzimuth * kDegree;
    const unsigned char undo = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;  // keys of a file being written, no edit of the user's
    camera.SetTranslateKey(-distance * std::cos(e) * std::cos(a), -distance * std::cos(e) * std::sin(a),
                           distance * std::sin(e));
    camera.SetRotationKey(0.0, kElevation, kAzimuth);
    GbParamUndoEnabled = undo;
    return camera.WriteSection();
}

}  // namespace

std::string DemoProjectName(const DemoSequenceOptions& options) { return options.prefix + ".ptp"; }

std::string DemoProjectText(const DemoSequenceOptions& o, const std::string& firstFile,
                            const std::string& projectPath) {
    std::string text;
    GrammerBase_cls grammar("DataLoad");
    grammar.dataType.value = o.grammar.dataType;
    grammar.SetHeaderCodes(o.grammar.headerCodes);
    grammar.SetBodyCodes(o.grammar.bodyCodes);
    text += grammar.group.WriteAll().utf8_string();
    text += "LastOpenedFilePTP=" + projectPath + "\r\n";

    ViewSettings_cls view(0, CAMERA_FREE);
    text += Line(view.displayMode.key, std::to_string(int(CAMERA_PATH)));

    OverlaySettings_cls overlay;
    text += Line(overlay.timePos.key, "1");
    text += Line(overlay.showLegend.key, "0 0 0 0");

    // The timeline as long as the sequence, as loading it would make it.
    TimeCtrl_cls time;
    time.SetMaxFrame(o.frames - 1);
    text += time.WriteText().utf8_string();

    text += "DataSequence0=0\r\n" + firstFile + "\n";
    for (int t = 0; t < 4; ++t) {
        ParticleAttrib_cls attrib(nullptr, 0, t);
        // Points and billboards take the colour, spheres the material made of it.
        const float* c = kTypeColours[t];
        std::copy(c, c + 4, attrib.col->constantColor.values);
        std::copy(c, c + 4, attrib.diffuse->constantColor.values);
        std::copy(c, c + 4, attrib.specular->constantColor.values);
        for (int k = 0; k < 3; ++k) attrib.ambient->constantColor.values[k] = 0.2f * c[k];
        attrib.ambient->constantColor.values[3] = c[3];
        attrib.pointSize.value = kPointSize;
        text += attrib.WriteConfig().utf8_string();
    }

    if (o.box > 0) {
        PeriodicBoundary_cls periodic;
        periodic.periodicType.value = PERIODIC_XYZ;
        for (int axis = 0; axis < 3; ++axis)
            for (int c = 0; c < 3; ++c) periodic.baseVector[axis].values[c] = axis == c ? o.box : 0.0f;
        text += periodic.WriteConfig().utf8_string();
    }
    text += CameraText(o);
    return text;
}

bool WriteDemoProject(const std::string& folder, const DemoSequenceOptions& options, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = fs::absolute(fs::path(folder), ec);
    const std::string project = (dir / DemoProjectName(options)).string();
    const std::string first = (dir / options.FileName(0)).string();
    return AtomicFile_cls::Write(project, DemoProjectText(options, first, project), error);
}
