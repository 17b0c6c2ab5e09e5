// Base of the program's dialogs: Esc and Ctrl+W close them through their Cancel road, a
// modeless one hides instead of being destroyed, and closing stores its geometry.
#pragma once

#include <wx/dialog.h>

class wxBoxSizer;

/// A dialog's remembered position and size (-1 = the toolkit's default).
struct DialogGeometry {
    int x = -1;
    int y = -1;
    int width = -1;
    int height = -1;
};

class wxDialogEXKey : public wxDialog {
public:
    /// `icon` may be null. The style gains wxFRAME_FLOAT_ON_PARENT; background "WHEAT".
    wxDialogEXKey(wxWindow* parent, wxWindowID id, const wxString& title,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  const wxBitmap* icon = nullptr,
                  long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER,
                  const wxString& name = wxDialogNameStr);
    ~wxDialogEXKey() override;

    /// The one way the program's dialogs close themselves: stores position and size in the
    /// geometry store (when set), ends a modal loop with `returnCode`, hides a modeless
    /// dialog (never destroys it).
    void CloseDialog(int returnCode);

    /// wxID_NONE switches Ctrl+W off; any other id (default wxID_CANCEL) leaves it on.
    void SetCloseId(int id) { m_closeId = id; }
    int GetCloseId() const { return m_closeId; }
    /// Where position and size are written at each close (not owned); null (default): none.
    void SetGeometryStore(DialogGeometry* store) { m_geometry = store; }
    DialogGeometry* GetGeometryStore() const { return m_geometry; }

    /// Lays the dialog out again after its content changed and fits it to its sizer.
    void Relayout();

    /// A vertical sizer holding `text` as a label centred vertically between two stretch
    /// spacers.
    static wxBoxSizer* CreateCenteredLabel(wxWindow* parent, const wxString& text);

    /// Key down on the dialog itself: forwarded to the main window's shortcuts
    /// (ShortcutForwarder_cls), then skipped on.
    void OnKeyDown(wxKeyEvent& event);

private:
    void OnCharHook(wxKeyEvent& event);
    void OnCancelButton(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);

    wxDECLARE_EVENT_TABLE();

    int m_closeId = wxID_CANCEL;
    DialogGeometry* m_geometry = nullptr;  ///< not owned: the controller's geometry
};
