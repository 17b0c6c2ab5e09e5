// The page side of a settings object: freezing, showing and hiding items, refitting the
// dialog that holds the page.
#include "scene/PageSettings.h"

#include <algorithm>

#include <wx/dialog.h>
#include <wx/notebook.h>

#include "common/gui/DialogEXKey.h"
#include "common/gui/MultiInputPanel.h"

void PageSettings_cls::BeginUpdate() {
    if (page) page->Freeze();
}

void PageSettings_cls::EndUpdate() {
    if (!page) return;
    page->Layout();
    page->Thaw();
}

void PageSettings_cls::RefitDialog(wxWindow* dialog) {
    if (!page) return;
    page->Freeze();
    if (dialog) dialog->Freeze();
    // Each notebook on the way up takes the page's new best height.
    for (wxWindow* w = page->GetParent(); w && w != dialog; w = w->GetParent())
        if (auto* book = dynamic_cast<wxNotebook*>(w)) {
            int best = 0;
            for (size_t i = 0; i < book->GetPageCount(); ++i)
                best = std::max(best, book->GetPage(i)->GetBestSize().y);
            book->SetMinSize(wxSize(-1, std::max(best + 30, book->CalcSizeFromPage(wxSize(1, best)).y)));
        }
    if (auto* ex = dynamic_cast<wxDialogEXKey*>(dialog)) ex->Relayout();
    else if (dialog) dialog->Layout();
    if (dialog) dialog->Thaw();
    page->Thaw();
}

void PageSettings_cls::EnableAll(bool enable) {
    if (page) page->EnableAll(enable);
}

void PageSettings_cls::ShowItem(int index, bool show) {
    if (page && index >= 0 && index < page->GetItemCount()) page->ShowItem(index, show);
}

void PageSettings_cls::UpdateWidgets() {
    if (page) page->UpdateWidgets(MI_ALL_ITEMS);
}
