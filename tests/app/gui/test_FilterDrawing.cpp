// Filters in the views of the running program: a Boolean box hides the particles outside
// it in the view's picture, and a 3 x 3 x 3 CopyBox draws the data 27 times per paint.
#include "tests/app/gui/ShellFixture.h"
#include "tests/app/gui/ViewPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "app/gui/TopHalfPanel.h"
#include "common/CommandHistory.h"
#include "common/CommandIds.h"
#include "data/DataSequenceSet.h"
#include "data/PeriodicBoundary.h"
#include "filters/ColorCurve.h"
#include "filters/FilterBoolean.h"
#include "filters/FilterCopy.h"
#include "filters/FilterCtrl.h"
#include "filters/FilterDataBox.h"
#include "filters/FilterFiltering.h"
#include "filters/FilterFog.h"
#include "timeline/ParamGroup.h"
#include "timeline/Parameter.h"
#include "timeline/TimeCtrl.h"
#include "tools/DemoSequence.h"
#include <wx/image.h>

#include "view/ImageSaver.h"
#include "view/ParticleAttrib.h"
#include "view/gui/ImageSaverGL.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/SequenceRenderer.h"
#include "view/gui/ViewScene.h"

using shelltest::Shell;
using testsupport::TempDir;

namespace {

constexpr int kParticles = 24;

std::string WriteSequence(const TempDir& dir) { return viewpixels::WriteSequence(dir, kParticles, 2); }

/// What view 0 showed: for each particle of the drawn frame, whether its colour (pure
/// red) was found within 2 pixels of where its camera puts it; -1 when off screen.
struct Picture {
    std::vector<int> seen;
    std::vector<float> x;  ///< the particles' x
    std::vector<double> sx, sy;  ///< where the camera puts them (GL window pixels)
    wxString saveTo;  ///< when set, the next picture is also saved there (then cleared)
    int savedW = 0, savedH = 0;
    std::vector<float> positions;  ///< x, y, z per particle
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    double pr[16], mv[16];
    int paints = 0;
    /// 1 when red shows within 2 pixels of where the camera puts `q`, 0 when not, -1 off
    /// screen.
    int SeenAt(const double q[3]) const {
        const int vp[4] = {0, 0, w, h};
        double sx, sy, sz;
        gluProject(q[0], q[1], q[2], mv, pr, vp, &sx, &sy, &sz);
        if (sx < 3 || sy < 3 || sx > w - 3 || sy > h - 3) return -1;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const unsigned char* c = &rgba[4 * (size_t(int(sy) + dy) * w + int(sx) + dx)];
                if (c[0] > 200 && c[1] < 60 && c[2] < 60) return 1;
            }
        return 0;
    }
};

void Look(MainGLCanvas_cls& v, Picture& pic) {
    if (v.ViewIndex() != 0 || !GpSnap || !GpSnap->allocated) return;
    const wxSize size = v.GetClientSize();
    const int w = size.x, h = size.y;
    const std::vector<unsigned char> rgba = viewpixels::ReadBack(w, h);
    const viewpixels::Projected at = viewpixels::ProjectDrawnFrame(v, w, h);
    const double* pr = at.pr;
    const double* mv = at.mv;
    const int n = int(GpSnap->count);
    pic.rgba = rgba;
    pic.w = w, pic.h = h;
    std::copy(pr, pr + 16, pic.pr);
    std::copy(mv, mv + 16, pic.mv);
    pic.positions.assign(GpSnap->positions, GpSnap->positions + 3 * size_t(n));
    pic.seen.assign(size_t(n), -1);
    pic.x.assign(size_t(n), 0.0f);
    pic.sx.assign(size_t(n), -1.0);
    pic.sy.assign(size_t(n), -1.0);
    if (!pic.saveTo.empty()) {
        GoImageSaver.snapshotPath = pic.saveTo;
        pic.savedW = ImageSaver_cls::SnapshotWidth(w);
        pic.savedH = h;
        if (SaveSnapshotFromGL(GoImageSaver, w, h)) pic.saveTo.clear();
    }
    for (int i = 0; i < n; ++i) {
        const float* q = GpSnap->positions + 3 * i;
        pic.x[size_t(i)] = q[0];
        const double sx = at.x[size_t(i)], sy = at.y[size_t(i)];
        pic.sx[size_t(i)] = sx;
        pic.sy[size_t(i)] = sy;
        if (sx < 3 || sy < 3 || sx > w - 3 || sy > h - 3) continue;
        int found = 0;
        for (int dy = -2; dy <= 2 && !found; ++dy)
            for (int dx = -2; dx <= 2 && !found; ++dx) {
                const unsigned char* c = &rgba[4 * (size_t(int(sy) + dy) * w + int(sx) + dx)];
                found = c[0] > 200 && c[1] < 60 && c[2] < 60;
            }
        pic.seen[size_t(i)] = found;
    }
    ++pic.paints;
}

class FilterDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        MainGLCanvas_cls::SetPaintProbe([this](MainGLCanvas_cls& v) { Look(v, pic); });
        shell = std::make_unique<Shell>(dir.File("Pelthorn3Configure.txt"));
        shell->frame->SetSize(900, 700);
        // Only the particles: the ground grid and the pivot marker would be drawn over them.
        shell->ParticlesOnly();
        const float red[4] = {1, 0, 0, 1};
        shell->ColourAllTypes(red, 4);
        shell->core->LoadFileSequence(wxString::FromUTF8(WriteSequence(dir)));
        ASSERT_TRUE(Repaint());
    }
    void TearDown() override {
        shell.reset();
        MainGLCanvas_cls::SetPaintProbe(nullptr);
    }
    /// Redraws and waits for a picture of view 0 with the particles.
    bool Repaint() {
        const int before = pic.paints;
        shell->frame->GetTopPanel()->RedrawViews();
        return testsupport::PumpUntil([&] { return pic.paints > before && !pic.seen.empty(); }, 20000);
    }
    TempDir dir;
    Picture pic;
    std::unique_ptr<Shell> shell;
};

}  // namespace

TEST_F(FilterDrawing, BooleanBoxHidesTheParticlesOutsideIt) {
    std::vector<float> xs = pic.x;
    std::sort(xs.begin(), xs.end());
    const float mid = 0.5f * (xs[xs.size() / 2 - 1] + xs[xs.size() / 2]);
    int shownBefore = 0;
    for (int s : pic.seen) shownBefore += s == 1;
    ASSERT_GE(shownBefore, kParticles / 2);

    // A box reaching far on every side but only from the middle x upwards.
    auto* b = static_cast<FilterBoolean_cls*>(shell->core->AddFilter(nullptr, FILTER_BOOLEAN));
    ASSERT_NE(b, nullptr);
    b->Data()->borderFactor.value = 0;
    b->Data()->SetScaleKey(1000, 1000, 1000);
    b->Data()->SetTranslateKey(mid + 500, 0, 0);
    const wxString png = wxString::FromUTF8(dir.File("boolean.png"));
    pic.saveTo = png;
    ASSERT_TRUE(Repaint());
    ASSERT_TRUE(pic.saveTo.empty()) << "the view's picture was saved";
    GoImageSaver.WaitForWriter();
    ImageFileEncoder_cls::RegisterHandlers();
    wxImage image;
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(image.GetHeight(), pic.savedH);
    // In the saved image (rows top-down): red where a particle inside the box stands,
    // none where one outside it stands.
    auto redInImage = [&](size_t i) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = int(pic.sx[i]) + dx, y = pic.savedH - 1 - (int(pic.sy[i]) + dy);
                if (x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight()) continue;
                if (image.GetRed(x, y) > 200 && image.GetGreen(x, y) < 60 && image.GetBlue(x, y) < 60) return true;
            }
        return false;
    };
    int inFile = 0, outFile = 0;
    for (size_t i = 0; i < pic.seen.size(); ++i) {
        if (pic.seen[i] < 0 || pic.sx[i] >= image.GetWidth() - 3) continue;
        if (pic.x[i] > mid) {
            ++inFile;
            EXPECT_TRUE(redInImage(i)) << "saved image: particle " << i << " inside the box is hidden";
        } else {
            ++outFile;
            EXPECT_FALSE(redInImage(i)) << "saved image: particle " << i << " outside the box is shown";
        }
    }
    EXPECT_GE(inFile, 3);
    EXPECT_GE(outFile, 3);
    int inside = 0, outside = 0;
    for (size_t i = 0; i < pic.seen.size(); ++i) {
        if (pic.seen[i] < 0) continue;
        if (pic.x[i] > mid) {
            ++inside;
            EXPECT_EQ(pic.seen[i], 1) << "particle " << i << " inside the box is hidden";
        } else {
            ++outside;
            EXPECT_EQ(pic.seen[i], 0) << "particle " << i << " outside the box is shown";
        }
    }
    EXPECT_GE(inside, 4);
    EXPECT_GE(outside, 4);

    // Disabled, the filter hides nothing again.
    b->Data()->filterValid.value = false;
    ASSERT_TRUE(Repaint());
    int shown = 0;
    for (int s : pic.seen) shown += s == 1;
    EXPECT_EQ(shown, shownBefore);
    // Selected, it is drawn with its gizmo at the box's centre.
    shell->core->SelectFilter(b, true);
    EXPECT_TRUE(Repaint());
}

TEST_F(FilterDrawing, CopyBoxOfThreeByThreeByThreeDrawsTheData27Times) {
    int draws = 0;
    shell->core->GetSequenceRenderer()->progress = [&draws](int percent) {
        if (percent == 0) ++draws;
    };
    auto* c = static_cast<FilterCopy_cls*>(shell->core->AddFilter(nullptr, FILTER_COPY));
    ASSERT_NE(c, nullptr);
    for (int a = 0; a < 3; ++a) {
        c->Data()->arrayMin[a].value = -1;
        c->Data()->arrayMax[a].value = 2;
    }
    EXPECT_EQ(c->GetCopyCount(), 27);
    shell->frame->GetTopPanel()->View(0)->RequestPaint();
    draws = 0;
    ASSERT_TRUE(Repaint());
    EXPECT_EQ(draws % 27, 0) << draws;
    EXPECT_GE(draws, 27);
    // The middle copy (cell 0, 0, 0) stays where the data is: every particle shows there.
    int shown = 0;
    for (int s : pic.seen) shown += s == 1;
    EXPECT_GE(shown, kParticles / 2);

    c->Data()->filterValid.value = false;
    draws = 0;
    ASSERT_TRUE(Repaint());
    EXPECT_GE(draws, 1);
    EXPECT_LT(draws, 27);
    shell->core->GetSequenceRenderer()->progress = nullptr;
}

TEST_F(FilterDrawing, DataBoxPlacesTheDataAboutItsAnchor) {
    auto* box = static_cast<FilterDataBox_cls*>(shell->core->AddFilter(nullptr, FILTER_DATABOX));
    ASSERT_NE(box, nullptr);
    FilterDataBoxData_cls* d = box->Data();
    d->SetTranslateKey(1, 2, 3);
    d->SetRotationKey(30, 45, 60);
    d->SetScaleKey(1, 1, 1);
    d->anchor->SetKeyFrame({0.3, 1, -0.5}, true, -1);
    ASSERT_TRUE(Repaint());
    d->UpdateTransform(GdCurrentTime);
    // The placement the views apply: the anchor point lands at T + A, the origin at
    // (2.1368, 2.2173, 2.6648).
    double anchor[3] = {0.3, 1, -0.5}, origin[3] = {0, 0, 0};
    d->TransformPoint(anchor);
    d->TransformPoint(origin);
    EXPECT_NEAR(anchor[0], 1.3, 1e-4);
    EXPECT_NEAR(anchor[1], 3.0, 1e-4);
    EXPECT_NEAR(anchor[2], 2.5, 1e-4);
    EXPECT_NEAR(origin[0], 2.1368, 1e-4);
    EXPECT_NEAR(origin[1], 2.2173, 1e-4);
    EXPECT_NEAR(origin[2], 2.6648, 1e-4);
    // Turned about the data's centre and shifted a little, every particle shows where the
    // placement puts it, and not where it was.
    double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
    for (size_t i = 0; i < pic.positions.size(); ++i) {
        lo[i % 3] = std::min(lo[i % 3], double(pic.positions[i]));
        hi[i % 3] = std::max(hi[i % 3], double(pic.positions[i]));
    }
    const double c[3] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2};
    const double e = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    d->SetTranslateKey(0.08 * e, 0, 0);
    d->SetRotationKey(0, 0, 20);
    d->anchor->SetKeyFrame({c[0], c[1], c[2]}, true, -1);
    d->group->visible = 0;  // no wire box over the particles
    ASSERT_TRUE(Repaint());
    int judged = 0, placed = 0;
    for (size_t i = 0; i < pic.positions.size() / 3; ++i) {
        double q[3] = {pic.positions[3 * i], pic.positions[3 * i + 1], pic.positions[3 * i + 2]};
        d->TransformPoint(q);
        const int s = pic.SeenAt(q);
        if (s < 0) continue;
        ++judged;
        placed += s;
    }
    EXPECT_GE(judged, kParticles / 2);
    int unmoved = 0;
    for (int v : pic.seen) unmoved += v == 1;
    EXPECT_GE(placed, judged - 1) << "of " << judged << ", at the old places " << unmoved;
}

TEST_F(FilterDrawing, FiltersWeightAtTheDisplayedTime) {
    std::vector<float> xs = pic.x;
    std::sort(xs.begin(), xs.end());
    const float mid = 0.5f * (xs[xs.size() / 2 - 1] + xs[xs.size() / 2]);
    auto* b = static_cast<FilterBoolean_cls*>(shell->core->AddFilter(nullptr, FILTER_BOOLEAN));
    ASSERT_NE(b, nullptr);
    FilterBooleanData_cls* d = b->Data();
    d->borderFactor.value = 0;
    d->SetScaleKey(1000, 1000, 1000);
    // Far away at the start, over the upper half in x at the end of the scene.
    d->translate->SetTimeDependent(true);
    d->translate->SetKeyFrame({1e6, 0, 0}, true, 0.0);
    d->translate->SetKeyFrame({mid + 500.0, 0, 0}, true, 1.0);
    TimeCtrl_cls* time = shell->core->GetTimeCtrl();
    ASSERT_EQ(time->MaxFrame(), 1);
    ASSERT_TRUE(Repaint());
    int shown = 0;
    for (int s : pic.seen) shown += s == 1;
    EXPECT_EQ(shown, 0) << "at the start the box holds no particle";

    time->SetFrame(1, 0);
    ASSERT_NEAR(time->GetNormalizedTime(-1, -1), 1.0, 1e-9);
    ASSERT_TRUE(Repaint());
    int inside = 0;
    for (size_t i = 0; i < pic.seen.size(); ++i) {
        if (pic.seen[i] < 0) continue;
        if (pic.x[i] > mid + 1e-3f * std::abs(mid) + 1e-4f) {
            ++inside;
            EXPECT_EQ(pic.seen[i], 1) << "particle " << i;
        } else if (pic.x[i] < mid - 1e-3f * std::abs(mid) - 1e-4f) {
            EXPECT_EQ(pic.seen[i], 0) << "particle " << i;
        }
    }
    EXPECT_GE(inside, 3);
}

TEST_F(FilterDrawing, CopyBoxShows27CopiesWhereTheBoxPutsThem) {
    ASSERT_FALSE(pic.positions.empty());
    double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
    for (size_t i = 0; i < pic.positions.size(); ++i) {
        lo[i % 3] = std::min(lo[i % 3], double(pic.positions[i]));
        hi[i % 3] = std::max(hi[i % 3], double(pic.positions[i]));
    }
    const double e = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    // The particle nearest the data's centre alone (a Filtering filter's list), repeated on
    // a 3 x 3 x 3 block of small cells, the block turned about it so no two copies line up.
    size_t pick = 0;
    double best = 1e300;
    for (size_t i = 0; i < pic.positions.size() / 3; ++i) {
        double r = 0;
        for (int a = 0; a < 3; ++a) r += std::pow(pic.positions[3 * i + a] - 0.5 * (lo[a] + hi[a]), 2);
        if (r < best) best = r, pick = i;
    }
    const double p0[3] = {pic.positions[3 * pick], pic.positions[3 * pick + 1], pic.positions[3 * pick + 2]};
    auto* only = static_cast<FilterFiltering_cls*>(shell->core->AddFilter(nullptr, FILTER_FILTERING));
    ASSERT_NE(only, nullptr);
    only->Data()->filteringString.text = wxString::Format("%d", int(pick));
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) GpPeriodicBoundary->baseVector[a].values[k] = a == k ? float(0.15 * e) : 0.0f;
    auto* c = static_cast<FilterCopy_cls*>(shell->core->AddFilter(nullptr, FILTER_COPY));
    ASSERT_NE(c, nullptr);
    for (int a = 0; a < 3; ++a) {
        c->Data()->arrayMin[a].value = -1;
        c->Data()->arrayMax[a].value = 2;
    }
    auto* box = static_cast<FilterDataBox_cls*>(shell->core->AddFilter(nullptr, FILTER_DATABOX));
    ASSERT_NE(box, nullptr);
    FilterDataBoxData_cls* d = box->Data();
    d->SetRotationKey(30, 45, 60);
    d->anchor->SetKeyFrame({p0[0], p0[1], p0[2]}, true, -1);
    d->group->visible = 0;
    ASSERT_TRUE(Repaint());

    float edges[3][3];
    for (int a = 0; a < 3; ++a)
        for (int k = 0; k < 3; ++k) edges[a][k] = GpPeriodicBoundary->baseVector[a].values[k];
    int onScreen = 0, shown = 0;
    std::string missing;
    for (int k = 0; k < 27; ++k) {
        const std::vector<float> s = c->GetCopyOffset(k, 0.0, edges);
        ASSERT_EQ(s.size(), 3u);
        double q[3] = {p0[0] + s[0], p0[1] + s[1], p0[2] + s[2]};
        d->TransformPoint(q);
        const int seen = pic.SeenAt(q);
        if (seen < 0) continue;
        ++onScreen;
        shown += seen;
        if (!seen) missing += " " + std::to_string(k);
    }
    EXPECT_EQ(onScreen, 27);
    EXPECT_EQ(shown, onScreen) << "copies not shown:" << missing;
    // The other particles are filtered out: none shows at its own place.
    int others = 0;
    for (size_t i = 0; i < pic.positions.size() / 3; ++i) {
        if (i == pick) continue;
        double q[3] = {pic.positions[3 * i], pic.positions[3 * i + 1], pic.positions[3 * i + 2]};
        d->TransformPoint(q);
        others += pic.SeenAt(q) == 1;
    }
    EXPECT_LE(others, 2) << "only copies of the one particle may fall on another particle's place";
}

TEST_F(FilterDrawing, FogTurnsTheFarParticlesToItsColour) {
    // Linear fog that begins just before the median eye depth of the particles: the nearer
    // half keeps its red, the farther half takes the fog's green.
    std::vector<double> depth(pic.seen.size());
    for (size_t i = 0; i < depth.size(); ++i) {
        const float* q = &pic.positions[3 * i];
        depth[i] = -(pic.mv[2] * q[0] + pic.mv[6] * q[1] + pic.mv[10] * q[2] + pic.mv[14]);
    }
    std::vector<double> sorted = depth;
    std::sort(sorted.begin(), sorted.end());
    const double lo = sorted[sorted.size() / 2 - 1], hi = sorted[sorted.size() / 2];
    ASSERT_LT(lo, hi);
    auto* fog = static_cast<FilterFog_cls*>(shell->core->AddFilter(nullptr, FILTER_FOG));
    ASSERT_NE(fog, nullptr);
    fog->Data()->fogType.value = 2;
    fog->Data()->fogStart.value = float(lo + 0.25 * (hi - lo));
    fog->Data()->fogEnd.value = float(lo + 0.5 * (hi - lo));
    float* c = fog->Data()->colors[0]->constantColor.values;
    c[0] = 0, c[1] = 1, c[2] = 0, c[3] = 1;
    ASSERT_TRUE(Repaint());
    auto greenAt = [&](size_t i) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = int(pic.sx[i]) + dx, y = int(pic.sy[i]) + dy;
                const unsigned char* p = &pic.rgba[4 * (size_t(y) * pic.w + x)];
                if (p[0] < 60 && p[1] > 200 && p[2] < 60) return true;
            }
        return false;
    };
    int nearSeen = 0, farFogged = 0;
    for (size_t i = 0; i < pic.seen.size(); ++i) {
        if (pic.seen[i] < 0) continue;
        if (depth[i] <= lo) {
            nearSeen += pic.seen[i] == 1;
        } else {
            EXPECT_EQ(pic.seen[i], 0) << "far particle " << i << " keeps its red under the fog";
            farFogged += greenAt(i);
        }
    }
    EXPECT_GE(nearSeen, 4);
    EXPECT_GE(farFogged, 4);
    // The background between the particles is the fog colour too (alpha 1).
    const unsigned char* corner = &pic.rgba[4 * (size_t(2) * pic.w + 2)];
    EXPECT_GT(corner[1], 240);
    EXPECT_LT(corner[0], 15);
}
