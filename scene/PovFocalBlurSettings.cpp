// Focal-blur camera lines.
#include "scene/PovFocalBlurSettings.h"

#include <cmath>

#include "common/GLCamera.h"
#include "platform/FileNumbers.h"
#include "scene/PovText.h"

PovFocalBlurSettings_cls::PovFocalBlurSettings_cls() {
    focalBlur.SetRange(0, 1);
    quality.SetRange(0, 5);
    locationType.SetRange(0, 4);
    items.Register(&focalBlur, "PovFocalBlur=", "0");
    items.Register(&scale, "PovFocalBlurScale=", "0");
    items.Register(&quality, "PovFocalBlurQuality=", "1");
    items.Register(&locationType, "PovFocusLocationType=", "0");
    items.Register(&distance, "PovFocusDistance=", "1");
    items.Register(&location, "PovFocusLocation=", "0 0 0");
}

wxString PovFocalBlurSettings_cls::PovCameraText(const GLCamera_cls& camera,
                                                 const GLCameraPose_cls& anchorPose,
                                                 double factor) const {
    if (focalBlur.value == 0) return wxString();
    wxString s = "\taperture " + wxString(platform::FormatG(double(scale.value) * factor)) + "\n";
    const int q = quality.value < 0 ? 0 : (quality.value > 5 ? 5 : quality.value);
    int samples = 8 * q * q;
    if (samples == 0) samples = 3;
    const int v = q == 0 ? 64 : 256 * q * (q - 1) + 128;
    const float confidence = 1.0f - 1.0f / float(v);
    s += "\tblur_samples " + wxString(platform::FormatInt(samples)) + "\n";
    s += "\tconfidence " + wxString(platform::FormatF(confidence, 6)) + "\n";
    s += "\tvariance 1/" + wxString(platform::FormatInt(v)) + "\n";
    double point[3] = {0, 0, 0};
    switch (locationType.value) {
        case 1:
            for (int i = 0; i < 3; ++i) point[i] = anchorPose.position[i];
            break;
        case 3: {
            // The frame keeps its direction normalised; normalise again for a hand-made record.
            const double* d = camera.frame.direction;
            double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            if (len <= 0) len = 1;
            for (int i = 0; i < 3; ++i)
                point[i] = camera.pose.position[i] + double(distance.value) * d[i] / len;
            break;
        }
        case 4:
            for (int i = 0; i < 3; ++i) point[i] = location.values[i];
            break;
        default:  // the origin, also for "Stereo Focus"
            break;
    }
    s += PovVector3d("\tfocal_point ", point, 4) + "\n";
    return s;
}
