// The bound-item list behind every bound-widget panel: adding and configuring items,
// building their rows, refreshing, committing, showing and enabling them.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include <wx/string.h>

#include "common/gui/MultiInputItem.h"
#include "common/gui/MultiInputNotifier.h"

class wxWindow;
class wxSizer;
class wxSizerItem;
class wxCommandEvent;
class wxMouseEvent;
class FilterValueTarget_cls;

/// Sentinel indexes of the item operations.
constexpr int MI_ALL_ITEMS = -3;       ///< UpdateWidgets, CommitItems: every item
constexpr int MI_LAST_ITEM = -1;       ///< SetItemRange: the last item (EnableItem: every item)
constexpr int MI_BEFORE_LAST = -2;     ///< SetItemRange: the item before the last
constexpr int MI_LAST_TWO = -5;        ///< SetItemRange: the last two items
constexpr int MI_KEEP_WIDTH = -2;      ///< AddValueWithSlider: keep the default control width

/// Abstract: the panel window implements the connections. GUI thread only.
class MultiInputBase_cls {
public:
    /// `ownerSlot`: where the owner keeps its pointer to the panel (or dialog); the
    /// notifier's default context.
    MultiInputBase_cls(void* ownerSlot, wxWindow* parent);
    virtual ~MultiInputBase_cls();
    MultiInputBase_cls(const MultiInputBase_cls&) = delete;
    MultiInputBase_cls& operator=(const MultiInputBase_cls&) = delete;

    // Settings copied into each new item (assign before or between adds).
    int labelWidth = 40;             ///< pixels
    int comboWidthInGroup = 90;      ///< control width of a combo added inside a group
    int defaultControlWidth = 80;    ///< pixels; -1 stretches
    int spacerWidth = 255;           ///< minimum width of the closing spacer
    uint32_t updateFlags = 0;        ///< UPD_* bits of the commit commands
    int commitMode = MI_COMMIT_UNDO; ///< MultiInputCommitMode
    FilterValueTarget_cls* filterContext = nullptr;  ///< MI_COMMIT_FILTER list

    /// Appends an item bound to `variable` (type by `kind`); returns its index. An
    /// MI_GROUP item opens a group of as many members as the int at `variable` holds
    /// (read now, never again).
    int AddItem(int kind, void* variable, const wxString& label, bool enabled = true);
    /// AddItem, then the first `count` choice texts.
    int AddChoiceItem(int kind, void* variable, int count, const wxString* choices,
                      const wxString& label, bool enabled = true);
    /// An item without a variable (buttons, static texts); `controlId` -1 = any id.
    int AddUnboundItem(int controlId, const wxString& label, int kind, bool enabled = true);
    /// A group of an entry (kind 1, 2, 4 or 6) and its slider on one variable; widths
    /// MI_KEEP_WIDTH keep the default control width (which stays changed otherwise).
    /// Returns the header's index.
    int AddValueWithSlider(int kind, void* variable, const wxString& label, int entryWidth,
                           int sliderWidth);
    /// Binds such a group's entry and slider to another variable (controls stay as built:
    /// the kind must use the same controls). The owner refreshes afterwards.
    void RebindValueWithSlider(int headerIndex, int kind, void* variable);
    /// Minimum, maximum and digits of an item (sentinels -1, -2, -5); sliders take
    /// minimum and maximum in positions.
    void SetItemRange(int index, double minimum, double maximum, int digits);
    /// The last item record (owners set its controlWidth or alignment).
    MultiInputItem_cls& GetLastItem() { return items_.back(); }
    MultiInputItem_cls& GetItem(int index) { return items_.at(index); }
    int GetItemCount() const { return static_cast<int>(items_.size()); }

    /// Builds every row and control into `itemSizer` on `panel`, then the closing spacer.
    void CreateControls(wxSizer* itemSizer, wxWindow* panel);
    /// Gives every fixed-width label at least the width the widest caption needs.
    void WidenLabels();

    /// Refreshes one item's control (or every item's, MI_ALL_ITEMS) from its variable.
    void UpdateWidgets(int index = MI_ALL_ITEMS);
    /// The commit-all road (MI_ALL_ITEMS) or one item's commit.
    void CommitItems(int index, bool final);
    /// Commits every item whose control has `controlId` (Enter or Space in it).
    void CommitById(int controlId);

    void EnableItem(int index, bool on);
    void EnableAll(bool on);
    /// Shows or hides an item's control and label; a group header also its members.
    void ShowItem(int index, bool on);
    void HideItem(int index) { ShowItem(index, false); }
    /// Flips the show flag and applies it to every item from `firstIndex` on.
    void ToggleCollapse(int firstIndex);
    /// Applies the show flag to every item from `firstIndex` on.
    void ShowFrom(int firstIndex);
    bool IsShownFlag() const { return showFlag_; }
    /// Background tints of the x, y and z rows' controls at index, index + 1, index + 2.
    void TintXYZ(int index);

    wxWindow* GetItemControl(int index) const;
    int GetItemControlId(int index) const;

    /// Registers a callback for `window`'s id (null = any id).
    void AddCallback(MultiInputCallback function, int key, wxWindow* window,
                     bool finalOnly = false, void* context = nullptr);
    /// Registers a callback for an item's control id (after building).
    void AddItemCallback(MultiInputCallback function, int key, int itemIndex,
                         bool finalOnly = false, void* context = nullptr);
    MultiInputNotifier_cls* GetNotifier() { return notifier_.get(); }

    // Event roads (called by the panel's handlers; public for the range slider and tests).
    void OnCheckBoxRoad(wxCommandEvent& event);
    void OnComboBoxRoad(wxCommandEvent& event);
    void OnSliderTrackRoad(wxCommandEvent& event);
    void OnSliderReleaseRoad(wxCommandEvent& event);
    void OnButtonRoad(wxCommandEvent& event);
    void OnLabelClickRoad(wxMouseEvent& event);
    void OnCustomClickRoad(wxMouseEvent& event);

protected:
    // Each connects one event of the control with `id` (on `window`) to the matching road.
    virtual void ConnectButton(wxWindow* window, int id) = 0;
    virtual void ConnectClick(wxWindow* window, int id) = 0;
    virtual void ConnectCheckBox(wxWindow* window, int id) = 0;
    virtual void ConnectComboBox(wxWindow* window, int id) = 0;
    virtual void ConnectSlider(wxWindow* window, int id) = 0;

    /// Commit of item i with the dispatches and sibling refresh; `alwaysChanged` is the
    /// thumb-release rule. Returns whether the commit wrote the variable.
    bool CommitStep(int i, bool final, bool alwaysChanged, bool committedNotice,
                    int valueChangedIndex);
    void RefreshSiblings(int i);
    /// Copies the settings for new items into `item` and counts it into the open group.
    void TakeSettings(MultiInputItem_cls& item);
    int ResolveIndex(int index) const;

    void* ownerSlot_;
    wxWindow* parent_;
    wxSizer* itemSizer_ = nullptr;
    wxSizerItem* closingSpacer_ = nullptr;
    std::unique_ptr<MultiInputNotifier_cls> notifier_;
    bool showFlag_ = true;
    /// The items in the order added; a deque, so records keep their address (a range
    /// slider points at its item).
    std::deque<MultiInputItem_cls> items_;
    int openGroup_ = -1;       ///< index of the last group header added
    int membersToCome_ = 0;    ///< members of that group still to come
};
