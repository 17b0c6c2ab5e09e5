// Test helpers for snapshot files: particles written in any grammar, binary or ASCII, and
// the one-call load (header, arrays, body) that the frame cache performs.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/init.h>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"
#include "data/ThreadFileReader.h"
#include "platform/FileNumbers.h"

namespace snaptest {

/// wxThread needs the base library initialised (even to construct one): every test
/// program that includes this header initialises it once for all its tests.
class WxBaseEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
inline ::testing::Environment* const kWxBaseEnvironment =
    ::testing::AddGlobalTestEnvironment(new WxBaseEnvironment);

struct Particle {
    float pos[3] = {0, 0, 0};
    float vel[3] = {0, 0, 0};
    float radius = 0;
    int32_t id = 0;
    int32_t type = 0;  ///< as written into the file (may be out of range)
    float value1 = 0;
};

inline void PutF(std::string& s, float v) {
    char b[4];
    std::memcpy(b, &v, 4);
    s.append(b, 4);
}
inline void PutI(std::string& s, int32_t v) {
    char b[4];
    std::memcpy(b, &v, 4);
    s.append(b, 4);
}

/// A binary snapshot: header codes then `count` records (count defaults to the particles).
inline std::string Binary(const SnapshotGrammar& g, float time, const std::vector<Particle>& ps,
                          int64_t count = -1) {
    std::string s;
    for (int c : g.headerCodes) {
        switch (c) {
            case 0: PutF(s, time); break;
            case 1: PutI(s, static_cast<int32_t>(count < 0 ? static_cast<int64_t>(ps.size()) : count)); break;
            case 2: PutF(s, 9.5f); break;
            case 3: for (int k = 0; k < 3; ++k) PutF(s, 9.5f); break;
            case 4: for (int k = 0; k < 10; ++k) PutF(s, 9.5f); break;
            default: break;
        }
    }
    for (const Particle& p : ps) {
        for (int c : g.bodyCodes) {
            switch (c) {
                case 0: for (float v : p.pos) PutF(s, v); break;
                case 1: for (float v : p.vel) PutF(s, v); break;
                case 2: PutF(s, -7.25f); break;
                case 3: for (int k = 0; k < 3; ++k) PutF(s, -7.25f); break;
                case 4: for (int k = 0; k < 10; ++k) PutF(s, -7.25f); break;
                case 5: PutF(s, p.radius); break;
                case 6: PutI(s, p.id); break;
                case 7: PutI(s, p.type); break;
                case 8: PutF(s, p.value1); break;
                default: break;
            }
        }
    }
    return s;
}

/// An ASCII snapshot with shortest round-trip numbers, so values read back exactly.
/// `eol` is the line end; `lastEol` false leaves the final line without one.
inline std::string Ascii(const SnapshotGrammar& g, float time, const std::vector<Particle>& ps,
                         int64_t count = -1, const std::string& eol = "\n", bool lastEol = true) {
    using platform::FormatShortest;
    std::string s;
    for (int c : g.headerCodes) {
        int lines = c == 3 ? 3 : c == 4 ? 10 : (c >= 0 && c <= 2) ? 1 : 0;
        for (int k = 0; k < lines; ++k) {
            if (c == 0) s += FormatShortest(time);
            else if (c == 1) s += platform::FormatInt(count < 0 ? static_cast<int64_t>(ps.size()) : count);
            else s += "dummy";
            s += eol;
        }
    }
    for (size_t i = 0; i < ps.size(); ++i) {
        const Particle& p = ps[i];
        std::string line;
        for (int c : g.bodyCodes) {
            switch (c) {
                case 0: for (float v : p.pos) line += FormatShortest(v) + " "; break;
                case 1: for (float v : p.vel) line += FormatShortest(v) + "\t"; break;
                case 2: line += "0 "; break;
                case 3: line += "0 0 0 "; break;
                case 4: line += "0 0 0 0 0 0 0 0 0 0 "; break;
                case 5: line += FormatShortest(p.radius) + " "; break;
                case 6: line += platform::FormatInt(p.id) + " "; break;
                case 7: line += platform::FormatInt(p.type) + " "; break;
                case 8: line += FormatShortest(p.value1) + " "; break;
                default: break;
            }
        }
        s += line;
        if (i + 1 < ps.size() || lastEol) s += eol;
    }
    return s;
}

/// Particles with distinct, non-round values; types 0..3 unless `typeOf` says otherwise.
inline std::vector<Particle> Sample(int n) {
    std::vector<Particle> ps(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        Particle& p = ps[static_cast<size_t>(i)];
        for (int c = 0; c < 3; ++c) {
            p.pos[c] = 0.1f * static_cast<float>(i) + 1.5e-3f * static_cast<float>(c) - 2.0f;
            p.vel[c] = -0.37f * static_cast<float>(i + c) + 1e-7f;
        }
        p.radius = 0.01f + 0.001f * static_cast<float>(i);
        p.id = 1000 - 7 * i;
        p.type = i % 4;
        p.value1 = 3.25e5f * static_cast<float>(i) - 11.0f;
    }
    return ps;
}

/// What the frame cache does for one file: header, arrays, body (on this thread).
/// Returns the body's result, or the header's failure.
inline SnapshotReadResult LoadFile(ParticleData_cls& pd, const std::string& path,
                                   const SnapshotLoadSettings& s, int ioThreads = 1) {
    if (!pd.Load(wxString::FromUTF8(path.c_str()), s)) return SnapshotReadResult::Fail(pd.readError);
    ParticleArrays_cls none;
    return ThreadFileReader_cls::ReadBody(wxString::FromUTF8(path.c_str()), s, pd.allocated ? pd.count : 0,
                                          pd.arrays ? *pd.arrays : none, ioThreads);
}

}  // namespace snaptest
