// The image-sequence controller: menu command, start and end of a run.
#include "view/gui/ImgSequence.h"

#include <wx/log.h>
#include <wx/translation.h>

#include "common/CommandIds.h"
#include "common/CommandHistory.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/MultiInputPanel.h"
#include "common/gui/WidgetCommon.h"
#include "platform/ProgramPaths.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/gui/ImgSequenceGUI.h"
#include "view/gui/MainGLCanvas.h"

namespace {

wxBitmap LoadIcon() {
    wxBitmap bmp;
    const std::string path = platform::FindProgramData("ICONS/ImgSequence.png");
    if (!platform::PathExists(path)) return bmp;
    wxLogNull quiet;
    bmp.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    return bmp;
}

}  // namespace

ImgSequence_cls::ImgSequence_cls(wxWindow* f, TimeCtrl_cls* t, const wxString& directory)
    : CaptureSequence_cls(directory), time(t), frame(f) {
    icon = LoadIcon();
    CreateGUI(frame);
}

ImgSequence_cls::~ImgSequence_cls() {
    if (GpCaptureSequence == this) GpCaptureSequence = nullptr;
    // The dialog is a child of the frame: destroyed with it, or here when the frame lives on.
    if (gui) {
        gui->owner = nullptr;  // the dialog outlives this object until the toolkit deletes it
        gui->SetGeometryStore(nullptr);
        gui->Destroy();
    }
    gui = nullptr;
}

void ImgSequence_cls::CreateGUI(wxWindow* f) {
    gui = new ImgSequenceGUI_cls(this, f, wxPoint(x, y), wxSize(width, height));
    SetGUI(gui);
}

namespace {
bool GbCaptureViewAvailable = false;
}  // namespace

bool ImgSequence_cls::CaptureViewAvailable() { return GbCaptureViewAvailable; }

void ImgSequence_cls::SetCaptureViewAvailable(bool available) {
    GbCaptureViewAvailable = available;
}

wxString ImgSequence_cls::CaptureUnavailableReason() {
    if (GbCaptureViewAvailable) return wxString();
    return wxGetTranslation(
        "Image sequences are written by the main view, which this version does not have yet.");
}

void ImgSequence_cls::UpdateGUI(bool) {
    if (gui && gui->panel) gui->panel->UpdateWidgets(MI_ALL_ITEMS);
    if (gui) gui->UpdateRenderButtons();
}

void ImgSequence_cls::ViewSizeChanged() {
    if (gui && gui->IsShown()) UpdateGUI(false);
}

void ImgSequence_cls::OpenFromMenu(int viewWidth, int viewHeight, float viewAngle,
                                   const wxString& lastSnapshot) {
    SetViewSize(viewWidth, viewHeight, viewAngle, false);
    if (time) initialNumber.value = static_cast<int>(time->workAreaMin.value);
    GpCaptureSequence = this;
    SetPathFromSnapshot(lastSnapshot);
    Show(frame);
}

void ImgSequence_cls::StartRun(wxWindow* parent) {
    if (!running) return;  // only a button of the dialog asks for a run
    const wxString caption = wxGetTranslation("Save Image Sequence");
    // A run is written from the main view: it should follow the camera path and show the
    // scene without its editing items; each question's No keeps the view as it is.
    if (captureView && captureView->CameraChoice() < CAMERA_PATH &&
        AskYesNo(parent, caption, wxGetTranslation("Panel 0 is not linked to camera")))
        captureView->LinkToCameraPath();
    if (captureView && captureView->settings.showItems.value &&
        AskYesNo(parent, caption, wxGetTranslation("Items are shown. Hide them ?")))
        captureView->SetShowItems(false);
    if (time && time->animStep.value != 1) {
        wxString q = wxGetTranslation("Playing mode is Skipping: ");
        q << time->animStep.value << "\n" << wxGetTranslation("Change Skipping to 1 ?");
        if (AskYesNo(parent, caption, q)) {
            time->SetAnimStep(1);  // directly: a run's set-up is not an edit
            time->RefreshPanels();
        }
    }
    if (drawOptions && drawOptions->downSizing.value != 1) {
        wxString q = wxGetTranslation("Partiecles are downsized.");
        q << "\n" << wxGetTranslation("Show full particles?");
        if (AskYesNo(parent, caption, q)) {
            drawOptions->downSizing.value = 1;  // directly, as the skipping above
            GbSnapDataRefresh = true;           // the drawable frame holds the thinned set
            if (frame) WidgetCommon_cls::PostMenuCommand(frame, ID_DRAW_PAGES_REFRESH);
        }
    }
    GpCaptureSequence = this;
    if (captureView)
        captureView->BeginSequenceCapture(this);
    else
        BeginCapture();
    if (!time) return;
    if (snapOnly) {
        if (!time->IsPlaying()) time->TogglePlay(1);
    } else {
        GoCommandHistory.BeginBlock("");
        time->GoToLimit(-1);
        if (!time->IsPlaying()) time->TogglePlay(1);
        GoCommandHistory.EndBlock("");
    }
    if (time->useMotionBlur.value) time->StartMotionBlur();
}

void ImgSequence_cls::EndRun() {
    snapOnly = false;
    if (gui) gui->ResetRenderButton();
    running = false;
}

void ImgSequence_cls::AbortCapture() {
    if (frame) WidgetCommon_cls::PostMenuCommand(frame, ID_END_CAPTURE);
    EndRun();
}
