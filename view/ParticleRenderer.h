// The particle renderer of one data sequence: the draw order (stride, depth keys, filter
// weights, sort), the stride compensation of size and alpha, the billboard vertex pipeline
// (a worker prepares the next chunk while the previous one is sent), and (GL layer) the
// drawing of points, billboards, lit spheres, per-type classified particles and the stencil
// shadow volumes of sphere particles.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "view/DepthSort.h"
#include "view/ParticleRecord.h"
#include "view/ShadowVolume.h"

class ParticleAttrib_cls;
class ParticleData_cls;
class Snap_cls;

/// What the visibility filters do to the draw order. The renderer holds none until the
/// filters are built; without one the draw order is left as it is.
class DrawOrderFilter_cls {
public:
    virtual ~DrawOrderFilter_cls() = default;
    /// Lowers the weights of records[0, count) for the particles at `positions` (x, y, z per
    /// particle) at draw time `time`, drops those whose weight reaches 0 and compacts the
    /// rest to the front. Returns the new count (0..count). `ids`: the particles'
    /// identifiers by particle index, or null when the data keeps none. GUI thread.
    virtual int ApplyToParticles(ParticleRecord_cls* records, const float* positions, int count,
                                 double time, const int32_t* ids) = 0;
    /// A Boolean filter with a border colour is active: sphere materials then vary per
    /// particle.
    virtual bool HasBorderBoolean() const { return false; }
};

/// Size and alpha factors that make a strided frame look about as dense as the whole one.
struct StrideFactors {
    float size = 1.0f;
    float alpha = 1.0f;
};
/// Billboards: size sqrt((u + 0.2)(s - 1) + 1), alpha (0.8 - u)(s - 1) + 1, u = 0.006 s.
StrideFactors BillboardStrideFactors(int stride);
/// Points: size 1, alpha as for billboards.
StrideFactors PointStrideFactors(int stride);
/// Spheres and classified drawing: size sqrt((s - 1) min(u + 0.2, 0.8) + 1), alpha
/// (s - 1) max(0.8 - u, 0.2) + 1.
StrideFactors ClampedStrideFactors(int stride);

/// The billboard template: four corners (x, y, z each) of a unit quad in the view plane,
/// in the order (-1,-1), (1,-1), (1,1), (-1,1).
extern const float kBillboardTemplate[12];

/// Maps the template's corners by the upper 3 x 3 of the 16 floats `m` of
/// GL_TRANSPOSE_MODELVIEW_MATRIX (row-major): corner (x, y, z) -> (x a0 + y a4 + z a8,
/// x a1 + y a5 + z a9, x a2 + y a6 + z a10), so that the corners span the camera's right and
/// up directions in model space.
void TransformBillboardTemplate(const float m[16], float out[12]);

/// One chunk of prepared billboards: for each record order[first + k], k < n, the 12 corner
/// floats (template x size, x the particle's radius unless `constRadius`, + position) go to
/// corners[12 k] and the RGBA to colours[4 k]: the frame colour with alpha /(size radius)^2
/// x alphaFactor clamped to `alphaMax` for alphaType 1, else alpha x alphaFactor x
/// `alphaFactro`. Any thread.
struct BillboardChunkJob {
    const ParticleRecord_cls* order = nullptr;
    int64_t first = 0, n = 0;
    const float* positions = nullptr;
    const float* radii = nullptr;
    const float* frameColours = nullptr;
    float corners[12] = {};  ///< the transformed template
    float size = 0.0f;
    bool constRadius = false;
    unsigned alphaType = 0;
    float alphaFactor = 1.0f;  ///< the stride alpha factor
    float alphaFactro = 1.0f;
    float alphaMax = 1.0f;
    float* outCorners = nullptr;  ///< 12 n floats
    float* outColours = nullptr;  ///< 4 n floats
};
void ComputeBillboardChunk(const BillboardChunkJob& job);

/// Particles per chunk of the billboard pipeline, and the count above which it is used.
constexpr int kBillboardThreadChunk = 200000;
constexpr int kBillboardChunkedLimit = 600000;
/// Quads per chunk of the direct billboard path.
constexpr int kBillboardDirectChunk = 300;
/// Particles whose final alpha is below this are not drawn.
constexpr float kMinDrawnAlpha = 0.0035f;

/// Starts a billboard vertex worker; false when it could not be started (the caller then
/// computes the chunk itself). Tests replace it to refuse.
using VertexWorkerStarter = std::function<bool(class ThreadCaleVertex_cls&)>;

/// The vertex worker of the billboard pipeline: computes one chunk and sets its done flag
/// (release). Joinable; the GUI thread starts and joins it.
class ThreadCaleVertex_cls;

/// The renderer of one data sequence. GUI thread only; draw calls need the GL context
/// current.
class ParticleRenderer_cls {
public:
    ParticleRenderer_cls();
    ~ParticleRenderer_cls();
    ParticleRenderer_cls(const ParticleRenderer_cls&) = delete;
    ParticleRenderer_cls& operator=(const ParticleRenderer_cls&) = delete;

    /// Eye position and viewing direction (model space), set by the view before each draw.
    void SetEye(const float eye[3], const float direction[3]);
    /// Light count, the direction the shadows fall in and its two angles (degrees).
    void SetShadowLight(int lightCount, const double direction[3], double angle1, double angle2);
    /// 1 while the view draws the stencil shadow volumes.
    void SetVolumePass(bool on) { volumePass_ = on; }
    /// The visibility filters (borrowed; null: none).
    void SetFilter(DrawOrderFilter_cls* filter) { filter_ = filter; }
    /// Scene time (normalised 0..1) at which the filters weight the next draw orders: the
    /// displayed time, set by the view before it draws.
    void SetFilterTime(double t) { filterTime_ = t; }
    double FilterTime() const { return filterTime_; }

    /// Rebuilds GpDrawOrder / GiDrawOrderCount for n particles at stride s: sort type 0
    /// every s-th particle then the filter; 1 back-to-front depth keys (key mode 1 when
    /// `quality` is false, else 0), the filter, the sort; 2 nearest first, no filter.
    /// Other sort types act as 0. The draw order's array is reused while large enough.
    /// `ids` (identifier per particle, or null) go to the filter with the positions.
    void BuildDrawOrder(int n, int s, const float* positions, unsigned sortType, bool quality,
                        double drawTime = 0.0, const int32_t* ids = nullptr);

    /// Draws the frame of `snapshot` at time offset dt with the four attribute sets: builds
    /// or reuses GpSnap, then draws by set 0's draw options. With `keepOrder` the draw order
    /// of the previous draw is reused (the further sub-views of one view). GL layer.
    void Draw(ParticleData_cls* snapshot, ParticleAttrib_cls* const attribs[4], double dt,
              bool keepOrder = false);
    /// Draws `frame` (already evaluated) with the four sets. GL layer.
    void DrawFrame(Snap_cls& frame, ParticleAttrib_cls* const attribs[4], bool keepOrder = false);

    void DrawPoints(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a);
    void DrawPointsIndexed(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a);
    void DrawBillboards(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a);
    void DrawSpheres(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls& a);
    void DrawClassified(bool keepOrder, Snap_cls& frame, ParticleAttrib_cls* const attribs[4]);

    /// Four corners of a quad of unit half-size at `p` facing the eye.
    void EyeFacingCorners(const float p[3], float out[12]) const;

    /// The billboard pipeline for records[0, count): chunks of kBillboardThreadChunk
    /// prepared by a worker while the GUI thread hands the previous chunk to `draw`. A
    /// worker that cannot be started computes its chunk on the calling thread. `abort` is
    /// polled after each chunk: when it returns true the chunk just computed is not drawn.
    /// Logic only; the GL draw of a prepared chunk is `draw`.
    void RunBillboardPipeline(const BillboardChunkJob& base, int64_t count,
                              const std::function<void(const float* corners, const float* colours, int64_t n)>& draw,
                              const std::function<bool()>& abort = {});

    /// Test seam: how vertex workers are started (default wxThread::Run).
    void SetWorkerStarter(VertexWorkerStarter start) { startWorker_ = std::move(start); }
    /// The depth sorter and its reused working space.
    DepthSorter_cls& Sorter() { return sorter_; }
    /// Called with 0..100 while a draw goes on (the owner shows it); may be empty.
    std::function<void(int)> progress;
    /// Sort preference (0 Precise .. 3 Approximate 1000).
    int sortPreference = 0;
    /// Records the draw order's array holds (0 before the first build).
    size_t DrawOrderCapacity() const { return orderCapacity_; }

    ShadowVolume_cls shadow;  ///< the shadow volumes of sphere particles

private:
    void Progress(int percent) {
        if (progress) progress(percent);
    }
    bool AttribsChanged(ParticleAttrib_cls* const attribs[4]);
    void DrawBillboardsChunked(Snap_cls& frame, ParticleAttrib_cls& a, const float tmpl[12], float size,
                               bool constRadius, bool constColour, const StrideFactors& f);
    void DrawBillboardsThreaded(Snap_cls& frame, ParticleAttrib_cls& a, const float tmpl[12], float size,
                                bool constRadius, const StrideFactors& f);
    void DrawSpheresBatched(Snap_cls& frame, ParticleAttrib_cls& a, float size, bool constRadius, bool uniform,
                            const float* source, float alphaFactor);

    float eye_[3] = {0, 0, 0};
    float direction_[3] = {0, 0, -1};
    int lightCount_ = 1;
    double lightDir_[3] = {0, 0, -1};
    double angle1_ = 0.0, angle2_ = 90.0;
    bool volumePass_ = false;
    DrawOrderFilter_cls* filter_ = nullptr;
    double filterTime_ = 0.0;
    DepthSorter_cls sorter_;
    size_t orderCapacity_ = 0;
    float attribCache_[16] = {};
    bool attribCacheSet_ = false;
    // The pipeline's two buffer pairs, allocated on first use and kept.
    std::vector<float> cornersA_, cornersB_, coloursA_, coloursB_;
    VertexWorkerStarter startWorker_;
};
