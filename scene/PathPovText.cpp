// The camera path's POV-Ray text.
#include "scene/PathPovText.h"

#include "platform/FileNumbers.h"
#include "platform/TextDecoding.h"

#include "scene/AnchorPath.h"
#include "scene/CameraPath.h"
#include "timeline/ParamGroup.h"

std::string CameraTemplateName(const CameraPath_cls& path) {
    return path.lookAnchor.value ? "Resource/cameratemplate.pov" : "Resource/cameratemplateNA.pov";
}

std::string CameraPathPovText(const CameraPath_cls& path, const AnchorPath_cls& anchor,
                              const std::vector<std::string>& templateLines) {
    std::string text = "#declare t0 = clock;\n";
    if (path.translate) text += path.translate->GetPovCode();
    if (path.rotation) text += path.rotation->GetPovCode();
    if (path.lookAnchor.value && anchor.translate) text += anchor.translate->GetPovCode();
    // The templates fall back to 35 degrees when the angle is not declared: the pasted camera
    // sees what the path's own view angle shows. A path without a projection declares none.
    const double angle = path.vAngle.value;
    if (angle >= CameraPath_cls::kMinViewAngle && angle <= CameraPath_cls::kMaxViewAngle)
        text += "#declare CameraVAngle = " + platform::FormatShortest(angle) + ";\n";
    for (const std::string& line : templateLines) text += line + "\n";
    return text;
}

std::vector<std::string> ReadCameraTemplate(const std::string& path, std::string& error) {
    std::vector<std::string> lines;
    error.clear();
    if (!platform::ReadTextFileLines(path, lines, error)) lines.clear();
    return lines;
}
