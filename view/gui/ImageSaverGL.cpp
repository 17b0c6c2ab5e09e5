// Image encoding, GL read-back, the snapshot question and failure reports.
#include "view/gui/ImageSaverGL.h"

#include <GL/gl.h>

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/translation.h>
#include <wx/window.h>

#include "common/gui/MessageHelpers.h"
#include "common/gui/UserPrompts.h"

bool ImageFileEncoder_cls::Encode(const wxString& path, ImageFileFormat format,
                                  const unsigned char* rgb, int width, int height, int jpegQuality,
                                  std::string& error) {
    wxBitmapType type = wxBITMAP_TYPE_INVALID;
    switch (format) {
        case IMG_FORMAT_PNG: type = wxBITMAP_TYPE_PNG; break;
        case IMG_FORMAT_JPEG: type = wxBITMAP_TYPE_JPEG; break;
        case IMG_FORMAT_TIFF: type = wxBITMAP_TYPE_TIFF; break;
        case IMG_FORMAT_BMP: type = wxBITMAP_TYPE_BMP; break;
        default: break;
    }
    if (type == wxBITMAP_TYPE_INVALID || !wxImage::FindHandler(type)) {
        error = "no image handler for this format";
        return false;
    }
    if (!rgb || width <= 0 || height <= 0) {
        error = "empty picture";
        return false;
    }
    // The image borrows the writer's buffer; it is not freed by the image.
    wxImage image(width, height, const_cast<unsigned char*>(rgb), true);
    if (!image.IsOk()) {
        error = "the picture could not be wrapped";
        return false;
    }
    image.SetOption(wxIMAGE_OPTION_QUALITY, jpegQuality);
    wxLogNull quiet;  // the failure is reported by the saver, once, on the GUI thread
    if (!image.SaveFile(path, type)) {
        error = "the file could not be written";
        return false;
    }
    return true;
}

void ImageFileEncoder_cls::RegisterHandlers() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_TIFF)) wxImage::AddHandler(new wxTIFFHandler);
}

ImageFileEncoder_cls& ImageFileEncoder_cls::Instance() {
    static ImageFileEncoder_cls encoder;
    return encoder;
}

void InstallImageSaving(ImageSaver_cls& saver) {
    ImageFileEncoder_cls::RegisterHandlers();
    saver.SetEncoder(&ImageFileEncoder_cls::Instance());
    ImageSaver_cls* target = &saver;
    saver.SetFinishedNotifier([target]() {
        // From the writer thread: the report itself runs on the GUI thread.
        if (wxTheApp) wxTheApp->CallAfter([target]() { ReportImageSaveFailures(*target); });
    });
}

void ReportImageSaveFailures(ImageSaver_cls& saver, wxWindow* parent) {
    saver.PollWriter();
    for (const wxString& message : saver.TakeFailures())
        ShowMessageBox(parent ? parent : wxTheApp ? wxTheApp->GetTopWindow() : nullptr, message,
                       "Error!");
}

CapturedPixels ReadGLPixels(int x, int y, int width, int height, int channels) {
    CapturedPixels out;
    if (width < 1 || height < 1) return out;
    if (channels != 4) channels = 3;
    out.Allocate(width, height, channels);
    if (!out.Valid()) return out;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                 out.bytes.data());
    return out;
}

CapturedPixels ReadGLTexture(unsigned texture, int width, int height, int channels) {
    CapturedPixels out;
    if (width < 1 || height < 1 || texture == 0) return out;
    if (channels != 4) channels = 3;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    // glGetTexImage writes the whole level at the texture's own size: a texture of another
    // size than the caller expects is read at its real size (and resampled or left
    // unblended by the saver), never past the buffer.
    GLint realW = 0, realH = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &realW);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &realH);
    if (realW < 1 || realH < 1) {
        glDisable(GL_TEXTURE_2D);
        return out;
    }
    out.Allocate(realW, realH, channels);
    if (!out.Valid()) {
        glDisable(GL_TEXTURE_2D);
        return out;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                  out.bytes.data());
    glDisable(GL_TEXTURE_2D);
    return out;
}

bool SaveSnapshotFromGL(ImageSaver_cls& saver, int width, int height) {
    CapturedPixels picture = ReadGLPixels(0, 0, ImageSaver_cls::SnapshotWidth(width), height, 3);
    if (!picture.Valid()) return false;
    return saver.SaveSnapshot(std::move(picture));
}

bool SelectSnapshotFile(ImageSaver_cls& saver, wxWindow* parent, const wxString& current) {
    FileQuestion q;
    q.message = wxGetTranslation("Select a image file to save");
    q.wildcard =
        "image(*.png;*.jpg;*.tiff)|*.png;*.jpg;*.tiff|png (*.png)|*.png|jpg (*.jpg)|*.jpg|tiff "
        "(*.tiff)|*.tiff";
    q.style = wxFD_SAVE | wxFD_OVERWRITE_PROMPT;
    ImageSaver_cls::ProposeSnapshot(current, q.directory, q.fileName);
    wxString path;
    if (UserPrompts_cls::Current().PickFile(parent, q, path) != wxID_OK) return false;
    saver.snapshotPath = path;
    return true;
}

bool SaveSequenceFrameFromGL(CaptureSequence_cls& sequence, ImageSaver_cls& saver,
                             unsigned viewTexture, int viewWidth, int viewHeight,
                             unsigned overlayTexture, int stepIndex, int eye, bool sideBySide) {
    if (!sequence.WouldSave(stepIndex, eye)) return true;
    CapturedPixels overlay;
    if (overlayTexture != 0)
        overlay = ReadGLTexture(overlayTexture, sequence.outputWidth.value, sequence.outputHeight.value, 4);
    CapturedPixels view = ReadGLTexture(viewTexture, viewWidth, viewHeight, 3);
    return sequence.SaveFrame(saver, std::move(view), std::move(overlay), stepIndex, eye, sideBySide);
}
