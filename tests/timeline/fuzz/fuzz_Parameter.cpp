// Fuzz target of the key-frame parameter text as the project reader hands it on (the
// bytes decoded as a project file is, then split into lines): every line is offered to
// each group, a group reads its block from the stream. Besides not crashing: what is read
// writes, reads into fresh groups and writes again to the same text, evaluating the
// curves read gives numbers without undefined behaviour, and the toolkit asserts nothing.
#include <cstdio>
#include <cstdlib>

#include <wx/debug.h>
#include <wx/init.h>

#include "platform/TextDecoding.h"
#include "timeline/ParamGroup.h"
#include "timeline/ParamTextStream.h"
#include "timeline/Parameter.h"

namespace {

// A translate group, a colour group and a container of both, as scene objects hold them.
struct Groups {
    ParamGroup_cls translate{"Obj Translate", {"x", "y", "z"}, 0, 0};
    ParamGroup_cls color{"Color", {"R", "G", "B", "A"}, 0, 1};
    ParamGroup_cls box{"Obj", {}, 0, 1};
    Groups() { box.children = {&translate, &color}; }

    void Read(const std::vector<std::string>& lines) {
        ParamTextStream_cls in(lines);
        std::string line;
        while (in.ReadLine(line)) {
            translate.ReadText(in, line);
            color.ReadText(in, line);
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A toolkit assertion is a dialog in the program: here it is a finding.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        std::fprintf(stderr, "property violated: toolkit assertion %s:%d %s: %s %s\n", file.utf8_str().data(), line,
                     func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
        std::abort();
    });
    return wxInitialize() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const platform::DecodedText text =
        platform::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text.ok) return 0;  // a file that does not decode never reaches the readers
    const std::vector<std::string> lines = platform::SplitLines(text.utf8);
    Groups a;
    a.Read(lines);
    const std::string first = a.box.WriteText();

    for (double t : {-0.5, 0.0, 0.3, 1.0, 7.25}) {
        (void)a.translate.GetValues(t, 0.0);
        float rgba[4];
        a.color.GetRGBAConst(t, 0.0, rgba);
    }

    Groups b;
    b.Read(platform::SplitLines(first));
    const std::string second = b.box.WriteText();
    if (second != first) {
        std::fprintf(stderr, "property violated: write, read, write is not stable\n%s\n----\n%s\n",
                     first.c_str(), second.c_str());
        std::abort();
    }
    return 0;
}
