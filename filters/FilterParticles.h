// The particles a visibility filter weights, as plain arrays: the records' particle
// indices (read through a byte stride, so the renderer's draw-order records are used in
// place) and the drawable frame's positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

/// Read-only view of one weighting pass. Plain data; safe to share between the worker
/// threads of one pass (nobody writes through it).
struct FilterParticles_cls {
    const unsigned char* indexBase = nullptr;  ///< address of record 0's particle index (int)
    size_t indexStride = sizeof(int);          ///< bytes from one record's index to the next
    size_t count = 0;                          ///< records
    const float* positions = nullptr;          ///< x, y, z per particle
    size_t particleCount = 0;                  ///< particles in `positions`
    const int32_t* ids = nullptr;              ///< identifier per particle index; null when not kept

    /// Particle index of record i (any int; callers check it against particleCount).
    int IndexAt(size_t i) const {
        int v;
        std::memcpy(&v, indexBase + i * indexStride, sizeof v);
        return v;
    }
    /// True when record i names a particle that exists.
    bool Valid(int k) const { return k >= 0 && static_cast<size_t>(k) < particleCount; }

    /// A view over a plain index array.
    static FilterParticles_cls FromIndices(const int* indices, size_t count, const float* positions,
                                           size_t particleCount) {
        FilterParticles_cls p;
        p.indexBase = reinterpret_cast<const unsigned char*>(indices);
        p.indexStride = sizeof(int);
        p.count = count;
        p.positions = positions;
        p.particleCount = particleCount;
        return p;
    }
    /// A view over records of type R whose first field is the int particle index.
    template <class R>
    static FilterParticles_cls FromRecords(const R* records, size_t count, const float* positions,
                                           size_t particleCount) {
        FilterParticles_cls p;
        p.indexBase = reinterpret_cast<const unsigned char*>(records);
        p.indexStride = sizeof(R);
        p.count = count;
        p.positions = positions;
        p.particleCount = particleCount;
        return p;
    }
};

/// Keeps the records whose weight is above 0, in order, storing each kept weight in its
/// `weight` field; returns the number kept. R has a float field `weight`.
template <class R>
size_t CompactByWeights(R* records, const float* weights, size_t count) {
    size_t kept = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!(weights[i] > 0.0f)) continue;
        records[kept] = records[i];
        records[kept].weight = weights[i];
        ++kept;
    }
    return kept;
}
