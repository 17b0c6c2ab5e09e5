// Particle text for POV-Ray: the macros and lines of a small fixed frame, the split over
// worker threads, skipped records, and the text parsed and rendered by POV-Ray itself.
#include "scene/PovParticleText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <wx/init.h>

#include "tests/support/PovRayImage.h"
#include "tests/support/PovRayProbe.h"

namespace {

// The workers are wxThreads: the base library must be initialised.
class WxBase : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
::testing::Environment* const kWxBase = ::testing::AddGlobalTestEnvironment(new WxBase);

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// A draw-order record laid out like the views' own (index, key, weight).
struct Record {
    int index;
    float key;
    float weight;
};

struct Frame {
    std::vector<float> positions;
    std::vector<float> radii;
    std::vector<uint8_t> types;
    std::vector<Record> order;

    void Add(int type, float x, float y, float z, float r) {
        positions.insert(positions.end(), {x, y, z});
        radii.push_back(r);
        types.push_back(static_cast<uint8_t>(type));
    }
    PovParticleFrame_cls View() const {
        PovParticleFrame_cls f;
        f.positions = positions.data();
        f.radii = radii.data();
        f.types = types.data();
        f.particleCount = static_cast<int64_t>(types.size());
        f.orderIndex = order.empty() ? nullptr : &order[0].index;
        f.orderWeight = order.empty() ? nullptr : &order[0].weight;
        f.orderStride = sizeof(Record);
        f.orderCount = static_cast<int64_t>(order.size());
        return f;
    }
};

void SetColours(PovParticleType_cls& t, float r, float g, float b, float a = 1.0f) {
    const float amb[4] = {0.2f * r, 0.2f * g, 0.2f * b, a};
    const float col[4] = {r, g, b, a};
    for (int k = 0; k < 4; ++k) {
        t.colours.ambient[k] = amb[k];
        t.colours.diffuse[k] = col[k];
        t.colours.specular[k] = col[k];
    }
}

// Type 0: plain macro with the radius inside; 1: plain, radius per particle; 2: FilterAlpha
// with the radius inside; 3: FilterAlpha with radius and weight per particle.
void FourTypes(PovParticleType_cls types[4]) {
    types[0].drawType = 2;
    types[0].fixedRadius = true;
    types[0].radius = 0.001f;
    types[1].drawType = 0;
    types[1].radius = 2.0f;
    types[2].drawType = 3;
    types[2].fixedRadius = true;
    types[2].radius = 0.5f;
    types[2].plainMacro = false;
    types[3].drawType = 1;
    types[3].radius = 1.0f;
    types[3].plainMacro = false;
    SetColours(types[0], 1, 0.8f, 0.2f);
    types[0].colours.ambient[0] = 0.2f;
    types[0].colours.ambient[1] = 0.16f;
    types[0].colours.ambient[2] = 0.04f;
    SetColours(types[1], 0, 1, 0);
    SetColours(types[2], 0, 0, 1);
    SetColours(types[3], 1, 1, 1);
}

std::string Union(const std::string& text) {
    const size_t at = text.find("#declare PARTICLES=\n");
    return at == std::string::npos ? std::string("(no union)") : text.substr(at);
}

TEST(PovParticleText, SmallFrameGivesExactMacrosAndLines) {
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    f.Add(0, 1, 2, 3, 9);                            // 0: radius ignored (fixed)
    f.Add(1, -1.5f, 0.25f, 10, 0.75f);               // 1
    f.Add(2, 0.0004f, -0.0006f, 1234.5678f, 1);      // 2
    f.Add(3, 1, 1, 1, 2);                            // 3
    f.Add(0, 5, 5, 5, 1);                            // 4: weight 0
    f.Add(7, 5, 5, 5, 1);                            // 5: a type without a macro
    f.Add(1, kNaN, 0, 0, 1);                         // 6: not a number
    f.order = {{3, 0, 1}, {0, 0, 1}, {4, 0, 0}, {1, 0, 1}, {5, 0, 1}, {6, 0, 1}, {2, 0, 0.5f}, {99, 0, 1}};

    std::string text;
    const PovParticleCounts_cls counts = PovWriteParticles(text, types, f.View(), true);
    EXPECT_EQ(counts.written, 4);
    EXPECT_EQ(counts.nonFinite, 1);
    EXPECT_EQ(counts.badRecords, 2);

    const std::string sp0 =
        "#macro SP0(VPos)\n"
        "sphere{ VPos,0.001000\n"
        "\ttexture {\n"
        "\t\tpigment {rgb <1.0000,0.8000,0.2000>}\n"
        "\t\tfinish { ambient <0.2000,0.2000,0.2000> diffuse 1 specular 1.000000 metallic roughness 0.024336}\n"
        "\t}\n"
        "}\n"
        "#end\n";
    EXPECT_EQ(text.substr(0, sp0.size()), sp0);
    EXPECT_NE(text.find("#macro SP1(VPos,Radi)\nsphere{ VPos, Radi\n\ttexture {\n"), std::string::npos);
    EXPECT_NE(text.find("#macro SP2(VPos,FilterAlpha)\nsphere{ VPos,0.500000\n"), std::string::npos);
    EXPECT_NE(text.find("#macro SP3(VPos,Radi,FilterAlpha)\nsphere{ VPos, Radi\n"), std::string::npos);
    EXPECT_NE(text.find("pigment {rgbt <0.000000,0.000000,1.000000,1-1.000000*FilterAlpha>}"), std::string::npos);
    EXPECT_EQ(Union(text),
              "#declare PARTICLES=\n"
              "union{\n"
              "SP3(<1.000,1.000,1.000>,2.000,1.000)\n"
              "SP0(<1.000,2.000,3.000>)\n"
              "SP1(<-1.500,0.250,10.000>,1.500)\n"
              "SP2(<0.000,-0.001,1234.568>,0.500)\n"
              "};\n\n");

    // The same text appended to a scene's wide text.
    wxString wide = "// scene\n";
    PovWriteParticles(wide, types, f.View(), true);
    EXPECT_EQ(wide.utf8_string(), "// scene\n" + text);
}

TEST(PovParticleText, HiddenTypeHasNoMacroAndNoLines) {
    PovParticleType_cls types[4];
    FourTypes(types);
    types[1].drawType = 4;
    Frame f;
    f.Add(1, 1, 1, 1, 1);
    f.Add(0, 2, 2, 2, 1);
    f.order = {{0, 0, 1}, {1, 0, 1}};
    std::string text;
    PovWriteParticles(text, types, f.View(), false);
    EXPECT_EQ(text.find("SP1"), std::string::npos);
    EXPECT_NE(text.find("#macro SP0"), std::string::npos);
    EXPECT_NE(text.find("#macro SP3"), std::string::npos);
    EXPECT_EQ(Union(text), "#declare PARTICLES=\nunion{\nSP0(<2.000,2.000,2.000>)\n};\n\n");
}

TEST(PovParticleText, EmptyDrawOrderDeclaresAnEmptyUnion) {
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    f.Add(0, 1, 1, 1, 1);
    for (const PovParticleFrame_cls& view : {f.View(), PovParticleFrame_cls{}}) {
        std::string text;
        EXPECT_EQ(PovWriteParticles(text, types, view, true).written, 0);
        EXPECT_EQ(Union(text), "#declare PARTICLES=\nunion{\n};\n\n");
        EXPECT_EQ(text.find("#macro SP0"), 0u);
    }
}

// A draw order far beyond any memory: no worker gets its buffer, the writer says so, and
// the text still declares a closed union.
TEST(PovParticleText, RunningOutOfMemoryIsToldAndTheTextStillParses) {
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    f.Add(0, 1, 1, 1, 1);
    f.order.push_back({0, 0.0f, 1.0f});
    PovParticleFrame_cls view = f.View();
    view.orderStride = 0;  // every record is the one record
    view.orderCount = int64_t(1) << 58;
    for (int threads : {1, 4}) {
        std::string text;
        const PovParticleCounts_cls counts = PovWriteParticles(text, types, view, true, threads);
        EXPECT_TRUE(counts.outOfMemory) << threads;
        EXPECT_EQ(counts.written, 0);
        EXPECT_EQ(Union(text), "#declare PARTICLES=\nunion{\n};\n\n");
    }
    std::string text;
    EXPECT_FALSE(PovWriteParticles(text, types, f.View(), true).outOfMemory);
}

TEST(PovParticleText, DownSizingFactor) {
    EXPECT_EQ(PovDownSizingFactor(1), 1.0f);
    EXPECT_EQ(PovDownSizingFactor(0), 1.0f);
    EXPECT_FLOAT_EQ(PovDownSizingFactor(10), std::sqrt(3.34f));
    EXPECT_FLOAT_EQ(PovDownSizingFactor(100), std::sqrt(79.2f + 1.0f));
}

// Every record count from 0 to 9 (so quarters of 0, 1 and 2 records) and a larger frame give
// the same text on one thread as on four, in draw order.
TEST(PovParticleText, SameTextOnOneAndFourThreads) {
    PovParticleType_cls types[4];
    FourTypes(types);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> coord(-1000, 1000);
    for (int n : {0, 1, 2, 3, 4, 5, 7, 9, 20011}) {
        Frame f;
        for (int i = 0; i < n; ++i) f.Add(static_cast<int>(rng() % 4), coord(rng), coord(rng), coord(rng), 0.5f);
        for (int i = 0; i < n; ++i)
            f.order.push_back({n - 1 - i, 0, (i % 5 == 0) ? 0.0f : 0.25f * static_cast<float>(1 + i % 4)});
        std::string one, four;
        const PovParticleCounts_cls c1 = PovWriteParticles(one, types, f.View(), true, 1);
        const PovParticleCounts_cls c4 = PovWriteParticles(four, types, f.View(), true, 4);
        EXPECT_EQ(one, four) << n << " records";
        EXPECT_EQ(c1.written, c4.written);
        EXPECT_EQ(c4.written, n - (n + 4) / 5) << n << " records";
    }
}

// Three records split over four workers (ranges of 0, 1, 1 and 1 records) come out in draw
// order, not in particle order.
TEST(PovParticleText, QuartersJoinInDrawOrder) {
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    for (int i = 0; i < 3; ++i) f.Add(0, float(i), 0, 0, 1);
    f.order = {{2, 0, 1}, {0, 0, 1}, {1, 0, 1}};
    std::string text;
    PovWriteParticles(text, types, f.View(), true, 4);
    EXPECT_EQ(Union(text),
              "#declare PARTICLES=\nunion{\nSP0(<2.000,0.000,0.000>)\nSP0(<0.000,0.000,0.000>)\n"
              "SP0(<1.000,0.000,0.000>)\n};\n\n");
}

// Lines far longer than the usual ones (huge coordinates) are never cut: the buffers grow.
TEST(PovParticleText, LongLinesAreWhole) {
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    const int n = 5000;
    for (int i = 0; i < n; ++i) {
        f.Add(3, -3.0e38f, 3.0e38f, -1.0e30f, 1.0e5f);
        f.order.push_back({i, 0, 1});
    }
    std::string text;
    EXPECT_EQ(PovWriteParticles(text, types, f.View(), true, 4).written, n);
    char line[512];
    std::snprintf(line, sizeof line, "SP%d(<%.3f,%.3f,%.3f>,%.3f,%.3f)\n", 3, double(-3.0e38f), double(3.0e38f),
                  double(-1.0e30f), double(1.0e5f), 1.0);
    ASSERT_GT(std::strlen(line), 140u);
    std::string expected = "#declare PARTICLES=\nunion{\n";
    for (int i = 0; i < n; ++i) expected += line;
    expected += "};\n\n";
    EXPECT_EQ(Union(text), expected);
}

TEST(PovParticleText, TextIsTheSameUnderADecimalCommaLocale) {
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    f.Add(1, 0.5f, -0.25f, 2, 0.75f);
    f.order = {{0, 0, 1}};
    std::string plain, comma;
    PovWriteParticles(plain, types, f.View(), true);
    testsupport::CommaLocale locale;
    if (!locale.Ok()) GTEST_SKIP() << "no decimal-comma locale";
    PovWriteParticles(comma, types, f.View(), true);
    EXPECT_EQ(plain, comma);
}

std::string SceneAround(const std::string& particles) {
    return "camera { orthographic location <0,0,-10> look_at <0,0,0> right x*4 up y*3 }\n"
           "light_source { <0,0,-100> color rgb 1 }\n"
           "background { rgb 0 }\n" +
           particles + "object { PARTICLES }\n";
}

// A frame of every macro form parses in POV-Ray, in both material forms.
TEST(PovParticleText, EveryFormParsesInPovRay) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    PovParticleType_cls types[4];
    FourTypes(types);
    types[3].colours.diffuse[3] = 0.5f;
    Frame f;
    for (int t = 0; t < 4; ++t) f.Add(t, float(t), 0, 0, 0.3f);
    f.order = {{0, 0, 1}, {1, 0, 1}, {2, 0, 0.5f}, {3, 0, 0.75f}};
    for (bool single : {true, false}) {
        std::string text;
        PovWriteParticles(text, types, f.View(), single);
        bool ok = false;
        const std::string out = povprobe::Run(SceneAround(text), ok);
        EXPECT_TRUE(ok) << out;
    }
    std::string empty;
    PovWriteParticles(empty, types, PovParticleFrame_cls{}, true);
    bool ok = false;
    const std::string out = povprobe::Run(SceneAround(empty), ok);
    EXPECT_TRUE(ok) << "an empty union must parse\n" << out;
}

// Rendered by POV-Ray, each sphere shows its type's colour at its place, and the background
// stays black elsewhere. The picture is 64 x 48 for 4 x 3 units: 16 pixels per unit.
TEST(PovParticleText, SpheresRenderInTheirColoursAtTheirPlaces) {
    if (!povprobe::Available()) GTEST_SKIP() << "POV-Ray is not installed";
    PovParticleType_cls types[4];
    FourTypes(types);
    SetColours(types[0], 1, 0, 0);
    types[0].radius = 0.4f;
    types[1].radius = 1.0f;  // × the particle's radius
    Frame f;
    f.Add(0, 0, 0, 0, 1);        // red at the centre, fixed radius 0.4
    f.Add(1, 1.25f, 0, 0, 0.4f);  // green to the right (pixel 52), radius 0.4
    f.Add(2, -1.25f, 0, 0, 1);    // blue to the left, in the FilterAlpha form
    f.Add(0, 0, 1.0f, 0, 1);     // weight 0: not drawn (pixel row 8)
    f.Add(3, -1.0f, -1.0f, 0, 0.4f);  // white, weight 0.25: partly see-through (pixel 16, 40)
    f.Add(3, 1.0f, -1.0f, 0, 0.4f);   // white, weight 1: opaque (pixel 48, 40)
    f.order = {{0, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 0}, {4, 0, 0.25f}, {5, 0, 1}};
    std::string text;
    PovWriteParticles(text, types, f.View(), true);
    bool ok = false;
    std::string messages;
    const povprobe::Picture pic = povprobe::Render(SceneAround(text), 64, 48, ok, &messages);
    ASSERT_TRUE(ok) << messages;
    auto px = [&](int x, int y) {
        const unsigned char* p = pic.At(x, y);
        return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
    };
    const unsigned char* red = pic.At(32, 24);
    EXPECT_GT(red[0], 150) << px(32, 24);
    EXPECT_LT(red[1], 60) << px(32, 24);
    EXPECT_LT(red[2], 60) << px(32, 24);
    const unsigned char* green = pic.At(52, 24);
    EXPECT_GT(green[1], 150) << px(52, 24);
    EXPECT_LT(green[0], 60) << px(52, 24);
    const unsigned char* blue = pic.At(12, 24);
    EXPECT_GT(blue[2], 150) << px(12, 24);
    EXPECT_LT(blue[0], 60) << px(12, 24);
    // A soft border's weight makes the sphere transparent over the black background.
    const unsigned char* faint = pic.At(16, 40);
    const unsigned char* solid = pic.At(48, 40);
    EXPECT_GT(solid[0], 150) << px(48, 40);
    EXPECT_LT(faint[0] + 40, solid[0]) << px(16, 40) << " against " << px(48, 40);
    EXPECT_GT(faint[0], 10) << px(16, 40);
    for (const auto& xy : {std::pair<int, int>{32, 8}, {2, 2}, {61, 45}}) {
        const unsigned char* bg = pic.At(xy.first, xy.second);
        EXPECT_LT(bg[0] + bg[1] + bg[2], 30) << px(xy.first, xy.second);
    }
}

}  // namespace

namespace {

std::string ReadFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[65536];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, got);
        std::fclose(f);
    }
    return bytes;
}

}  // namespace

// A draw order longer than one batch of the workers (and not a multiple of it): the text is
// written batch by batch, and the file, the text and the wide text hold the same lines, each
// in draw order, on one worker and on four.
TEST(PovParticleText, LongDrawOrderGoesOutWholeToAFileAndToTexts) {
    PovParticleType_cls types[4];
    FourTypes(types);
    const int n = 4 * 65536 + 1001;
    Frame f;
    std::string expected = "#declare PARTICLES=\nunion{\n";
    for (int i = 0; i < n; ++i) f.Add(1, float(i % 977) * 0.5f, float(i / 977), -float(i % 13), 0.5f);
    for (int i = 0; i < n; ++i) {
        const int p = n - 1 - i;
        f.order.push_back({p, 0, 1});
        char line[128];
        std::snprintf(line, sizeof line, "SP1(<%.3f,%.3f,%.3f>,%.3f)\n", double(f.positions[3 * size_t(p)]),
                      double(f.positions[3 * size_t(p) + 1]), double(f.positions[3 * size_t(p) + 2]),
                      double(types[1].radius * 0.5f));
        expected += line;
    }
    expected += "};\n\n";
    const std::string path = ::testing::TempDir() + "pov_particles_long.inc";
    for (int threads : {1, 4}) {
        std::string text;
        EXPECT_EQ(PovWriteParticles(text, types, f.View(), true, threads).written, n) << threads;
        EXPECT_EQ(Union(text), expected) << threads;

        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        const PovParticleCounts_cls counts = PovWriteParticles(file, types, f.View(), true, threads);
        ASSERT_EQ(std::fclose(file), 0);
        EXPECT_EQ(counts.written, n);
        EXPECT_FALSE(counts.writeFailed);
        EXPECT_EQ(ReadFile(path), text) << threads << " workers: the file differs from the text";

        wxString wide;
        PovWriteParticles(wide, types, f.View(), true, threads);
        EXPECT_TRUE(wide.utf8_string() == text) << threads << " workers: the wide text differs";
    }
    std::remove(path.c_str());
}

// A file that takes no bytes (a full disk): the writer says so instead of counting the lines
// as written.
TEST(PovParticleText, FullDiskIsTold) {
    FILE* full = std::fopen("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    PovParticleType_cls types[4];
    FourTypes(types);
    Frame f;
    f.Add(0, 1, 2, 3, 1);
    f.order.push_back({0, 0, 1});
    const PovParticleCounts_cls counts = PovWriteParticles(full, types, f.View(), true);
    std::fclose(full);
    EXPECT_TRUE(counts.writeFailed);
    EXPECT_FALSE(counts.outOfMemory);
    EXPECT_EQ(counts.written, 0);
}
