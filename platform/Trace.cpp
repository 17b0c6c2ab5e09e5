#include "platform/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include <wx/log.h>

namespace platform {

namespace {

// The environment switch is read once, before the first question about the mask.
void ReadEnvironmentSwitch() {
    static std::once_flag once;
    std::call_once(once, [] {
        const char* value = std::getenv("PELTHORN3_TRACE");
        if (value && *value && std::string(value) != "0") wxLog::AddTraceMask(kTraceMask);
    });
}

}  // namespace

void EnableTrace(bool on) {
    ReadEnvironmentSwitch();
    if (on)
        wxLog::AddTraceMask(kTraceMask);
    else
        wxLog::RemoveTraceMask(kTraceMask);
}

bool TraceEnabled() {
    ReadEnvironmentSwitch();
    return wxLog::IsAllowedTraceMask(kTraceMask);
}

void Trace(const std::string& line) {
    // The mask test first: the line is then not even converted while tracing is off.
    if (!TraceEnabled()) return;
    wxLogTrace(kTraceMask, "%s", wxString::FromUTF8(line.c_str()));
}

void ReportError(const std::string& line) {
    std::string text = line;
    if (text.empty() || text.back() != '\n') text += '\n';
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace platform
