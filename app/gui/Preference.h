// The preferences controller: the mouse bindings and performance settings with the
// "Preference" dialog that edits them.
#pragma once

#include <wx/bitmap.h>

#include "app/PreferenceSettings.h"
#include "common/gui/DialogControl.h"

class PreferenceGUI_cls;

/// Variables of other owners edited on the Performance page. Each pointer must outlive
/// the dialog; the controller's stand-ins serve while their owners do not exist.
struct PreferencePerformanceTargets {
    int* memoryLimitMB = nullptr;     ///< data cache limit, "Critical"
    int* memoryUsedMB = nullptr;      ///< data cache in use, "NowUsed" (shown only)
    int* dataIOThreads = nullptr;     ///< GiDataIOThreads
    int* jpegQuality = nullptr;       ///< the image saver's "ImageJpegQuality="
    unsigned* imageMultiThread = nullptr;  ///< the image saver's "ImageMultiThrad="
};

/// GUI thread only. Created with the main frame and deleted before it.
class Preference_cls : public DialogControl_cls, public PreferenceSettings_cls {
public:
    /// Builds the items (template 0), the performance items and the dialog (hidden).
    /// `icon` may be null (the dialog then has none).
    explicit Preference_cls(wxWindow* frame, const wxBitmap* icon = nullptr);
    /// Destroys the dialog when it still exists.
    ~Preference_cls() override;

    /// A new dialog on `frame`, recorded as this controller's.
    void CreateGUI(wxWindow* frame) override;
    /// Refreshes every control of both pages.
    void UpdateGUI(bool full) override;
    /// The base Show, then UpdateGUI and the tint of the emulated modifier's boxes.
    void Show(wxWindow* frame) override;

    /// Rebinds the Performance page (rebuilds the dialog when it exists and is hidden).
    void SetPerformanceTargets(const PreferencePerformanceTargets& targets);
    const PreferencePerformanceTargets& PerformanceTargets() const { return targets_; }

    PreferenceGUI_cls* GetPreferenceGUI() const;
    /// Called by the dialog's destructor.
    void DialogDestroyed();

    wxWindow* frame;   ///< the main frame (not owned)
    wxBitmap icon;     ///< the dialog's icon (may be invalid)
    /// Index shown in the "Template" combo box (0 at start, not saved). Kept here rather
    /// than in the dialog so that an undo step on it never outlives its variable.
    unsigned templateIndex = 0;

private:
    PreferencePerformanceTargets targets_;
    int memoryLimitStandIn_ = 4096;
    int memoryUsedStandIn_ = 0;
    int jpegQualityStandIn_ = 95;
    unsigned imageMultiThreadStandIn_ = 1;
};

/// The preferences of the program; null outside the main frame's life.
extern Preference_cls* GpPreference;
