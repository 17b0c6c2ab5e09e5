// pt_make_snapshots: writes a numbered snapshot sequence for trying the program out, in any
// grammar the data loader reads (see DemoUsage for the options), and beside it a project
// that opens it ready to look at.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/DemoProject.h"
#include "tools/DemoSequence.h"
#include "platform/FileNumbers.h"
#include "platform/Trace.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    DemoSequenceOptions options;
    std::string folder = "demo";
    const std::string problem = ParseDemoArguments(args, options, folder);
    if (problem == "help") {
        std::fputs(DemoUsage().c_str(), stdout);
        return 0;
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "pt_make_snapshots: %s\n%s", problem.c_str(), DemoUsage().c_str());
        return 2;
    }
    DemoSequence_cls sequence(options);
    std::string error;
    if (!sequence.WriteAll(folder, error) || !WriteDemoProject(folder, options, error)) {
        std::fprintf(stderr, "pt_make_snapshots: %s\n", error.c_str());
        return 1;
    }
    platform::Trace("wrote " + std::to_string(options.frames) + " files of " +
                    platform::FormatInt(options.particles) + " particles to " + folder);
    return 0;
}
