// Periodic boundary settings and the box correction of position differences.
#include "data/PeriodicBoundary.h"

#include <cmath>

PeriodicBoundary_cls* GpPeriodicBoundary = nullptr;

PeriodicRule_cls::PeriodicRule_cls(int type_, int effect_, float lx, float ly, float lz)
    : type(type_), effect(effect_), edge{lx, ly, lz} {
    const int axes = CorrectedAxes();
    for (int k = 0; k < axes; ++k) {
        const float len = std::fabs(edge[k]);
        box_[k] = std::isfinite(len) ? len : 0.0f;
    }
}

bool PeriodicRule_cls::IsKnown() const {
    return type >= PERIODIC_NONE && type <= PERIODIC_XYZ && effect >= PERIODIC_GUESS_VELOCITY &&
           effect <= PERIODIC_ZERO_VELOCITY;
}

int PeriodicRule_cls::CorrectedAxes() const {
    if (!IsKnown()) return 0;
    if (type == PERIODIC_XY) return 2;
    if (type == PERIODIC_XYZ) return 3;
    return 0;
}

PeriodicBoundary_cls::PeriodicBoundary_cls() { RegisterItems(); }

void PeriodicBoundary_cls::RegisterItems() {
    periodicType.SetRange(PERIODIC_NONE, PERIODIC_XYZ);
    periodicEffect.SetRange(PERIODIC_GUESS_VELOCITY, PERIODIC_ZERO_VELOCITY);
    group.Register(&periodicType, "PeriodicType=", "0");
    group.Register(&periodicSize, "PeriodicSize=", "1 1 1");
    group.Register(&periodicEffect, "PeriodicEffect=", "0");
    group.Register(&baseVector[0], "PeriodicBaseVector0=", "10 0 0");
    group.Register(&baseVector[1], "PeriodicBaseVector1=", "0 10 0");
    group.Register(&baseVector[2], "PeriodicBaseVector2=", "0 0 10");
}

void PeriodicBoundary_cls::GetImageOffset(Vec3f& out, int axis) const {
    if (axis < 0 || axis > 2) {
        out = Vec3f();
        return;
    }
    const float* v = baseVector[axis].values;
    const float* s = periodicSize.values;
    out = Vec3f(v[0] * s[0], v[1] * s[1], v[2] * s[2]);
}

void PeriodicBoundary_cls::GetBoxEdges(float& lx, float& ly, float& lz) const {
    Vec3f a, b, c;
    GetImageOffset(a, 0);
    GetImageOffset(b, 1);
    GetImageOffset(c, 2);
    lx = a.x;
    ly = b.y;
    lz = c.z;
}

PeriodicRule_cls PeriodicBoundary_cls::MakeRule() const {
    float lx, ly, lz;
    GetBoxEdges(lx, ly, lz);
    return PeriodicRule_cls(static_cast<int>(periodicType.value),
                            static_cast<int>(periodicEffect.value), lx, ly, lz);
}

bool PeriodicBoundary_cls::ReadConfig(const wxString& line) { return group.OfferLine(line); }

wxString PeriodicBoundary_cls::WriteConfig() const { return group.WriteAll(); }
