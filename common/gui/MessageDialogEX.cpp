// Message box wide enough for its caption.
#include "common/gui/MessageDialogEX.h"

#include <wx/settings.h>
#include <wx/sizer.h>

namespace {

// The window manager's icon, its three buttons and the paddings of a title bar.
constexpr int kTitleBarExtras = 140;

}  // namespace

MessageDialogEX_cls::MessageDialogEX_cls(wxWindow* parent, const wxString& message, const wxString& caption,
                                         long style)
    : wxGenericMessageDialog(parent, message, caption, style) {}

int MessageDialogEX_cls::CaptionWidth() const {
    // Title bars show their text in a bold face, often larger than the controls' font.
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
    font.SetFractionalPointSize(font.GetFractionalPointSize() * 1.1);
    int width = 0, height = 0;
    GetTextExtent(GetTitle(), &width, &height, nullptr, nullptr, &font);
    return width + kTitleBarExtras;
}

void MessageDialogEX_cls::AddMessageDialogDetails(wxSizer* sizer) {
    // Called while the box is built: a strut as wide as the caption needs.
    sizer->Add(CaptionWidth(), 0);
}
