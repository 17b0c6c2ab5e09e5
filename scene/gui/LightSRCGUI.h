// The "Light Source Editor": one icon per active light, "+" and "-" to add and remove
// lights, and the settings of the selected light, every edit an undoable step.
#pragma once

#include <functional>
#include <vector>

#include <wx/bitmap.h>

#include "common/gui/DialogControl.h"

class LightSRCCtrl_cls;
class LightSRCGUI_cls;
class MultiInputPanel_cls;

constexpr int ID_LIGHT_ADD = 6523;
constexpr int ID_LIGHT_REMOVE = 6524;

/// The editor side of the light set: made once by the central object with the main frame;
/// the dialog is made at once and hidden. GUI thread only.
class LightSRCGUICtrl_cls : public DialogControl_cls {
public:
    /// `lights` is borrowed and outlives this controller. The bitmaps are the dialog's icon
    /// and the icons of point-like and spot lights in the strip.
    LightSRCGUICtrl_cls(wxWindow* frame, LightSRCCtrl_cls* lights, const wxBitmap& icon,
                        const wxBitmap& pointIcon, const wxBitmap& spotIcon);
    /// Destroys the dialog; call it while the parent frame still lives.
    ~LightSRCGUICtrl_cls() override;

    void CreateGUI(wxWindow* frame) override;
    /// ID_LIGHT_DIALOG_REFRESH: the items follow the selected light and its values, the
    /// strip the active lights. Without `full` a hidden dialog is left as it is.
    void UpdateGUI(bool full) override;
    /// ID_LIGHT_EDITOR: shows the dialog with the selected light's items.
    void Show(wxWindow* frame) override;

    /// Called when a light is chosen in the strip with its pick id (the parameter panel
    /// selects its groups). May be empty.
    std::function<void(int pickId)> selectById;

    LightSRCCtrl_cls* lights;  ///< not owned
    wxWindow* frame;           ///< command target, not owned
    wxBitmap icon, pointIcon, spotIcon;
    LightSRCGUI_cls* gui = nullptr;  ///< the dialog, a child of the frame
};

class LightSRCGUI_cls : public wxDialogEXKey {
public:
    LightSRCGUI_cls(LightSRCGUICtrl_cls* owner, wxWindow* frame, const wxPoint& pos, const wxSize& size);
    ~LightSRCGUI_cls() override;

    /// Binds every item to the selected light (the panel is disabled without lights).
    void BindSelectedLight();
    /// Shows "Size/Quality" with an area light, "Spot Angle" for a spot light and "Fade
    /// Distance" with a fade; then lays the dialog out again.
    void UpdateEnables();
    /// One icon per active light (spot icon for spot lights); `select` >= 0 selects that
    /// icon, -2 the selected light, -1 keeps the selection.
    void RebuildLightIcons(int select);

    void OnAdd(wxCommandEvent& event);
    void OnRemove(wxCommandEvent& event);
    void OnIconSelected();
    void OnItemCommitted();
    void OnTypeOrAreaChanged();

    LightSRCGUICtrl_cls* owner;
    MultiInputPanel_cls* strip = nullptr;
    MultiInputPanel_cls* panel = nullptr;
    std::vector<wxBitmap> icons;
    /// Item indexes in the panel.
    int validItem = -1, typeItem = -1, fadeItem = -1, targetItem = -1, translateItem = -1, rotateItem = -1,
        strengthItem = -1, fadeDistanceItem = -1, spotAngleItem = -1, castShadowItem = -1, areaItem = -1,
        sizeQualityItem = -1, selectorItem = -1;
    int boundLight = -1;  ///< the light the items are bound to
};
