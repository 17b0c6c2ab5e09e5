// The program's own snapshot of a view, saved as a user saves it and read back, for the
// window tests that look at the picture the program writes.
#pragma once

#include <gtest/gtest.h>

#include <wx/image.h>

#include <cstdint>
#include <string>

#include "app/gui/TopHalfPanel.h"
#include "tests/app/gui/ShellFixture.h"
#include "view/ImageSaver.h"
#include "view/Snap.h"
#include "view/gui/MainGLCanvas.h"

namespace shelltest {

/// Redraws the views until `view` has drawn a frame of `particles` particles.
inline bool RedrawUntilDrawn(Shell& shell, MainGLCanvas_cls* view, int64_t particles) {
    const int drawn = view->DrawCount();
    shell.frame->GetTopPanel()->RedrawViews();
    return testsupport::PumpUntil(
        [&] { return view->DrawCount() > drawn && GpSnap && GpSnap->count == particles; }, 20000);
}

/// Asks `view` for a snapshot, answers the file question with `path`, waits for the file and
/// reads it into `picture`.
inline void SaveSnapshot(Shell& shell, MainGLCanvas_cls* view, const std::string& path, wxImage& picture) {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    shell.prompts.fileAnswer = wxID_OK;
    shell.prompts.filePath = wxString::FromUTF8(path);
    view->RequestSnapshot();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !shell.prompts.fileQuestions.empty(); }, 20000));
    GoImageSaver.WaitForWriter();
    picture.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(picture.IsOk());
}

}  // namespace shelltest
