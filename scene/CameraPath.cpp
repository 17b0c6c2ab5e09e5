// Camera path object and its project block.
#include "scene/CameraPath.h"

#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"

CameraPath_cls* GpCameraPath = nullptr;

namespace {
const char kMarker[] = "---CameraPath";
}

CameraPath_cls::CameraPath_cls() : SceneObj_cls("Camera", true, true) {
    mode = 0;
    pickId = 0;
    settings.Clear();
    // A geometry outside the four kinds would index past the views' tables.
    geometry.SetRange(0, 3);
    vAngle.SetRange(kMinViewAngle, kMaxViewAngle);
    settings.Register(&geometry, "CameraGeometry=", "0");
    settings.Register(&vAngle, "CameraVAngle=", "35");
    settings.Register(&fishEyeOffset, "FishEyeOffset=", "0");
    settings.Register(&lookAnchor, "CareraLookAnchor=", "0");
    settings.Register(&visible, "CameraVisible=", "1");
    // The starting keys are no user edit: they bypass the history.
    const unsigned char undo = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    SetTranslateKey(-1.5, 0, 1.5);
    SetRotationKey(0, 45, 0);
    SetScaleKey(1, 1, 1);
    GbParamUndoEnabled = undo;
}

std::string CameraPath_cls::WriteSection() const {
    std::string text = std::string(kMarker) + "\r\n";
    text += settings.WriteAll().utf8_string();
    text += translate->WriteText();
    text += rotation->WriteText();
    return text;
}

void CameraPath_cls::ReadSection(ParamTextStream_cls& stream, const std::string& line) {
    if (line != kMarker) return;
    std::string l;
    bool header = false;
    while (stream.ReadLine(l)) {
        if (LineStartsWith(l, kParamGroupHeader)) {
            header = true;
            break;
        }
        settings.OfferLine(wxString::FromUTF8(l));
    }
    if (!header) return;  // the group texts are missing: only the settings were read
    translate->ReadText(stream, l);
    if (stream.ReadLine(l)) rotation->ReadText(stream, l);
}
