// The real program hands the particles it drew to the POV-Ray scene: with a small sequence
// loaded and drawn, the current sequence's particle text holds one macro call per drawn
// particle, in draw order at the drawn places, and POV-Ray reads it.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "data/DataSequenceSet.h"
#include "view/ParticleAttrib.h"
#include "view/ParticleRecord.h"
#include "view/Snap.h"
#include "view/gui/SequenceRenderer.h"
#include "tests/support/PovRayProbe.h"

using shelltest::Shell;
using testsupport::TempDir;

TEST(PovParticles, TheDrawnFrameBecomesTheSceneParticles) {
    TempDir dir;
    const std::string first = viewpixels::WriteSequence(dir, 40, 2);
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(800, 600);
    ParticleAttrib_cls* const* attribs = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    attribs[2]->drawType.value = 4;  // hidden: neither macro nor lines
    shell.core->LoadFileSequence(wxString::FromUTF8(first));
    ASSERT_TRUE(testsupport::PumpUntil(
        [] { return GpSnap && GpSnap->allocated && GpSnap->count > 0 && GiDrawOrderCount > 0; }, 20000));

    wxString text;
    ASSERT_TRUE(GpDataSequenceSet->GetCurrent()->WritePovParticles(text, 0));
    const std::string bytes = text.utf8_string();
    EXPECT_EQ(bytes.find("#macro SP2"), std::string::npos);
    for (int t : {0, 1, 3}) EXPECT_NE(bytes.find("#macro SP" + std::to_string(t) + "(VPos,Radi)\n"), std::string::npos);

    std::string expected;
    for (int i = 0; i < GiDrawOrderCount; ++i) {
        const ParticleRecord_cls& r = GpDrawOrder[i];
        const int ty = GpSnap->type[r.index];
        if (r.weight == 0.0f || ty == 2) continue;
        const float* p = GpSnap->positions + 3 * size_t(r.index);
        char line[256];
        std::snprintf(line, sizeof line, "SP%d(<%.3f,%.3f,%.3f>,%.3f)\n", ty, double(p[0]), double(p[1]), double(p[2]),
                      double(attribs[ty]->GetRadiusFactor() * GpSnap->radius[r.index]));
        expected += line;
    }
    ASSERT_FALSE(expected.empty());
    const size_t at = bytes.find("#declare PARTICLES=\nunion{\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(bytes.substr(at), "#declare PARTICLES=\nunion{\n" + expected + "};\n\n");

    // The same particles written straight to a file, as the common data file of a run gets
    // them, are byte for byte the text.
    const std::string path = dir.File("particles.inc");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(GpDataSequenceSet->GetCurrent()->WritePovParticleFile(file, 0));
    ASSERT_EQ(std::fclose(file), 0);
    std::string written;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) written.append(chunk, got);
        std::fclose(in);
    }
    EXPECT_TRUE(written == bytes) << "the file differs from the text";

    if (povprobe::Available()) {
        bool ok = false;
        const std::string out = povprobe::Run(
            "camera { location <-4,-3,2> look_at 0 }\nlight_source { <-10,-10,10> color rgb 1 }\n" + bytes +
                "object { PARTICLES }\n",
            ok);
        EXPECT_TRUE(ok) << out;
    }
}
