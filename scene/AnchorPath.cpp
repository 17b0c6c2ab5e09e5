// Anchor object and its project block.
#include "scene/AnchorPath.h"

#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"

AnchorPath_cls* GpAnchorPath = nullptr;

namespace {
const char kMarker[] = "---AnchorPath";
}

AnchorPath_cls::AnchorPath_cls() : SceneObj_cls("Anchor", true, true) {
    pickId = 1;
    settings.Clear();
    settings.Register(&visible, "AnchorVisible=", "1");
    // The starting keys are no user edit: they bypass the history.
    const unsigned char undo = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    SetTranslateKey(0, 0, 0);
    SetRotationKey(0, 0, 0);
    SetScaleKey(1, 1, 1);
    GbParamUndoEnabled = undo;
}

std::string AnchorPath_cls::WriteSection() const {
    return std::string(kMarker) + "\r\n" + translate->WriteText();
}

void AnchorPath_cls::ReadSection(ParamTextStream_cls& stream, const std::string& line) {
    if (line != kMarker) return;
    std::string l;
    while (stream.ReadLine(l))
        if (LineStartsWith(l, kParamGroupHeader)) {
            translate->ReadText(stream, l);
            return;
        }
}
