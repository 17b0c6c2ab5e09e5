// The "Option" page: down-sizing, depth-sort type, classification and shadows.
#include "view/gui/OptionPage.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/gui/MultiInputPanel.h"
#include "view/DrawOptions.h"

void DrawOptions_cls::CreatePage(wxWindow* parent) {
    if (releasePage) releasePage();
    page = new OptionPage_cls(this, parent);
    releasePage = [this]() {
        delete page;
        page = nullptr;
        releasePage = nullptr;
    };
}

OptionPage_cls::OptionPage_cls(DrawOptions_cls* o, wxWindow* p) : options(o), parent(p) {
}

OptionPage_cls::~OptionPage_cls() {
}

void OptionPage_cls::CreateControls(wxSizer* sizer) {
    static int twoMembers = 2;
    static const char* const kSort[3] = {"No Sort (fast)", "Zsort (for transparency)",
                                         "Zsort (for solid object)"};
    static const char* const kClassify[2] = {"Use Attrib0 Only (fast)", "Use All Attrib"};
    static const char* const kShadow[3] = {"No Shadow", "Shadow Volume", "Show Shadow"};
    static const char* const kQuality[3] = {"Low", "Middle", "High"};
    wxString sort[3], classify[2], shadow[3], quality[3];
    for (int i = 0; i < 3; ++i) {
        sort[i] = wxGetTranslation(kSort[i]);
        shadow[i] = wxGetTranslation(kShadow[i]);
        quality[i] = wxGetTranslation(kQuality[i]);
    }
    for (int i = 0; i < 2; ++i) classify[i] = wxGetTranslation(kClassify[i]);

    panel = CreateMultiInputPanel(&panel, parent);
    MultiInputPanel_cls* p = panel;
    p->labelWidth = 80;
    p->defaultControlWidth = 90;
    p->updateFlags = UPD_VIEWS | UPD_DRAW_PAGES;
    p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Downsize"));
    downSizeSpinItem = p->AddItem(MI_INT_SPIN, &options->downSizing.value, "");
    p->SetItemRange(MI_LAST_ITEM, 1, 1000, 0);
    downSizeSliderItem = p->AddItem(MI_INT_SLIDER, &options->downSizing.value, "");
    p->SetItemRange(MI_LAST_ITEM, 1, 1000, 0);
    p->defaultControlWidth = -1;  // from here on the controls stretch
    sortItem = p->AddChoiceItem(MI_COMBO, &options->sortOrder.value, 3, sort,
                                wxGetTranslation("Zsort Type"));
    classifyItem = p->AddChoiceItem(MI_COMBO, &options->classify.value, 2, classify,
                                    wxGetTranslation("Classification"));
    shadowItem = p->AddChoiceItem(MI_COMBO, &options->shadow.value, 3, shadow,
                                  wxGetTranslation("Shadow"));
    unsigned* q = options->shadowQuality ? options->shadowQuality : &options->shadowQualityStandIn;
    float* len = options->shadowLength ? options->shadowLength : &options->shadowLengthStandIn;
    shadowGroupItem = p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Q./Length"));
    p->AddChoiceItem(MI_COMBO, q, 3, quality, "");
    p->AddItem(MI_FLOAT_TEXT, len, "");
    p->GetLastItem().controlWidth = 70;
    p->CreateAndAddToSizer(sizer);
    p->AddCallback([this, alive = std::weak_ptr<int>(alive_)](void*, void*) {
        if (!alive.expired()) OnSelect();
    }, MIE_SELECT, nullptr);
    EnableShadowControls();
}

void OptionPage_cls::EnableShadowControls() {
    if (!panel) return;
    const bool on = options->shadow.value != 0;
    panel->EnableItem(shadowGroupItem, on);  // the header takes its members along
}

void OptionPage_cls::RefreshAll() {
    if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
}

void OptionPage_cls::OnSelect() {
    EnableShadowControls();
}
