// Upper panel layouts and the extra view frame.
#include "app/gui/TopHalfPanel.h"

#include <algorithm>

#include <wx/notebook.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/splitter.h>

#include <wx/textdlg.h>

#include "app/gui/AppCore.h"
#include "common/gui/MessageHelpers.h"
#include "common/gui/WidgetCommon.h"
#include "filters/gui/FilterPanelPain.h"
#include "timeline/gui/ParamGUICtrl.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"
#include "view/InfoSettings.h"
#include "view/OverlaySettings.h"
#include "view/ParticleAttrib.h"
#include "view/gui/ExposurePage.h"
#include "view/gui/InfoPage.h"
#include "view/gui/GLCanvasCtrl.h"
#include "view/gui/MainGLCanvas.h"
#include "view/gui/OptionPage.h"
#include "view/gui/OverlayPage.h"
#include "view/gui/ParticleAttribPanel.h"

namespace {

FilterPanelPain_cls* MakeFilterPage(wxWindow* book, wxWindow* frame, AppCore_cls* core, int list) {
    auto* page = new FilterPanelPain_cls(book, core ? core->GetFilterCtrl(list) : nullptr);
    page->hooks.selectFilter = [core](FilterBase_cls* f, bool clear) {
        if (core) core->SelectFilter(f, clear);
    };
    page->hooks.postCommand = [frame](int id) { WidgetCommon_cls::PostMenuCommand(frame, id); };
    page->hooks.askName = [page](const wxString& current) {
        return wxGetTextFromUser(wxGetTranslation("Name"), wxGetTranslation("Rename"), current, page);
    };
    page->hooks.reportError = [page](const wxString& message) {
        ShowMessageBox(page, message, wxGetTranslation("Warning"));
    };
    page->hooks.loadTexture = [core](TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* list) {
        if (core) core->LoadTexture(record, title, list);
    };
    page->paramPanel = [core]() { return core ? ParamGUICtrl_cls::Of(core->GetTimeCtrl()) : nullptr; };
    return page;
}

}  // namespace

TopHalfPanel_cls::TopHalfPanel_cls(wxWindow* parent, wxWindow* frame, AppCore_cls* core)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, "panel") {
    m_outer = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_3D, "splitter");
    m_a = new wxSplitterWindow(m_outer, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_3DSASH, "splitter");
    m_b = new wxSplitterWindow(m_outer, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_3DSASH, "splitter");
    for (wxSplitterWindow* s : {m_outer, m_a, m_b}) {
        s->SetSashGravity(0.5);
        s->SetMinimumPaneSize(20);
    }
    // View 0 first: it makes the GL context the others share.
    // Default camera choices: free camera, then the axis views of views 1 to 3.
    static const int kDefaultChoice[4] = {0, 6, 1, 3};
    for (int i = 0; i < 4; ++i) {
        m_bars[i] = new GLCanvasCtrl_cls(i < 2 ? m_a : m_b, frame, i, kDefaultChoice[i],
                                         wxString::Format("MainGLCanvas %d", i));
        m_views[i] = m_bars[i]->View();
    }
    GpCurrentCanvas = m_views[0];
    // The wheel and the mouse capture are routed among the four views.
    for (MainGLCanvas_cls* v : m_views) v->siblings.assign(m_views, m_views + 4);

    // The notebooks stand in a column that scrolls when the panel is too short for them
    // all: squeezed below its tabs a notebook makes GTK complain on the terminal.
    m_columnWin = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
    m_columnWin->SetScrollRate(0, 10);
    m_attribBook = new wxNotebook(m_columnWin, 9001);
    m_optionBook = new wxNotebook(m_columnWin, 9002);
    m_filterBook = new wxNotebook(m_columnWin, 9003);
    if (core && core->GetDrawOptions()) {
        DrawOptions_cls* options = core->GetDrawOptions();
        auto* holder = new wxPanel(m_optionBook);
        options->CreatePage(holder);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        options->page->CreateControls(sizer);
        holder->SetSizer(sizer);
        m_optionBook->AddPage(holder, wxGetTranslation("Option"));
    }
    if (core && core->GetOverlaySettings()) {
        OverlaySettings_cls* overlay = core->GetOverlaySettings();
        auto* holder = new wxPanel(m_optionBook);
        overlay->CreatePage(holder);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        overlay->page->CreateControls(sizer);
        holder->SetSizer(sizer);
        m_optionBook->AddPage(holder, wxGetTranslation("Overlay"));
    }
    if (core && core->GetExposureSettings()) {
        ExposureSettings_cls* exposure = core->GetExposureSettings();
        auto* holder = new wxPanel(m_optionBook);
        exposure->CreatePage(holder);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        exposure->page->CreateControls(sizer);
        holder->SetSizer(sizer);
        m_optionBook->AddPage(holder, wxGetTranslation("Exposure"));
    }
    if (core && core->GetInfoSettings()) {
        InfoSettings_cls* info = core->GetInfoSettings();
        auto* holder = new wxPanel(m_optionBook);
        info->CreatePage(holder);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        info->page->CreateControls(sizer);
        holder->SetSizer(sizer);
        m_optionBook->AddPage(holder, wxGetTranslation("Info"));
    }
    static const char* const kFilterTitles[3] = {"Boolean", "Object", "World"};
    for (int i = 0; i < 3; ++i) {
        m_filterPages[i] = MakeFilterPage(m_filterBook, frame, core, i);
        m_filterBook->AddPage(m_filterPages[i], wxGetTranslation(kFilterTitles[i]));
    }

    m_column = new wxBoxSizer(wxVERTICAL);
    m_column->Add(m_attribBook, 0, wxEXPAND);
    m_column->Add(m_optionBook, 0, wxEXPAND);
    // The filter notebook takes the rest of the column; it is never squeezed below the
    // height of its tabs and an empty page (GTK complains about smaller notebooks).
    m_filterBook->SetMinSize(wxSize(232, 128));
    m_column->Add(m_filterBook, 1, wxEXPAND);
    m_columnWin->SetSizer(m_column);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(m_outer, 1, wxEXPAND);
    row->Add(m_columnWin, 0, wxEXPAND);
    SetSizer(row);
    // Until a data sequence brings its attribute pages the notebook has nothing to show
    // (an empty notebook squeezed by the column makes GTK complain).
    m_attribBook->Hide();
    SetLayout(0);
    LayoutAll();
}

TopHalfPanel_cls::~TopHalfPanel_cls() = default;

void TopHalfPanel_cls::AddAttribPage(ParticleAttrib_cls* attrib, const wxString& title) {
    if (!attrib) return;
    // The page scrolls: the column also holds the option and filter notebooks, and a
    // notebook squeezed below its page's height makes GTK complain.
    auto* holder = new wxScrolledWindow(m_attribBook, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
    holder->SetScrollRate(0, 5);
    attrib->CreatePanelBinding(holder);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    attrib->panel->CreateControls(sizer);
    // A choice on one page shows and hides the dependent rows of all four pages.
    attrib->panel->onSelect = [this] { SyncAttribPages(); };
    holder->SetSizer(sizer);
    const wxSize page = sizer->GetMinSize();
    holder->SetMinSize(wxSize(page.x, std::min(page.y, 220)));
    m_attribBook->AddPage(holder, title);
    m_attribs.push_back(attrib);
    m_attribBook->Show();
    LayoutAll();
}

void TopHalfPanel_cls::RelayoutFilterPages() {
    int tallest = 0;
    for (FilterPanelPain_cls* page : m_filterPages) {
        page->Relayout();
        if (wxSizer* s = page->GetSizer()) tallest = std::max(tallest, s->GetMinSize().y);
    }
    const int room = GetClientSize().y - (m_attribBook->IsShown() ? m_attribBook->GetSize().y : 0) -
                     m_optionBook->GetSize().y - 60;
    const int h = std::max(128, std::min(room, tallest) + 60);
    m_filterBook->SetMinSize(wxSize(232, h));
    LayoutAll();
    for (FilterPanelPain_cls* page : m_filterPages) page->Relayout();
}

void TopHalfPanel_cls::LayoutAll() {
    // the column is as wide as its widest notebook and scrolls over its full height
    const wxSize need = m_column->GetMinSize();
    m_columnWin->SetMinSize(wxSize(need.x + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_columnWin), -1));
    wxPanel::Layout();
    m_columnWin->FitInside();
    m_columnWin->Layout();
}

void TopHalfPanel_cls::SyncAttribPages() {
    for (ParticleAttrib_cls* a : m_attribs)
        if (a->panel) a->panel->Sync();
}

void TopHalfPanel_cls::RefreshAttribPages() {
    for (ParticleAttrib_cls* a : m_attribs) {
        if (!a->panel) continue;
        a->panel->RefreshAll();
        a->panel->Sync();
    }
}

void TopHalfPanel_cls::SetLayout(int layout) {
    if (layout == m_layout) return;
    if (layout < 0 || layout > 4) {
        m_layout = layout;
        return;
    }
    m_layout = layout;
    Freeze();
    for (wxSplitterWindow* s : {m_a, m_b, m_outer})
        if (s->IsSplit()) s->Unsplit();
    for (GLCanvasCtrl_cls* b : m_bars) b->Hide();
    m_a->Hide();
    m_b->Hide();
    switch (layout) {
        case 0:  // view 0 alone
            m_outer->Initialize(m_a);
            m_a->Initialize(m_bars[0]);
            break;
        case 1:  // "2 panels (vertical)": view 0 above view 1
            m_outer->Initialize(m_a);
            m_a->SplitHorizontally(m_bars[0], m_bars[1]);
            break;
        case 2:  // "2 panels (horizontal)": view 0 left of view 1
            m_outer->Initialize(m_a);
            m_a->SplitVertically(m_bars[0], m_bars[1]);
            break;
        case 3:  // top row 0 | 1, bottom row 2 | 3
            m_outer->SplitHorizontally(m_a, m_b);
            m_a->SplitVertically(m_bars[0], m_bars[1]);
            m_b->SplitVertically(m_bars[2], m_bars[3]);
            break;
        case 4:  // left column 0 / 1, right column 2 / 3
            m_outer->SplitVertically(m_a, m_b);
            m_a->SplitHorizontally(m_bars[0], m_bars[1]);
            m_b->SplitHorizontally(m_bars[2], m_bars[3]);
            break;
    }
    for (wxSplitterWindow* s : {m_outer, m_a, m_b})
        if (s->IsSplit()) s->SetSashPosition(0);  // 0 = the middle
    Thaw();
    wxPanel::Layout();
    RedrawViews();
}

bool TopHalfPanel_cls::AllViewsCurrent(int frame, int sub) {
    bool all = true;
    for (MainGLCanvas_cls* v : m_views)
        if (!v->RefreshIfStale(frame, sub)) all = false;
    return all;
}

void TopHalfPanel_cls::RedrawViews() {
    for (GLCanvasCtrl_cls* b : m_bars) b->SyncToggles();
    for (MainGLCanvas_cls* v : m_views) {
        v->ForgetDrawnFrame();
        v->Refresh(false);
    }
}

void TopHalfPanel_cls::ResetViewFrames() {
    for (MainGLCanvas_cls* v : m_views) v->ForgetDrawnFrame();
}

GLExtraFrame_cls::GLExtraFrame_cls(wxWindow* frame)
    : wxFrame(frame, wxID_ANY, "Extra", wxDefaultPosition, wxSize(400, 300),
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxRESIZE_BORDER |
                  wxCLIP_CHILDREN | wxFRAME_FLOAT_ON_PARENT,
              "frame") {
    m_bar = new GLCanvasCtrl_cls(this, frame, 4, 0, "Extra");
    m_view = m_bar->View();
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_bar, 1, wxEXPAND);
    SetSizer(sizer);
}
