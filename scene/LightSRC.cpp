// Light source: settings, position, POV-Ray text and project block.
#include "scene/LightSRC.h"

#include <algorithm>
#include <cmath>

#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "platform/FileNumbers.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"

namespace {

constexpr double kPi = 3.14159;

wxString Ascii(const std::string& s) { return wxString::FromAscii(s.c_str()); }

}  // namespace

LightSRC_cls::LightSRC_cls(int i, const std::string& name) : SceneObj_cls(name, true, true), index(i) {
    mode = 1;
    pickId = index + 10;
    settings.Clear();
    // Values read from files stay inside the tables and the ranges the lighting accepts.
    type.SetRange(0, 3);
    spotAngle.SetRange(0, 180);
    fade.SetRange(0, 2);
    fadeDistance.SetRange(1e-6f, 1e30f);
    lightAreaQuality.SetRange(1, 1000);
    target.SetRange(0, 2);
    const wxString p = wxString::FromUTF8(name);
    settings.Register(&type, p + "Type=", "3");
    settings.Register(&spotAngle, p + "SpotAngle=", "35");
    settings.Register(&fade, p + "Fade=", "0");
    settings.Register(&fadeDistance, p + "FadeDistance=", "1");
    settings.Register(&castShadow, p + "CastShadow=", "1");
    settings.Register(&lightArea, p + "LightArea=", "0");
    settings.Register(&lightAreaSize, p + "LightAreaSize=", "0.2");
    settings.Register(&lightAreaQuality, p + "LightAreaQuality=", "5");
    settings.Register(&target, p + "Target=", "0");
    settings.Register(&visible, p + "Visible=", "1");

    strength = new ParamGroup_cls(name + " Strength", {"Strength"}, kLightUpdateFlags, 0);
    strength->owner = this;
    // The container lists what the project block stores: Translate, Rotation, Strength.
    group->children = {translate, rotation, strength};
    translate->owner = this;
    rotation->owner = this;

    // The starting keys are no user edit: they bypass the history.
    const unsigned char undo = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    if (index == 1) {
        SetTranslateKey(-1, -1, -1.41421356);
        SetRotationKey(0, -45, 45);
        strength->SetKeyFrame({0.1}, true, -1);
    } else {
        SetTranslateKey(1, 1, 1.41421356);
        SetRotationKey(0, 45, 225);
        strength->SetKeyFrame({1.0}, true, -1);
    }
    SetScaleKey(1, 1, 1);
    GbParamUndoEnabled = undo;
}

LightSRC_cls::~LightSRC_cls() {
    if (group) group->children.clear();
    delete strength;
}

void LightSRC_cls::GetPositionAndAngles(double t, float position[4], float angles[2], bool directional,
                                        SceneObj_cls* object) {
    if (directional) {
        const std::array<double, 3> d = RotationDirection(t);
        for (int k = 0; k < 3; ++k) position[k] = float(d[size_t(k)]);
        position[3] = 0.0f;
    } else {
        const std::vector<double> T = translate->GetValues(t, 0);
        for (int k = 0; k < 3; ++k) position[k] = k < int(T.size()) ? float(T[size_t(k)]) : 0.0f;
        position[3] = 1.0f;
    }
    float p[3] = {position[0], position[1], position[2]};
    if (object) object->InverseRotatePoint(p, t);
    const double x = p[0], y = p[1], z = p[2];
    angles[0] = float(std::atan2(y, x) * 180.0 / kPi + 180.0);
    angles[1] = float(std::atan2(z, std::sqrt(x * x + y * y)) * 180.0 / kPi);
}

double LightSRC_cls::StrengthAt(double t) {
    const std::vector<double> v = strength->GetValues(t, 0);
    return v.empty() ? 0.0 : v[0];
}

wxString LightSRC_cls::PovLight(double t) {
    if (!visible.value) return wxString();
    float pos[4], angles[2];
    const bool parallel = type.value == LIGHT_PARALLEL;
    GetPositionAndAngles(t, pos, angles, parallel, nullptr);
    if (parallel)
        for (int k = 0; k < 3; ++k) pos[k] *= 1000.0f;
    const float s = float(StrengthAt(t));
    const float colour[3] = {s, s, s};
    wxString text = "light_source {\n";
    text << PovVector3f("\t", pos, 8) << "\n";
    text << PovVector3f("\tcolor", colour, 8) << "\n";
    if (!castShadow.value) text << "\tshadowless\n";
    if (type.value == LIGHT_SPOT) {
        const std::array<double, 3> d = RotationDirection(t);
        const float at[3] = {float(pos[0] - d[0]), float(pos[1] - d[1]), float(pos[2] - d[2])};
        text << "\tspotlight\n" << PovVector3f("\tpoint_at", at, 8) << "\n";
        text << "\tradius " << Ascii(platform::FormatInt(spotAngle.value)) << "\n";
        text << "\tfalloff " << Ascii(platform::FormatG(spotAngle.value * 1.2)) << "\n";
    } else if (parallel) {
        text << "\tparallel\n\tpoint_at <0, 0, 0>\n";
    }
    text << PovFade();
    if (lightArea.value) text << PovAreaLight(1000.0f);
    text << "}\n";
    return text;
}

wxString LightSRC_cls::PovFade() const {
    if (fade.value != 1 && fade.value != 2) return wxString();
    return "\tfade_distance " + Ascii(platform::FormatF(fadeDistance.value, 6)) + "\n\tfade_power " +
           (fade.value == 1 ? "1" : "2") + "\n";
}

wxString LightSRC_cls::PovAreaLight(float sizeFactor) const {
    float size = lightAreaSize.value;
    if (type.value == LIGHT_PARALLEL) size *= sizeFactor;
    // POV-Ray refuses a circular area light of fewer than 2 x 2 samples.
    const unsigned n = std::max(2u, lightAreaQuality.value);
    const wxString sz = PovTrimmedFloat(size), q = PovTrimmedFloat(float(n));
    return "\tarea_light \tx * " + sz + ", y * " + sz + "," + q + "," + q + "\n" +
           (n < 6 ? "\tcircular orient\n\tadaptive 1" : "\tcircular orient\n\tadaptive 2") + "\n";
}

std::string LightSRC_cls::WriteSection() const {
    std::string text = "---LightSRC " + std::to_string(index) + "\n";
    text += settings.WriteAll().utf8_string();
    text += translate->WriteText();
    text += rotation->WriteText();
    text += strength->WriteText();
    return text;
}

void LightSRC_cls::ReadSection(ParamTextStream_cls& stream, std::string& line) {
    // The block may come from another slot ("---LightSRC 5" read into light 0): its keys
    // and group names carry that slot's name and are read as this light's.
    std::string from;
    const std::string marker = "---LightSRC ";
    if (line.compare(0, marker.size(), marker) == 0) {
        std::string digits;
        for (size_t i = marker.size(); i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) digits += line[i];
        if (!digits.empty()) from = "LightSRC" + digits;
    }
    const std::string own = group ? group->name : std::string();
    auto renamed = [&](const std::string& l, const std::string& prefix) {
        if (from.empty() || from == own) return l;
        if (l.compare(0, prefix.size() + from.size(), prefix + from) != 0) return l;
        return prefix + own + l.substr(prefix.size() + from.size());
    };
    bool header = false;
    while (stream.ReadLine(line)) {
        if (LineStartsWith(line, kParamGroupHeader)) {
            header = true;
            break;
        }
        // A block cut short must not swallow the lines after it.
        if (LineStartsWith(line, kSectionMarker)) return;
        settings.OfferLine(wxString::FromUTF8(renamed(line, "")));
    }
    if (!header) return;
    translate->ReadText(stream, renamed(line, "-ParamGroup="));
    if (stream.ReadLine(line)) rotation->ReadText(stream, renamed(line, "-ParamGroup="));
    if (stream.ReadLine(line)) strength->ReadText(stream, renamed(line, "-ParamGroup="));
}

void LightSRC_cls::CopyFrom(LightSRC_cls& other) {
    SceneObj_cls::CopyFrom(other);
    GoCommandHistory.Push(new CommandSetValue_cls(&type.value, other.type.value, 0),
                          new CommandSetValue_cls(&type.value, type.value, 0));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandSetValue_cls(&fade.value, other.fade.value, 0),
                          new CommandSetValue_cls(&fade.value, fade.value, 0));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandSetValue_cls(&spotAngle.value, other.spotAngle.value, updateFlags),
                          new CommandSetValue_cls(&spotAngle.value, spotAngle.value, updateFlags));
    GoCommandHistory.Redo();
    // The other settings move with the light too, so a removal shifts whole lights down.
    GoCommandHistory.Push(new CommandSetValue_cls(&fadeDistance.value, other.fadeDistance.value, updateFlags),
                          new CommandSetValue_cls(&fadeDistance.value, fadeDistance.value, updateFlags));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandSetValue_cls(&castShadow.value, other.castShadow.value, updateFlags),
                          new CommandSetValue_cls(&castShadow.value, castShadow.value, updateFlags));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandSetValue_cls(&lightArea.value, other.lightArea.value, updateFlags),
                          new CommandSetValue_cls(&lightArea.value, lightArea.value, updateFlags));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(new CommandSetValue_cls(&lightAreaSize.value, other.lightAreaSize.value, updateFlags),
                          new CommandSetValue_cls(&lightAreaSize.value, lightAreaSize.value, updateFlags));
    GoCommandHistory.Redo();
    GoCommandHistory.Push(
        new CommandSetValue_cls(&lightAreaQuality.value, other.lightAreaQuality.value, updateFlags),
        new CommandSetValue_cls(&lightAreaQuality.value, lightAreaQuality.value, updateFlags));
    GoCommandHistory.Redo();
    strength->CopyFrom(*other.strength);
}
