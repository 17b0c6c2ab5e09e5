// Trace depth text.
#include "scene/PovTraceSettings.h"

#include "platform/FileNumbers.h"

PovTraceSettings_cls::PovTraceSettings_cls(PovOutputSettings_cls* out) : output(out) {
    maxTraceLevel.SetRange(1, 256);
    items.Register(&maxTraceLevel, "PovMaxTraceLevel=", "12");
}

wxString PovTraceSettings_cls::PovGlobalText() const {
    return "\tmax_trace_level " + wxString(platform::FormatInt(maxTraceLevel.value)) + "\n";
}
