// The time text and legend overlays.
#include "view/gui/OverlayRenderer.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/image.h>

#include <memory>

#include "common/gui/Tics.h"
#include "filters/ColorCurve.h"
#include "filters/gui/ColorCurveBtn.h"
#include "view/OverlaySettings.h"

namespace {

wxFontFamily FamilyOf(unsigned family) {
    switch (family) {
        case 1: return wxFONTFAMILY_DECORATIVE;
        case 2: return wxFONTFAMILY_ROMAN;
        case 3: return wxFONTFAMILY_SCRIPT;
        case 4: return wxFONTFAMILY_SWISS;
        case 5: return wxFONTFAMILY_MODERN;
        case 6: return wxFONTFAMILY_TELETYPE;
        default: return wxFONTFAMILY_DEFAULT;  // 0, and 7 whose face is named
    }
}

// The overlay's 2-D set-up: a W x H projection with y upwards, textures modulated by white.
void Begin2D(int w, int h) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, w, h);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1, 1, 1, 1);
}

void End2D() {
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

// A quad from (x0, y0) to (x1, y1) with the image's top row at the top.
void Quad(int x0, int y0, int x1, int y1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2i(x0, y0);
    glTexCoord2f(1, 1);
    glVertex2i(x1, y0);
    glTexCoord2f(1, 0);
    glVertex2i(x1, y1);
    glTexCoord2f(0, 0);
    glVertex2i(x0, y1);
    glEnd();
}

struct Renderers {
    std::unique_ptr<OverlayRenderer_cls> time, legend;
    const OverlaySettings_cls* settings = nullptr;
};

Renderers& TheRenderers() {
    static Renderers r;
    return r;
}

}  // namespace

OverlayRenderer_cls::OverlayRenderer_cls(const OverlaySettings_cls* s) : settings(s) {}

OverlayRenderer_cls::~OverlayRenderer_cls() {
    if (glXGetCurrentContext()) {
        for (unsigned& t : textures)
            if (t) glDeleteTextures(1, &t), t = 0;
    }
}

void OverlayRenderer_cls::MakeTexture1() {
    if (!textures[0]) glGenTextures(1, &textures[0]);
}

void OverlayRenderer_cls::MakeTextures4() {
    for (unsigned& t : textures)
        if (!t) glGenTextures(1, &t);
}

void OverlayRenderer_cls::ReleaseBuffer() {
    staging.clear();
    staging.shrink_to_fit();
    stagingWidth = stagingHeight = 0;
}

bool OverlayRenderer_cls::SetPosition(unsigned position, int row, int w, int h) {
    return OverlayCorner(position, row, w, h, x, y);
}

wxImage OverlayRenderer_cls::PaintTimeText(double time) const {
    wxBitmap bitmap(kOverlayTimeWidth, kOverlayTimeHeight, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        const unsigned family = settings->FontFamily();
        wxFontInfo info(settings->FontPoint());
        info.Family(FamilyOf(family)).Light();
        if (family == 7) info.FaceName(settings->FontFace());
        dc.SetFont(wxFont(info));
        dc.SetTextForeground(*wxWHITE);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.DrawText(OverlayTimeText(settings->timeTag.text, time), 0, 0);
    }
    return bitmap.ConvertToImage();
}

wxImage OverlayRenderer_cls::PaintLegend(const ColorCurve_cls& record) const {
    wxBitmap bar(kLegendWidth, kLegendBarHeight, 24);
    {
        wxMemoryDC dc(bar);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        PaintSwatch(record, dc, false, kLegendBarHeight, settings->ignoreAlpha.value != 0);
    }
    wxBitmap ruler(kLegendWidth, kLegendTicsHeight, 24);
    {
        wxMemoryDC dc(ruler);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        if (settings->ignoreTics.value != 1) {
            Tics_cls tics;
            tics.SetColours(*wxBLACK, wxColour(192, 192, 192), *wxWHITE);
            tics.SetRange(wxSize(kLegendWidth, kLegendTicsHeight), record.scalingMin.value,
                          record.scalingMax.value, 1);
            tics.DrawTics(dc);
        }
    }
    // The bar on top of the ruler.
    wxImage image(kLegendWidth, kLegendHeight);
    image.Paste(bar.ConvertToImage(), 0, 0);
    image.Paste(ruler.ConvertToImage(), 0, kLegendBarHeight);
    return image;
}

void OverlayRenderer_cls::ImagesToRGBA(const wxImage& image) {
    stagingWidth = image.GetWidth();
    stagingHeight = image.GetHeight();
    const size_t n = size_t(stagingWidth) * stagingHeight;
    staging.assign(4 * n, 0);
    const unsigned char* rgb = image.GetData();
    for (size_t i = 0; i < n; ++i) {
        const unsigned char r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
        staging[4 * i] = r;
        staging[4 * i + 1] = g;
        staging[4 * i + 2] = b;
        staging[4 * i + 3] = (r | g | b) ? 255 : 0;
    }
}

void OverlayRenderer_cls::Upload(unsigned texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, stagingWidth, stagingHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 staging.data());
    ReleaseBuffer();
}

void OverlayRenderer_cls::DrawTime(double time, int w, int h) {
    if (!settings || !settings->ShowsTime() || w <= 0 || h <= 0) return;
    if (!SetPosition(settings->timePos.value, 0, w, h)) return;
    MakeTexture1();
    ImagesToRGBA(PaintTimeText(time));
    Begin2D(w, h);
    Upload(textures[0]);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // added onto the picture
    Quad(x, y - 14, x + kOverlayTimeWidth, y + 26);
    End2D();
}

void OverlayRenderer_cls::DrawLegends(const ColorCurve_cls* const records[4], int w, int h) {
    if (!settings || w <= 0 || h <= 0) return;
    const std::vector<LegendPlacement> placements = settings->LegendPlacements(w, h);
    if (placements.empty()) return;
    MakeTextures4();
    Begin2D(w, h);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const LegendPlacement& p : placements) {
        const ColorCurve_cls* record = records ? records[p.type] : nullptr;
        if (!record) continue;
        ImagesToRGBA(PaintLegend(*record));
        Upload(textures[p.type]);
        x = p.x;
        y = p.y;
        Quad(x, y, x + kLegendWidth, y + kLegendHeight);
    }
    End2D();
}

void DrawOverlays(int, int w, int h, const OverlaySettings_cls& settings, double time,
                  const ColorCurve_cls* const records[4]) {
    Renderers& r = TheRenderers();
    if (r.settings != &settings || !r.time) {
        r.time = std::make_unique<OverlayRenderer_cls>(&settings);
        r.legend = std::make_unique<OverlayRenderer_cls>(&settings);
        r.settings = &settings;
    }
    r.time->DrawTime(time, w, h);
    r.legend->DrawLegends(records, w, h);
}

void ReleaseOverlayRenderers() {
    Renderers& r = TheRenderers();
    r.time.reset();
    r.legend.reset();
    r.settings = nullptr;
}
