// Info page settings and the values of one particle.
#include "view/InfoSettings.h"

#include "data/ParticleData.h"
#include "view/Snap.h"

InfoParticle RawInfoParticle(const ParticleData_cls* data, int64_t i) {
    InfoParticle p;
    if (!data || !data->allocated || i < 0 || i >= data->count) return p;
    if (data->position) {
        p.x = data->position[3 * i];
        p.y = data->position[3 * i + 1];
        p.z = data->position[3 * i + 2];
    }
    if (data->velocity) {
        p.vx = data->velocity[3 * i];
        p.vy = data->velocity[3 * i + 1];
        p.vz = data->velocity[3 * i + 2];
    }
    if (data->type) p.type = data->type[i];
    if (data->id) p.id = data->id[i];
    if (data->radius) p.radius = data->radius[i];
    if (data->value1) p.value = data->value1[i];
    return p;
}

InfoParticle DrawnInfoParticle(const Snap_cls* frame, int64_t i, const InfoParticle& previous) {
    InfoParticle p;
    p.vx = previous.vx;
    p.vy = previous.vy;
    p.vz = previous.vz;
    p.id = previous.id;
    if (!frame || !frame->allocated || i < 0 || i >= frame->count) return p;
    // Only every stride-th particle is evaluated; the others' entries were never written.
    if (frame->stride > 1 && i % frame->stride != 0) return p;
    p.x = frame->positions[3 * i];
    p.y = frame->positions[3 * i + 1];
    p.z = frame->positions[3 * i + 2];
    p.type = frame->type[i];
    p.radius = frame->radius[i];
    p.value = frame->value1[i];
    return p;
}

InfoSettings_cls::InfoSettings_cls() {
    index.SetRange(0, 500000000);
    type.SetRange(0, 1);
    group.Register(&index, "InformationIndex=", "0");
    group.Register(&type, "InformationType=", "0");
}

InfoSettings_cls::~InfoSettings_cls() {
    if (releasePage) releasePage();
    page = nullptr;
}

InfoParticle InfoSettings_cls::Pick(const ParticleData_cls* snapshot, const Snap_cls* frame,
                                    const InfoParticle& previous) const {
    if (RawData()) return RawInfoParticle(snapshot, index.value);
    return DrawnInfoParticle(frame, index.value, previous);
}
