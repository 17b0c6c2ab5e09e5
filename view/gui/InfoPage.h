// The "Info" page of the upper panel's option notebook: the values of one particle of the
// displayed frame, chosen by its index or by pointing at it in a view.
#pragma once

#include <memory>

#include "view/InfoSettings.h"

class MultiInputPanel_cls;
class ParticleData_cls;
class Snap_cls;
class wxSizer;
class wxWindow;

/// Page record owned by its InfoSettings_cls; the panel is a child window of `parent`.
/// GUI thread only.
class InfoPage_cls {
public:
    InfoPage_cls(InfoSettings_cls* settings, wxWindow* parent);
    ~InfoPage_cls();

    /// Builds the panel into `sizer` (may be null: the panel is then laid out alone in its
    /// parent): "Index" (spin and "Interp."/"Raw Data"), "x", "v", "type/ID",
    /// "rad./value". A changed index or source redraws the views and rebuilds the frame,
    /// which refills the page.
    void CreateControls(wxSizer* sizer = nullptr);

    /// Shows particle "InformationIndex=" of the snapshot as read; zeros when it has none.
    void ShowRawParticle(const ParticleData_cls* data);
    /// Shows that particle of the drawable frame; velocity and ID keep what they showed.
    void ShowDrawnParticle(const Snap_cls* frame);
    /// The one the settings choose: raw from `data` or drawn from `frame`.
    void ShowParticle(const ParticleData_cls* data, const Snap_cls* frame);
    /// Refreshes every control from its value.
    void RefreshAll();

    InfoSettings_cls* settings;
    wxWindow* parent;
    MultiInputPanel_cls* panel = nullptr;
    InfoParticle shown;  ///< the values on the page
    int indexItem = -1, typeItem = -1, xItem = -1, vItem = -1, typeIdItem = -1, radiusItem = -1;
};

/// The Info page once made (null before and after); the particle renderer fills it after
/// each rebuild of the drawable frame.
extern InfoPage_cls* GpInfoPage;

/// Called by the particle renderer after it rebuilt the drawable frame `frame` of
/// `snapshot`: fills the Info page when there is one.
void NotifyInfoPage(const ParticleData_cls* snapshot, const Snap_cls* frame);
