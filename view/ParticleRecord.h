// One entry of the draw order (particle index, depth key, filter weight) and the draw
// order shared by the particle drawers, the stick drawing and the POV-Ray writers.
#pragma once

/// A plain record: no virtual functions, copied by value during sorting.
struct ParticleRecord_cls {
    int index = 0;        ///< index into the drawable frame's particle arrays
    float key = 0.0f;     ///< depth key; ascending keys give the drawing order
    float weight = 1.0f;  ///< 1 when built; the visibility filters lower it, kept while > 0
};

/// The current draw order: GiDrawOrderCount valid records (the array may hold a sentinel
/// record beyond them). Owned by the particle renderer, which frees and reallocates it on
/// every build; read by the drawers afterwards. GUI thread.
extern ParticleRecord_cls* GpDrawOrder;
/// Number of valid records in GpDrawOrder (0 when there is none).
extern int GiDrawOrderCount;
