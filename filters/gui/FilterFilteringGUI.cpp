// Filtering filter panel: type, index kind and the list text.
#include "filters/gui/FilterFilteringGUI.h"

#include <wx/intl.h>

#include "common/gui/MultiInputPanel.h"
#include "common/gui/TextCtrlEX.h"
#include "filters/FilterFiltering.h"

void FilterFilteringGUI_cls::BuildRows() {
    auto* d = static_cast<FilterFilteringData_cls*>(filter_->GetData());
    MultiInputPanel_cls* p = panel_;
    p->updateFlags = 4102;
    p->labelWidth = 80;
    p->commitMode = MI_COMMIT_FILTER;
    const wxString types[3] = {wxGetTranslation("Show following particles"),
                               wxGetTranslation("Hide following particles"), wxGetTranslation("Force showing")};
    const wxString indexTypes[2] = {wxGetTranslation("Particle index"), wxGetTranslation("Particle ID")};
    p->AddChoiceItem(MI_COMBO, &d->filteringType.value, 3, types, wxGetTranslation("Type"));
    p->AddChoiceItem(MI_COMBO, &d->indexType.value, 2, indexTypes, wxGetTranslation("Classify by"));
    p->commitMode = MI_COMMIT_DIRECT;
    textItem_ = p->AddItem(MI_STRING_TEXT, &d->filteringString.text, wxGetTranslation("Particles"));
}

void FilterFilteringGUI_cls::AfterBuild() {
    // Blanks belong to the list text: Space does not commit here.
    if (auto* text = dynamic_cast<TextCtrlEX_cls*>(panel_->GetItemControl(textItem_))) text->SetSpaceCommits(false);
}
