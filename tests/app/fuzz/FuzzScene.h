// The settings owners of the logic libraries, registered in the section registry at the
// rows and slots the central object gives them, for the configuration and project fuzz
// targets (the lights included). Left out: the main frame's sections (windows) and the data sequences (reading
// a file list scans folders).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>
#include <wx/debug.h>

#include "app/ConfigSections.h"
#include "app/PreferenceSettings.h"
#include "platform/TextDecoding.h"
#include "data/DataLoader.h"
#include "data/PeriodicBoundary.h"
#include "scene/LightSRCCtrl.h"
#include "timeline/TimeCtrl.h"
#include "view/DrawOptions.h"
#include "view/ExposureSettings.h"
#include "view/ImageSaver.h"

namespace fuzzscene {

[[noreturn]] inline void Violation(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s\n%s\n", what, detail.c_str());
    std::abort();
}

/// A toolkit assertion is a dialog in the program: in a fuzz run it is a finding.
inline void AbortOnToolkitAssertions() {
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        Violation("toolkit assertion", std::string(file.utf8_str()) + ":" + std::to_string(line) + " " +
                                           std::string(func.utf8_str()) + ": " + std::string(cond.utf8_str()) +
                                           " " + std::string(msg.utf8_str()));
    });
}

/// A fresh scene with every owner at its defaults.
struct Scene {
    DataLoader_cls loader;
    TimeCtrl_cls time;
    PeriodicBoundary_cls periodic;
    DrawOptions_cls drawOptions;
    ExposureSettings_cls exposure;
    ImageSaver_cls imageSaver;
    PreferenceSettings_cls preferences;
    LightSRCCtrl_cls lights;
    ConfigSections_cls sections;

    Scene() {
        sections.AddGroup(ROW_DATA_LOADER, READ_DATA_LOADER, "data loader", &loader.group);
        TimeCtrl_cls* t = &time;
        sections.AddWriter(ROW_TIME, "time", [t] { return t->WriteText().utf8_string(); });
        sections.AddReader(READ_TIME, "time", [t](ParamTextStream_cls& in, const std::string& line) {
            t->ReadText(in, line);
        });
        sections.AddGroup(ROW_PERIODIC_BOUNDARY, READ_PERIODIC_BOUNDARY, "periodic boundary",
                          &periodic.group);
        sections.AddGroup(ROW_DRAW_OPTIONS, READ_DRAW_OPTIONS, "draw options", &drawOptions.group);
        sections.AddGroup(ROW_EXPOSURE, READ_EXPOSURE, "exposure", &exposure.group);
        sections.AddGroup(ROW_IMAGE_SAVER, READ_IMAGE_SAVER, "image saver", &imageSaver.group);
        sections.AddGroup(ROW_PREFERENCES, READ_PREFERENCES, "preferences mouse",
                          &preferences.MouseGroup());
        sections.AddGroup(ROW_PREFERENCES, READ_PREFERENCES, "preferences performance",
                          &preferences.PerformanceGroup());
        LightSRCCtrl_cls* l = &lights;
        sections.AddMarker("---AllLightSource");
        sections.AddMarker("---LightSRC");
        sections.AddSettingsGroup("lights", [l] { return &l->items; });
        for (int i = 0; i < LightSRCCtrl_cls::kLights; ++i)
            sections.AddSettingsGroup("light " + std::to_string(i), [l, i] { return &l->Light(i).settings; });
        sections.AddWriter(ROW_LIGHTS, "lights", [l] { return l->WriteSection(); });
        sections.AddReader(READ_LIGHTS, "lights", [l](ParamTextStream_cls& in, const std::string& line) {
            l->ReadSection(in, line);
        });
    }
};

/// Scenes kept from input to input, as the program keeps its owners from project to
/// project (Open reads into them): building every owner afresh for each input would cost
/// most of a run. `Holder` has a member `Scene scene` (and may register more in it).
/// A scene an input was read into goes back to the defaults by reading the whole text a
/// fresh one writes. That this restores exactly that text whatever an input left is what
/// the targets check of the second scene on every input: it reads a whole written project
/// over what the last input left and must write it back unchanged.
template <typename Holder>
class ReusedScenes {
public:
    /// The first scene, at its defaults: the one an input is read into.
    Scene& Fresh() {
        Scene& scene = first_->scene;
        if (dirty_) {
            dirty_ = false;
            scene.sections.ReadLines(defaultLines_);
        }
        return scene;
    }
    /// Says that an input was read into the first scene.
    void Touched() { dirty_ = true; }
    /// The second scene, as the last input left it: a whole written project replaces all
    /// of it.
    Scene& Used() { return second_->scene; }
    /// What a fresh scene writes (whole project).
    const std::string& DefaultText() const { return defaultText_; }

private:
    // Never destroyed: the owners' destructors may not run after the toolkit is gone.
    Holder* first_ = new Holder;
    Holder* second_ = new Holder;
    std::string defaultText_ = Holder().scene.sections.WriteText(true);
    std::vector<std::string> defaultLines_ = platform::SplitLines(defaultText_);
    bool dirty_ = false;
};

/// Path of a file holding the fuzz input, one per process (fuzzers may run side by side),
/// in memory-backed storage where there is some: Open reads projects from files.
inline const std::string& InputPath(const char* suffix) {
    static const std::string path = [&] {
        const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return dir + "/pt_fuzz_" + std::to_string(static_cast<long>(getpid())) + suffix;
    }();
    return path;
}

/// Writes the bytes to `path`; aborts when it cannot (a fuzz run without a disk is void).
inline void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        Violation("cannot write the input file", path);
}

}  // namespace fuzzscene
