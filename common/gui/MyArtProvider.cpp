// Icons of the program, read from "ICONS/" and resampled by area averaging.
#include "common/gui/MyArtProvider.h"

#include "platform/ProgramPaths.h"

#include <wx/filefn.h>
#include <wx/log.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include "platform/Trace.h"

namespace {

struct ArtRow {
    const char* id;
    const char* file;
};

const ArtRow kArt[] = {
    {"wxART_PLAY", "Play.png"},
    {"wxART_PLAY_BACK", "PlayBack.png"},
    {"wxART_STEP_FORWARD", "StepForward.png"},
    {"wxART_STEP_BACKWARD", "StepBackward.png"},
    {"wxART_STARTPOINT", "StartPoint2.png"},
    {"wxART_ENDPOINT", "EndPoint2.png"},
    {"wxART_LEFT", "left.png"},
    {"wxART_LEFT_DISABLED", "leftDisabled.png"},
    {"wxART_LEFT_HOVER", "leftHover.png"},
    {"wxART_RIGHT", "right.png"},
    {"wxART_RIGHT_DISABLED", "rightDisabled.png"},
    {"wxART_RIGHT_HOVER", "rightHover.png"},
    {"wxART_EXPAND_PLUS", "ZoomOut.png"},
    {"wxART_EXPAND_MINUS", "ZoomIm.png"},
    {"wxART_GRAPH_P", "GraphP.png"},
    {"wxART_GRAPH_N", "GraphN.png"},
    {"wxART_OPEN_FOLDER", "open.png"},
    {"wxART_CLOSE_FOLDER", "close.png"},
    {"wxART_LINKED", "Linked.png"},
    {"wxART_UNLINKED", "UnLinked.png"},
    {"wxART_KILROY_HERE", "KilroyHere.png"},
    {"wxART_KILROY_THERE", "KilroyThere.png"},
    {"wxART_ZOOM_IN", "ZoomIn.png"},
    {"wxART_ZOOM_OUT", "ZoomOut.png"},
    {"wxART_TIME_P", "timeP.png"},
    {"wxART_TIME_N", "timeN.png"},
    {"wxART_TIME_D", "timeD.png"},
    {"wxART_EYE_P", "eyeP.png"},
    {"wxART_EYE_N", "eyeN.png"},
};

// Area average of one channel over the source rectangle [x0, x1) × [y0, y1). Rows outside
// the image count as 0. Each step takes the rest of one pixel from the current position.
double AreaSample(const unsigned char* data, int stride, int offset, int w, int h, double x0,
                  double y0, double x1, double y1) {
    double sum = 0, total = 0;
    for (double y = y0; y < y1; y += 1) {
        const double f = std::min(y1, std::floor(y) + 1) - y;
        const long r = static_cast<long>(y);
        if (y < 0 || r > h - 1) {
            sum += (x1 - x0) * f;
            continue;
        }
        for (double x = x0; x < x1; x += 1) {
            const double g = (std::min(x1, std::floor(x) + 1) - x) * f;
            long c = static_cast<long>(x);
            if (c < 0) c = 0;
            if (c > w - 1) c = w - 1;
            sum += g;
            total += data[(static_cast<size_t>(r) * w + c) * stride + offset] * g;
        }
    }
    return sum > 0 ? total / sum : 0;
}

// Truncates a channel average; the tiny bias keeps a one-pixel average such as
// 105 × g / g = 104.99999... at 105.
unsigned char Channel(double v) {
    v += 1e-7;
    if (!(v > 0)) return 0;
    if (v >= 255) return 255;
    return static_cast<unsigned char>(v);
}

}  // namespace

MyArtProvider::MyArtProvider() {
    for (const ArtRow& row : kArt) RegisterArt(row.id, row.file);
}

MyArtProvider::~MyArtProvider() = default;

void MyArtProvider::RegisterArt(const wxString& id, const wxString& file) {
    m_ids.push_back(id);
    m_files.push_back(file);
}

wxString MyArtProvider::FileOf(const wxString& id) const {
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id) return m_files[i];
    return wxString();
}

wxSize MyArtProvider::DoGetSizeHint(const wxArtClient& client) {
    return wxArtProvider::GetNativeSizeHint(client);
}

wxBitmap MyArtProvider::CreateBitmap(const wxArtID& id, const wxArtClient&, const wxSize& size) {
    const wxString file = FileOf(id);
    if (file.empty()) return wxNullBitmap;
    const std::string path = platform::FindProgramData("ICONS/" + std::string(file.utf8_str()));
    wxImage image;
    if (wxFileExists(wxString::FromUTF8(path))) {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
        wxLogNull quiet;  // a broken file gives an invalid bitmap, not a log window
        image.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    }
    if (!image.IsOk()) return wxBitmap();
    if (size == wxDefaultSize || (size.x == image.GetWidth() && size.y == image.GetHeight()))
        return wxBitmap(image);
    const wxImage scaled = ResampleImage(image, size);
    if (!scaled.IsOk()) return wxBitmap();
    return wxBitmap(scaled);
}

void MaskToAlpha(wxImage& image) {
    if (!image.IsOk() || !image.HasMask()) return;
    if (image.HasAlpha()) platform::Trace("!!");
    const unsigned char mr = image.GetMaskRed(), mg = image.GetMaskGreen(), mb = image.GetMaskBlue();
    const int w = image.GetWidth(), h = image.GetHeight();
    const unsigned char* rgb = image.GetData();
    auto* alpha = static_cast<unsigned char*>(malloc(static_cast<size_t>(w) * h));
    for (long i = 0; i < static_cast<long>(w) * h; ++i) {
        const bool masked = rgb[3 * i] == mr && rgb[3 * i + 1] == mg && rgb[3 * i + 2] == mb;
        alpha[i] = masked ? 0 : 255;
    }
    image.SetMask(false);
    image.SetAlpha(alpha);  // the image takes the buffer (allocated with malloc)
}

wxImage ResampleImage(wxImage& source, const wxSize& size) {
    if (!source.IsOk() || size.x <= 0 || size.y <= 0) return wxImage();
    MaskToAlpha(source);
    const int w = source.GetWidth(), h = source.GetHeight();
    const int W = size.x, H = size.y;
    if (w <= 0 || h <= 0) return wxImage();
    const double k = (static_cast<double>(W) / H) / (static_cast<double>(w) / h);
    const unsigned char* rgb = source.GetData();
    const unsigned char* a = source.HasAlpha() ? source.GetAlpha() : nullptr;

    auto* out = static_cast<unsigned char*>(malloc(static_cast<size_t>(W) * H * 3));
    unsigned char* outAlpha = a ? static_cast<unsigned char*>(malloc(static_cast<size_t>(W) * H)) : nullptr;
    for (int i = 0; i < H; ++i) {
        const double y0 = ((static_cast<double>(i) / H - 0.5) * k + 0.5) * h;
        const double y1 = ((static_cast<double>(i + 1) / H - 0.5) * k + 0.5) * h;
        for (int j = 0; j < W; ++j) {
            const double x0 = static_cast<double>(j) / W * w;
            const double x1 = static_cast<double>(j + 1) / W * w;
            unsigned char* px = out + (static_cast<size_t>(i) * W + j) * 3;
            for (int ch = 0; ch < 3; ++ch)
                px[ch] = Channel(AreaSample(rgb, 3, ch, w, h, x0, y0, x1, y1));
            if (outAlpha)
                outAlpha[static_cast<size_t>(i) * W + j] =
                    Channel(AreaSample(a, 1, 0, w, h, x0, y0, x1, y1));
        }
    }
    wxImage result(W, H, out, false);  // takes both buffers
    if (outAlpha) result.SetAlpha(outAlpha, false);
    return result;
}
