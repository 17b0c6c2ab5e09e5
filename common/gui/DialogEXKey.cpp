// Base of the program's dialogs.
#include "common/gui/DialogEXKey.h"

#include "common/gui/BestSize.h"
#include "common/gui/WidgetCommon.h"

#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

// In the static table so that a derived dialog's own Cancel handler (its table or a Bind)
// runs first; this one is the fallback.
wxBEGIN_EVENT_TABLE(wxDialogEXKey, wxDialog)
    EVT_BUTTON(wxID_CANCEL, wxDialogEXKey::OnCancelButton)
    EVT_CLOSE(wxDialogEXKey::OnCloseWindow)
wxEND_EVENT_TABLE()

wxDialogEXKey::wxDialogEXKey(wxWindow* parent, wxWindowID id, const wxString& title,
                             const wxPoint& pos, const wxSize& size, const wxBitmap* icon,
                             long style, const wxString& name)
    : wxDialog(parent, id, title, pos, size, style | wxFRAME_FLOAT_ON_PARENT, name) {
    SetBackgroundColour(wxColour("WHEAT"));
    // GTK gives key downs to the focused control, not to the dialog: Esc and Ctrl+W are
    // caught before any control sees them.
    Bind(wxEVT_CHAR_HOOK, &wxDialogEXKey::OnCharHook, this);
    Bind(wxEVT_KEY_DOWN, &wxDialogEXKey::OnKeyDown, this, GetId());
    // The layouts name widths chosen for another platform's font, and GTK's theme paddings
    // count only once the dialog is on screen: then every control gets what it needs.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) CallAfter([this] { FitToBestSizes(this); });
        event.Skip();
    });
    if (icon && icon->IsOk()) {
        wxIcon ico;
        ico.CopyFromBitmap(*icon);
        SetIcon(ico);
    }
}

wxDialogEXKey::~wxDialogEXKey() = default;

void wxDialogEXKey::OnCharHook(wxKeyEvent& event) {
    const int code = event.GetKeyCode();
    const bool esc = code == WXK_ESCAPE && !event.HasAnyModifiers();
    const bool ctrlW = (code == 'W' || code == 'w') &&
                       event.GetModifiers() == wxMOD_CONTROL && m_closeId != wxID_NONE;
    if (esc || ctrlW) {
        // As if Cancel was pressed; not skipped, so the toolkit does not close it a second time.
        wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
        cancel.SetEventObject(this);
        GetEventHandler()->AddPendingEvent(cancel);
        return;
    }
    event.Skip();
}

void wxDialogEXKey::OnKeyDown(wxKeyEvent& event) {
    ShortcutForwarder_cls::Forward(event);
    event.Skip();
}

void wxDialogEXKey::OnCancelButton(wxCommandEvent&) { CloseDialog(wxID_CANCEL); }

void wxDialogEXKey::OnCloseWindow(wxCloseEvent& event) {
    if (!event.CanVeto()) {
        Destroy();
        return;
    }
    // The close box takes the Cancel road (a derived dialog's handler first).
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    cancel.SetEventObject(this);
    GetEventHandler()->ProcessEvent(cancel);
}

void wxDialogEXKey::CloseDialog(int returnCode) {
    if (m_geometry) {
        const wxPoint p = GetPosition();
        const wxSize s = GetSize();
        m_geometry->x = p.x;
        m_geometry->y = p.y;
        m_geometry->width = s.x;
        m_geometry->height = s.y;
    }
    if (IsModal())
        EndModal(returnCode);
    else
        Hide();
}

void wxDialogEXKey::Relayout() {
    if (wxSizer* sizer = GetSizer()) {
        sizer->Layout();
        sizer->SetSizeHints(this);
        Layout();
    }
    Refresh(false);
}

wxBoxSizer* wxDialogEXKey::CreateCenteredLabel(wxWindow* parent, const wxString& text) {
    auto* box = new wxBoxSizer(wxVERTICAL);
    box->AddStretchSpacer(1);
    box->Add(new wxStaticText(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, 0,
                              "staticText"),
             0, 0);
    box->AddStretchSpacer(1);
    return box;
}
