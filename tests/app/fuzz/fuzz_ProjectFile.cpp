// Fuzz target of project opening as Open does it: the file is loaded and checked whole
// before the scene is touched, then read section by section. Besides not crashing: a file
// the check refuses leaves no lines and a message naming the file, and the scene as it
// was; a file it accepts reads, writes and reads again to the same text, and what the
// program writes passes its own check.
#include <wx/init.h>

#include "app/ProjectFile.h"
#include "platform/TextDecoding.h"
#include "tests/app/fuzz/FuzzScene.h"

using namespace fuzzscene;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    AbortOnToolkitAssertions();
    return wxInitialize() ? 0 : 1;
}

namespace {

struct Holder {
    Scene scene;
};

ReusedScenes<Holder>& Scenes() {
    static ReusedScenes<Holder>* scenes = new ReusedScenes<Holder>;
    return *scenes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = InputPath(".ptp");
    WriteInput(path, data, size);

    ReusedScenes<Holder>& scenes = Scenes();
    Scene& scene = scenes.Fresh();
    std::vector<std::string> lines{"stale"};
    std::string error;
    const ProjectFile_cls::LineTest isProgramLine = [&scene](const std::string& line) {
        return scene.sections.IsProgramLine(line);
    };
    if (!ProjectFile_cls::LoadAndCheck(path, isProgramLine, lines, error)) {
        if (!lines.empty()) Violation("a refused file left lines to read", error);
        if (error.find(path) == std::string::npos) Violation("the message does not name the file", error);
        if (scene.sections.WriteText(true) != scenes.DefaultText())
            Violation("a refused file changed the scene", error);
        return 0;
    }
    scenes.Touched();
    scene.sections.ReadLines(lines);
    const std::string first = scene.sections.WriteText(true);

    const std::vector<std::string> written = platform::SplitLines(first);
    if (!ProjectFile_cls::CheckLines(written, "written", isProgramLine, error))
        Violation("the check refuses a project the program wrote", error + "\n" + first);
    Scene& again = scenes.Used();
    again.sections.ReadLines(written);
    const std::string second = again.sections.WriteText(true);
    if (second != first) Violation("write, read, write is not stable", first + "\n----\n" + second);
    return 0;
}
