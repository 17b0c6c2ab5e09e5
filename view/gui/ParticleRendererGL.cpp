// The GL side of the particle renderer: points, billboards (direct and through the vertex
// pipeline), lit spheres, per-type classified drawing and the shadow-volume pass.
#include <GL/gl.h>
#include <wx/stopwatch.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/CommandHistory.h"
#include "filters/ColorCurve.h"
#include "platform/Trace.h"
#include "timeline/gui/PlayCtrlGUI.h"
#include "view/DrawOptions.h"
#include "view/IcoSphere.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRenderer.h"
#include "view/Snap.h"
#include "view/gui/InfoPage.h"

#ifndef GL_TRANSPOSE_MODELVIEW_MATRIX
#define GL_TRANSPOSE_MODELVIEW_MATRIX 0x84E3
#endif

namespace {

// The direct billboard path's fixed arrays: 300 quads of corners, texture coordinates and
// indices, the last two filled once for the process.
float GoChunkVertices[kBillboardDirectChunk * 12];
float GoChunkTexCoords[kBillboardDirectChunk * 8];
GLuint GoChunkIndices[kBillboardDirectChunk * 4];
bool gChunkArraysFilled = false;

// Reused between draws so that a frame of the same size allocates nothing.
std::vector<GLuint> gIndices;
std::vector<float> gPointColours;

void FillChunkArrays() {
    if (gChunkArraysFilled) return;
    const float uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int q = 0; q < kBillboardDirectChunk; ++q) {
        std::copy(uv, uv + 8, GoChunkTexCoords + 8 * q);
        for (int k = 0; k < 4; ++k) GoChunkIndices[4 * q + k] = GLuint(4 * q + k);
    }
    gChunkArraysFilled = true;
}

// An abort request ends the draw at the next check point and is cleared by the drawer.
bool TakeAbort() {
    if (!GbAbortDrawing) return false;
    GbAbortDrawing = false;
    return true;
}

void SetBlend(unsigned blendType) {
    glBlendFunc(GL_SRC_ALPHA, blendType == 1 ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
}

int ProgressInterval(int count) { return count < 2000001 ? 100000 : count / 20; }

IcoSphere_cls& Spheres() {
    if (!GpIcoSphere) GpIcoSphere = new IcoSphere_cls;
    return *GpIcoSphere;
}

int SphereLevel(const ParticleAttrib_cls& a) { return int(std::min(a.drawQuality.value, 2u)) + 1; }

int DownSizingOf(const ParticleAttrib_cls& a) { return a.drawOptions ? std::max(a.drawOptions->DownSizing(), 1) : 1; }

void SetMaterials(const ParticleAttrib_cls& a, float value, float alphaScale, bool cap) {
    const ColorCurve_cls* records[3] = {a.ambient.get(), a.diffuse.get(), a.specular.get()};
    const GLenum names[3] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR};
    for (int k = 0; k < 3; ++k) {
        float c[4];
        records[k]->ColorForValue(value, c);
        c[3] *= alphaScale;
        if (cap) c[3] = std::min(c[3], 1.0f);
        glMaterialfv(GL_FRONT_AND_BACK, names[k], c);
    }
}

}  // namespace

void ParticleRenderer_cls::Draw(ParticleData_cls* snapshot, ParticleAttrib_cls* const attribs[4], double dt,
                                bool keepOrder) {
    GbAbortDrawing = false;
    Progress(0);
    const int s = DownSizingOf(*attribs[0]);
    const bool attribsChanged = AttribsChanged(attribs);
    bool rebuilt = false;
    if (!GpSnap || attribsChanged || !GpSnap->IsValidFor(snapshot, dt, s, &GbSnapDataRefresh)) {
        rebuilt = true;
        delete GpSnap;
        GpSnap = nullptr;
        platform::Trace("MakeSnapshot\n");
        GpSnap = new Snap_cls(snapshot, attribs, dt, s);
        platform::Trace("MakeSnapshotEnd\n");
        NotifyInfoPage(snapshot, GpSnap);
    }
    // A rebuilt frame has a new count: its order cannot be the previous one.
    DrawFrame(*GpSnap, attribs, keepOrder && GiDrawOrderCount > 0 && !rebuilt);
    Progress(100);
}

void ParticleRenderer_cls::DrawFrame(Snap_cls& frame, ParticleAttrib_cls* const attribs[4], bool keepOrder) {
    ParticleAttrib_cls& a = *attribs[0];
    if (a.drawOptions && a.drawOptions->Classify() != 0) {
        DrawClassified(keepOrder, frame, attribs);
        return;
    }
    switch (a.drawType.value) {
    case 0:
        if (a.col->UsesCurve())
            DrawPoints(keepOrder, frame, a);
        else
            DrawPointsIndexed(keepOrder, frame, a);
        break;
    case 1: DrawBillboards(keepOrder, frame, a); break;
    case 2: DrawSpheres(keepOrder, frame, a); break;
    default: break;  // "Both" and "Hide" draw nothing here
    }
}

namespace {
void BuildOrderFor(ParticleRenderer_cls& r, bool keepOrder, Snap_cls& frame, const ParticleAttrib_cls& a0) {
    if (keepOrder) return;
    const bool quality = !(a0.drawType.value == 1 && a0.drawQuality.value == 1);
    const unsigned sortType = a0.drawOptions ? a0.drawOptions->SortOrder() : 0;
    r.BuildDrawOrder(frame.allocated ? int(frame.count) : 0, DownSizingOf(a0), frame.positions, sortType, quality,
                     r.FilterTime(), frame.Ids());
}
}  // namespace

void ParticleRenderer_cls::DrawPointsIndexed(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a) {
    BuildOrderFor(*this, keepOrder, frame, a);
    const int count = GiDrawOrderCount;
    if (count <= 0) return;
    gIndices.resize(size_t(count));
    for (int k = 0; k < count; ++k) gIndices[size_t(k)] = GLuint(GpDrawOrder[k].index);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glPointSize(float(a.pointSize.value));
    float c[4];
    a.col->ColorForValue(0.0f, c);
    c[3] *= a.alphaFactro.value * PointStrideFactors(DownSizingOf(a)).alpha;
    const bool blend = c[3] < 1.0f || a.blendType.value == 1;
    if (blend) {
        glEnable(GL_BLEND);
        SetBlend(a.blendType.value);
        if (a.blendType.value == 1) glDisable(GL_DEPTH_TEST);
    }
    glColor4fv(c);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, frame.positions);
    for (int first = 0; first < count; first += 1000000)
        glDrawElements(GL_POINTS, std::min(1000000, count - first), GL_UNSIGNED_INT, gIndices.data() + first);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void ParticleRenderer_cls::DrawPoints(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a) {
    BuildOrderFor(*this, keepOrder, frame, a);
    const int count = GiDrawOrderCount;
    if (count <= 0) return;
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glPointSize(float(a.pointSize.value));
    glEnable(GL_BLEND);
    SetBlend(a.blendType.value);
    if (a.blendType.value == 1) glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    a.col->UpdateScaling();
    const float* source = frame.GetColorSource(a, false);
    const float strideAlpha = PointStrideFactors(DownSizingOf(a)).alpha * a.alphaFactro.value;
    const float rf = a.GetRadiusFactor();
    // One colour per particle in an array indexed like the positions, then one draw call per
    // batch: the same picture as a glBegin per particle at a fraction of the calls.
    gPointColours.resize(size_t(4 * frame.count));
    gIndices.resize(size_t(count));
    for (int k = 0; k < count; ++k) {
        const int i = GpDrawOrder[k].index;
        float* c = &gPointColours[4 * size_t(i)];
        a.col->ColorForValue(source ? source[i] : 0.0f, c);
        if (a.alphaType.value == 1) c[3] = rf != 0.0f ? std::min(c[3] / (rf * rf), a.alphaMax.value) : a.alphaMax.value;
        c[3] *= strideAlpha;
        gIndices[size_t(k)] = GLuint(i);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, frame.positions);
    glColorPointer(4, GL_FLOAT, 0, gPointColours.data());
    const int interval = ProgressInterval(count);
    for (int first = 0; first < count; first += interval) {
        glDrawElements(GL_POINTS, std::min(interval, count - first), GL_UNSIGNED_INT, gIndices.data() + first);
        Progress(int(int64_t(first) * 100 / count));
        if (TakeAbort()) break;
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void ParticleRenderer_cls::DrawBillboards(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a) {
    BuildOrderFor(*this, keepOrder, frame, a);
    float m[16], tmpl[12];
    glGetFloatv(GL_TRANSPOSE_MODELVIEW_MATRIX, m);
    TransformBillboardTemplate(m, tmpl);
    glDisable(GL_LIGHTING);
    float c[4];
    a.col->ColorForValue(0.0f, c);
    c[3] *= a.alphaFactro.value;
    glColor4fv(c);
    glEnable(GL_TEXTURE_2D);
    SetBlend(a.blendType.value);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, a.billboardTexture);
    glPushMatrix();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    const StrideFactors f = BillboardStrideFactors(DownSizingOf(a));
    const float size = a.GetRadiusFactor() * f.size;
    const bool constRadius = a.radiusType.value == 1, constColour = !a.col->UsesCurve();
    if (GiDrawOrderCount <= kBillboardChunkedLimit || (constColour && a.alphaType.value == 0))
        DrawBillboardsChunked(frame, a, tmpl, size, constRadius, constColour, f);
    else
        DrawBillboardsThreaded(frame, a, tmpl, size, constRadius, f);
    platform::Trace("DrawBillboardEnd\n");
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

void ParticleRenderer_cls::DrawBillboardsChunked(Snap_cls& frame, ParticleAttrib_cls& a, const float tmpl[12],
                                                 float size, bool constRadius, bool constColour,
                                                 const StrideFactors& f) {
    const int count = GiDrawOrderCount;
    if (count <= 0 || size == 0.0f) return;
    FillChunkArrays();
    glTexCoordPointer(2, GL_FLOAT, 0, GoChunkTexCoords);
    glVertexPointer(3, GL_FLOAT, 0, GoChunkVertices);
    int interval = (count < 2000001 ? 20000 : count / 20) / kBillboardDirectChunk * kBillboardDirectChunk;
    interval = std::max(interval, kBillboardDirectChunk);
    const bool oneColour = constColour && a.alphaType.value == 0;
    const float fixedAlpha = f.alpha * a.alphaFactro.value;
    for (int first = 0; first < count; first += kBillboardDirectChunk) {
        if (first % interval == 0) Progress(int(int64_t(first) * 100 / count));
        const int n = std::min(kBillboardDirectChunk, count - first);
        for (int k = 0; k < n; ++k) {
            const int i = GpDrawOrder[first + k].index;
            const float* p = frame.positions + 3 * int64_t(i);
            const float r = constRadius ? size : size * frame.radius[i];
            float* v = GoChunkVertices + 12 * k;
            for (int j = 0; j < 4; ++j)
                for (int d = 0; d < 3; ++d) v[3 * j + d] = tmpl[3 * j + d] * r + p[d];
        }
        if (oneColour) {
            glDrawElements(GL_QUADS, 4 * n, GL_UNSIGNED_INT, GoChunkIndices);
        } else {
            for (int k = 0; k < n; ++k) {
                const int i = GpDrawOrder[first + k].index;
                float c[4];
                std::copy(frame.colours + 4 * int64_t(i), frame.colours + 4 * int64_t(i) + 4, c);
                if (a.alphaType.value == 1) {
                    const float rr = size * frame.radius[i];
                    c[3] = rr != 0.0f ? std::min(c[3] / (rr * rr) * f.alpha, a.alphaMax.value) : a.alphaMax.value;
                    if (c[3] < kMinDrawnAlpha) continue;
                } else {
                    c[3] *= fixedAlpha;
                }
                glColor4fv(c);
                glDrawElements(GL_QUADS, 4, GL_UNSIGNED_INT, GoChunkIndices + 4 * k);
            }
        }
        if (TakeAbort()) return;
    }
}

void ParticleRenderer_cls::DrawBillboardsThreaded(Snap_cls& frame, ParticleAttrib_cls& a, const float tmpl[12],
                                                  float size, bool constRadius, const StrideFactors& f) {
    BillboardChunkJob job;
    job.order = GpDrawOrder;
    job.positions = frame.positions;
    job.radii = frame.radius;
    job.frameColours = frame.colours;
    std::copy(tmpl, tmpl + 12, job.corners);
    job.size = size;
    job.constRadius = constRadius;
    job.alphaType = a.alphaType.value;
    job.alphaFactor = f.alpha;
    job.alphaFactro = a.alphaFactro.value;
    job.alphaMax = a.alphaMax.value;
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    RunBillboardPipeline(
        job, GiDrawOrderCount,
        [](const float* corners, const float* colours, int64_t n) {
            platform::Trace("Routine Draw Begin\n");
            glBegin(GL_QUADS);
            for (int64_t k = 0; k < n; ++k) {
                const float* c = colours + 4 * k;
                if (c[3] < kMinDrawnAlpha) continue;
                const float* v = corners + 12 * k;
                glColor4fv(c);
                glTexCoord2f(0, 0), glVertex3fv(v);
                glTexCoord2f(1, 0), glVertex3fv(v + 3);
                glTexCoord2f(1, 1), glVertex3fv(v + 6);
                glTexCoord2f(0, 1), glVertex3fv(v + 9);
            }
            glEnd();
            platform::Trace("Routine Draw End\n");
        },
        [] { return TakeAbort(); });
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void ParticleRenderer_cls::DrawSpheres(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a) {
    BuildOrderFor(*this, keepOrder, frame, a);
    const StrideFactors f = ClampedStrideFactors(DownSizingOf(a));
    const float alphaScale = a.alphaFactro.value * f.alpha;
    glEnable(GL_LIGHTING);
    SetMaterials(a, 0.0f, alphaScale, false);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
    glDisable(GL_TEXTURE_2D);
    SetBlend(a.blendType.value);
    glDepthMask(volumePass_ ? GL_FALSE : GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_NORMALIZE);
    const float size = a.GetRadiusFactor() * f.size;
    const bool uniform = !a.ambient->UsesCurve() && !a.diffuse->UsesCurve() && !a.specular->UsesCurve() &&
                         !(filter_ && filter_->HasBorderBoolean());
    const float* source = frame.GetColorSource(a, true);
    const int count = GiDrawOrderCount;
    if (volumePass_) {
        glDisable(GL_LIGHTING);
        glDisable(GL_BLEND);
        const double eye[3] = {eye_[0], eye_[1], eye_[2]};
        shadow.progress = progress;
        shadow.MarkEyeInsideUniform(GpDrawOrder, count, frame.positions, size, eye, lightDir_, angle1_, angle2_);
        glPushMatrix();
        if (a.radiusType.value == 1)
            shadow.DrawVolumesUnity(GpDrawOrder, count, frame.positions, size);
        else
            shadow.DrawVolumesScaled(GpDrawOrder, count, frame.positions, frame.radius, size);
        glPopMatrix();
    } else if (count > 0) {
        a.UseShader(lightCount_);
        glPushMatrix();
        DrawSpheresBatched(frame, a, size, a.radiusType.value == 1, uniform, source, alphaScale);
        glPopMatrix();
        a.StopShader();
    }
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}

void ParticleRenderer_cls::DrawSpheresBatched(Snap_cls& frame, ParticleAttrib_cls& a, float size, bool constRadius,
                                              bool uniform, const float* source, float alphaScale) {
    const int count = GiDrawOrderCount;
    if (size == 0.0f) return;
    IcoSphere_cls& ico = Spheres();
    const int level = SphereLevel(a);
    if (!uniform) {
        a.ambient->UpdateScaling();
        a.diffuse->UpdateScaling();
        a.specular->UpdateScaling();
    }
    if (constRadius) {
        // One push per batch of 300, the particles reached by relative translations.
        glScalef(size, size, size);
        for (int first = 0; first < count; first += 300) {
            if (first % 150000 == 0) {
                Progress(int(int64_t(first) * 100 / count));
                glFlush();
            }
            const int end = std::min(count, first + 300);
            glPushMatrix();
            const float* prev = nullptr;
            for (int k = first; k < end; ++k) {
                const int i = GpDrawOrder[k].index;
                const float* p = frame.positions + 3 * int64_t(i);
                if (prev)
                    glTranslatef((p[0] - prev[0]) / size, (p[1] - prev[1]) / size, (p[2] - prev[2]) / size);
                else
                    glTranslatef(p[0] / size, p[1] / size, p[2] / size);
                prev = p;
                if (uniform) {
                    if (k == first)
                        ico.CallTextured(level);
                    else
                        ico.CallPlain(level);
                } else {
                    SetMaterials(a, source ? source[i] : 0.0f, alphaScale * GpDrawOrder[k].weight, false);
                    ico.CallTextured(level);
                }
            }
            glPopMatrix();
            if (TakeAbort()) return;
        }
        return;
    }
    for (int k = 0; k < count; ++k) {
        const int i = GpDrawOrder[k].index;
        const float* p = frame.positions + 3 * int64_t(i);
        const float r = size * frame.radius[i];
        if (!uniform) SetMaterials(a, source ? source[i] : 0.0f, alphaScale, false);
        glPushMatrix();
        glTranslatef(p[0], p[1], p[2]);
        glScalef(r, r, r);
        ico.CallTextured(level);
        glPopMatrix();
        if (TakeAbort()) return;
    }
}

void ParticleRenderer_cls::EyeFacingCorners(const float p[3], float out[12]) const {
    double d[3] = {double(p[0]) - eye_[0], double(p[1]) - eye_[1], double(p[2]) - eye_[2]};
    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    double U[3] = {1, 0, 0}, W[3] = {0, 1, 0};
    if (len > 0.0) {
        for (double& x : d) x /= len;
        const double ref[3] = {(d[1] == 0 && d[2] == 0) ? 0.0 : 1.0, (d[1] == 0 && d[2] == 0) ? 1.0 : 0.0, 0.0};
        const double dot = ref[0] * d[0] + ref[1] * d[1] + ref[2] * d[2];
        for (int k = 0; k < 3; ++k) U[k] = ref[k] - dot * d[k];
        const double ul = std::sqrt(U[0] * U[0] + U[1] * U[1] + U[2] * U[2]);
        for (double& x : U) x /= ul;
        W[0] = U[1] * d[2] - U[2] * d[1];
        W[1] = U[2] * d[0] - U[0] * d[2];
        W[2] = U[0] * d[1] - U[1] * d[0];
    }
    const double su[4] = {-1, 1, 1, -1}, sw[4] = {-1, -1, 1, 1};
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k < 3; ++k) out[3 * c + k] = float(su[c] * U[k] + sw[c] * W[k]);
}

namespace {
// One textured quad at `p`; the texture state follows only when the kind of the previous
// particle differs.
void DrawQuadAt(const float p[3], const float corners[12], int kind, int previousKind) {
    if (kind != previousKind) {
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glDisable(GL_NORMALIZE);
    }
    glBegin(GL_QUADS);
    const float uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int c = 0; c < 4; ++c) {
        glTexCoord2f(uv[2 * c], uv[2 * c + 1]);
        glVertex3f(corners[3 * c] + p[0], corners[3 * c + 1] + p[1], corners[3 * c + 2] + p[2]);
    }
    glEnd();
}
}  // namespace

void ParticleRenderer_cls::DrawClassified(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls* const attribs[4]) {
    BuildOrderFor(*this, keepOrder, frame, *attribs[0]);
    const int count = GiDrawOrderCount;
    for (int t = 0; t < 4; ++t) {
        attribs[t]->ambient->UpdateScaling();
        attribs[t]->diffuse->UpdateScaling();
        attribs[t]->specular->UpdateScaling();
    }
    float m[16], tmpl[12];
    glGetFloatv(GL_TRANSPOSE_MODELVIEW_MATRIX, m);
    TransformBillboardTemplate(m, tmpl);
    const StrideFactors f = ClampedStrideFactors(DownSizingOf(*attribs[0]));
    const bool border = filter_ && filter_->HasBorderBoolean();
    bool colConst[4], matConst[4];
    unsigned drawType[4], radiusType[4];
    float size[4];
    const float* matSource[4];
    for (int t = 0; t < 4; ++t) {
        const ParticleAttrib_cls& a = *attribs[t];
        colConst[t] = !a.col->UsesCurve();
        matConst[t] = !a.ambient->UsesCurve() && !a.diffuse->UsesCurve() && !a.specular->UsesCurve() && !border;
        drawType[t] = a.drawType.value;
        radiusType[t] = a.radiusType.value;
        size[t] = a.GetRadiusFactor() * f.size;
        matSource[t] = frame.GetColorSource(*attribs[t], true);
    }
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, attribs[0]->billboardTexture);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_LIGHTING);
    const int interval = ProgressInterval(count);
    if (volumePass_) {
        const double eye[3] = {eye_[0], eye_[1], eye_[2]};
        shadow.MarkEyeInsideClassified(GpDrawOrder, count, drawType, radiusType, size, frame.type, frame.positions,
                                       frame.radius, eye, lightDir_, angle1_, angle2_);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        for (int k = 0; k < count; ++k) {
            const int i = GpDrawOrder[k].index;
            const int t = std::min<int>(frame.type[i], 3);
            if (drawType[t] == 2) {
                const float r = radiusType[t] == 1 ? size[t] : size[t] * frame.radius[i];
                shadow.DrawVolume(frame.positions + 3 * int64_t(i), r, k);
            }
            if (k % interval == 0) {
                Progress(int(int64_t(k) * 100 / count));
                glFlush();
            }
        }
        shadow.ReleaseFlags();
        glEnable(GL_DEPTH_TEST);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    wxStopWatch watch;
    long lastStatus = 0;
    int prevType = -1, prevKind = -1, prevBlend = -1;
    float alpha = 1.0f;
    for (int k = 0; k < count; ++k) {
        if (k % interval == 0 && watch.Time() - lastStatus > 200) {
            lastStatus = watch.Time();
            Progress(int(int64_t(k) * 100 / count));
        }
        const int i = GpDrawOrder[k].index;
        const int t = std::min<int>(frame.type[i], 3);
        const ParticleAttrib_cls& a = *attribs[t];
        float w = GpDrawOrder[k].weight;
        if (int(a.blendType.value) != prevBlend) {
            SetBlend(a.blendType.value);
            prevBlend = int(a.blendType.value);
        }
        const float* p = frame.positions + 3 * int64_t(i);
        const int kind = int(drawType[t]);
        if (kind == 0) {
            if (t != prevType || !colConst[t] || prevKind != 0) {
                a.StopShader();
                float c[4];
                std::copy(frame.colours + 4 * int64_t(i), frame.colours + 4 * int64_t(i) + 4, c);
                c[3] *= w * f.alpha;
                glColor4fv(c);
                glDisable(GL_LIGHTING);
                glDisable(GL_TEXTURE_2D);
                glPointSize(float(a.pointSize.value));
            }
            glBegin(GL_POINTS);
            glVertex3fv(p);
            glEnd();
        } else if (kind == 1 || kind == 2) {
            const float r = radiusType[t] == 1 ? size[t] : size[t] * frame.radius[i];
            w *= f.alpha;
            if (kind == 1) {
                if (t != prevType || !colConst[t] || a.alphaType.value != 0 || prevKind != 1) {
                    glEnable(GL_TEXTURE_2D);
                    glDisable(GL_LIGHTING);
                    float c[4];
                    std::copy(frame.colours + 4 * int64_t(i), frame.colours + 4 * int64_t(i) + 4, c);
                    if (a.alphaType.value == 1) c[3] = r != 0.0f ? std::min(c[3] / (r * r), a.alphaMax.value) : 0.0f;
                    c[3] *= w;
                    glColor4fv(c);
                    a.StopShader();
                    alpha = c[3];
                }
                if (alpha >= kMinDrawnAlpha) {
                    float corners[12];
                    if (a.drawQuality.value != 0)
                        EyeFacingCorners(p, corners);
                    else
                        std::copy(tmpl, tmpl + 12, corners);
                    for (float& x : corners) x *= r;
                    DrawQuadAt(p, corners, 1, prevKind);
                }
            } else {
                if (t != prevType || !matConst[t] || a.alphaType.value != 0 || prevKind != 2) {
                    const float value = matSource[t] ? matSource[t][i] : 0.0f;
                    float scale = a.alphaFactro.value * w;
                    if (a.alphaType.value == 1) {
                        // The radius-dependent alpha replaces the factor; capped at AlphaMax first.
                        const float base = a.alphaDependBase.value;
                        const ColorCurve_cls* records[3] = {a.ambient.get(), a.diffuse.get(), a.specular.get()};
                        const GLenum names[3] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR};
                        for (int q = 0; q < 3; ++q) {
                            float c[4];
                            records[q]->ColorForValue(value, c);
                            c[3] = r != 0.0f ? std::min(base * base / (r * r) * c[3], a.alphaMax.value) : 0.0f;
                            c[3] = std::min(c[3] * w, 1.0f);
                            glMaterialfv(GL_FRONT_AND_BACK, names[q], c);
                        }
                    } else {
                        SetMaterials(a, value, scale, true);
                    }
                    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
                    a.UseShader(lightCount_);
                }
                if (prevKind != 2) {
                    glDisable(GL_TEXTURE_2D);
                    glEnable(GL_LIGHTING);
                    glEnable(GL_NORMALIZE);
                    glEnable(GL_DEPTH_TEST);
                }
                glDepthMask(GL_TRUE);
                glPushMatrix();
                glTranslatef(p[0], p[1], p[2]);
                glScalef(r, r, r);
                Spheres().CallTextured(SphereLevel(a));
                glPopMatrix();
                glDepthMask(GL_FALSE);
            }
            prevType = t;
            prevKind = kind;
            if (TakeAbort()) break;
            continue;
        }
        prevType = t;
        prevKind = kind;
    }
    attribs[0]->StopShader();
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}
