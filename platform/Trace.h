// Diagnostic trace lines and error lines. Trace lines go to the toolkit's debug log under
// one trace mask, off unless switched on (PELTHORN3_TRACE=1 in the environment, or
// EnableTrace); error lines go to standard error, once per call.
#pragma once

#include <string>

namespace platform {

/// The toolkit trace mask of the program's diagnostic lines.
constexpr const char* kTraceMask = "pelthorn3";

/// Switches the trace lines on or off for this process (off by default).
void EnableTrace(bool on);

/// True when trace lines are shown.
bool TraceEnabled();

/// Writes one diagnostic line ("Raise", "Saving") to the debug log when tracing is on.
/// `line` is plain text, never a format. Any thread may call it.
void Trace(const std::string& line);

/// Writes one error line to standard error. `line` is plain text, never a format.
/// Any thread may call it.
void ReportError(const std::string& line);

}  // namespace platform
