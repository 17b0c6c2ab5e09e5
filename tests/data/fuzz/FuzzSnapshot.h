// Shared by the snapshot fuzz targets: a grammar taken from the input's first bytes (so
// grammars are fuzzed along with the files), particle arrays with guard cells, and the
// checks of what a parse reports against the input it was given.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"

namespace fuzzsnap {

/// Stops the run with a message: libFuzzer keeps the input as a crash.
[[noreturn]] inline void Violation(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s (%s)\n", what, detail.c_str());
    std::abort();
}

/// Takes a grammar from the front of the input and returns the number of bytes used:
/// byte 0 the header code count (0..17), then one byte per header code (-1..5), one byte
/// for the body code count (0..17), one byte per body code (-1..9). Counts above 16 and
/// unknown codes are kept: the parsers must refuse them cleanly.
inline size_t TakeGrammar(const uint8_t* data, size_t size, SnapshotGrammar& g) {
    size_t at = 0;
    auto next = [&](int& v) {
        if (at >= size) return false;
        v = data[at++];
        return true;
    };
    g.headerCodes.clear();
    g.bodyCodes.clear();
    int n = 0;
    if (!next(n)) return at;
    for (int k = n % 18; k > 0; --k) {
        int c;
        if (!next(c)) return at;
        g.headerCodes.push_back(c % 7 - 1);
    }
    if (!next(n)) return at;
    for (int k = n % 18; k > 0; --k) {
        int c;
        if (!next(c)) return at;
        g.bodyCodes.push_back(c % 11 - 1);
    }
    return at;
}

/// Particle arrays of `n` particles plus guard cells, every cell set to a fill pattern.
struct Arrays {
    static constexpr int64_t kGuard = 3;
    std::vector<float> position, velocity, radius, value1;
    std::vector<uint8_t> type;
    std::vector<int32_t> id;
    ParticleArrays_cls view;

    Arrays(int64_t n, uint32_t pattern) {
        const size_t cells = static_cast<size_t>(n + kGuard);
        float f;
        std::memcpy(&f, &pattern, 4);
        position.assign(3 * cells, f);
        velocity.assign(3 * cells, f);
        radius.assign(cells, f);
        value1.assign(cells, f);
        type.assign(cells, static_cast<uint8_t>(pattern));
        id.assign(cells, static_cast<int32_t>(pattern));
        view.position = position.data();
        view.velocity = velocity.data();
        view.radius = radius.data();
        view.value1 = value1.data();
        view.type = type.data();
        view.id = id.data();
    }
};

/// Two parses into arrays of different fill patterns tell written cells (equal in both)
/// from untouched ones (different). Requires: every cell of the particles [0, n) of each
/// array the grammar fills is written, no other cell of any array is.
inline void CheckFilledExactly(const SnapshotGrammar& g, int64_t n, const Arrays& a,
                               const Arrays& b) {
    auto check = [&](const char* name, const auto& va, const auto& vb, int per, bool filled) {
        for (size_t k = 0; k < va.size(); ++k) {
            const bool inside = static_cast<int64_t>(k / static_cast<size_t>(per)) < n;
            const bool written = std::memcmp(&va[k], &vb[k], sizeof va[k]) == 0;
            if (written != (inside && filled))
                Violation(written ? "a cell outside the reported particles was written"
                                  : "a reported particle was not filled",
                          std::string(name) + " cell " + std::to_string(k) + " of " +
                              std::to_string(n) + " particles");
        }
    };
    check("position", a.position, b.position, 3, g.BodyHasCode(0));
    check("velocity", a.velocity, b.velocity, 3, g.BodyHasCode(1));
    check("radius", a.radius, b.radius, 1, g.BodyHasCode(5));
    check("id", a.id, b.id, 1, g.BodyHasCode(6));
    check("type", a.type, b.type, 1, g.BodyHasCode(7));
    check("value1", a.value1, b.value1, 1, g.BodyHasCode(8));
    if (g.BodyHasCode(7))
        for (int64_t i = 0; i < n; ++i)
            if (a.type[static_cast<size_t>(i)] > 3) Violation("type outside 0..3", std::to_string(i));
}

/// A failure either comes from the grammar itself (no place to name) or names a place
/// inside the input: a line in 1..lines+1 (the line after the last is where a short file
/// ends) or a byte in 0..size; and its message begins with that place.
inline void CheckFailurePlace(const SnapshotReadResult& r, const SnapshotGrammar& g,
                              int64_t lines, uint64_t size) {
    if (r.ok) return;
    if (r.message.empty()) Violation("failure without a message", "");
    if (!g.Problem().empty() && r.line < 0 && r.byteOffset < 0) return;
    if (r.line >= 1) {
        if (r.line > lines + 1) Violation("failure names a line beyond the input", r.message);
        if (r.message.rfind("line " + std::to_string(r.line) + ":", 0) != 0)
            Violation("failure message does not begin with its line", r.message);
        return;
    }
    if (r.byteOffset >= 0) {
        if (static_cast<uint64_t>(r.byteOffset) > size)
            Violation("failure names a byte beyond the input", r.message);
        if (r.message.rfind("byte " + std::to_string(r.byteOffset) + ":", 0) != 0)
            Violation("failure message does not begin with its byte", r.message);
        return;
    }
    Violation("failure names no line or byte", r.message);
}

}  // namespace fuzzsnap
