// Stereogram settings, eye placement, pass logic and layouts (no GL here).
#include "view/StereoGram.h"

#include <cmath>
#include <limits>

#include "common/CommandHistory.h"
#include "common/GLCamera.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"

StereoGram_cls* GpStereoGram = nullptr;

namespace {

constexpr double kPi = 3.14159;  // the program's degree conversion
constexpr uint64_t kEyeParamFlags = UPD_TIME | UPD_VIEWS | UPD_STEREOGRAM_GUI;  // 0x406

}  // namespace

StereoGram_cls::StereoGram_cls() {
    RegisterSettings();
    eyeParam = new ParamGroup_cls("Stereogram", {"Distance of Eye"}, kEyeParamFlags, 1);
    // The group starts with one cleared key; it becomes 0.1 at the start of the scene
    // (where the time stands when the program starts), whatever time a caller has left.
    Parameter_cls& d = eyeParam->Component(0);
    if (d.keys.empty()) d.keys.emplace_back();
    d.keys[0].time = 0.0;
    d.keys[0].value = 0.1;
    d.cachedValue = 0.1;
    eyeParam->active = 0;  // the track shows only while stereo is on
}

StereoGram_cls::~StereoGram_cls() { delete eyeParam; }

void StereoGram_cls::RegisterSettings() {
    group.Clear();
    toeInAngle.SetRange(0.0, 45.0);
    cameraSetting.SetRange(0, 2);
    outputType.SetRange(0, 6);
    fileOutput.SetRange(0, 1);
    group.Register(&cameraSetting, "StereogramType=", "0");
    group.Register(&outputType, "StereogramEye=", "0");
    group.Register(&toeInAngle, "StereoGramToeInAngle=", "0.5");
    group.Register(&fileOutput, "SterogramDualOutput=", "1");
}

bool StereoGram_cls::ReadConfig(ParamTextStream_cls& stream, const std::string& line) {
    std::string marker = line;
    while (!marker.empty() && (marker.back() == '\r' || marker.back() == '\n')) marker.pop_back();
    if (marker != "--StereoGram") {
        // The settings lines are also taken where they stand alone, like every other
        // settings group's: a line is the stereogram's only when it starts with its key.
        group.OfferLine(wxString::FromUTF8(line.c_str()));
        return false;
    }
    std::string next;
    while (stream.ReadLine(next)) {
        if (LineStartsWith(next, kParamGroupHeader)) {
            eyeParam->ReadText(stream, next);
            break;
        }
        group.OfferLine(wxString::FromUTF8(next.c_str()));
    }
    return true;
}

std::string StereoGram_cls::WriteConfig() const {
    std::string s = "--StereoGram\n";
    s += group.WriteAll().utf8_string();
    s += eyeParam->WriteText();
    return s;
}

int StereoGram_cls::PassCount() const {
    return StereoOn() && outputType.value >= STEREO_LINE_BY_LINE && outputType.value <= STEREO_SIDE_BY_SIDE ? 2
                                                                                                         : 1;
}

int StereoGram_cls::EyeOfPass(int pass) const {
    if (!StereoOn() || outputType.value == STEREO_NO_PARALLAX) return 0;
    if (outputType.value == STEREO_LEFT) return 1;
    if (outputType.value == STEREO_RIGHT) return 2;
    return pass == 0 ? 1 : 2;
}

double StereoGram_cls::EyeDistance(double t) const {
    if (!eyeParam || eyeParam->ComponentCount() < 1) return 0.0;
    return eyeParam->Component(0).Evaluate(t < 0 ? GdCurrentTime : t, -1);
}

double StereoGram_cls::EyeOffset(int eye, double t) const {
    if (eye == 1) return -EyeDistance(t);
    if (eye == 2) return EyeDistance(t);
    return 0.0;
}

void StereoGram_cls::ApplyEyeToCamera(GLCamera_cls& camera, int eye, double t) const {
    if (!StereoOn() || (eye != 1 && eye != 2)) return;
    const double offset = EyeOffset(eye, t);
    for (int i = 0; i < 3; ++i) camera.pose.position[i] += offset * 0.5 * camera.frame.right[i];
    if (cameraSetting.value != STEREO_TOE_IN) return;
    const double angle = eye == 1 ? -toeInAngle.value : toeInAngle.value;
    if (angle != 0.0) camera.frame.Rotate(angle, 0, 0);
}

double StereoGram_cls::FocusDistance(double t) const {
    // Parallel eyes never cross: the focus is at infinity, never a division by zero.
    const double a = std::tan(toeInAngle.value * kPi / 180.0);
    if (!(std::fabs(a) > 0.0)) return std::numeric_limits<double>::infinity();
    return EyeDistance(t) * 0.5 / a;
}

bool StereoGram_cls::DrawsFocusMarker(double t) const {
    return cameraSetting.value == STEREO_TOE_IN && outputType.value != STEREO_NO_PARALLAX &&
           std::isfinite(FocusDistance(t));
}

bool StereoGram_cls::IsCombinedSideBySide() const {
    return StereoOn() && outputType.value == STEREO_SIDE_BY_SIDE && fileOutput.value == 0;
}

void StereoGram_cls::EyeColorMask(int pass, bool out[4]) const {
    out[0] = out[1] = out[2] = out[3] = true;
    if (!StereoOn()) return;
    if (outputType.value == STEREO_RED_CYAN) {
        out[0] = pass == 0;
        out[1] = out[2] = pass != 0;
    } else if (outputType.value == STEREO_YELLOW_BLUE) {
        out[0] = out[1] = pass == 0;
        out[2] = pass != 0;
    }
}

int StereoGram_cls::ComposeFitMode(bool distortion) const {
    if (distortion) return 2;
    return fisheye ? 1 : 0;
}

StereoQuad StereoGram_cls::FittedQuad(int mode, int W, int H) {
    StereoQuad q;
    if (mode == 2) {
        q.w = W, q.h = H;
    } else if (mode == 1 || H > W) {
        // The square spans the height; in a window taller than wide the planar view's
        // square spans the height too, so the picture always covers the window.
        q.w = q.h = H;
        q.x = (W - H) / 2;
    } else {
        q.w = q.h = W;
        q.y = (H - W) / 2;
    }
    return q;
}

void StereoGram_cls::SideBySideQuads(bool distortion, int W, int H, StereoQuad out[2]) const {
    const int D = W / 2;
    if (distortion) {
        out[0] = {0, 0, D, H};
        out[1] = {D, 0, D, H};
        return;
    }
    if (!fisheye) {
        const int y = (W - H) / -2;
        out[0] = {0, y, D, W};
        out[1] = {D, y, D, W};
        return;
    }
    const int F = H / 2;
    if (D < F) {
        const int y = (H - 2 * D) / 2;
        out[0] = {0, y, D, 2 * D};
        out[1] = {D, y, D, 2 * D};
        return;
    }
    const int X = F < D ? (D - F) / 2 : 0;
    out[0] = {X, 0, F, H};
    out[1] = {D + X, 0, F, H};
}

bool StereoGram_cls::IsSideBySide() const { return StereoOn() && outputType.value == STEREO_SIDE_BY_SIDE; }

int StereoGram_cls::PassAtColumn(double x, int W) const {
    // The right eye's quad starts at column W / 2 in every side-by-side layout.
    return IsSideBySide() && x >= double(W / 2) ? 1 : 0;
}

int StereoGram_cls::EyeOfShownPass(int pass) const {
    if (PassCount() > 1 && !IsSideBySide()) return 0;
    return EyeOfPass(pass);
}

std::vector<int> StereoGram_cls::LineStencilRows(int H) {
    std::vector<int> rows;
    for (int y = 1; y < H; y += 2) rows.push_back(y);
    return rows;
}

bool StereoGram_cls::CaptureCombines(int cameraChoice) const {
    const bool axisView = cameraChoice >= 1 && cameraChoice <= 6;
    return !(StereoOn() && PassCount() == 2 && !axisView && fileOutput.value == 1);
}

std::vector<StereoCaptureSave> StereoGram_cls::CapturePlan(int cameraChoice) const {
    if (!CaptureCombines(cameraChoice)) return {{0, 1}, {1, 2}};
    return {{0, StereoOn() ? int(outputType.value) : 0}};
}

bool StereoGram_cls::IsRefusedCombination(unsigned type, unsigned file) {
    return type == STEREO_LINE_BY_LINE && file == 0;
}
