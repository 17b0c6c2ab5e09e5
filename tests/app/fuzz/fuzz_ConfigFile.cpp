// Fuzz target of the configuration file as the program reads it at start: loaded without
// the project check, every line offered to every section. Besides not crashing: what is
// read writes, reads into a fresh program and writes again to the same text.
#include <wx/init.h>

#include "app/ProjectFile.h"
#include "common/ConfItemGroup.h"
#include "platform/TextDecoding.h"
#include "tests/app/fuzz/FuzzScene.h"

using namespace fuzzscene;

namespace {

// One item of every type, so that every line reader of the settings table is fuzzed
// (the program's own owners use most but not all of them).
struct EveryType {
    ConfItemSTR_cls str;
    ConfItemINT_cls i;
    ConfItemUINT_cls u;
    ConfItemFLOAT_cls f;
    ConfItemDOUBLE_cls d;
    ConfItemBOOL_cls b;
    ConfItemINTARRAY_cls ia;
    ConfItemFLOATARRAY_cls fa;
    ConfItemDOUBLEARRAY_cls da;
    ConfItemBOOLARRAY_cls ba;
    ConfItemGroup_cls group;

    explicit EveryType(Scene& scene) {
        group.Register(&str, "TypeSTR=", "None");
        group.Register(&i, "TypeINT=", "-3");
        group.Register(&u, "TypeUINT=", "7");
        group.Register(&f, "TypeFLOAT=", "0.5");
        group.Register(&d, "TypeDOUBLE=", "1e-9");
        group.Register(&b, "TypeBOOL=", "1");
        group.Register(&ia, "TypeINTARRAY=", "1 2 3");
        group.Register(&fa, "TypeFLOATARRAY=", "1 0 0 1");
        group.Register(&da, "TypeDOUBLEARRAY=", "0.25 4");
        group.Register(&ba, "TypeBOOLARRAY=", "1 0 1");
        scene.sections.AddGroup(ROW_FRAME, READ_FRAME, "every type", &group);
    }
};

struct Holder {
    Scene scene;
    EveryType types{scene};
};

ReusedScenes<Holder>& Scenes() {
    static ReusedScenes<Holder>* scenes = new ReusedScenes<Holder>;
    return *scenes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    AbortOnToolkitAssertions();
    return wxInitialize() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = InputPath(ProjectFile_cls::ConfigFileName());
    WriteInput(path, data, size);

    std::vector<std::string> lines;
    std::string error;
    if (!ProjectFile_cls::LoadLines(path, lines, error)) {
        if (error.find(path) == std::string::npos) Violation("the message does not name the file", error);
        return 0;
    }
    ReusedScenes<Holder>& scenes = Scenes();
    Scene& scene = scenes.Fresh();
    scenes.Touched();
    scene.sections.ReadLines(lines);
    const std::string first = scene.sections.WriteText(false);

    // The configuration text holds the program-wide sections only: what the last input
    // left elsewhere stays, and must not change what is written.
    Scene& again = scenes.Used();
    again.sections.ReadLines(platform::SplitLines(first));
    const std::string second = again.sections.WriteText(false);
    if (second != first) Violation("write, read, write is not stable", first + "\n----\n" + second);
    return 0;
}
