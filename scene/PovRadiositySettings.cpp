// Radiosity text and the pretrace file check.
#include "scene/PovRadiositySettings.h"

#include <unistd.h>

#include "platform/FileNumbers.h"
#include "platform/ProgramPaths.h"
#include "scene/PovRayCtrl.h"

namespace {
wxString I(long long v) { return wxString(platform::FormatInt(v)); }
wxString F(double v) { return wxString(platform::FormatF(v, 6)); }
}  // namespace

PovRadiositySettings_cls::PovRadiositySettings_cls(PovRayCtrl_cls* owner) : controller(owner) {
    type.SetRange(0, 2);
    reuse.SetRange(0, 2);
    count.SetRange(1, 1600000);
    recursionLimit.SetRange(1, 20);
    nearestCount.SetRange(1, 20);
    highReproduce.SetRange(0, 1);
    items.Register(&type, "PovRadiosityType=", "0");
    items.Register(&reuse, "PovRadiosityReuse=", "0");
    items.Register(&pathDir, "PovRadiosityPathDir=", "");
    items.Register(&count, "PovRadiosityCount=", "35");
    items.Register(&errorBound, "PovRadiosityError=", "1.8");
    items.Register(&minimumReuse, "PovRadiosityMinimumReuse=", "0.015");
    items.Register(&recursionLimit, "PovRadiosityRecursionLimit=", "3");
    items.Register(&nearestCount, "PovRadiosityNearestCount=", "5");
    items.Register(&traceStart, "PovRadiosityTraceStrat=", "0.08");
    items.Register(&traceEnd, "PovRadiosityTraceEnd=", "0.04");
    items.Register(&zeroAmbient, "PovRadiosityZeroAmbient=", "1");
    items.Register(&media, "PovRadiosityMedia=", "0");
    items.Register(&normal, "PovRadiosityNormal=", "1");
    items.Register(&highReproduce, "PovRadHighReproduce=", "0");
    // An empty default leaves the text unset; the path is empty until a file sets it.
    pathDir.text = wxString();
}

wxString PovRadiositySettings_cls::PovGlobalText() const {
    if (type.value == 0) return wxString();
    wxString s = "\tradiosity {\n";
    if (type.value == 1) s << "\t\talways_sample off\n";
    if (type.value == 2) s << "\t\talways_sample on\n";
    s << "\t\tpretrace_start " << F(traceStart.value) << "\n";
    s << "\t\tpretrace_end " << F(traceEnd.value) << "\n";
    s << "\t\tcount " << I(count.value) << "\n";
    s << "\t\tnearest_count " << I(nearestCount.value) << "\n";
    s << "\t\terror_bound " << F(errorBound.value) << "\n";
    s << "\t\tminimum_reuse " << F(minimumReuse.value) << "\n";
    s << "\t\trecursion_limit " << I(recursionLimit.value) << "\n";
    if (media.value) s << "\t\tmedia on\n";
    if (normal.value) s << "\t\tnormal on\n";
    s << "\t}\n";
    if (zeroAmbient.value) s << "\tambient_light 0\n";
    return s;
}

wxString PovRadiositySettings_cls::IniText() const {
    if (type.value == 0) return wxString();
    wxString s;
    wxString file = pathDir.text;
    if (controller) file.Replace(controller->GetPathPrefix(true), "./");
    if (reuse.value != 0 && CheckPretraceFile()) s << "Radiosity_File_Name=\"" << file << "\"\n";
    if (reuse.value == 1) s << "Radiosity_To_File=on\n";
    if (reuse.value == 2) s << "Radiosity_From_File=on\n";
    s << "Radiosity_Vain_Pretrace=off\n";
    s << "High_Reproducibility=" << (highReproduce.value == 1 ? "on" : "off") << "\n";
    return s;
}

bool PovRadiositySettings_cls::CheckPretraceFile() const {
    if (type.value == 0 || reuse.value == 0) return true;
    const wxString& path = pathDir.text;
    if (path == "NONE" || path.empty()) return false;
    const std::string p = path.utf8_string();
    if (reuse.value == 2) return access(p.c_str(), R_OK) == 0;
    if (reuse.value == 1) {
        // Saving needs the folder that will hold the file to be writable.
        const size_t slash = p.rfind('/');
        const std::string dir = slash == std::string::npos ? std::string(".") : p.substr(0, slash);
        return access(dir.empty() ? "/" : dir.c_str(), W_OK) == 0;
    }
    return true;
}
