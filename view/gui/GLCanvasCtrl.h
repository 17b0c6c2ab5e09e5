// The control bar around a view: camera choice, geometry choice, "Pivot Follows Anchor" and
// the M, I, G, D toggles across the top, the view filling the rest.
#pragma once

#include <wx/panel.h>

class MainGLCanvas_cls;
class wxCheckBox;
class wxComboBox;
class wxMenu;
class wxToggleButton;
class wxBoxSizer;

class GLCanvasCtrl_cls : public wxPanel {
public:
    /// Builds the bar and its view (index `viewIndex`, 0..3 upper views, 4 the extra view;
    /// `defaultChoice` its first camera choice). `frame` receives the view's commands.
    GLCanvasCtrl_cls(wxWindow* parent, wxWindow* frame, int viewIndex, int defaultChoice,
                     const wxString& name);
    ~GLCanvasCtrl_cls() override;

    MainGLCanvas_cls* View() const { return m_view; }

    /// Hands one configuration or project line to the view's settings.
    bool ReadConfig(const wxString& line);
    /// The view's settings lines.
    wxString WriteConfig() const;
    /// Toggles := ShowMessage, ShowItems, ShowGrid, ShowData.
    void SyncToggles();
    /// The combos show the view's camera choice and geometry; the check box PivotMode.
    void SyncChoices();
    /// Applies the combos' texts to the view: camera choice, geometry, and for "Cam0" the
    /// link to the camera path; the view becomes the main view and repaints.
    void ApplyChoices();

    /// Camera choice names, index = choice ("Cam0" for 7, "Copy of View 0" for 8).
    static wxString ChoiceName(int choice);
    /// Geometry names (translated), index = GLGeometry.
    static wxString GeometryName(int geometry);

    wxComboBox* CameraCombo() const { return m_camera; }
    wxComboBox* GeometryCombo() const { return m_geometry; }
    wxCheckBox* PivotCheck() const { return m_pivot; }
    wxToggleButton* Toggle(int i) const { return (i >= 0 && i < 4) ? m_toggles[i] : nullptr; }
    wxPanel* ControlRow() const { return m_row; }

private:
    /// ApplyChoices without making the view current or repainting it (a view's first draw).
    void ApplyCombos();
    void OnComboSelected(wxCommandEvent& event);
    /// Extra view: Alt+Enter hides the control row and goes full screen; Esc comes back.
    void OnExtraViewKey(int mask, int key);
    void OnPivotCheck(wxCommandEvent& event);
    void OnToggle(int which);
    void OnSize(wxSizeEvent& event);
    void OnRightDown(wxMouseEvent& event);
    /// Shows the controls that fit in a bar of w x h pixels.
    void FitRow(int w, int h);

    MainGLCanvas_cls* m_view = nullptr;
    int m_viewIndex;
    wxPanel* m_row = nullptr;
    wxComboBox* m_camera = nullptr;
    wxComboBox* m_geometry = nullptr;
    wxCheckBox* m_pivot = nullptr;
    wxToggleButton* m_toggles[4] = {};
    wxMenu* m_menu = nullptr;
    wxBoxSizer* m_rowSizer = nullptr;
    bool m_fullScreen = false;  ///< extra view in full screen: the row stays hidden
};
