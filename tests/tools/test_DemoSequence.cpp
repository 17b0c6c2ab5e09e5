// Generated snapshot sequences: files in any grammar read back through the real reader,
// frames that follow their velocities through a periodic box with shuffled records, the
// rates the interpolation finds in them, the tool's command line and write failures.
#include "tools/DemoSequence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/InterpolationJob.h"
#include "data/ParticleData.h"
#include "data/SnapshotWriter.h"
#include "tests/data/SnapshotTestUtil.h"
#include "tests/support/TestFiles.h"

using snaptest::LoadFile;
using testsupport::TempDir;

namespace {

// Minimum-image difference b - a in a box of edge `box` (none when 0).
float Image(float d, float box) {
    if (box > 0 && d > 0.5f * box) return d - box;
    if (box > 0 && d < -0.5f * box) return d + box;
    return d;
}

}  // namespace

TEST(DemoSequence, FramesFollowTheirVelocitiesThroughTheBoxInEveryGrammar) {
    struct Case {
        int dataType;
        std::vector<int> header, body;
        const char* what;
    } cases[] = {
        {SNAPSHOT_BINARY, {0, 1}, {0, 1, 5, 6, 7, 8}, "binary, default grammar"},
        {SNAPSHOT_ASCII, {0, 1}, {0, 1, 5, 6, 7, 8}, "ascii, default grammar"},
        {SNAPSHOT_BINARY, {3, 0, 2, 1, 4}, {6, 2, 0, 3, 8, 1, 4, 7, 5}, "binary, dummies everywhere"},
        {SNAPSHOT_ASCII, {1, 4, 0}, {8, 7, 6, 5, 1, 0, 2}, "ascii, reordered with dummies"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DemoSequenceOptions o;
        o.frames = 6;
        o.particles = 300;
        o.grammar.dataType = c.dataType;
        o.grammar.headerCodes = c.header;
        o.grammar.bodyCodes = c.body;
        o.box = 5.0f;
        o.drift[0] = 1.5f;
        o.drift[1] = -0.75f;
        o.shuffle = true;
        o.dt = 0.4;
        TempDir dir;
        std::string error;
        ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.Path(), error)) << error;

        SnapshotLoadSettings s;
        s.grammar = o.grammar;
        s.interpolationType = INTERP_LINEAR;
        std::vector<std::unique_ptr<ParticleData_cls>> frames;
        for (int k = 0; k < o.frames; ++k) {
            frames.emplace_back(new ParticleData_cls(nullptr, k));
            const SnapshotReadResult r = LoadFile(*frames.back(), dir.File(o.FileName(k)), s);
            ASSERT_TRUE(r.ok) << r.message;
            ASSERT_EQ(frames.back()->count, 300);
            EXPECT_NEAR(frames.back()->time, k * 0.4, 1e-6);
        }
        int crossings = 0, reordered = 0;
        int types[4] = {};
        for (int k = 0; k + 1 < o.frames; ++k) {
            const ParticleData_cls& a = *frames[k];
            const ParticleData_cls& b = *frames[k + 1];
            std::map<int32_t, int64_t> whereB;
            for (int64_t j = 0; j < b.count; ++j) whereB[b.id[j]] = j;
            ASSERT_EQ(whereB.size(), 300u) << "every ID once";
            for (int64_t i = 0; i < a.count; ++i) {
                ASSERT_EQ(whereB.count(a.id[i]), 1u);
                const int64_t j = whereB[a.id[i]];
                reordered += j != i;
                if (k == 0) ++types[a.type[i]];
                for (int ax = 0; ax < 3; ++ax) {
                    const float pa = a.position[3 * i + ax], pb = b.position[3 * j + ax];
                    EXPECT_GE(pb, -2.5f);
                    EXPECT_LT(pb, 2.5f);
                    const float moved = pa + 0.4f * a.velocity[3 * i + ax];
                    crossings += std::fabs(moved) >= 2.5f;
                    // The next position is this one moved by dt times the velocity, wrapped.
                    ASSERT_NEAR(Image(pb - moved, 5.0f), 0.0f, 1e-5f) << "id " << a.id[i] << " axis " << ax;
                }
            }
        }
        EXPECT_GT(crossings, 20) << "particles cross the box";
        EXPECT_GT(reordered, 1000) << "records are shuffled between frames";
        for (int t : types) EXPECT_EQ(t, 75);
    }
}

TEST(DemoSequence, InterpolationByIdFindsTheFileVelocitiesAcrossTheBox) {
    DemoSequenceOptions o;
    o.particles = 500;
    o.box = 4.0f;
    o.drift[0] = 2.0f;
    o.shuffle = true;
    o.dt = 0.25;
    DemoSequence_cls seq(o);
    auto load = [](const SnapshotParticles& p, double time, int mode) {
        auto pd = std::make_unique<ParticleData_cls>();
        pd->interpolationType = INTERP_LINEAR;
        pd->numberMode = mode;
        EXPECT_TRUE(pd->Allocate(p.Count()));
        for (int64_t i = 0; i < p.Count(); ++i) {
            for (int c = 0; c < 3; ++c) {
                pd->position[3 * i + c] = p.position[3 * i + c];
                pd->velocity[3 * i + c] = p.velocity[3 * i + c];
            }
            pd->radius[i] = p.radius[i];
            pd->value1[i] = p.value1[i];
            pd->id[i] = p.id[i];
            pd->type[i] = static_cast<uint8_t>(p.type[i]);
        }
        pd->time = time;
        return pd;
    };
    auto a = load(seq.Particles(), seq.Time(), NUMBER_BY_ID);
    const std::vector<float> fileVelocity(a->velocity, a->velocity + 3 * 500);
    seq.Advance();
    auto b = load(seq.Particles(), seq.Time(), NUMBER_BY_ID);
    ComputeAllRates(InterpolationJob_cls::FromSnapshots(*a, *b, PeriodicRule_cls(2, 0, 4, 4, 4)));
    for (int64_t k = 0; k < 3 * 500; ++k) EXPECT_NEAR(a->velocity[k], fileVelocity[k], 1e-3f) << k;
}

TEST(DemoSequence, SameOptionsSameFiles) {
    DemoSequenceOptions o;
    o.particles = 64;
    o.shuffle = true;
    o.box = 3;
    DemoSequence_cls x(o), y(o);
    x.Advance();
    y.Advance();
    EXPECT_EQ(EncodeSnapshot(o.grammar, x.Time(), x.Particles()), EncodeSnapshot(o.grammar, y.Time(), y.Particles()));
    EXPECT_EQ(o.FileName(7), "demo0007.txt");
    o.grammar.dataType = SNAPSHOT_BINARY;
    EXPECT_EQ(o.FileName(12345), "demo12345.dat");
}

TEST(DemoSequence, CommandLine) {
    struct Case {
        std::vector<std::string> args;
        std::string problem;  // "" when accepted
    } cases[] = {
        {{}, ""},
        {{"out", "--frames", "3", "--particles", "40", "--binary", "--box", "8", "--shuffle", "--types", "2"}, ""},
        {{"--header", "3 0 1", "--body", "6 0 8", "--dt", "0.1", "--seed", "9", "--prefix", "run"}, ""},
        {{"--help"}, "help"},
        {{"--frames", "0"}, "--frames must be 1 to 10000"},
        {{"--frames"}, "--frames needs a value"},
        {{"--particles", "12x"}, "--particles: '12x' is not a whole number"},
        {{"--dt", "-1"}, "--dt must be above 0"},
        {{"--types", "5"}, "--types must be 1 to 4"},
        {{"--body", "0 9"}, "body code 9 is unknown"},
        {{"--header", "0"}, "the header grammar has no particle count (Number)"},
        {{"--header", "1 7"}, "header code 7 is unknown"},
        {{"--wat"}, "unknown option --wat"},
        {{"a", "b"}, "more than one folder given: b"},
    };
    for (const Case& c : cases) {
        DemoSequenceOptions o;
        std::string folder = "demo";
        EXPECT_EQ(ParseDemoArguments(c.args, o, folder), c.problem) << (c.args.empty() ? "" : c.args[0]);
    }
    DemoSequenceOptions o;
    std::string folder;
    ASSERT_EQ(ParseDemoArguments(cases[1].args, o, folder), "");
    EXPECT_EQ(folder, "out");
    EXPECT_EQ(o.frames, 3);
    EXPECT_EQ(o.particles, 40);
    EXPECT_EQ(o.grammar.dataType, SNAPSHOT_BINARY);
    EXPECT_TRUE(o.shuffle);
    EXPECT_EQ(o.types, 2);
    EXPECT_FLOAT_EQ(o.drift[0], 2.0f) << "a box without a drift gets one, so particles cross it";
}

TEST(DemoSequence, AFileThatCannotBeWrittenIsReported) {
    TempDir dir;
    testsupport::WriteFile(dir.File("taken"), "a file, not a folder");
    DemoSequenceOptions o;
    o.particles = 4;
    o.frames = 2;
    std::string error;
    EXPECT_FALSE(DemoSequence_cls(o).WriteAll(dir.File("taken"), error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
    SnapshotParticles p;
    p.Resize(2);
    EXPECT_FALSE(WriteSnapshotFile(dir.File("no/such/folder/x.dat"), o.grammar, 0, p, error));
    EXPECT_NE(error.find("x.dat: cannot open the file for writing"), std::string::npos) << error;
}
