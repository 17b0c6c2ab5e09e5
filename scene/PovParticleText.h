// The particle part of a POV-Ray scene: one sphere macro per particle type ("SP0".."SP3")
// and the "PARTICLES" union of one macro call per drawn particle, formatted on up to four
// worker threads. Takes the drawn frame's arrays as plain pointers, so it knows nothing of
// the frame's or the attributes' classes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <wx/string.h>

#include "scene/PovText.h"

/// Roughness of every particle material.
constexpr float kPovParticleRoughness = 0.024336f;

/// What the writer needs of one particle type (index 0..3).
struct PovParticleType_cls {
    int drawType = 0;           ///< "DrawType=": 0 Point, 1 Billboard, 2 Sphere, 3 Both, 4 Hide (above 3: not written)
    bool fixedRadius = false;   ///< "RadiusType=" 1: the radius sits in the macro, no radius per particle
    float radius = 1.0f;        ///< the type's radius factor × the down-sizing factor
    bool plainMacro = true;     ///< false: the macro takes the particle's weight as FilterAlpha
    MaterialColors_cls colours{};  ///< ambient, diffuse, specular at value 0, alpha = the type's alpha factor
};

/// The drawn frame, borrowed read-only for the length of one write. The draw order is a
/// strided view of records holding a particle index (int) and a weight (float), so any
/// record layout can be handed over without a copy.
struct PovParticleFrame_cls {
    const float* positions = nullptr;   ///< 3 per particle: x, y, z
    const float* radii = nullptr;       ///< 1 per particle
    const uint8_t* types = nullptr;     ///< 1 per particle; types above 3 are not written
    int64_t particleCount = 0;          ///< length of the arrays above; indices outside are skipped
    const int* orderIndex = nullptr;    ///< particle index of the first record
    const float* orderWeight = nullptr; ///< weight of the first record (0: dropped by a filter)
    size_t orderStride = 0;             ///< bytes from one record to the next
    int64_t orderCount = 0;             ///< records in the draw order
};

/// sqrt((D × 0.6 / 100 + 0.2) × (D − 1) + 1) for the "DownSizing=" value D, computed in
/// double from D as a float: the enlargement of each sphere when only every D-th particle is
/// drawn. D = 1 gives 1; values below 1 are taken as 1.
float PovDownSizingFactor(int downSizing);

/// The macro "SP<type>" of a type that takes no FilterAlpha argument: "(VPos)" with the radius
/// inside when `fixed`, else "(VPos,Radi)"; the material written by PovMaterialTexture
/// (`singleForm` as there). `colours` is taken by value (the material writer changes it).
wxString PovSphereMacro(int type, MaterialColors_cls colours, bool fixed, float radius, float roughness,
                        bool singleForm);
/// The same macro with a trailing FilterAlpha parameter that scales the transmit and the
/// specular highlight: "(VPos,FilterAlpha)" or "(VPos,Radi,FilterAlpha)".
wxString PovSphereMacroFilterAlpha(int type, MaterialColors_cls colours, bool fixed, float radius, float roughness,
                                   bool singleForm);

/// Formats one particle's macro call ("SP%d(<%.3f,%.3f,%.3f>[,%.3f][,%.3f])\n", as printf
/// in the "C" locale) into `buf`, which must hold kPovParticleLineMax bytes; returns its
/// length. r is the radius (written unless the type is fixed), w the weight (written in the
/// FilterAlpha form).
size_t PovParticleLine(char* buf, int type, const PovParticleType_cls& t, float x, float y, float z, float r,
                       float w);
/// Room one line can need (five numbers of the largest float magnitude).
constexpr size_t kPovParticleLineMax = 256;

/// Counts of one write.
struct PovParticleCounts_cls {
    int64_t written = 0;     ///< lines written
    int64_t nonFinite = 0;   ///< records skipped for a coordinate, radius or weight that is not a number
    int64_t badRecords = 0;  ///< records skipped for an index outside the frame or a type above 3
    bool outOfMemory = false;  ///< a worker's buffer could not be had: lines from there on are missing
    bool writeFailed = false;  ///< the file took not every byte (disk full, I/O error): the text is cut
};

/// Appends the macros of the types not hidden, then "#declare PARTICLES=\nunion{\n", one
/// line per drawn record in draw order, and "};\n\n". Records are skipped when their weight
/// is exactly 0, their type's draw type is above 3, their index or type is out of range, or a
/// value is not finite (POV-Ray could not read it). The records are split into `threads`
/// consecutive ranges (1..4; the k-th from k·N/threads), each formatted by its own worker
/// into its own buffer and joined in order; a worker that cannot be started formats its range
/// on the calling thread. The text is the same for every thread count. When memory runs out,
/// the lines that fit are kept whole, the text still parses and `outOfMemory` says that
/// particles are missing. Call from one thread
/// at a time; the frame must not change during the call.
PovParticleCounts_cls PovWriteParticles(std::string& out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads = 4);
/// The same, written to `out` batch by batch as the workers finish, in draw order: the whole
/// text is never held in memory. When the file does not take a batch, nothing more is written
/// and `writeFailed` says so (errno tells why).
PovParticleCounts_cls PovWriteParticles(std::FILE* out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads = 4);
/// The same, appended to a text.
PovParticleCounts_cls PovWriteParticles(wxString& out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads = 4);
