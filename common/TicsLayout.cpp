// Tick steps, positions and labels of the ruler.
#include "common/TicsLayout.h"

#include "platform/FileNumbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Values per pixel above which the major step takes the listed size. Past the last row
// the 1-2-5 ladder goes on, so the tick count stays bounded for any range.
struct StepRow {
    double above;
    double step;
};
const StepRow kMajorSteps[] = {
    {0.02, 2},       {0.05, 5},        {0.1, 10},        {0.2, 20},         {0.5, 50},
    {1, 100},        {2, 200},         {5, 500},         {10, 1000},        {20, 2000},
    {100, 10000},    {200, 20000},     {500, 50000},     {1000, 100000},    {2000, 200000},
    {5000, 500000},  {10000, 1000000}, {20000, 2000000}, {50000, 5000000},  {100000, 10000000},
    {200000, 20000000}, {500000, 50000000}, {1000000, 100000000},
};

double MajorStepFor(double e) {
    double step = 1;
    for (const StepRow& row : kMajorSteps)
        if (e > row.above) step = row.step;
    if (e > 1000000) {
        // Continue the ladder: above 2, 5, 10 × 10^k values per pixel, 200, 500, 1000 × 10^k.
        double decade = 1000000;
        while (std::isfinite(decade) && e > decade) {
            if (e > decade * 2) step = decade * 200;
            if (e > decade * 5) step = decade * 500;
            if (e > decade * 10) step = decade * 1000;
            decade *= 10;
        }
    }
    return step;
}

bool IsMultiple(double value, double step) {
    if (step <= 0) return true;
    return std::fmod(value, step) == 0;
}

void ShortenExponent(std::string& s) {
    size_t p = s.find("e+0");
    if (p == std::string::npos) p = s.find("e-0");
    if (p != std::string::npos) s.erase(p + 2, 1);
}

}  // namespace

void TicsLayout_cls::SetRange(int w, int h, float mn, float mx, int m) {
    width = w;
    height = h;
    minimum = mn;
    maximum = mx;
    margin = m;
    double r = std::fabs(static_cast<double>(mx) - static_cast<double>(mn));
    if (!std::isfinite(r)) r = 0;
    smallRange = r < 2;

    double e = w > 0 ? r / w : r;
    if (mx > 1000) e *= 2;

    labelDigits = 1;
    if (r > 0 && r < 1.01) {
        int n = 1;
        double g = 1;
        do {
            g /= 10;
            ++n;
        } while (r < 1.01 * g && n < 40);
        labelDigits = n;
    } else if (r == 0) {
        labelDigits = 2;
    }

    smallStep = 0.1;
    if (r > 0 && r < 0.5) {
        double f = 0.1;
        while (r < 5 * f && f > 0) f /= 10;
        smallStep = f > 0 ? f : 0.1;
    }
    if (r > 0) {
        if (r / smallStep > 10) smallStep *= 2;
        if (r / smallStep > 10) smallStep *= 5;
    }

    majorStep = MajorStepFor(e);
    minorStep = std::floor(majorStep / 10);
    if (minorStep < 1) minorStep = 1;
    if (majorStep == 1)
        middleStep = 1;
    else if (majorStep == 5)
        middleStep = 5;
    else
        middleStep = majorStep / 2;
}

void TicsLayout_cls::SetWindow(float start, float end) {
    windowStart = start;
    windowEnd = end;
}

double TicsLayout_cls::Position(double v) const {
    double span = static_cast<double>(maximum) - static_cast<double>(minimum);
    double ws = windowStart, we = windowEnd;
    if (!(we != ws) || !std::isfinite(we - ws)) {
        ws = 0;
        we = 1;
    }
    return ((v - minimum) / span - ws) / (we - ws) * (width - 2 * margin) + margin;
}

int TicsLayout_cls::PixelOf(double value) const {
    if (maximum == minimum) return 0;
    double p = Position(value);
    if (!(p == p)) return 0;
    const double lim = 1e9;
    p = std::max(-lim, std::min(lim, p));
    return static_cast<int>(p);  // truncation, as the ruler always did
}

void TicsLayout_cls::ValueToPixel(int& pixel0, int& pixel1, double value0, double value1) const {
    if (maximum == minimum) {
        pixel0 = 0;
        pixel1 = 1;
        return;
    }
    pixel0 = PixelOf(value0);
    pixel1 = PixelOf(value1);
}

std::string TicsLayout_cls::SmallLabel(double value, int digits) {
    std::string s;
    if (digits > 4) {
        s = platform::FormatE(value, 1);
    } else {
        s = platform::FormatF(value, digits);
        if (!s.empty() && s.back() == '0') s.pop_back();
    }
    ShortenExponent(s);
    return s;
}

std::string TicsLayout_cls::LargeLabel(double value, double step) {
    std::string s;
    if (step > 1000)
        s = platform::FormatE(value, 1);
    else if (std::fabs(value) < 9e18)
        s = platform::FormatInt(static_cast<long long>(value));
    else
        s = platform::FormatE(value, 1);
    ShortenExponent(s);
    return s;
}

std::vector<TicsMark> TicsLayout_cls::Marks() const {
    std::vector<TicsMark> marks;
    const double lo = std::min<double>(minimum, maximum);
    const double hi = std::max<double>(minimum, maximum);
    if (!std::isfinite(lo) || !std::isfinite(hi)) return marks;

    if (lo == hi) {
        // Everything maps to pixel 0: one labelled tick for the single value.
        TicsMark m;
        m.x = 0;
        m.length = 6;
        m.dark = true;
        m.label = SmallLabel(lo, labelDigits);
        marks.push_back(m);
        return marks;
    }

    // Only the values that can land inside 0..width are visited, however wide the range.
    double visLo = lo, visHi = hi;
    {
        double span = static_cast<double>(maximum) - static_cast<double>(minimum);
        double ws = windowStart, we = windowEnd;
        if (we != ws && std::isfinite(we - ws) && width - 2 * margin != 0) {
            // value at pixel p: minimum + span × (ws + (p − margin) / (width − 2 margin) × (we − ws))
            auto valueAt = [&](double p) {
                return minimum + span * (ws + (p - margin) / double(width - 2 * margin) * (we - ws));
            };
            double a = valueAt(-1), b = valueAt(width + 1);
            visLo = std::max(lo - 1, std::min(a, b));
            visHi = std::min(hi + 1, std::max(a, b));
        }
    }
    if (visLo > visHi) return marks;

    auto addMark = [&](double v, bool labelled, bool dark, const std::string& label) {
        int x = PixelOf(v);
        if (x < 0 || x > width) return;
        TicsMark m;
        m.x = x;
        m.length = labelled ? 6 : 3;
        m.dark = dark;
        m.label = label;
        marks.push_back(m);
    };

    const long long kMaxTicks = 100000;  // a safety net; the steps keep counts near the width
    if (smallRange) {
        const double s = smallStep;
        long long i0 = static_cast<long long>(std::trunc(lo / s)) - 1;
        long long i1 = static_cast<long long>(std::trunc(hi / s)) + 1;
        i0 = std::max(i0, static_cast<long long>(std::floor(visLo / s)) - 1);
        i1 = std::min(i1, static_cast<long long>(std::ceil(visHi / s)) + 1);
        if (i1 - i0 > kMaxTicks) return marks;
        for (long long i = i0; i <= i1; ++i) {
            double v = static_cast<double>(i) * s;
            addMark(v, true, true, SmallLabel(v, labelDigits));
        }
        return marks;
    }

    const double minor = minorStep;
    double first = std::max(std::trunc(lo) - 1, visLo);
    double last = std::min(std::trunc(hi) + 1, visHi);
    double k0 = std::ceil(first / minor), k1 = std::floor(last / minor);
    if (!(k1 - k0 <= kMaxTicks)) return marks;
    for (double k = k0; k <= k1; k += 1) {
        double c = k * minor + 0.0;  // no "-0" label
        bool dark = IsMultiple(c, middleStep);
        if (!IsMultiple(c, majorStep))
            addMark(c, false, dark, std::string());
        else
            addMark(c, true, dark, LargeLabel(c, majorStep));
    }
    return marks;
}
