// Texture uploads from bytes, images, files and canvases.
#include "view/gui/GLTexture.h"

#include <GL/gl.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/log.h>

#include <vector>

namespace {

void SetClampLinear() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

}  // namespace

void EnsureImageHandlers() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_TIFF)) wxImage::AddHandler(new wxTIFFHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_GIF)) wxImage::AddHandler(new wxGIFHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_TGA)) wxImage::AddHandler(new wxTGAHandler);
}

GLTexture_cls::GLTexture_cls() = default;
GLTexture_cls::~GLTexture_cls() = default;

void GLTexture_cls::Delete() {
    if (name == 0) return;
    GLuint n = name;
    glDeleteTextures(1, &n);
}

void GLTexture_cls::Release() {
    Delete();
    name = 0;
}

void GLTexture_cls::Bind() const {
    glBindTexture(GL_TEXTURE_2D, name);
}

void GLTexture_cls::UploadRGBA(const unsigned char* bytes, int width, int height) {
    if (name == 0) {
        GLuint n = 0;
        glGenTextures(1, &n);
        name = n;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    SetClampLinear();
    GLint align = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // RGBA rows are always whole words
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes);
    glPixelStorei(GL_UNPACK_ALIGNMENT, align);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void GLTexture_cls::UploadImage(const wxImage& image) {
    if (!image.IsOk()) return;
    if (name == 0) {
        GLuint n = 0;
        glGenTextures(1, &n);
        name = n;
    }
    const int w = image.GetWidth(), h = image.GetHeight();
    glBindTexture(GL_TEXTURE_2D, name);
    SetClampLinear();
    GLint align = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    const unsigned char* rgb = image.GetData();
    if (image.HasAlpha()) {
        const unsigned char* a = image.GetAlpha();
        std::vector<unsigned char> bytes(size_t(4) * w * h);
        for (size_t p = 0; p < size_t(w) * h; ++p) {
            bytes[4 * p] = rgb[3 * p];
            bytes[4 * p + 1] = rgb[3 * p + 1];
            bytes[4 * p + 2] = rgb[3 * p + 2];
            bytes[4 * p + 3] = a[p];
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    } else {
        // wxImage rows are packed: three bytes per pixel, no padding. GL's default row
        // alignment of 4 only matches that when the width is a multiple of 4.
        glPixelStorei(GL_UNPACK_ALIGNMENT, w % 4 == 0 ? 4 : 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, align);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool GLTexture_cls::LoadFile(const std::string& path, bool mirror) {
    if (path == "NONE") return false;
    EnsureImageHandlers();
    wxImage image;
    {
        wxLogNull quiet;  // the caller reports a failed load
        if (!image.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_ANY)) return false;
    }
    if (mirror) image = image.Mirror(false);
    UploadImage(image);
    return true;
}

wxDC* GLTexture_cls::CreateCanvas(int width, int height) {
    dc_.reset();
    canvasWidth = width > 0 ? width : 1;
    canvasHeight = height > 0 ? height : 1;
    bitmap_ = std::make_unique<wxBitmap>(canvasWidth, canvasHeight);
    dc_ = std::make_unique<wxMemoryDC>(*bitmap_);
    return dc_.get();
}

void GLTexture_cls::UploadCanvas() {
    if (!bitmap_) return;
    dc_.reset();  // deselects the bitmap so that it can be read
    const wxImage image = bitmap_->ConvertToImage();
    bitmap_.reset();
    if (!image.IsOk()) return;
    const int w = image.GetWidth(), h = image.GetHeight();
    const unsigned char* rgb = image.GetData();
    std::vector<unsigned char> bytes(size_t(2) * w * h);
    for (size_t p = 0; p < size_t(w) * h; ++p) {
        bytes[2 * p] = rgb[3 * p];
        bytes[2 * p + 1] = 255;
    }
    if (name == 0) {
        GLuint n = 0;
        glGenTextures(1, &n);
        name = n;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    SetClampLinear();
    GLint align = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, w, h, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, bytes.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, align);
    glBindTexture(GL_TEXTURE_2D, 0);
}
