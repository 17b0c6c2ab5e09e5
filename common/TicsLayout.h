// Tick positions, steps and labels of a horizontal ruler, computed without any window: the
// drawing (Tics_cls) only paints the marks this yields.
#pragma once

#include <string>
#include <vector>

/// One tick of the ruler.
struct TicsMark {
    int x = 0;           ///< pixel column of the tick
    int length = 3;      ///< 6 for labelled ticks, 3 for the others
    bool dark = false;   ///< drawn with the tick colour (else the text colour)
    std::string label;   ///< empty for unlabelled ticks
};

class TicsLayout_cls {
public:
    /// Stores the ruler's size in pixels, the value range and the margin (pixels kept free
    /// at each end) and chooses the steps: a range spanning less than 2 is "small" and gets
    /// decimal ticks; larger ranges get integer ticks on a 1-2-5 ladder that follows the
    /// values per pixel. Any range is accepted: minimum = maximum, reversed, huge or not
    /// finite values never make the marks loop or divide by zero.
    void SetRange(int width, int height, float minimum, float maximum, int margin);
    /// The visible part of the range, normalised (0 = minimum, 1 = maximum); (0, 1) at start.
    void SetWindow(float start, float end);

    /// Maps two values to pixel columns; with minimum = maximum they map to 0 and 1.
    void ValueToPixel(int& pixel0, int& pixel1, double value0, double value1) const;
    /// Pixel column of one value (0 when minimum = maximum).
    int PixelOf(double value) const;

    /// The ticks to draw, left to right in value order; only ticks within 0..width.
    std::vector<TicsMark> Marks() const;

    /// Label of a small range's tick at `value` with `digits` decimals ("%.1e" beyond 4):
    /// one trailing decimal zero removed from fixed labels, "e+0"/"e-0" shortened to "e+"/"e-".
    static std::string SmallLabel(double value, int digits);
    /// Label of a major tick of a large range: "%d", or "%.1e" when the major step is above 1000.
    static std::string LargeLabel(double value, double majorStep);

    bool smallRange = true;   ///< the range spans less than 2
    float minimum = 0;
    float maximum = 0;
    float windowStart = 0;
    float windowEnd = 1;
    int width = 0;
    int height = 0;
    int margin = 0;
    double majorStep = 1;     ///< in values; integral
    double middleStep = 1;
    double minorStep = 1;
    double smallStep = 0.1;   ///< tick step of a small range
    int labelDigits = 1;      ///< decimals of a small range's labels

private:
    double Position(double value) const;
};
