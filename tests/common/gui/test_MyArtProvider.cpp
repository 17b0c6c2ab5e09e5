// The art provider: every icon id resolves at the default size and at 16 and 24 pixels;
// resampling averages areas, and masked pixels become transparent.
#include "common/gui/MyArtProvider.h"

#include <gtest/gtest.h>

#include <wx/artprov.h>
#include <wx/bitmap.h>

namespace {

struct ArtTest : ::testing::Test {
    void SetUp() override {
        provider = new MyArtProvider;
        wxArtProvider::Push(provider);
    }
    void TearDown() override { wxArtProvider::Delete(provider); }
    MyArtProvider* provider = nullptr;
};

// A w × h image whose channels differ per pixel.
wxImage Pattern(int w, int h, bool alpha) {
    wxImage img(w, h);
    if (alpha) img.InitAlpha();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            img.SetRGB(x, y, (x * 7 + y * 3) % 256, (x * 13 + y * 29) % 256, (x * y) % 256);
            if (alpha) img.SetAlpha(x, y, (x * 17 + y * 5) % 256);
        }
    return img;
}

}  // namespace

TEST_F(ArtTest, EveryIdResolvesAtEverySize) {
    ASSERT_EQ(provider->ArtIds().size(), 29u);
    for (const wxString& id : provider->ArtIds()) {
        for (const wxSize size : {wxDefaultSize, wxSize(16, 16), wxSize(24, 24)}) {
            const wxBitmap b = wxArtProvider::GetBitmap(id, wxART_OTHER, size);
            ASSERT_TRUE(b.IsOk()) << id << " at " << size.x;
            const wxSize expected = size == wxDefaultSize ? wxSize(16, 16) : size;
            EXPECT_EQ(b.GetSize(), expected) << id;
        }
        EXPECT_TRUE(wxArtProvider::GetBitmap(id, wxART_TOOLBAR, wxDefaultSize).IsOk()) << id;
    }
    EXPECT_EQ(provider->FileOf("wxART_EXPAND_MINUS"), "ZoomIm.png");
    EXPECT_EQ(provider->FileOf("wxART_EXPAND_PLUS"), provider->FileOf("wxART_ZOOM_OUT"));
    EXPECT_FALSE(wxArtProvider::GetBitmap("wxART_NO_SUCH_ICON", wxART_OTHER, wxDefaultSize).IsOk());
}

TEST_F(ArtTest, DefaultSizeIsTheFileUnchanged) {
    wxImage file;
    ASSERT_TRUE(file.LoadFile("ICONS/left.png", wxBITMAP_TYPE_PNG));
    const wxImage art = wxArtProvider::GetBitmap("wxART_LEFT", wxART_OTHER, wxDefaultSize).ConvertToImage();
    ASSERT_EQ(art.GetSize(), file.GetSize());
    ASSERT_TRUE(art.HasAlpha());
    int differing = 0, opaque = 0;
    for (int y = 0; y < file.GetHeight(); ++y)
        for (int x = 0; x < file.GetWidth(); ++x) {
            differing += art.GetAlpha(x, y) != file.GetAlpha(x, y);
            opaque += file.GetAlpha(x, y) == 255;
            if (file.GetAlpha(x, y) == 255) differing += art.GetRed(x, y) != file.GetRed(x, y);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(opaque, 10);  // the icon draws something
}

TEST(ResampleImage, HalvingAveragesTwoByTwoBlocks) {
    for (bool alpha : {false, true}) {
        wxImage src = Pattern(32, 32, alpha);
        const wxImage dst = ResampleImage(src, wxSize(16, 16));
        ASSERT_EQ(dst.GetSize(), wxSize(16, 16));
        EXPECT_EQ(dst.HasAlpha(), alpha);
        for (int i = 0; i < 16; ++i)
            for (int j = 0; j < 16; ++j) {
                auto avg = [&](auto channel) {
                    return (channel(2 * j, 2 * i) + channel(2 * j + 1, 2 * i) + channel(2 * j, 2 * i + 1) +
                            channel(2 * j + 1, 2 * i + 1)) / 4;  // integer division truncates like the resampler
                };
                ASSERT_EQ(dst.GetRed(j, i), avg([&](int x, int y) { return src.GetRed(x, y); })) << j << "," << i;
                ASSERT_EQ(dst.GetGreen(j, i), avg([&](int x, int y) { return src.GetGreen(x, y); }));
                ASSERT_EQ(dst.GetBlue(j, i), avg([&](int x, int y) { return src.GetBlue(x, y); }));
                if (alpha) ASSERT_EQ(dst.GetAlpha(j, i), avg([&](int x, int y) { return src.GetAlpha(x, y); }));
            }
    }
}

TEST(ResampleImage, EnlargingTakesThePixelUnderTheTopLeftCorner) {
    wxImage src = Pattern(16, 16, false);
    const wxImage dst = ResampleImage(src, wxSize(24, 24));
    for (int i = 0; i < 24; ++i)
        for (int j = 0; j < 24; ++j) {
            const int x = j * 16 / 24, y = i * 16 / 24;
            ASSERT_EQ(dst.GetRed(j, i), src.GetRed(x, y)) << j << "," << i;
            ASSERT_EQ(dst.GetGreen(j, i), src.GetGreen(x, y));
        }
}

TEST(ResampleImage, MaskedPixelsBecomeTransparentWithSoftEdges) {
    wxImage src(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (x < 15)
                src.SetRGB(x, y, 255, 0, 255);
            else
                src.SetRGB(x, y, 10, 200, 30);
        }
    src.SetMaskColour(255, 0, 255);
    const wxImage dst = ResampleImage(src, wxSize(16, 16));
    ASSERT_TRUE(dst.HasAlpha());
    EXPECT_FALSE(dst.HasMask());
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(dst.GetAlpha(0, i), 0);
        EXPECT_EQ(dst.GetAlpha(6, i), 0);
        EXPECT_EQ(dst.GetAlpha(7, i), 127);  // columns 14 (masked) and 15 (not)
        EXPECT_EQ(dst.GetAlpha(8, i), 255);
        EXPECT_EQ(dst.GetGreen(15, i), 200);
    }

    wxImage plain = Pattern(4, 4, false);
    MaskToAlpha(plain);  // no mask: unchanged
    EXPECT_FALSE(plain.HasAlpha());
    wxImage empty;
    EXPECT_FALSE(ResampleImage(empty, wxSize(16, 16)).IsOk());
    EXPECT_FALSE(ResampleImage(plain, wxSize(0, 5)).IsOk());
}
