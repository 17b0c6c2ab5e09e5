// The shading choices of the running program: spheres drawn with the fixed pipeline,
// "Gouroud", "Phong" and "Toon" give four different pictures of the same particles.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/gui/TopHalfPanel.h"
#include "data/DataSequenceSet.h"
#include "tools/DemoSequence.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

struct Picture {
    std::vector<unsigned char> rgba;
    int paints = 0;
    bool withData = false;
};

/// Pixels whose colour differs by more than 24 in some channel.
int Differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int n = 0;
    for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
        for (int k = 0; k < 3; ++k)
            if (std::abs(int(a[i + k]) - int(b[i + k])) > 24) {
                ++n;
                break;
            }
    return n;
}

int Lit(const std::vector<unsigned char>& a) {
    int n = 0;
    for (size_t i = 0; i + 3 < a.size(); i += 4)
        if (a[i] + a[i + 1] + a[i + 2] > 60) ++n;
    return n;
}

}  // namespace

TEST(ViewShaders, SpheresDifferBetweenTheShaderChoices) {
    TempDir dir;
    DemoSequenceOptions o;
    o.grammar = SnapshotGrammar();
    o.frames = 2;
    o.particles = 12;
    o.radiusScale = 6.0f;
    std::string error;
    ASSERT_TRUE(DemoSequence_cls(o).WriteAll(dir.File("seq"), error)) << error;
    Picture pic;
    MainGLCanvas_cls::SetPaintProbe([&pic](MainGLCanvas_cls& v) {
        if (v.ViewIndex() != 0) return;
        const wxSize size = v.GetClientSize();
        pic.rgba = viewpixels::ReadBack(size.x, size.y);
        pic.withData = GpSnap && GpSnap->allocated && GpSnap->count > 0;
        ++pic.paints;
    });
    struct ProbeGuard {
        ~ProbeGuard() { MainGLCanvas_cls::SetPaintProbe(nullptr); }
    } guard;
    Shell shell(dir.File("Pelthorn3Configure.txt"));
    shell.frame->SetSize(700, 600);
    shell.ParticlesOnly();
    shell.core->GetOverlaySettings()->showLegend.values[0] = false;
    // Nor the info line, whose paint time and counter change from one paint to the next.
    shell.frame->GetTopPanel()->View(0)->settings.showMessage.value = false;
    shell.core->LoadFileSequence(wxString::FromUTF8(dir.File("seq") + "/" + o.FileName(0)));
    ParticleAttrib_cls* const* attribs = shell.core->GetSequenceRenderer()->Attribs(GpDataSequenceSet->current);
    auto paintWith = [&](unsigned shader) {
        for (int t = 0; t < 4; ++t) {
            attribs[t]->drawType.value = 2;  // Sphere
            attribs[t]->shaderType.value = shader;
        }
        GbSnapDataRefresh = true;
        const int before = pic.paints;
        pic.withData = false;
        shell.frame->GetTopPanel()->RedrawViews();
        EXPECT_TRUE(testsupport::PumpUntil([&] { return pic.paints > before && pic.withData; }, 20000)) << shader;
        return pic.rgba;
    };
    const char* names[4] = {"fixed pipeline", "Gouroud", "Phong", "Toon"};
    std::vector<std::vector<unsigned char>> shots;
    for (unsigned s = 0; s < 4; ++s) shots.push_back(paintWith(s));
    for (unsigned s = 0; s < 4; ++s) EXPECT_GT(Lit(shots[s]), 500) << names[s] << ": no spheres in the picture";
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_GT(Differing(shots[size_t(a)], shots[size_t(b)]), 200) << names[a] << " and " << names[b];
    // The same choice twice draws the same picture: the differences come from the shading.
    EXPECT_LT(Differing(shots[2], paintWith(2)), 20);
}
