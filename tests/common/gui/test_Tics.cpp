// The tick ruler as drawn: tick and label pixels at the computed columns.
#include "common/gui/Tics.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/image.h>

#include <string>

namespace {

wxImage Render(Tics_cls& t, int width, int height) {
    wxBitmap bmp(width, height, 24);
    {
        wxMemoryDC dc(bmp);
        t.DrawTics(dc);
    }
    return bmp.ConvertToImage();
}

// Colours as "r,g,b" text, so failures print readably.
std::string At(const wxImage& img, int x, int y) {
    return std::to_string(img.GetRed(x, y)) + "," + std::to_string(img.GetGreen(x, y)) + "," +
           std::to_string(img.GetBlue(x, y));
}
std::string Rgb(const wxColour& c) {
    return std::to_string(c.Red()) + "," + std::to_string(c.Green()) + "," + std::to_string(c.Blue());
}

// Pixels in the box that differ from the background.
int Ink(const wxImage& img, int x0, int y0, int x1, int y1, const wxColour& background) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += At(img, x, y) != Rgb(background);
    return n;
}

}  // namespace

TEST(TicsDrawing, TicksAndLabelsLandOnTheirColumns) {
    Tics_cls t;
    const int w = 400, h = 24;
    t.SetRange(wxSize(w, h), 0, 60, 0);
    const wxImage img = Render(t, w, h);
    const std::string bg = "216,216,216", dark = "32,32,32", grey = "128,128,128";
    const wxColour bgColour(216, 216, 216);

    // Labelled tick at 10 (column 66): six dark pixels at the bottom.
    for (int y = h - 6; y < h; ++y) EXPECT_EQ(At(img, 66, y), dark) << y;
    EXPECT_EQ(At(img, 66, h - 7), bg);
    // Middle tick at 15 (column 100): three dark pixels; minor tick at 3 (column 20): grey.
    for (int y = h - 3; y < h; ++y) {
        EXPECT_EQ(At(img, 100, y), dark);
        EXPECT_EQ(At(img, 20, y), grey);
    }
    EXPECT_EQ(At(img, 100, h - 4), bg);
    EXPECT_EQ(At(img, 20, h - 4), bg);
    EXPECT_EQ(At(img, 21, h - 1), bg);  // ticks are one pixel wide

    // Labels start two pixels right of their tick: "10" at 68, "20" at 135; nothing between.
    EXPECT_GT(Ink(img, 68, 0, 84, h - 7, bgColour), 5);
    EXPECT_GT(Ink(img, 135, 0, 151, h - 7, bgColour), 5);
    EXPECT_EQ(Ink(img, 88, 0, 130, h - 7, bgColour), 0);
}

TEST(TicsDrawing, EqualEndsAndHugeRangesDrawQuickly) {
    const wxColour bg(216, 216, 216);
    Tics_cls same;
    same.SetRange(wxSize(200, 24), 7, 7, 0);
    const wxImage one = Render(same, 200, 24);
    EXPECT_GT(Ink(one, 0, 0, 40, 24, bg), 5);  // one labelled tick at column 0
    EXPECT_EQ(Ink(one, 60, 0, 200, 24, bg), 0);

    Tics_cls huge;
    huge.SetRange(wxSize(200, 24), -3e38f, 3e38f, 0);
    const wxImage big = Render(huge, 200, 24);  // would never finish when visiting every integer
    EXPECT_EQ(big.GetWidth(), 200);
}
