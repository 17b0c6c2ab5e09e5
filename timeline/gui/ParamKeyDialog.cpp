// The key dialog of a linked group: one value per component, the interpolation type and
// the ease factor, written to every component at the key's time in one undo block.
#include "timeline/ParamGroup.h"

#include "common/gui/MultiInputDialog.h"
#include "platform/ProgramPaths.h"
#include "timeline/ParamViews.h"

#include <wx/ctrlsub.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <memory>

namespace {

// The icon of the numerical key dialogs, "ICONS/Numerical.png"; an invalid icon when the
// file is missing or broken (the dialog then shows the window manager's default).
wxIcon NumericalIcon() {
    wxIcon icon;
    const std::string path = platform::FindProgramData("ICONS/Numerical.png");
    if (!platform::PathExists(path)) return icon;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxLogNull quiet;
    wxBitmap bitmap;
    if (bitmap.LoadFile(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG) && bitmap.IsOk())
        icon.CopyFromBitmap(bitmap);
    return icon;
}

}  // namespace

void ParamGroup_cls::EditKeyDialog(const wxPoint& position, int dx, int dy, int frame, double t) {
    const int n = Dimension();
    if (n == 0) return;
    wxWindow* parent = header ? header->HeaderWindow() : nullptr;
    auto* dialog = new MultiInputDialog_cls(nullptr, parent, wxID_ANY,
                                            wxString::FromUTF8(displayName.c_str()),
                                            position + wxPoint(dx, dy));
    // Deleted (not queued for deletion) on return: its callbacks refer to this frame's
    // locals, so no event may reach them afterwards.
    std::unique_ptr<MultiInputDialog_cls> owner(dialog);
    const wxIcon icon = NumericalIcon();
    if (icon.IsOk()) dialog->SetIcon(icon);
    dialog->panel->labelWidth = 60;
    dialog->panel->commitMode = MI_COMMIT_DIRECT;  // the values live only while it is shown

    int frameValue = frame;
    std::vector<double> values(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) values[static_cast<size_t>(i)] = Component(i).GetValue(t, -1);
    dialog->AddItem(MI_INT_TEXT, &frameValue, wxGetTranslation("Frame"));
    for (int i = 0; i < n; ++i)
        dialog->AddItem(MI_DOUBLE_TEXT, &values[static_cast<size_t>(i)],
                        wxString::FromUTF8(Component(i).label.c_str()));
    const int preset = Component(0).GetKeyTypeAt(-1);
    unsigned int chosenType = static_cast<unsigned int>(preset < 0 || preset > 4 ? 0 : preset);
    const int typeItem = dialog->AddChoiceItem(MI_COMBO, &chosenType, 5, GoInterpTypeNames,
                                               wxGetTranslation("Interpolate Type"));

    std::vector<int> keyIndex(static_cast<size_t>(n));
    std::vector<double> eases(static_cast<size_t>(n));
    std::vector<int> easeGroups(static_cast<size_t>(n));
    int members = 2;
    for (int i = 0; i < n; ++i) {
        const int k = Component(i).FindKey(t, -1, 0);
        keyIndex[static_cast<size_t>(i)] = k;
        eases[static_cast<size_t>(i)] = k == -1 ? 0.0 : Component(i).keys[static_cast<size_t>(k)].ease;
        easeGroups[static_cast<size_t>(i)] = dialog->AddItem(MI_GROUP, &members,
                                                       wxGetTranslation("Ease Factor"));
        dialog->AddItem(MI_DOUBLE_SLIDER, &eases[static_cast<size_t>(i)], "");
        dialog->SetItemRange(MI_LAST_ITEM, 0, 30, 10);
        dialog->AddItem(MI_DOUBLE_TEXT, &eases[static_cast<size_t>(i)], "");
    }
    dialog->BuildAndLayout();

    // The ease rows matter only for HERMITE (SEMIAUTO); the first component's row stands
    // for all of them.
    auto currentType = [&]() -> unsigned int {
        if (auto* box = dynamic_cast<wxItemContainerImmutable*>(dialog->panel->GetItemControl(typeItem))) {
            const int sel = box->GetSelection();
            if (sel >= 0) return static_cast<unsigned int>(sel);
        }
        return chosenType;
    };
    auto updateEaseRows = [&](void*, void*) {
        for (int g : easeGroups) dialog->HideItem(g);
        if (currentType() == PKT_HERMITE_SEMIAUTO) dialog->ShowItem(easeGroups[0]);
        dialog->Relayout();
    };
    dialog->notifier->Register(updateEaseRows, MIE_SELECT, -1, false, nullptr);
    dialog->notifier->Register(updateEaseRows, MIE_SELECT_CHANGED, -1, false, nullptr);
    updateEaseRows(nullptr, nullptr);

    if (dialog->ShowModal() != wxID_OK) return;

    const int type = static_cast<int>(chosenType);
    const double ease = eases[0];
    bool changed = type != preset;
    for (int i = 0; i < n; ++i) {
        Parameter_cls& p = Component(i);
        eases[static_cast<size_t>(i)] = ease;
        p.cachedValue = values[static_cast<size_t>(i)];
        if (p.IsChangedAt(-1)) changed = true;
        const int k = keyIndex[static_cast<size_t>(i)];
        if (k != -1 && k < p.GetKeyCount() && p.keys[static_cast<size_t>(k)].ease != ease) changed = true;
    }
    if (!changed) return;
    BeginBlockIfEnabled("Create Key Dialog");
    for (int i = 0; i < n; ++i) {
        Parameter_cls& p = Component(i);
        p.SetKeyTypeUndoable(keyIndex[static_cast<size_t>(i)], type);
        p.cachedValue = values[static_cast<size_t>(i)];
        p.KeyCachedValue(t, 0, ease, -1);
    }
    EndBlockIfEnabled("Create Key Dialog");
}
