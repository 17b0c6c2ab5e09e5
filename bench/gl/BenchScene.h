// The frame the GL benchmarks draw: `count` particles of type 0 spread over the cube
// [-1, 1]^3, radius 0.01, drawn by four attribute sets of point size 1 (no classification).
#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "view/DrawOptions.h"
#include "view/ParticleAttrib.h"
#include "view/Snap.h"

struct BenchScene {
    explicit BenchScene(int count) {
        for (int t = 0; t < 4; ++t) {
            attribs[t] = std::make_unique<ParticleAttrib_cls>(nullptr, 0, t, &options);
            raw[t] = attribs[t].get();
            attribs[t]->pointSize.value = 1;
        }
        options.classify.value = 0;
        frame = std::make_unique<Snap_cls>(nullptr, raw, 0.0, 1);
        frame->Allocate(count);
        std::mt19937 rng(3);
        std::uniform_real_distribution<float> d(-1.0f, 1.0f);
        for (int64_t i = 0; i < 3 * int64_t(count); ++i) frame->positions[i] = d(rng);
        for (int i = 0; i < count; ++i) frame->radius[i] = 0.01f, frame->type[i] = 0;
    }
    void SetDrawType(unsigned type) {
        for (auto& a : attribs) a->drawType.value = type;
    }
    DrawOptions_cls options;
    std::unique_ptr<ParticleAttrib_cls> attribs[4];
    ParticleAttrib_cls* raw[4] = {};
    std::unique_ptr<Snap_cls> frame;
};
