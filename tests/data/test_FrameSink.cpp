// Draw and export requests of a data sequence reach the installed renderer and the given
// exporter with the loaded snapshot of the clamped frame, and nothing else.
#include "data/FrameSink.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SnapshotTestUtil.h"
#include "data/DataSequenceSet.h"
#include "data/ParticleData.h"
#include "tests/support/TestFiles.h"

namespace {

using testsupport::TempDir;

struct Recorder : FrameRenderer_cls, FrameExporter_cls {
    std::vector<std::string> calls;
    void DrawSnapshot(DataSequence_cls&, ParticleData_cls& s, const FrameDrawRequest& r) override {
        calls.push_back("draw " + std::to_string(r.frame) + " n" + std::to_string(s.count) + " mode" +
                        std::to_string(r.mode));
    }
    bool ExportSnapshot(ParticleData_cls& s, int stride, int frame) override {
        calls.push_back("export " + std::to_string(frame) + " n" + std::to_string(s.count) + " s" +
                        std::to_string(stride));
        return true;
    }
};

}  // namespace

TEST(FrameSink, LoadedFramesReachRendererAndExporterOthersDoNot) {
    TempDir dir;
    SnapshotGrammar g;
    std::vector<snaptest::Particle> ps(7);
    for (int f = 0; f < 3; ++f)
        testsupport::WriteFile(dir.File("s000" + std::to_string(f) + ".dat"),
                               snaptest::Binary(g, 0.5f * f, ps));
    DataSequenceSet_cls set(nullptr, true);
    set.SetFileList(wxString::FromUTF8(dir.File("s0000.dat")));
    ASSERT_EQ(set.GetFrameCount(), 3);
    DataSequence_cls& seq = *set.GetCurrent();

    Recorder rec;
    FrameDrawRequest r;
    r.frame = 9;  // past the last: frame 2
    r.mode = 4;
    EXPECT_FALSE(seq.DrawFrame(r)) << "no renderer installed";
    FrameRenderer_cls::Install(&rec);
    EXPECT_FALSE(seq.DrawFrame(r)) << "frame 2 not loaded";
    EXPECT_FALSE(seq.ExportFrame(&rec, 2, 3));
    set.PrepareFrame(2, 0.0, false, true);
    EXPECT_TRUE(seq.DrawFrame(r));
    EXPECT_TRUE(seq.ExportFrame(&rec, 5, 0));
    EXPECT_FALSE(seq.ExportFrame(nullptr, 2, 1));
    FrameRenderer_cls::Install(nullptr);
    EXPECT_FALSE(seq.DrawFrame(r));
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"draw 2 n7 mode4", "export 2 n7 s1"}));
}

namespace {
struct PovRecorder : FramePovWriter_cls {
    std::vector<int> sequences;
    std::string problem;  ///< what the writer reports as missing
    std::string WritePovParticles(DataSequence_cls& sequence, wxString& out) override {
        sequences.push_back(sequence.index);
        out += "PARTICLES";
        return problem;
    }
};
}  // namespace

// The scene gets the particles only of a loaded frame that holds particles, through the
// installed writer.
TEST(FrameSink, PovParticlesOnlyForALoadedFrame) {
    TempDir dir;
    SnapshotGrammar g;
    testsupport::WriteFile(dir.File("p0000.dat"), snaptest::Binary(g, 0.0f, std::vector<snaptest::Particle>(5)));
    testsupport::WriteFile(dir.File("p0001.dat"), snaptest::Binary(g, 1.0f, std::vector<snaptest::Particle>()));
    DataSequenceSet_cls set(nullptr, true);
    set.SetFileList(wxString::FromUTF8(dir.File("p0000.dat")));
    ASSERT_EQ(set.GetFrameCount(), 2);
    DataSequence_cls& seq = *set.GetCurrent();

    PovRecorder rec;
    wxString out;
    EXPECT_FALSE(seq.WritePovParticles(out, 0)) << "no writer installed";
    FramePovWriter_cls::Install(&rec);
    EXPECT_FALSE(seq.WritePovParticles(out, 0)) << "frame 0 not loaded";
    EXPECT_TRUE(out.empty());
    set.PrepareFrame(0, 0.0, false, true);
    set.PrepareFrame(1, 0.0, false, true);
    EXPECT_TRUE(seq.WritePovParticles(out, 0));
    EXPECT_FALSE(seq.WritePovParticles(out, 7)) << "frame 1 (clamped) holds no particle";
    // Particles the writer left out make the text a failure that says why.
    rec.problem = "no frame has been drawn yet";
    std::string problem;
    wxString partial;
    EXPECT_FALSE(seq.WritePovParticles(partial, 0, &problem));
    EXPECT_EQ(problem, "no frame has been drawn yet");
    rec.problem.clear();
    FramePovWriter_cls::Install(nullptr);
    EXPECT_FALSE(seq.WritePovParticles(out, 0));
    EXPECT_EQ(out, "PARTICLES");
    EXPECT_EQ(rec.sequences, (std::vector<int>{seq.index, seq.index}));
}
