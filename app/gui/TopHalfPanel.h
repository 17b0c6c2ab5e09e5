// The upper panel of the main frame: the four OpenGL views in nested splitters (layouts
// "1 panel", "2 panelsV", "2 panelsH", "4 panelsA", "4 panelsB") and, beside them, the
// column of notebooks (attribute pages, option pages, filter pages). Also the floating
// frame of the fifth view ("Extra Panel").
#pragma once

#include <wx/frame.h>
#include <wx/panel.h>

#include <vector>

class AppCore_cls;
class FilterPanelPain_cls;
class GLCanvasCtrl_cls;
class MainGLCanvas_cls;
class ParticleAttrib_cls;
class wxBoxSizer;
class wxNotebook;
class wxScrolledWindow;
class wxSplitterWindow;

class TopHalfPanel_cls : public wxPanel {
public:
    /// Builds the splitters with views 0 to 3 (view 0 alone shown), and notebooks 9001
    /// (attribute pages), 9002 (the "Option", "Overlay", "Exposure" and "Info" pages of
    /// `core`, when it has them) and 9003 (filter pages).
    TopHalfPanel_cls(wxWindow* parent, wxWindow* frame, AppCore_cls* core);
    ~TopHalfPanel_cls() override;

    /// Layout 0 "1 panel", 1 "2 panelsV", 2 "2 panelsH", 3 "4 panelsA", 4 "4 panelsB";
    /// choosing the current one changes nothing; other values only store the index.
    void SetLayout(int layout);
    int Layout() const { return m_layout; }
    /// RefreshIfStale on views 0 to 3 (all asked); true when all four were current.
    bool AllViewsCurrent(int frame, int sub);
    /// Every view forgets its drawn frame and is refreshed without erasing.
    void RedrawViews();
    void ResetViewFrames();
    /// Adds an "Attrib <t>" page to notebook 9001 for a particle type's attributes.
    void AddAttribPage(ParticleAttrib_cls* attrib, const wxString& title);
    /// Every attribute page refreshes its controls (the colour buttons too) and shows the
    /// controls its settings use.
    void RefreshAttribPages();
    /// Shows and hides the dependent rows of every Attrib page for its current choices.
    void SyncAttribPages();

    MainGLCanvas_cls* View(int i) const { return (i >= 0 && i < 4) ? m_views[i] : nullptr; }
    /// The control bar of view i (0..3).
    GLCanvasCtrl_cls* Bar(int i) const { return (i >= 0 && i < 4) ? m_bars[i] : nullptr; }
    wxNotebook* AttribBook() const { return m_attribBook; }
    wxNotebook* OptionBook() const { return m_optionBook; }
    wxNotebook* FilterBook() const { return m_filterBook; }
    /// Filter page `i` (lists 0, 1, 2), or null.
    FilterPanelPain_cls* FilterPage(int i) const { return i >= 0 && i < 3 ? m_filterPages[i] : nullptr; }
    /// Lays the three filter pages out again and gives the filter notebook the height of
    /// the tallest page (within what the column has left).
    void RelayoutFilterPages();
    /// Lays the panel out again, the scrolled column of notebooks included.
    void LayoutAll();

private:
    wxSplitterWindow* m_outer;
    wxSplitterWindow* m_a;
    wxSplitterWindow* m_b;
    MainGLCanvas_cls* m_views[4];
    GLCanvasCtrl_cls* m_bars[4];
    wxNotebook* m_attribBook;
    std::vector<ParticleAttrib_cls*> m_attribs;  ///< those with a page, not owned
    /// Holds the column of notebooks; scrolls when the panel is shorter than the column.
    wxScrolledWindow* m_columnWin;
    wxBoxSizer* m_column;
    wxNotebook* m_optionBook;
    wxNotebook* m_filterBook;
    FilterPanelPain_cls* m_filterPages[3];
    int m_layout = -1;
};

/// The floating frame of the fifth view (view index 4): title "Extra", no close box, starts
/// hidden; shown and hidden by the View menu's "Extra Panel".
class GLExtraFrame_cls : public wxFrame {
public:
    GLExtraFrame_cls(wxWindow* frame);
    MainGLCanvas_cls* View() const { return m_view; }
    GLCanvasCtrl_cls* Bar() const { return m_bar; }

private:
    GLCanvasCtrl_cls* m_bar;
    MainGLCanvas_cls* m_view;
};
