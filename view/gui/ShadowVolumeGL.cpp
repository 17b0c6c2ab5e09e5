// The GL side of the shadow volumes: the prism lists and the stencil sequences.
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "timeline/gui/PlayCtrlGUI.h"
#include "view/ParticleRecord.h"
#include "view/ShadowVolume.h"
#include "view/gui/SceneLists.h"

namespace {
constexpr double kPi = 3.14159;
}

void ShadowVolume_cls::BuildLists(double angle1, double angle2) {
    if (listA == 0) listA = glGenLists(1);
    if (listB == 0) listB = glGenLists(1);
    // Rebuilt at every pass so that a changed quality or length shows at once.
    const double a = -angle1 * kPi / 180.0, b = angle2 * kPi / 180.0;
    glNewList(listA, GL_COMPILE);
    DrawShadowCylinder(0, a, b, GoShadowConfig.quality.value, GoShadowConfig.length.value);
    glEndList();
    glNewList(listB, GL_COMPILE);
    DrawShadowCylinder(1, a, b, GoShadowConfig.quality.value, GoShadowConfig.length.value);
    glEndList();
}

void ShadowVolume_cls::MarkEyeInsideUniform(const ParticleRecord_cls* order, int count, const float* positions,
                                            float size, const double eye[3], const double lightDir[3],
                                            double angle1, double angle2) {
    BuildLists(angle1, angle2);
    ComputeEyeInsideUniform(order, count, positions, size, eye, lightDir);
}

void ShadowVolume_cls::MarkEyeInsideClassified(const ParticleRecord_cls* order, int count,
                                               const unsigned* drawType, const unsigned* radiusType,
                                               const float* typeSize, const unsigned char* types,
                                               const float* positions, const float* radii, const double eye[3],
                                               const double lightDir[3], double angle1, double angle2) {
    BuildLists(angle1, angle2);
    ComputeEyeInsideClassified(order, count, drawType, radiusType, typeSize, types, positions, radii, eye,
                               lightDir);
}

void ShadowVolume_cls::Sequence(unsigned char flag) {
    if (flag) {
        // The eye may be inside: count the faces hidden by the depth test as well, so the
        // count comes out as if seen from outside.
        glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
        glDisable(GL_DEPTH_TEST);
        glCallList(listB);
        glEnable(GL_DEPTH_TEST);
        glCallList(listA);
        glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
        glDisable(GL_DEPTH_TEST);
        glCallList(listA);
        glEnable(GL_DEPTH_TEST);
        glCallList(listB);
    } else {
        glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
        glCallList(listA);
        glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
        glCallList(listB);
    }
}

void ShadowVolume_cls::DrawVolume(const float position[3], float r, int recordPos) {
    if (!(r > 0) || listA == 0) return;
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glScalef(r, r, r);
    Sequence(FlagAt(recordPos));
    glPopMatrix();
}

void ShadowVolume_cls::DrawVolumesUnity(const ParticleRecord_cls* order, int count, const float* positions,
                                        float size) {
    if (!(size > 0) || count <= 0 || !order || listA == 0) {
        ReleaseFlags();
        return;
    }
    glPushMatrix();
    glScalef(size, size, size);
    const float inv = 1.0f / size;
    for (int offset = 0; offset < count; offset += 300) {
        if (offset % 150000 == 0 && progress) progress(int(int64_t(offset) * 100 / count));
        const int end = std::min(count, offset + 300);
        glPushMatrix();
        const float* prev = positions + 3 * size_t(order[offset].index);
        glTranslatef(prev[0] * inv, prev[1] * inv, prev[2] * inv);
        Sequence(FlagAt(offset));
        for (int i = offset + 1; i < end; ++i) {
            const float* p = positions + 3 * size_t(order[i].index);
            glTranslatef((p[0] - prev[0]) * inv, (p[1] - prev[1]) * inv, (p[2] - prev[2]) * inv);
            Sequence(FlagAt(i));
            prev = p;
        }
        glPopMatrix();
        if (GbAbortDrawing) {
            GbAbortDrawing = false;
            break;
        }
    }
    glPopMatrix();
    ReleaseFlags();
}

void ShadowVolume_cls::DrawVolumesScaled(const ParticleRecord_cls* order, int count, const float* positions,
                                         const float* radii, float size) {
    if (count > 0 && order && listA != 0) {
        for (int i = 0; i < count; ++i) {
            const int index = order[i].index;
            DrawVolume(positions + 3 * size_t(index), size * radii[index], i);
            if (GbAbortDrawing) {
                GbAbortDrawing = false;
                break;
            }
        }
    }
    ReleaseFlags();
}
