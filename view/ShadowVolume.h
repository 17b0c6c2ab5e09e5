// Stencil shadow volumes of sphere particles: the shadow settings, the per-record test of
// whether the eye may lie inside a particle's volume, and (GL layer) the two display lists
// of the volume shape and the stencil sequences that draw the volumes.
#pragma once

#include <functional>
#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"

struct ParticleRecord_cls;

/// "ShadowQuality=" (0, 1, 2: 8, 16 or 24 sides; default 1) and "ShadowLength=" (length of
/// a volume in particle radii; default 20).
struct ShadowConfig_cls {
    ConfItemGroup_cls group;
    ConfItemUINT_cls quality;
    ConfItemFLOAT_cls length;
};
extern ShadowConfig_cls GoShadowConfig;

/// Registers the two shadow settings (once; later calls do nothing). GUI thread.
void RegisterShadowSettings();
/// Offers one settings line to the shadow settings; true when one took it.
bool ReadShadowSettings(const wxString& line);
/// The shadow settings' lines (CR LF each).
wxString WriteShadowSettings();

/// Sides of the volume prism for a quality (8, 16, 24; out-of-range qualities give 24).
int ShadowSides(unsigned quality);

/// The volumes of one pass. Particles are addressed through a draw order (`order`, `count`
/// records, each naming an index into `positions` (x, y, z per particle), `radii` and
/// `types`). GUI thread; the drawing members need the context current (GL layer).
class ShadowVolume_cls {
public:
    ShadowVolume_cls() = default;
    ShadowVolume_cls(const ShadowVolume_cls&) = delete;
    ShadowVolume_cls& operator=(const ShadowVolume_cls&) = delete;

    /// Frees the eye-inside flags.
    void ReleaseFlags();

    /// Angles (degrees, pi as 3.14159) of the shadow direction `dir` (pointing away from the
    /// light; need not be unit) as BuildLists takes them: azimuth atan2(y, x) and minus the
    /// elevation. A zero vector gives (0, 90), straight down.
    static void AnglesForDirection(const double dir[3], double& angle1, double& angle2);
    /// Unit direction of the volumes for the two angles (the inverse of AnglesForDirection).
    static void DirectionForAngles(double angle1, double angle2, double out[3]);

    /// Flags, per record, whether the eye lies within 20 drawn radii (`size`) of the line
    /// through the particle along `lightDir`. The flag array grows to `count` when needed;
    /// a zero light direction or size flags nothing.
    void ComputeEyeInsideUniform(const ParticleRecord_cls* order, int count, const float* positions,
                                 float size, const double eye[3], const double lightDir[3]);
    /// The same for records whose type (0..3; others count as 3) is drawn as spheres
    /// (drawType 2); their radius is typeSize[t], times the particle's radius unless
    /// radiusType[t] is 1. Other records get flag 0.
    void ComputeEyeInsideClassified(const ParticleRecord_cls* order, int count, const unsigned* drawType,
                                    const unsigned* radiusType, const float* typeSize,
                                    const unsigned char* types, const float* positions, const float* radii,
                                    const double eye[3], const double lightDir[3]);

    /// BuildLists, then ComputeEyeInsideUniform / Classified. GL layer.
    void MarkEyeInsideUniform(const ParticleRecord_cls* order, int count, const float* positions, float size,
                              const double eye[3], const double lightDir[3], double angle1, double angle2);
    void MarkEyeInsideClassified(const ParticleRecord_cls* order, int count, const unsigned* drawType,
                                 const unsigned* radiusType, const float* typeSize, const unsigned char* types,
                                 const float* positions, const float* radii, const double eye[3],
                                 const double lightDir[3], double angle1, double angle2);

    /// Compiles list A (outward faces) and list B (the same shape wound the other way):
    /// a closed prism of radius 0.98 with ShadowSides(quality) sides from 0.1 to
    /// ShadowLength along DirectionForAngles(angle1, angle2), for a unit radius. GL layer.
    void BuildLists(double angle1, double angle2);

    /// The stencil sequence of the record at `recordPos` (its eye-inside flag) for a volume
    /// at `position` of radius `r`; nothing for r <= 0. Face culling of back faces must be
    /// on. GL layer.
    void DrawVolume(const float position[3], float r, int recordPos);
    /// Every record with the common radius `size` (nothing for size <= 0), in batches of 300
    /// with relative translations; stops at an abort request. Releases the flags. GL layer.
    void DrawVolumesUnity(const ParticleRecord_cls* order, int count, const float* positions, float size);
    /// Every record with radius size x its own radius; stops at an abort request. Releases
    /// the flags. GL layer.
    void DrawVolumesScaled(const ParticleRecord_cls* order, int count, const float* positions,
                           const float* radii, float size);

    unsigned int listA = 0, listB = 0;  ///< display lists, 0 until first built
    std::vector<unsigned char> flags;   ///< eye-inside flag per draw-order record
    /// Called with 0..100 while the volumes are drawn (the owner shows it in the status
    /// line); may be empty.
    std::function<void(int)> progress;

private:
    unsigned char FlagAt(int recordPos) const;
    void Sequence(unsigned char flag);
};
