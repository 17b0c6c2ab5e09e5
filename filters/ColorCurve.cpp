// Colour record: settings, curve evaluation, byte tables, project and POV-Ray text.
#include "filters/ColorCurve.h"

#include <algorithm>
#include <cmath>

#include "platform/FileNumbers.h"
#include "scene/PovText.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamKey.h"
#include "timeline/Parameter.h"

const char* const GoColorDependTypeNames[11] = {"VALUE1",      "Radius",      "Position",    "Position(X)",
                                                "Position(Y)", "Position(Z)", "Velocity",    "Velocity(X)",
                                                "Velocity(Y)", "Velocity(Z)", "ID"};

namespace {

constexpr uint64_t kCurveFlags = 0x3023;

unsigned char ToByte(float v) {
    // Truncation as the swatches and textures expect, but never wrapped: a channel above 1
    // is white, not black.
    const float b = v * 255.0f;
    if (!(b > 0.0f)) return 0;
    if (b >= 255.0f) return 255;
    return static_cast<unsigned char>(b);
}

// The curve reads a time of exactly -1 as "the current scene time"; a colour position of -1
// is a position like any other, so it is moved by one ulp towards 0 (the same value to
// every key layout: a key at -1 starts the segment just above it).
double CurvePosition(float x) { return x == -1.0f ? std::nextafter(-1.0, 0.0) : double(x); }

}  // namespace

ColorCurve_cls::ColorCurve_cls(const std::string& n, const wxString& l, const wxString& defaultColor, int keyCount,
                               const double (*keys)[5])
    : name(n), label(l) {
    const wxString prefix = wxString::FromUTF8(name.c_str());
    settings.Register(&useColorCurve, prefix + "UseColorCurve=", "0");
    settings.Register(&constantColor, prefix + "ConstantColor=", defaultColor);
    settings.Register(&scalingMin, prefix + "ScalingMin=", "0");
    settings.Register(&scalingMax, prefix + "ScalingMax=", "1");
    settings.Register(&dependType, prefix + "DependType=", "0");
    curve = new ParamGroup_cls(name + " ColorCurve", {"R", "G", "B", "A"}, kCurveFlags, 1);
    // The record's own start keys are not an edit of the user's: keep them out of the history.
    const unsigned char undo = GbParamUndoEnabled;
    GbParamUndoEnabled = 0;
    if (keyCount > 0 && keys) {
        for (int i = 0; i < keyCount; ++i)
            curve->SetKeyFrame({keys[i][1], keys[i][2], keys[i][3], keys[i][4]}, true, keys[i][0]);
    } else {
        curve->SetKeyFrame({0, 1, 0, 1}, true, 0.0);
        curve->SetKeyFrame({1, 0, 0, 1}, true, 1.0);
    }
    GbParamUndoEnabled = undo;
}

namespace {
void (*g_deleteObserver)(ColorCurve_cls*) = nullptr;
}  // namespace

void ColorCurve_cls::SetDeleteObserver(void (*observer)(ColorCurve_cls*)) { g_deleteObserver = observer; }

ColorCurve_cls::~ColorCurve_cls() {
    if (g_deleteObserver) g_deleteObserver(this);
    delete curve;
}

void ColorCurve_cls::ReadText(ParamTextStream_cls& stream, const std::string& line) {
    if (settings.OfferLine(wxString::FromUTF8(line.c_str())) && dependType.value > 10) dependType.value = 10;
    curve->ReadText(stream, line);
}

wxString ColorCurve_cls::WriteText() const {
    return settings.WriteAll() + wxString::FromUTF8(curve->WriteText().c_str());
}

void ColorCurve_cls::CopyFrom(const ColorCurve_cls& source, bool curveOnly) {
    curve->CopyFrom(*source.curve);
    if (!curveOnly) settings.CopyValuesFrom(source.settings);
}

void ColorCurve_cls::UpdateScaling() {
    offset = scalingMin.value;
    range = scalingMax.value - scalingMin.value;
    if (range == 0.0f) {
        range = 1.0f;
        scalingMax.value = scalingMin.value + 1.0f;
    }
}

void ColorCurve_cls::ColorAt(float x, float out[4]) const {
    if (useColorCurve.value) {
        curve->GetRGBAConst(CurvePosition(x), 0.0, out);
        return;
    }
    for (int k = 0; k < 4; ++k) out[k] = constantColor.values[k];
}

void ColorCurve_cls::ColorForValue(float value, float out[4]) const {
    if (useColorCurve.value) {
        const float x = (value - offset) / range;
        curve->GetRGBAConst(CurvePosition(x), 0.0, out);
        return;
    }
    for (int k = 0; k < 4; ++k) out[k] = constantColor.values[k];
}

void ColorCurve_cls::BuildColorTable(int entries) {
    entries = std::max(entries, 2);
    const int cells = entries - 1;
    colorTable_.assign(size_t(entries) * 4, 0.0f);
    directCell_.assign(size_t(cells), 0);
    for (int i = 0; i < entries; ++i)
        curve->GetRGBAConst(i == cells ? 1.0 : double(i) / cells, 0.0, &colorTable_[size_t(i) * 4]);
    constantBelow_ = constantAbove_ = true;
    const int channels = std::min(4, curve->ComponentCount());
    for (int c = 0; c < channels; ++c) {
        const Parameter_cls& p = curve->Component(c);
        if (!p.IsTimeDependent() || p.keys.empty()) continue;  // one value everywhere
        if (p.keys.front().time < 0.0) constantBelow_ = false;
        if (p.keys.back().time > 1.0) constantAbove_ = false;
        // Across a key the curve may bend or jump, which no line between two entries follows.
        // The cells on both sides are marked too: a key on an entry, or rounding of the
        // position, puts the change in either neighbour.
        for (const ParamKey_cls& k : p.keys) {
            if (!(k.time > -1.0 / cells && k.time < 1.0 + 1.0 / cells)) continue;
            const int at = int(std::floor(k.time * cells));
            for (int d = at - 1; d <= at + 1; ++d)
                if (d >= 0 && d < cells) directCell_[size_t(d)] = 1;
        }
    }
}

void ColorCurve_cls::ColorFromTable(float value, float out[4]) const {
    if (!useColorCurve.value || colorTable_.empty()) {
        ColorForValue(value, out);
        return;
    }
    const float x = (value - offset) / range;
    const int cells = int(directCell_.size());
    if (x > 0.0f && x < 1.0f) {
        const float u = x * float(cells);
        const int c = std::min(int(u), cells - 1);
        if (!directCell_[size_t(c)]) {
            const float f = u - float(c);
            const float* a = &colorTable_[size_t(c) * 4];
            for (int k = 0; k < 4; ++k) out[k] = a[k] + (a[k + 4] - a[k]) * f;
            return;
        }
    } else if (x <= 0.0f && constantBelow_) {
        std::copy_n(colorTable_.data(), 4, out);
        return;
    } else if (x >= 1.0f && constantAbove_) {
        std::copy_n(colorTable_.data() + size_t(cells) * 4, 4, out);
        return;
    }
    curve->GetRGBAConst(CurvePosition(x), 0.0, out);
}

std::vector<unsigned char> ColorCurve_cls::MakeTable(int count, int mode) const {
    std::vector<unsigned char> table(size_t(std::max(count, 0)) * 4);
    for (int i = 0; i < count; ++i) {
        float c[4];
        if (!useColorCurve.value) {
            for (int k = 0; k < 3; ++k) c[k] = constantColor.values[k];
            c[3] = 1.0f;
        } else {
            const float x = mode == 1 ? std::fabs(float(i) * 0.0078125f - 1.0f) : float(i) / 255.0f;
            curve->GetRGBAConst(CurvePosition(x), 0.0, c);
        }
        for (int k = 0; k < 4; ++k) table[size_t(i) * 4 + size_t(k)] = ToByte(c[k]);
    }
    return table;
}

wxString ColorCurve_cls::PovRGB() const { return PovVector3f("rgb", constantColor.values, 3); }

void ColorCurve_cls::PovColorMap(wxString& out, const wxString& indent) const {
    out << indent << "color_map{\n";
    int counter[4] = {0, 0, 0, 0};
    const int channels = std::min(4, curve->ComponentCount());
    double last = -1.0;
    for (;;) {
        int chosen = -1;
        double t = 99.0;
        for (int c = 0; c < channels; ++c) {
            const Parameter_cls& p = curve->Component(c);
            if (counter[c] >= p.GetKeyCount()) continue;
            const double kt = p.GetKeyTime(counter[c]);
            if (chosen < 0 || kt < t) {
                chosen = c;
                t = kt;
            }
        }
        if (chosen < 0) break;
        if (t != last) {
            float colour[4];
            ColorAt(float(t), colour);
            out << indent << "\t[" << wxString::FromAscii(platform::FormatG(t).c_str()) << " "
                << PovColor(colour, 3, true) << "]\n";
            last = t;
        }
        ++counter[chosen];
    }
    out << indent << "}\n";
}

void ColorCurve_cls::Flip() { curve->Flip(); }

void ColorCurve_cls::SwapRGB() { curve->Swap(3); }

wxString ColorCurve_cls::CopyColorText() const {
    wxString s = "COLOR=";
    for (int k = 0; k < 4; ++k) {
        if (k) s += " ";
        s += wxString::FromAscii(platform::FormatF(constantColor.values[k], 6).c_str());
    }
    return s + "\r\n";
}

bool ColorCurve_cls::ParseColorText(const wxString& text, float out[4]) {
    if (!text.StartsWith("COLOR=")) return false;
    ConfItemFLOATARRAY_cls item("COLOR=", "0.5 0.5 0.5 1");
    item.ParseLine(text);
    for (int k = 0; k < 4; ++k) out[k] = item.values[k];
    return true;
}
