// Shadow settings and the eye-inside test of the shadow volumes.
#include "view/ShadowVolume.h"

#include <algorithm>
#include <cmath>

#include "view/ParticleRecord.h"

ShadowConfig_cls GoShadowConfig;

namespace {

constexpr double kPi = 3.14159;

// Unit vector of `v`; false for a zero or non-finite vector.
bool UnitVector(const double v[3], double out[3]) {
    const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(n > 0) || !std::isfinite(n)) return false;
    for (int k = 0; k < 3; ++k) out[k] = v[k] / n;
    return true;
}

// Squared distance of the eye from the line through `p` along the unit vector `L`.
double OffAxisSquared(const double eye[3], const float* p, const double L[3]) {
    const double d[3] = {eye[0] - p[0], eye[1] - p[1], eye[2] - p[2]};
    const double t = d[0] * L[0] + d[1] * L[1] + d[2] * L[2];
    double s = 0;
    for (int k = 0; k < 3; ++k) {
        const double e = d[k] - t * L[k];
        s += e * e;
    }
    return s;
}

}  // namespace

void RegisterShadowSettings() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    GoShadowConfig.quality.SetRange(0, 2);
    GoShadowConfig.group.Register(&GoShadowConfig.quality, "ShadowQuality=", "1");
    GoShadowConfig.group.Register(&GoShadowConfig.length, "ShadowLength=", "20");
}

bool ReadShadowSettings(const wxString& line) {
    return GoShadowConfig.group.OfferLine(line);
}

wxString WriteShadowSettings() {
    return GoShadowConfig.group.WriteAll();
}

int ShadowSides(unsigned quality) {
    return quality == 0 ? 8 : quality == 1 ? 16 : 24;
}

void ShadowVolume_cls::ReleaseFlags() {
    std::vector<unsigned char>().swap(flags);
}

void ShadowVolume_cls::AnglesForDirection(const double dir[3], double& angle1, double& angle2) {
    double d[3];
    if (!UnitVector(dir, d)) {
        angle1 = 0;
        angle2 = 90;
        return;
    }
    angle1 = std::atan2(d[1], d[0]) * 180.0 / kPi;
    // Rounding can leave |z| a hair above 1: asin must not see that.
    angle2 = -std::asin(std::clamp(d[2], -1.0, 1.0)) * 180.0 / kPi;
}

void ShadowVolume_cls::DirectionForAngles(double angle1, double angle2, double out[3]) {
    const double a = angle1 * kPi / 180.0, b = angle2 * kPi / 180.0;
    out[0] = std::cos(b) * std::cos(a);
    out[1] = std::cos(b) * std::sin(a);
    out[2] = -std::sin(b);
}

void ShadowVolume_cls::ComputeEyeInsideUniform(const ParticleRecord_cls* order, int count, const float* positions,
                                               float size, const double eye[3], const double lightDir[3]) {
    if (count <= 0 || !order) return;
    // The flags follow the draw order, which may have grown since the last pass.
    if (flags.size() < size_t(count)) flags.resize(size_t(count), 0);
    double L[3];
    const bool lit = UnitVector(lightDir, L) && size > 0;
    const double limit = 400.0 * double(size) * double(size);
    for (int i = 0; i < count; ++i) {
        const float* p = positions + 3 * size_t(order[i].index);
        flags[size_t(i)] = lit && OffAxisSquared(eye, p, L) < limit ? 1 : 0;
    }
}

void ShadowVolume_cls::ComputeEyeInsideClassified(const ParticleRecord_cls* order, int count,
                                                  const unsigned* drawType, const unsigned* radiusType,
                                                  const float* typeSize, const unsigned char* types,
                                                  const float* positions, const float* radii,
                                                  const double eye[3], const double lightDir[3]) {
    if (count <= 0 || !order) return;
    if (flags.size() < size_t(count)) flags.resize(size_t(count), 0);
    double L[3];
    const bool lit = UnitVector(lightDir, L);
    for (int i = 0; i < count; ++i) {
        const int index = order[i].index;
        const int t = std::min<int>(types[index], 3);
        if (drawType[t] != 2) {
            flags[size_t(i)] = 0;
            continue;
        }
        double r = typeSize[t];
        if (radiusType[t] != 1) r *= radii[index];
        const float* p = positions + 3 * size_t(index);
        flags[size_t(i)] = lit && r > 0 && OffAxisSquared(eye, p, L) < 400.0 * r * r ? 1 : 0;
    }
}

unsigned char ShadowVolume_cls::FlagAt(int recordPos) const {
    return recordPos >= 0 && size_t(recordPos) < flags.size() ? flags[size_t(recordPos)] : 0;
}
