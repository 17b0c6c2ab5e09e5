// Scene-object base: transform groups, placement, inverse transforms and POV-Ray transform.
#include "scene/SceneObj.h"

#include <cmath>

#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamViews.h"
#include "timeline/Parameter.h"

double GdItemDragPosition[3] = {0, 0, 0};
double GdItemDragRotation[3] = {0, 0, 0};
SceneObj_cls* GpSelectedSceneObj = nullptr;

void SetSelectedSceneObj(SceneObj_cls* object) {
    GpSelectedSceneObj = object;
}

namespace {

constexpr uint64_t kTransformFlags = 0x1006;  // UPD_VIEWS | UPD_TIME | UPD_FILTER_EVAL
constexpr double kPi = 3.14159;
constexpr double kDegToRad = 0.017453277777777776;  // 3.14159 / 180

// Adds the whole turns that bring `angle` nearest to `wanted` (degrees) to it and its counter.
void AlignTurns(double& angle, int& turns, double wanted) {
    const double shift = std::round((wanted - angle) / 360.0);
    if (shift == 0.0 || !(std::fabs(shift) < 1e6)) return;
    turns += int(shift);
    angle += 360.0 * shift;
}

}  // namespace

SceneObj_cls::SceneObj_cls(const std::string& name, bool groupAll, bool makeParams) {
    visible.value = true;
    if (!makeParams) return;
    const std::vector<std::string> xyz = {"x", "y", "z"};
    group = new ParamGroup_cls(name, {}, kTransformFlags, 0);
    group->container = 1;
    group->owner = this;
    translate = new ParamGroup_cls(name + " Translate", xyz, kTransformFlags, 0);
    rotation = new ParamGroup_cls(name + " Rotation", xyz, kTransformFlags, 0);
    scale = new ParamGroup_cls(name + " Scale", xyz, kTransformFlags, 0);
    if (name == "Camera") {
        rotation->Component(0).SetPeriod(360);
        rotation->Component(2).SetPeriod(360);
    }
    if (groupAll) {
        group->children = {translate, rotation, scale};
    } else {
        group->listed = 0;
    }
}

SceneObj_cls::~SceneObj_cls() {
    if (GpSelectedSceneObj == this) GpSelectedSceneObj = nullptr;
    if (translate) {
        delete translate;
        delete rotation;
        delete scale;
    }
    delete group;
}

void SceneObj_cls::ValuesAt(ParamGroup_cls* g, double t, double out[3]) {
    const std::vector<double> v = g->GetValues(t, 0);
    for (int k = 0; k < 3; ++k) out[k] = k < int(v.size()) ? v[size_t(k)] : 0.0;
}

void SceneObj_cls::UpdateChangedKeys() {
    if (!group) return;
    for (ParamGroup_cls* child : group->children) child->UpdateChangedKeys(-1);
}

void SceneObj_cls::UpdateTransform(double t) {
    if (!translate) return;
    double T[3], R[3], S[3];
    ValuesAt(translate, t, T);
    ValuesAt(rotation, t, R);
    ValuesAt(scale, t, S);
    if (selected == 1 && dragged == 1) {
        for (int k = 0; k < 3; ++k) {
            T[k] = GdItemDragPosition[k];
            R[k] += GdItemDragRotation[k];
        }
    }
    for (int k = 0; k < 3; ++k) {
        transform.pose.position[k] = T[k];
        transform.pose.second[k] = 0.0;
    }
    const double d[3] = {1, 0, 0}, u[3] = {0, 0, 1};
    transform.frame.SetDirUp(d, u);
    transform.frame.Rotate(R[2], 0, 0);
    transform.frame.Normalise();
    transform.frame.Rotate(0, R[1], 0);
    transform.frame.Normalise();
    transform.frame.Rotate(0, 0, R[0]);
    transform.frame.UpdateAngles(true);
    // The whole turns of roll and yaw follow the Rotation values themselves, not the
    // history of earlier evaluations: angles written back as keys (AimAtOrigin) then stay
    // next to the keys they came from instead of a turn away (350 read back as -10).
    AlignTurns(transform.frame.roll, transform.frame.rollTurns, R[0]);
    AlignTurns(transform.frame.yaw, transform.frame.yawTurns, R[2]);
    for (int k = 0; k < 3; ++k) transform.objectScale[k] = S[k];
}

void SceneObj_cls::SetTranslateKey(double x, double y, double z) {
    if (translate) translate->SetKeyFrame({x, y, z}, true, -1);
}
void SceneObj_cls::SetRotationKey(double x, double y, double z) {
    if (rotation) rotation->SetKeyFrame({x, y, z}, true, -1);
}
void SceneObj_cls::SetScaleKey(double x, double y, double z) {
    if (scale) scale->SetKeyFrame({x, y, z}, true, -1);
}

void SceneObj_cls::PlacementMatrix(double m[16]) const {
    transform.ToMatrix(m);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) m[c * 4 + r] *= transform.objectScale[c];
}

void SceneObj_cls::TransformPoint(double p[3]) const {
    double m[16];
    PlacementMatrix(m);
    const double x = p[0], y = p[1], z = p[2];
    for (int r = 0; r < 3; ++r) p[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
}

void SceneObj_cls::PovTransform(wxString& out, double t, const std::vector<double>& pivot) {
    if (!translate) return;
    double T[3], R[3], S[3];
    ValuesAt(translate, t, T);
    ValuesAt(rotation, t, R);
    ValuesAt(scale, t, S);
    if (S[0] != 1.0 || S[1] != 1.0 || S[2] != 1.0) out << PovVector3d("\tscale", S, 4) << "\n";
    const float r[3] = {float(R[0]), float(R[1]), float(R[2])};
    if (r[0] != 0.0f || r[1] != 0.0f || r[2] != 0.0f) {
        const bool hasPivot = pivot.size() >= 3;
        if (hasPivot) out << PovVector3d("\ttranslate -", pivot.data(), 4) << "\n";
        for (int k = 0; k < 3; ++k) {
            if (r[k] == 0.0f) continue;
            float axis[3] = {0, 0, 0};
            axis[k] = r[k];
            out << PovVector3f("\trotate", axis, 4) << "\n";
        }
        if (hasPivot) out << PovVector3d("\ttranslate +", pivot.data(), 4) << "\n";
    }
    if (T[0] != 0.0 || T[1] != 0.0 || T[2] != 0.0) out << PovVector3d("\ttranslate", T, 4) << "\n";
}

void SceneObj_cls::InverseRotatePoint(float p[3], double t) {
    if (!rotation) return;
    double R[3];
    ValuesAt(rotation, t, R);
    // Each turn is stored back in single precision, like the positions it is applied to.
    double a = R[2] * kDegToRad;
    double x = p[0], y = p[1];
    p[0] = float(x * std::cos(a) + y * std::sin(a));
    p[1] = float(y * std::cos(a) - x * std::sin(a));
    const double b = R[1] * kDegToRad;
    x = p[0];
    double z = p[2];
    p[0] = float(x * std::cos(b) - z * std::sin(b));
    p[2] = float(x * std::sin(b) + z * std::cos(b));
    const double c = R[0] * kDegToRad;
    y = p[1];
    z = p[2];
    p[1] = float(y * std::cos(c) + z * std::sin(c));
    p[2] = float(z * std::cos(c) - y * std::sin(c));
}

void SceneObj_cls::InverseTransformPoint(float p[3], double t, ParamGroup_cls* pivotGroup) {
    if (!translate) return;
    double T[3], S[3], c[3] = {0, 0, 0};
    ValuesAt(translate, t, T);
    ValuesAt(scale, t, S);
    if (pivotGroup) ValuesAt(pivotGroup, t, c);
    for (int k = 0; k < 3; ++k) p[k] = float(double(p[k]) - T[k] - c[k]);
    InverseRotatePoint(p, t);
    for (int k = 0; k < 3; ++k) {
        double v = double(p[k]) + c[k];
        if (S[k] != 0.0) v /= S[k];
        p[k] = float(v);
    }
}

std::array<double, 3> SceneObj_cls::RotationDirection(double t) {
    double R[3] = {0, 0, 0};
    if (rotation) ValuesAt(rotation, t, R);
    // pi is 3.14159 throughout, the half turn included: the direction stored for a light
    // (and written to its POV-Ray text) is the one this formula has always given.
    const double yaw = (R[2] / 180.0 + 1.0) * kPi;
    const double pitch = R[1] * kPi / 180.0;
    return {std::cos(yaw) * std::cos(pitch), std::sin(yaw) * std::cos(pitch), std::sin(pitch)};
}

void SceneObj_cls::AimAtOrigin() {
    if (target.value != 1 || !rotation) return;
    const double origin[3] = {0, 0, 0};
    transform.LookAt(origin);
    transform.frame.UpdateAngles(true);
    const double angles[3] = {transform.frame.roll, transform.frame.pitch, transform.frame.yaw};
    for (int k = 0; k < 3 && k < rotation->ComponentCount(); ++k) rotation->Component(k).cachedValue = angles[k];
    rotation->UpdateChangedKeys(-1);
}

std::vector<std::array<double, 3>> SceneObj_cls::PathPoints() {
    std::vector<std::array<double, 3>> points;
    if (!translate) return points;
    // Evaluating a group overwrites its cached values, which double as the values typed
    // into the editors: keep them.
    const std::vector<double> saved = translate->GetValues(-1, 0);
    points.reserve(100);
    for (int i = 0; i < 100; ++i) {
        double v[3];
        ValuesAt(translate, i / 100.0, v);
        points.push_back({v[0], v[1], v[2]});
    }
    for (int k = 0; k < translate->ComponentCount() && k < int(saved.size()); ++k)
        translate->Component(k).cachedValue = saved[size_t(k)];
    return points;
}

ParamGroup_cls* SceneObj_cls::FindParam(const std::string& name) const {
    for (ParamGroup_cls* g : {translate, rotation, scale, group})
        if (g && g->name == name) return g;
    return nullptr;
}

void SceneObj_cls::SetSelected(bool flag) {
    selected = flag ? 1 : 0;
    if (group && group->header) group->header->UpdateColour();
}

void SceneObj_cls::SetAxisIfFree(int axis) {
    if (gizmoAxis == -1) gizmoAxis = axis;
}

void SceneObj_cls::ToggleAxis(int axis) { gizmoAxis = gizmoAxis == axis ? -1 : axis; }

void SceneObj_cls::CopyFrom(const SceneObj_cls& source) {
    GoCommandHistory.Push(new CommandSetValue_cls(&mode, source.mode, 0), new CommandSetValue_cls(&mode, mode, 0));
    GoCommandHistory.Redo();
    // visible is a one-byte bool and target an unsigned item: each is stored with its own
    // width (an int store would write past the bool).
    GoCommandHistory.Push(new CommandSetValue_cls(&visible.value, source.visible.value, 0),
                          new CommandSetValue_cls(&visible.value, visible.value, 0));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandSetValue_cls(&target.value, source.target.value, 0),
                          new CommandSetValue_cls(&target.value, target.value, 0));
    GoCommandHistory.Redo();
    if (translate && source.translate) {
        translate->CopyFrom(*source.translate);
        rotation->CopyFrom(*source.rotation);
        scale->CopyFrom(*source.scale);
    }
}
