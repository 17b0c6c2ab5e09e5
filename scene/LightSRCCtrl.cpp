// The light set: selection, adding and removing, shadow-light queries, POV-Ray text and
// the project section.
#include "scene/LightSRCCtrl.h"

#include "common/CommandHistory.h"
#include "common/CommandSetValue.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"

LightSRCCtrl_cls* GpLightSRCCtrl = nullptr;

namespace {
const char kBegin[] = "---AllLightSource";
const char kEnd[] = "---AllLightSourceEnd";
}  // namespace

LightSRCCtrl_cls::LightSRCCtrl_cls() {
    lightNumber.SetRange(0, kLights);
    items.Register(&lightNumber, "LightNumber=", "2");
    for (int i = 0; i < kLights; ++i) lights[i] = new LightSRC_cls(i, "LightSRC" + std::to_string(i));
    for (int i = 0; i < kLights; ++i) lights[i]->group->SetActive(i < lightNumber.value);
}

LightSRCCtrl_cls::~LightSRCCtrl_cls() {
    if (GpLightSRCCtrl == this) GpLightSRCCtrl = nullptr;
    for (LightSRC_cls*& l : lights) {
        delete l;
        l = nullptr;
    }
}

LightSRC_cls* LightSRCCtrl_cls::SelectedLight() {
    if (selected < 0 || selected >= lightNumber.value || selected >= kLights) return nullptr;
    return lights[selected];
}

void LightSRCCtrl_cls::AddLight() {
    const int n = lightNumber.value;
    if (n < kLights) {
        GoCommandHistory.BeginBlock("");
        GoCommandHistory.Push(new CommandSetValue_cls(&lightNumber.value, n + 1, updateFlags),
                              new CommandSetValue_cls(&lightNumber.value, n, updateFlags));
        GoCommandHistory.Redo();
        GoCommandHistory.Push(new CommandSetValue_cls(&selected, n, updateFlags),
                              new CommandSetValue_cls(&selected, selected, updateFlags));
        GoCommandHistory.Redo();
        GoCommandHistory.EndBlock("");
    }
    if (onBind) onBind();
    UpdateGroupStates();
}

void LightSRCCtrl_cls::RemoveLight() {
    const int n = lightNumber.value;
    if (n <= 0 || selected < 0 || selected >= n) return;
    const int s = selected;
    GoCommandHistory.BeginBlock("");
    for (int k = s; k < kLights - 1; ++k) lights[k]->CopyFrom(*lights[k + 1]);
    GoCommandHistory.Push(new CommandSetValue_cls(&lightNumber.value, n - 1, updateFlags),
                          new CommandSetValue_cls(&lightNumber.value, n, updateFlags));
    GoCommandHistory.Redo();
    if (n == s + 1) {
        GoCommandHistory.Push(new CommandSetValue_cls(&selected, n - 2, updateFlags),
                              new CommandSetValue_cls(&selected, s, updateFlags));
        GoCommandHistory.Redo();
    }
    GoCommandHistory.EndBlock("");
    if (onBind) onBind();
    UpdateGroupStates();
}

void LightSRCCtrl_cls::SelectLight(int index) {
    selected = index;
    if (onBind) onBind();
}

int LightSRCCtrl_cls::GetShadowLightIndex() {
    for (int i = 0; i < lightNumber.value; ++i)
        if (lights[i]->visible.value && lights[i]->castShadow.value) return i;
    return 0;
}

int LightSRCCtrl_cls::CountShadowLights() {
    int n = 0;
    for (int i = 0; i < lightNumber.value; ++i)
        if (lights[i]->visible.value && lights[i]->castShadow.value) ++n;
    return n;
}

int LightSRCCtrl_cls::CountVisibleLights() {
    int n = 0;
    for (int i = 0; i < lightNumber.value; ++i)
        if (lights[i]->visible.value) ++n;
    return n;
}

int LightSRCCtrl_cls::FirstVisibleIndex() {
    for (int i = 0; i < lightNumber.value; ++i)
        if (lights[i]->visible.value) return i;
    return -1;
}

void LightSRCCtrl_cls::GetLightVectors(double t, float position[4], float angles[2], int index, bool directional,
                                       SceneObj_cls* object) {
    if (index < 0 || index >= kLights) index = 0;
    lights[index]->GetPositionAndAngles(t, position, angles, directional, object);
}

void LightSRCCtrl_cls::UpdateTransforms(double t) {
    for (int i = 0; i < lightNumber.value; ++i) lights[i]->UpdateTransform(t);
}

void LightSRCCtrl_cls::UpdateGroupStates() {
    bool changed = false;
    for (int i = 0; i < kLights; ++i) {
        const bool on = i < lightNumber.value;
        changed |= (lights[i]->group->active != 0) != on;
        lights[i]->group->SetActive(on);
    }
    // Laying the lower panel out again is slow: only when a track came or went.
    if (changed) lights[0]->group->UpdateTrackPanel();
}

wxString LightSRCCtrl_cls::PovLights(double t) {
    wxString text;
    for (int i = 0; i < lightNumber.value; ++i) text += lights[i]->PovLight(t);
    return text;
}

std::string LightSRCCtrl_cls::WriteSection() const {
    std::string text = std::string(kBegin) + "\r\n";
    text += items.WriteAll().utf8_string();
    for (int i = 0; i < lightNumber.value; ++i) text += lights[i]->WriteSection();
    text += std::string(kEnd) + "\r\n";
    return text;
}

void LightSRCCtrl_cls::ReadSection(ParamTextStream_cls& stream, const std::string& line) {
    if (line != kBegin) return;
    std::string l;
    bool more = false;
    while (stream.ReadLine(l)) {
        if (LineStartsWith(l, kSectionMarker)) {
            more = true;
            break;
        }
        items.OfferLine(wxString::FromUTF8(l));
    }
    int next = 0;
    while (more && l != kEnd) {
        if (LineStartsWith(l, "---LightSRC")) {
            if (next < kLights) {
                // The block reader stops on the line after its block; look at it next.
                lights[next++]->ReadSection(stream, l);
                if (LineStartsWith(l, kSectionMarker)) continue;
            } else {
                next++;  // an eighth block has no light: its lines are passed over
            }
        }
        more = stream.ReadLine(l);
    }
}
