// Overlay settings and the layout of the time text and the legends.
#include "view/OverlaySettings.h"

#include <cstdio>

bool OverlayCorner(unsigned position, int row, int w, int h, int& x, int& y) {
    switch (position) {
        case 0: x = 20, y = h - 36 * (row + 1); return true;
        case 1: x = w - 260, y = h - 36 * (row + 1); return true;
        case 2: x = 20, y = 20 + 36 * row; return true;
        case 3: x = w - 260, y = 20 + 36 * row; return true;
        default: return false;
    }
}

wxString OverlayTimeText(const wxString& tag, double time) {
    if (time == kNoFrameTime) return tag + "Not Defined";
    // The process keeps LC_NUMERIC at "C", so "%g" never writes a decimal comma.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", time);
    return tag + wxString::FromAscii(buf);
}

OverlaySettings_cls::OverlaySettings_cls() {
    timePos.SetRange(0, 4);
    fontFamily.SetRange(0, 7);
    fontPoint.SetRange(1, 500);  // a font of 0 points or fewer cannot be made
    legendPos.SetRange(0, 3);
    ignoreAlpha.SetRange(0, 1);
    ignoreTics.SetRange(0, 1);
    group.Register(&timePos, "OverLayTimePos=", "4");
    group.Register(&fontFamily, "OverLayTimeFontFamily=", "2");
    group.Register(&fontPoint, "OverLayTimeFontPoint=", "18");
    group.Register(&customFont, "OverLayTimeCustomFont=", "");
    customFont.text = wxString();  // an empty default leaves the item's placeholder text
    group.Register(&timeTag, "OverLayTimeTag=", "Time=");
    group.Register(&showLegend, "OverLayShowLegend=", "1 0 0 0");
    group.Register(&legendPos, "OverLayLegendPos=", "3");
    group.Register(&ignoreAlpha, "OverLayLegendIgnoreAlphe=", "0");
    group.Register(&ignoreTics, "OverLayLegendIgnoreTics=", "0");
}

OverlaySettings_cls::~OverlaySettings_cls() {
    if (releasePage) releasePage();
    page = nullptr;
}

wxString OverlaySettings_cls::WriteText() const { return group.WriteAll(); }

bool OverlaySettings_cls::ReadText(const wxString& line) { return group.OfferLine(line); }

std::vector<LegendPlacement> OverlaySettings_cls::LegendPlacements(int w, int h) const {
    std::vector<LegendPlacement> out;
    if (legendPos.value > 3) return out;
    int top = h - 36, bottom = 20;
    for (int i = 0; i < 4 && i < showLegend.count; ++i) {
        if (!showLegend.values[i]) continue;
        LegendPlacement p{i, 0, 0};
        switch (legendPos.value) {
            case 0: p.x = 20, p.y = top; break;
            case 1: p.x = w - 260, p.y = top; break;
            case 2: p.x = 20, p.y = bottom; break;
            default: p.x = w - 260, p.y = bottom; break;
        }
        out.push_back(p);
        top -= 36;
        bottom += 36;
    }
    return out;
}

wxString OverlaySettings_cls::FontFace() const {
    return FontFamily() == 7 ? customFont.text : wxString();
}
