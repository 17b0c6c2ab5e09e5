// The "Info" page: one particle's values.
#include "view/gui/InfoPage.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "common/gui/BestSize.h"
#include "common/gui/MultiInputPanel.h"

InfoPage_cls* GpInfoPage = nullptr;

void InfoSettings_cls::CreatePage(wxWindow* parent) {
    if (releasePage) releasePage();
    page = new InfoPage_cls(this, parent);
    GpInfoPage = page;
    releasePage = [this]() {
        if (GpInfoPage == page) GpInfoPage = nullptr;
        delete page;
        page = nullptr;
        releasePage = nullptr;
    };
}

InfoPage_cls::InfoPage_cls(InfoSettings_cls* s, wxWindow* p) : settings(s), parent(p) {}

InfoPage_cls::~InfoPage_cls() {
    if (GpInfoPage == this) GpInfoPage = nullptr;
}

void InfoPage_cls::CreateControls(wxSizer* sizer) {
    static int twoMembers = 2, threeMembers = 3;
    wxString kinds[2] = {wxGetTranslation("Interp."), wxGetTranslation("Raw Data")};
    panel = CreateMultiInputPanel(&panel, parent);
    MultiInputPanel_cls* p = panel;
    p->labelWidth = 70;
    p->defaultControlWidth = 95;
    // A new index or source rebuilds the drawable frame, and the rebuild refills the page.
    p->updateFlags = UPD_VIEWS | UPD_SNAP_REFRESH;
    indexItem = p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("Index"));
    p->AddItem(MI_INT_SPIN, &settings->index.value, "");
    p->SetItemRange(MI_LAST_ITEM, 0, 500000000, 0);
    typeItem = p->AddChoiceItem(MI_COMBO, &settings->type.value, 2, kinds, "");
    p->labelWidth = 20;
    p->defaultControlWidth = 77;
    xItem = p->AddItem(MI_GROUP, &threeMembers, "x");
    p->AddItem(MI_FLOAT_TEXT, &shown.x, "");
    p->AddItem(MI_FLOAT_TEXT, &shown.y, "");
    p->AddItem(MI_FLOAT_TEXT, &shown.z, "");
    vItem = p->AddItem(MI_GROUP, &threeMembers, "v");
    p->AddItem(MI_FLOAT_TEXT, &shown.vx, "");
    p->AddItem(MI_FLOAT_TEXT, &shown.vy, "");
    p->AddItem(MI_FLOAT_TEXT, &shown.vz, "");
    p->labelWidth = 70;
    p->defaultControlWidth = 92;
    typeIdItem = p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("type/ID"));
    p->AddItem(MI_INT_TEXT, &shown.type, "");
    p->AddItem(MI_INT_TEXT, &shown.id, "");
    radiusItem = p->AddItem(MI_GROUP, &twoMembers, wxGetTranslation("rad./value"));
    p->AddItem(MI_FLOAT_TEXT, &shown.radius, "");
    p->AddItem(MI_FLOAT_TEXT, &shown.value, "");
    if (sizer) {
        p->CreateAndAddToSizer(sizer);
    } else {
        p->BuildControls();
        auto* own = new wxBoxSizer(wxVERTICAL);
        own->Add(p, 1, wxEXPAND);
        parent->SetSizer(own);
    }
    // The index spin holds nine digits: narrower than that, GTK cannot lay it out.
    if (GrowToBestSizes(p)) {
        p->GetSizer()->SetSizeHints(p);
        if (sizer) sizer->Layout();
    }
    p->TintXYZ(xItem + 1);
    p->TintXYZ(vItem + 1);
}

void InfoPage_cls::ShowRawParticle(const ParticleData_cls* data) {
    shown = RawInfoParticle(data, settings->Index());
    RefreshAll();
}

void InfoPage_cls::ShowDrawnParticle(const Snap_cls* frame) {
    shown = DrawnInfoParticle(frame, settings->Index(), shown);
    RefreshAll();
}

void InfoPage_cls::ShowParticle(const ParticleData_cls* data, const Snap_cls* frame) {
    if (settings->RawData())
        ShowRawParticle(data);
    else
        ShowDrawnParticle(frame);
}

void InfoPage_cls::RefreshAll() {
    if (panel) panel->UpdateWidgets(MI_ALL_ITEMS);
}

void NotifyInfoPage(const ParticleData_cls* snapshot, const Snap_cls* frame) {
    if (GpInfoPage) GpInfoPage->ShowParticle(snapshot, frame);
}
