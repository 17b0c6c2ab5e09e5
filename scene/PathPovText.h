// The camera path as POV-Ray scene text driven by the clock, for pasting into a
// hand-written animation.
#pragma once

#include <string>
#include <vector>

class AnchorPath_cls;
class CameraPath_cls;

/// Program-data name of the camera template for `path`: "Resource/cameratemplate.pov"
/// when the camera looks at the anchor ("CareraLookAnchor=" 1), else
/// "Resource/cameratemplateNA.pov".
std::string CameraTemplateName(const CameraPath_cls& path);

/// "#declare t0 = clock;", the declarations of the camera's Translate and Rotation curves
/// (Camera_Translate_x ... Camera_Rotation_z), with "CareraLookAnchor=" 1 also the anchor's
/// Translate (Anchor_Translate_x ...), the path's vertical view angle as CameraVAngle (when
/// it is a usable angle), then each template line followed by "\n". GUI
/// thread (the curves are read, not changed).
std::string CameraPathPovText(const CameraPath_cls& path, const AnchorPath_cls& anchor,
                              const std::vector<std::string>& templateLines);

/// The lines of a camera template file (UTF-8 or code page 932; line ends CR LF or LF,
/// neither kept). A file that cannot be read gives no lines; `error` then says why.
std::vector<std::string> ReadCameraTemplate(const std::string& path, std::string& error);
