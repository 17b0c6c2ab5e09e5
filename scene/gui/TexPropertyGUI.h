// The "Texture" editor: one modeless dialog for the program that edits the texture record
// of the Object or Stick filter selected last (shader, shininess, transparency, the two
// normal layers, mirror reflection and refraction), and its controller.
#pragma once

#include <vector>

#include <wx/string.h>

#include "common/ConfItemGroup.h"
#include "common/gui/DialogControl.h"
#include "scene/TexProperty.h"

class FilterValueTarget_cls;
class MultiInputPanel_cls;
class TexPropertyGUI_cls;
class wxStaticText;
class wxBitmap;
class wxNotebook;

/// Control id of the editor's notebook.
constexpr int ID_TEXTURE_NOTEBOOK = 9007;

/// Made once by the central object with the main frame; the dialog is created at once and
/// stays hidden until asked for. GUI thread only.
class TexPropertyCtrl_cls : public DialogControl_cls {
public:
    /// `icon` may be null.
    TexPropertyCtrl_cls(wxWindow* frame, const wxBitmap* icon);
    /// Detaches the edited record and destroys the dialog; call it while the frame lives.
    ~TexPropertyCtrl_cls() override;
    void CreateGUI(wxWindow* frame) override;
    /// Every control shows its variable again.
    void UpdateGUI(bool full) override;
    /// Edits `record` (null: nothing) under `title`. With `target` (the record's filter
    /// list) an edit is one undoable step that finds the filter by name; without, values
    /// are written directly.
    void EditTexture(TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* target = nullptr);

    TexPropertyGUI_cls* gui = nullptr;  ///< the dialog, a child of the frame

private:
    wxWindow* frame_;
    const wxBitmap* icon_;
};

class TexPropertyGUI_cls : public wxDialogEXKey, public TexPropertyEditor_cls {
public:
    TexPropertyGUI_cls(TexPropertyCtrl_cls* control, wxWindow* frame, const wxBitmap* icon, const wxPoint& pos,
                       const wxSize& size);
    /// Lets go of the attached record first, and tells the controller (the frame may destroy
    /// the dialog before the controller goes).
    ~TexPropertyGUI_cls() override;

    /// Binds every item to `record` and enables it (null: the default values, disabled);
    /// the title becomes "Texture::" and `title` (or "Not selected").
    void Attach(TexProperty_cls* record, const wxString& title) override;
    /// Attach with the commit target of the record's filter list (null: direct writes).
    void AttachWithTarget(TexProperty_cls* record, const wxString& title, FilterValueTarget_cls* target);
    /// Shows the rows whose condition holds (only while a record is attached).
    void ApplyRules();
    /// The notebook as high as its highest page plus 30.
    void FitNotebook();
    /// Every control from its variable.
    void RefreshControls();

    TexProperty_cls* Record() const { return record_; }
    MultiInputPanel_cls* mainPanel = nullptr;
    MultiInputPanel_cls* pages[3] = {};  ///< "Bump Map", "Mirror", "Interior"
    wxNotebook* notebook = nullptr;
    wxStaticText* hint = nullptr;  ///< how to choose a texture; shown while none is edited
    wxString titlePrefix;
    // Item indices the rules and the tests use.
    int shaderItem = -1, shininessItem = -1, transmitItem = -1, alphaItem = -1;
    int patternItem[2] = {-1, -1}, degreeItem[2] = {-1, -1}, scaleItem[2] = {-1, -1};
    int reflectItem = -1, reflectMinItem = -1, reflectMaxItem = -1, iorItem = -1;

private:
    friend class TexPropertyCtrl_cls;  // forgets the dialog, and the dialog it, at destruction
    /// Where each bound item's variable lies in a record.
    struct Binding {
        MultiInputPanel_cls* panel;
        int index;      ///< item index (header of an entry-with-slider group)
        int kind;       ///< the entry's kind for a slider group, MI_COMBO for a combo
        bool slider;    ///< an entry-with-slider group
        void* (*of)(TexProperty_cls&);
    };
    void Bind(TexProperty_cls& record);
    void BuildMainPanel(wxSizer* sizer);
    void BuildPages();

    TexPropertyCtrl_cls* control_;
    TexProperty_cls* record_ = nullptr;
    TexProperty_cls defaults_;        ///< the values shown, disabled, without a record
    ConfItemGroup_cls defaultGroup_;  ///< gives defaults_ its default values
    std::vector<Binding> bindings_;
};
