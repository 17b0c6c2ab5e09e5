// The "Overlay" page and the custom font choice.
#include "view/gui/OverlayPage.h"

#include <wx/fontdlg.h>
#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "view/OverlaySettings.h"

namespace {

bool ShowFontDialog(wxWindow* parent, const wxFont& initial, wxString& face) {
    wxFontData data;
    data.SetInitialFont(initial);
    wxFontDialog dialog(parent, data);
    if (dialog.ShowModal() != wxID_OK) return false;
    face = dialog.GetFontData().GetChosenFont().GetFaceName();
    return true;
}

OverlayPage_cls::FontChooser& Chooser() {
    static OverlayPage_cls::FontChooser chooser = ShowFontDialog;
    return chooser;
}

}  // namespace

void OverlaySettings_cls::CreatePage(wxWindow* parent) {
    if (releasePage) releasePage();
    page = new OverlayPage_cls(this, parent);
    releasePage = [this]() {
        delete page;
        page = nullptr;
        releasePage = nullptr;
    };
}

void OverlayPage_cls::SetFontChooser(FontChooser chooser) {
    Chooser() = chooser ? std::move(chooser) : FontChooser(ShowFontDialog);
}

OverlayPage_cls::OverlayPage_cls(OverlaySettings_cls* s, wxWindow* p) : settings(s), parent(p) {}

OverlayPage_cls::~OverlayPage_cls() = default;

void OverlayPage_cls::CreateControls(wxSizer* sizer) {
    static int twoMembers = 2, fiveMembers = 5;
    static const char* const kPos[5] = {"Top Left", "Top Right", "Btm Left", "Btm Right", "Do not show"};
    static const char* const kFamily[8] = {"Default", "Decorative", "Roman", "Script",
                                           "Swiss", "Modern", "Teletype", "Custom"};
    wxString pos[5], family[8];
    for (int i = 0; i < 5; ++i) pos[i] = wxGetTranslation(kPos[i]);
    for (int i = 0; i < 8; ++i) family[i] = wxGetTranslation(kFamily[i]);
    wxString alpha[2] = {wxGetTranslation("Show Alpha"), wxGetTranslation("Hide Alpha")};
    wxString tics[2] = {wxGetTranslation("Show Tics"), wxGetTranslation("Hide Tics")};

    panel = CreateMultiInputPanel(&panel, parent);
    MultiInputPanel_cls* p = panel;
    OverlaySettings_cls* s = settings;
    p->labelWidth = 70;
    p->defaultControlWidth = 90;
    p->updateFlags = UPD_VIEWS | UPD_DRAW_PAGES;
    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Time"));
    timePosItem = p->AddChoiceItem(MI_COMBO, &s->timePos.value, 5, pos, "");
    tagItem = p->AddItem(MI_STRING_TEXT, &s->timeTag.text, "");
    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Time Style"));
    familyItem = p->AddChoiceItem(MI_COMBO, &s->fontFamily.value, 8, family, "");
    pointItem = p->AddItem(MI_INT_SPIN, &s->fontPoint.value, "");
    p->SetItemRange(MI_LAST_ITEM, 1, 500, 0);
    p->AddItem(MI_GROUP, &fiveMembers, wxGetTranslation("Legend"));
    for (int i = 0; i < 4; ++i) {
        const int item = p->AddItem(MI_CHECKBOX, &s->showLegend.values[i], "");
        p->GetLastItem().controlWidth = 16;
        if (i == 0) legendCheckItem = item;
    }
    legendPosItem = p->AddChoiceItem(MI_COMBO, &s->legendPos.value, 4, pos, "");
    p->defaultControlWidth = -1;
    alphaItem = p->AddChoiceItem(MI_COMBO, &s->ignoreAlpha.value, 2, alpha, wxGetTranslation("Alpha"));
    ticsItem = p->AddChoiceItem(MI_COMBO, &s->ignoreTics.value, 2, tics, wxGetTranslation("Tics"));
    p->CreateAndAddToSizer(sizer);
    p->AddCallback([this, alive = std::weak_ptr<int>(alive_)](void*, void* payload) {
        if (alive.expired()) return;
        auto* event = static_cast<wxEvent*>(payload);
        OnSelect(event ? event->GetId() : -1);
    }, MIE_SELECT, nullptr);
}

void OverlayPage_cls::RefreshAll() {
    if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
}

void OverlayPage_cls::OnSelect(int controlId) {
    if (!panel || controlId != panel->GetItemControlId(familyItem)) return;
    if (settings->fontFamily.value != 7) return;
    // The dialog starts from the current face at the current size; only the face is kept
    // (not undoable, as the face is not one of the page's controls).
    wxFont initial(wxFontInfo(settings->FontPoint()).Family(wxFONTFAMILY_DEFAULT).Light()
                       .FaceName(settings->customFont.text));
    wxString face;
    if (Chooser()(panel, initial, face)) settings->customFont.text = face;
}
