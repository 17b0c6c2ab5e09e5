// The bound-item list of a bound-widget panel: adding, building, refreshing, committing,
// showing and enabling items, and the event roads that commit them.
#include "common/gui/MultiInputBase.h"

#include <algorithm>

#include <wx/event.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/window.h>


MultiInputBase_cls::MultiInputBase_cls(void* ownerSlot, wxWindow* parent)
    : ownerSlot_(ownerSlot),
      parent_(parent),
      notifier_(std::make_unique<MultiInputNotifier_cls>(ownerSlot)) {}

MultiInputBase_cls::~MultiInputBase_cls() = default;

void MultiInputBase_cls::TakeSettings(MultiInputItem_cls& item) {
    // The settings for new items are copied in; a member of the open group counts off.
    item.SetWidths(membersToCome_, labelWidth, comboWidthInGroup, defaultControlWidth);
    item.updateFlags = updateFlags;
    item.commitMode = commitMode;
    item.filterContext = filterContext;
    if (membersToCome_ > 0) {
        item.inGroup = true;
        item.groupIndex = openGroup_;
        --membersToCome_;
    }
}

int MultiInputBase_cls::AddItem(int kind, void* variable, const wxString& label, bool enabled) {
    const int index = static_cast<int>(items_.size());
    MultiInputItem_cls& item = items_.emplace_back();
    item.Bind(kind, variable, label, enabled);
    TakeSettings(item);
    if (kind == MI_GROUP) {
        // Read once: the header never looks at its variable again.
        const int count = variable ? *static_cast<const int*>(variable) : 0;
        openGroup_ = index;
        membersToCome_ = count > 0 ? count : 0;
    }
    return index;
}

int MultiInputBase_cls::AddChoiceItem(int kind, void* variable, int count,
                                      const wxString* choices, const wxString& label,
                                      bool enabled) {
    const int index = AddItem(kind, variable, label, enabled);
    MultiInputItem_cls& item = items_[index];
    item.choices.clear();
    for (int i = 0; i < count && choices; ++i) item.choices.push_back(choices[i]);
    return index;
}

int MultiInputBase_cls::AddUnboundItem(int controlId, const wxString& label, int kind,
                                       bool enabled) {
    const int index = static_cast<int>(items_.size());
    MultiInputItem_cls& item = items_.emplace_back();
    item.BindUnbound(controlId, label, kind, enabled);
    TakeSettings(item);
    return index;
}

int MultiInputBase_cls::AddValueWithSlider(int kind, void* variable, const wxString& label,
                                           int entryWidth, int sliderWidth) {
    int two = 2;
    const bool known = kind == MI_INT_TEXT || kind == MI_INT_SPIN || kind == MI_FLOAT_TEXT ||
                       kind == MI_DOUBLE_TEXT;
    if (!known) two = 0;
    const int header = AddItem(MI_GROUP, &two, label, true);
    if (!known) return header;
    if (entryWidth != MI_KEEP_WIDTH) defaultControlWidth = entryWidth;
    AddItem(kind, variable, wxString(), true);
    if (sliderWidth != MI_KEEP_WIDTH) defaultControlWidth = sliderWidth;
    const int slider = kind == MI_FLOAT_TEXT    ? MI_FLOAT_SLIDER
                       : kind == MI_DOUBLE_TEXT ? MI_DOUBLE_SLIDER
                                                : MI_INT_SLIDER;
    AddItem(slider, variable, wxString(), true);
    return header;
}

void MultiInputBase_cls::RebindValueWithSlider(int headerIndex, int kind, void* variable) {
    const size_t entry = static_cast<size_t>(headerIndex) + 1;
    if (headerIndex < 0 || entry >= items_.size()) return;
    const bool inGroup = items_[entry].inGroup;
    items_[entry].Bind(kind, variable, wxString(), true);
    items_[entry].inGroup = inGroup;
    int slider = 0;
    if (kind == MI_INT_TEXT) slider = MI_INT_SLIDER;
    if (kind == MI_FLOAT_TEXT) slider = MI_FLOAT_SLIDER;
    if (kind == MI_DOUBLE_TEXT) slider = MI_DOUBLE_SLIDER;
    if (slider && entry + 1 < items_.size()) {
        const bool sliderInGroup = items_[entry + 1].inGroup;
        items_[entry + 1].Bind(slider, variable, wxString(), true);
        items_[entry + 1].inGroup = sliderInGroup;
    }
}

int MultiInputBase_cls::ResolveIndex(int index) const {
    const int n = static_cast<int>(items_.size());
    if (index == MI_LAST_ITEM) return n - 1;
    if (index == MI_BEFORE_LAST) return n - 2;
    return index;
}

void MultiInputBase_cls::SetItemRange(int index, double minimum, double maximum, int digits) {
    const int n = static_cast<int>(items_.size());
    if (index == MI_LAST_TWO) {
        if (n >= 1) items_[n - 1].SetRange(minimum, maximum, digits);
        if (n >= 2) items_[n - 2].SetRange(minimum, maximum, digits);
        return;
    }
    const int i = ResolveIndex(index);
    if (i >= 0 && i < n) items_[i].SetRange(minimum, maximum, digits);
}

void MultiInputBase_cls::CreateControls(wxSizer* itemSizer, wxWindow* panel) {
    itemSizer_ = itemSizer;
    for (size_t i = 0; i < items_.size(); ++i) {
        MultiInputItem_cls& item = items_[i];
        if (item.kind == MI_GROUP) {
            itemSizer->Add(item.BuildGroupRow(panel), 0, wxFIXED_MINSIZE | wxEXPAND | wxLEFT, 2);
            continue;
        }

        // A member of a group sits in its header's row; any other item gets its own.
        const bool ownRow = !(item.inGroup && item.groupIndex >= 0 &&
                              static_cast<size_t>(item.groupIndex) < items_.size() &&
                              items_[item.groupIndex].row);
        if (ownRow)
            item.BuildRow(panel);
        else
            item.row = items_[item.groupIndex].row;

        if (wxWindow* control = item.BuildControl(panel)) {
            const int id = control->GetId();
            switch (item.kind) {
            case MI_INT_SLIDER: case MI_FLOAT_SLIDER: case MI_DOUBLE_SLIDER: case MI_DUAL_SLIDER:
                ConnectSlider(control, id);
                break;
            case MI_CHECKBOX:
                ConnectCheckBox(control, id);
                break;
            case MI_COMBO: case MI_ICON_SELECTOR:
                ConnectComboBox(control, id);
                break;
            case MI_CUSTOM:
                ConnectClick(control, id);
                break;
            case MI_BUTTON:
                ConnectButton(control, id);
                break;
            default:
                break;
            }
            item.PlaceControl();
            item.ApplyRange();
        }
        if (ownRow) {
            itemSizer->Add(item.row, 0,
                           item.alignment == 1 ? (wxFIXED_MINSIZE | wxALIGN_RIGHT | wxLEFT)
                                               : (wxFIXED_MINSIZE | wxEXPAND | wxLEFT),
                           2);
        }
    }
    closingSpacer_ = itemSizer->Add(spacerWidth, 0);
    WidenLabels();
}

void MultiInputBase_cls::WidenLabels() {
    // Labels share one width so the controls line up; when a caption needs more than the
    // given width under the toolkit's font, every fixed-width label takes the widest need.
    int widest = 0;
    for (const auto& item : items_)
        if (item.labelControl && item.labelWidth != -1)
            widest = std::max(widest, item.labelControl->GetBestSize().x);
    for (auto& item : items_) {
        if (!item.labelControl) continue;
        const wxSize best = item.labelControl->GetBestSize();
        const int width = item.labelWidth == -1 ? best.x : std::max(item.labelWidth, widest);
        item.labelControl->SetMinSize(wxSize(width, best.y));
    }
}

void MultiInputBase_cls::UpdateWidgets(int index) {
    if (index == MI_ALL_ITEMS) {
        for (auto& item : items_) item.UpdateControl();
        return;
    }
    if (index >= 0 && static_cast<size_t>(index) < items_.size()) items_[index].UpdateControl();
}

void MultiInputBase_cls::RefreshSiblings(int i) {
    void* variable = items_[i].variable;
    if (!variable) return;
    for (size_t j = 0; j < items_.size(); ++j)
        if (static_cast<int>(j) != i && items_[j].variable == variable) items_[j].UpdateControl();
}

bool MultiInputBase_cls::CommitStep(int i, bool final, bool alwaysChanged, bool committedNotice,
                                    int valueChangedIndex) {
    if (i < 0 || static_cast<size_t>(i) >= items_.size()) return false;
    if (!items_[i].IsCommitted()) return false;
    const bool changed = items_[i].Commit();
    if (changed || alwaysChanged) {
        int payload = valueChangedIndex;
        notifier_->Dispatch(MIE_VALUE_CHANGED, &payload, items_[i].controlId, final);
        RefreshSiblings(i);
    }
    if (committedNotice) notifier_->Dispatch(MIE_COMMITTED, &items_[i], -1, final);
    return changed;
}

void MultiInputBase_cls::CommitItems(int index, bool final) {
    if (index == MI_ALL_ITEMS) {
        for (size_t i = 0; i < items_.size(); ++i)
            CommitStep(static_cast<int>(i), final, false, false, MI_ALL_ITEMS);
        return;
    }
    CommitStep(index, final, false, true, index);
}

void MultiInputBase_cls::CommitById(int controlId) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].control && items_[i].controlId == controlId)
            CommitStep(static_cast<int>(i), true, false, true, static_cast<int>(i));
}

void MultiInputBase_cls::EnableItem(int index, bool on) {
    if (index == -1) {
        EnableAll(on);
        return;
    }
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
    items_[index].Enable(on);
    if (items_[index].kind == MI_GROUP)
        for (auto& item : items_)
            if (item.inGroup && item.groupIndex == index) item.Enable(on);
}

void MultiInputBase_cls::EnableAll(bool on) {
    for (auto& item : items_) item.Enable(on);
}

void MultiInputBase_cls::ShowItem(int index, bool on) {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
    items_[index].Show(on);
    if (items_[index].kind == MI_GROUP)
        for (auto& item : items_)
            if (item.inGroup && item.groupIndex == index) item.Show(on);
}

void MultiInputBase_cls::ShowFrom(int firstIndex) {
    for (size_t i = firstIndex < 0 ? 0 : static_cast<size_t>(firstIndex); i < items_.size(); ++i)
        ShowItem(static_cast<int>(i), showFlag_);
}

void MultiInputBase_cls::ToggleCollapse(int firstIndex) {
    showFlag_ = !showFlag_;
    ShowFrom(firstIndex);
}

void MultiInputBase_cls::TintXYZ(int index) {
    static const wxColour tints[3] = {wxColour(255, 244, 244), wxColour(244, 255, 244),
                                      wxColour(244, 244, 255)};
    for (int k = 0; k < 3; ++k) {
        const int i = index + k;
        if (i < 0 || static_cast<size_t>(i) >= items_.size()) continue;
        if (wxWindow* control = items_[i].GetControl()) control->SetBackgroundColour(tints[k]);
    }
}

wxWindow* MultiInputBase_cls::GetItemControl(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return nullptr;
    return items_[index].GetControl();
}

int MultiInputBase_cls::GetItemControlId(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return -1;
    return items_[index].controlId;
}

void MultiInputBase_cls::AddCallback(MultiInputCallback function, int key, wxWindow* window,
                                     bool finalOnly, void* context) {
    notifier_->Register(std::move(function), key, window ? window->GetId() : -1, finalOnly,
                        context);
}

void MultiInputBase_cls::AddItemCallback(MultiInputCallback function, int key, int itemIndex,
                                         bool finalOnly, void* context) {
    notifier_->Register(std::move(function), key, GetItemControlId(itemIndex), finalOnly,
                        context);
}

void MultiInputBase_cls::OnCheckBoxRoad(wxCommandEvent& event) {
    bool anyChanged = false;
    for (size_t i = 0; i < items_.size(); ++i) {
        MultiInputItem_cls& item = items_[i];
        if (item.kind != MI_CHECKBOX || !item.variable || item.controlId != event.GetId())
            continue;
        const bool before = *static_cast<bool*>(item.variable);
        CommitStep(static_cast<int>(i), true, false, true, static_cast<int>(i));
        if (*static_cast<bool*>(items_[i].variable) != before) anyChanged = true;
    }
    if (anyChanged) notifier_->Dispatch(MIE_CHECKBOX_CHANGED, &event, event.GetId(), true);
    event.Skip();
}

void MultiInputBase_cls::OnComboBoxRoad(wxCommandEvent& event) {
    bool anyChanged = false;
    for (size_t i = 0; i < items_.size(); ++i) {
        MultiInputItem_cls& item = items_[i];
        if ((item.kind != MI_COMBO && item.kind != MI_ICON_SELECTOR) || !item.variable ||
            item.controlId != event.GetId())
            continue;
        const unsigned before = *static_cast<unsigned*>(item.variable);
        CommitStep(static_cast<int>(i), true, false, true, static_cast<int>(i));
        if (*static_cast<unsigned*>(items_[i].variable) != before) anyChanged = true;
    }
    if (anyChanged) notifier_->Dispatch(MIE_SELECT_CHANGED, &event, event.GetId(), true);
    notifier_->Dispatch(MIE_SELECT, &event, event.GetId(), true);
    event.Skip();
}

void MultiInputBase_cls::OnSliderTrackRoad(wxCommandEvent& event) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].IsSlider() && items_[i].controlId == event.GetId())
            CommitStep(static_cast<int>(i), false, false, true, static_cast<int>(i));
    event.Skip();
}

void MultiInputBase_cls::OnSliderReleaseRoad(wxCommandEvent& event) {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].IsSlider() && items_[i].controlId == event.GetId())
            CommitStep(static_cast<int>(i), true, true, true, static_cast<int>(i));
    event.Skip();
}

void MultiInputBase_cls::OnButtonRoad(wxCommandEvent& event) {
    bool any = false;
    for (const auto& item : items_) {
        if (item.kind != MI_BUTTON || item.controlId != event.GetId()) continue;
        // The dialog or page that holds the panel hears the click too, after this handler.
        if (parent_) parent_->GetEventHandler()->AddPendingEvent(event);
        any = true;
    }
    if (any)
        notifier_->Dispatch(MIE_BUTTON, &event, event.GetId(), true);
    else
        event.Skip();
}

void MultiInputBase_cls::OnLabelClickRoad(wxMouseEvent& event) {
    notifier_->Dispatch(MIE_LABEL_CLICK, &event, -1, true);
    event.Skip();
}

void MultiInputBase_cls::OnCustomClickRoad(wxMouseEvent& event) {
    notifier_->Dispatch(MIE_CLICK, &event, -1, true);
    event.Skip();
}
