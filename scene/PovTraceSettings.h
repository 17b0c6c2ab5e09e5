// The trace depth of the POV-Ray scene, and the modal dialog of the advanced trace and
// antialias settings.
#pragma once

#include "scene/PageSettings.h"

class PovOutputSettings_cls;

/// "PovMaxTraceLevel=". Has no page of its own. GUI thread.
class PovTraceSettings_cls : public PageSettings_cls {
public:
    explicit PovTraceSettings_cls(PovOutputSettings_cls* output);

    /// "\tmax_trace_level N\n" for the global_settings block.
    wxString PovGlobalText() const;
    /// The modal "Pov-Ray Advanced Settings" dialog over `parent`: max_trace_level and the
    /// output group's antialias threshold, depth and bounding method, edited on copies that
    /// OK writes back (defined with the windows).
    void EditDialog(wxWindow* parent);

    PovOutputSettings_cls* output;  ///< the output group whose antialias values the dialog edits
    ConfItemINT_cls maxTraceLevel;  ///< "PovMaxTraceLevel=", 1..256
};
