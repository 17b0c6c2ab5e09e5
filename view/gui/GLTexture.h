// A 2-D texture holder: uploads raw RGBA, images and image files, and text canvases drawn
// with a wxMemoryDC.
#pragma once

#include <memory>
#include <string>

class wxBitmap;
class wxDC;
class wxImage;
class wxMemoryDC;

/// Registers the PNG, JPEG, TIFF, GIF and TGA image handlers that are not registered yet
/// (registering one twice only logs a complaint). GUI thread.
void EnsureImageHandlers();

/// Owns at most one GL texture name (0 = none) and, between CreateCanvas and UploadCanvas,
/// a canvas bitmap. GUI thread with the shared context current for every GL call. The
/// destructor does not delete the GL texture (the context may be gone); call Release.
class GLTexture_cls {
public:
    GLTexture_cls();
    ~GLTexture_cls();
    GLTexture_cls(const GLTexture_cls&) = delete;
    GLTexture_cls& operator=(const GLTexture_cls&) = delete;

    /// Deletes the GL texture when there is one (the name is kept).
    void Delete();
    /// Deletes the GL texture and sets the name to 0.
    void Release();
    /// glBindTexture(GL_TEXTURE_2D, name).
    void Bind() const;

    /// Creates the name when 0 and uploads `width` x `height` RGBA bytes (rows bottom-up as
    /// GL reads them), clamp-to-edge and linear filtering; leaves no texture bound.
    void UploadRGBA(const unsigned char* bytes, int width, int height);
    /// Uploads an image: RGBA from its colours and alpha when it has alpha, else GL_RGB
    /// straight from its data (unpack alignment 1 when the width is not a multiple of 4).
    /// Rows are uploaded in the image's order (top row first at t = 0).
    void UploadImage(const wxImage& image);
    /// Loads `path` (type detected from the file; "NONE" loads nothing) and uploads it,
    /// flipped top to bottom with `mirror`. False, and the texture unchanged, when the
    /// file cannot be loaded.
    bool LoadFile(const std::string& path, bool mirror);

    /// Makes a `width` x `height` canvas and returns the DC to draw on (owned here, valid
    /// until UploadCanvas).
    wxDC* CreateCanvas(int width, int height);
    /// Uploads the canvas as GL_LUMINANCE_ALPHA (luminance = red, alpha 255) and frees it.
    /// Nothing when there is no canvas.
    void UploadCanvas();

    unsigned int name = 0;  ///< GL texture name, 0 = none
    int canvasWidth = 0, canvasHeight = 0;

private:
    std::unique_ptr<wxBitmap> bitmap_;
    std::unique_ptr<wxMemoryDC> dc_;
};
