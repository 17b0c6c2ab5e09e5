// Image-sequence naming, numbering and the frames a run writes.
#include "view/CaptureSequence.h"

#include <wx/translation.h>

#include "common/PathParts.h"
#include "common/UserPattern.h"
#include "platform/ProgramPaths.h"

CaptureSequence_cls* GpCaptureSequence = nullptr;

CaptureSequence_cls::CaptureSequence_cls(const wxString& directory) {
    group.Register(&initialNumber, "ImgSequenceInitNum=", "0");
    // As the dialog's spin controls allow: a damaged file cannot ask for huge images.
    outputWidth.SetRange(0, 4096);
    outputHeight.SetRange(0, 4096);
    group.Register(&outputWidth, "ImgSequenceOutputWidth=", "640");
    group.Register(&outputHeight, "ImgSequenceOutputHeight=", "480");
    wxString dir = directory.empty() ? wxString::FromUTF8(platform::WorkingDirectory()) : directory;
    if (!dir.empty() && dir.Last() == '/') dir.RemoveLast();
    // The folder is file-name text: a '%' in it must stay literal in the pattern.
    dir.Replace("%", "%%");
    files.SetPath(dir + "/Preview%04d.png");
}

void CaptureSequence_cls::SetViewSize(int width, int height, float angle, bool alsoOutput) {
    previewWidth = width;
    previewHeight = height;
    previewAngle = angle;
    if (alsoOutput) {
        outputWidth.value = width;
        outputHeight.value = height;
    }
    ViewSizeChanged();
}

void CaptureSequence_cls::SetPathFromSnapshot(const wxString& path) {
    if (path.empty() || path == "None") return;
    const PathParts_cls parts(path);
    // Folder, name and extension stand around a number field: their '%' are escaped.
    auto escaped = [](wxString text) {
        text.Replace("%", "%%");
        return text;
    };
    const wxString folder = path.Find('/') == wxNOT_FOUND ? wxString() : escaped(parts.directory) + "/";
    if (parts.name == "snapshot") {
        files.SetPath(folder + "preview%04d" + escaped(parts.extension));
        return;
    }
    files.SetPath(path);
    // A single image's name is numbered: a sequence of it would otherwise be refused.
    if (files.digitCount == -1 && !parts.name.empty())
        files.SetPath(folder + escaped(parts.name) + "%04d" + escaped(parts.extension));
}

CaptureSequence_cls::PatternState CaptureSequence_cls::CheckPattern(wxString* message) const {
    if (files.path.empty() || PathParts_cls(files.path).name.empty()) {
        if (message) *message = wxGetTranslation("The file name is empty.");
        return PATTERN_EMPTY;
    }
    if (files.digitCount == -1) {
        if (message) *message = wxGetTranslation("Not Sequence. Append 4-digit tag ?");
        return PATTERN_NOT_NUMBERED;
    }
    if (message) message->clear();
    return PATTERN_OK;
}

wxString CaptureSequence_cls::FileNameFor(int stepIndex, int eye) const {
    const int side = (eye == 1 || eye == 2) ? eye : 0;
    return files.FileName(static_cast<long long>(stepIndex) + initialNumber.value, side);
}

wxString CaptureSequence_cls::FrameFileName() const { return FileNameFor(lastIndex, lastEye); }

bool CaptureSequence_cls::WouldSave(int stepIndex, int eye) const {
    if (eye >= 0 && eye < 7) return !(lastIndexOfEye[eye] >= 0 && stepIndex < lastIndexOfEye[eye]);
    return !(eye == lastEye && stepIndex < lastIndex);
}

bool CaptureSequence_cls::CheckOutputSize(wxString* message) const {
    if (outputWidth.value >= 1 && outputHeight.value >= 1) return true;
    if (message)
        *message = wxString::Format(wxGetTranslation("The output size %d x %d has no pixels: "
                                                     "width and height must be at least 1."),
                                    outputWidth.value, outputHeight.value);
    return false;
}

bool CaptureSequence_cls::SaveFrame(ImageSaver_cls& saver, CapturedPixels view,
                                    CapturedPixels overlay, int stepIndex, int eye,
                                    bool sideBySide) {
    if (!CheckOutputSize()) return false;
    if (!WouldSave(stepIndex, eye)) return true;
    lastIndex = stepIndex;
    lastEye = eye;
    if (eye >= 0 && eye < 7) lastIndexOfEye[eye] = stepIndex;
    return saver.SaveFBO(std::move(view), std::move(overlay), outputWidth.value, outputHeight.value,
                         FrameFileName(), sideBySide);
}
