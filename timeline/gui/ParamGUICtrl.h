// The lower panel's parameter tracks: the timeline panels on top, the playback bar, and a
// scrolled list of parameter groups (header and one row per component each).
#pragma once

#include <functional>

#include <wx/panel.h>

#include <functional>
#include <vector>

class ParamGroup_cls;
class ParamOwner_cls;
class PlayCtrlGUI_cls;
class TimeCtrl_cls;
class TimelinePanels_cls;
class wxBoxSizer;
class wxScrolledWindow;

/// GUI thread only. Groups are not owned; their windows are (through DestroyGUI).
class ParamGUICtrl_cls : public wxPanel {
public:
    /// Creates the timeline panels and the playback bar of `time` above the track list and
    /// lists the time model's "Time Remap" group.
    ParamGUICtrl_cls(wxWindow* parent, TimeCtrl_cls* time);
    ~ParamGUICtrl_cls() override;

    /// The lower panel around the time model's timeline panels, or null.
    static ParamGUICtrl_cls* Of(TimeCtrl_cls* time);

    /// Lists a group and its child groups and creates their header and rows.
    void AddGroup(ParamGroup_cls* group);
    /// Removes the group and its children and destroys their windows.
    void RemoveGroup(ParamGroup_cls* group);
    /// Shows or hides every header and row by the groups' flags, the folders and the time
    /// model's hide-marked setting, then Relayout.
    void UpdateAll();
    /// Recomputes the track list's size and scroll state.
    void Relayout();
    /// Selects the group of `owner` (null: none) in every group; on a change posts the
    /// views' redraw and the time refresh. Returns the owner when it became selected.
    ParamOwner_cls* SelectGroup(ParamOwner_cls* owner);
    /// Told the owner a click on a group header left selected (null: none), so that it
    /// becomes the views' selected scene object. Installed by the central object.
    std::function<void(ParamOwner_cls* owner)> onOwnerSelected;
    /// The time refresh of the rows: shared geometry, then every group's RefreshGUI.
    void RefreshRows();
    /// Multiplies every key time of every listed group (undoable; caller opens the block).
    void ScaleKeyTimes(double x);
    /// Sets the frame bit of every key of every listed group.
    void MarkKeyFrames(std::vector<bool>& marks);

    TimeCtrl_cls* time;
    TimelinePanels_cls* timeline = nullptr;
    PlayCtrlGUI_cls* playBar = nullptr;
    wxScrolledWindow* tracks = nullptr;
    wxBoxSizer* trackSizer = nullptr;
    std::vector<ParamGroup_cls*> groups;  ///< top-level groups in listing order

private:
    bool remapShown = false;  ///< the remap switch as the last UpdateAll saw it
    void CreateWindows(ParamGroup_cls* g, int level);
    void ShowGroup(ParamGroup_cls* g, bool visible);
    /// The track list's vertical bar is allowed only while the list is tall enough for it.
    void UpdateScrollPolicy();
};
