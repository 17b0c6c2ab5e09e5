// A snapshot the scene writer exports and the real POV-Ray renders as a small PPM picture,
// read back for the tests that look at where its objects and lights land.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "scene/PovOutputSettings.h"
#include "scene/PovRayCtrl.h"
#include "scene/PovSceneWriter.h"
#include "tests/support/TestFiles.h"

namespace povsnapshot {

/// Reads a binary PPM (P6, maxval 255, comment lines allowed) into rgb bytes.
inline bool ReadPpm(const std::string& bytes, int& w, int& h, std::string& rgb) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (fields.size() < 4 && at < bytes.size()) {
        if (bytes[at] == '#') {
            at = bytes.find('\n', at);
            if (at == std::string::npos) return false;
        } else if (std::isspace(static_cast<unsigned char>(bytes[at]))) {
            ++at;
        } else {
            const size_t end = bytes.find_first_of(" \t\r\n", at);
            if (end == std::string::npos) return false;
            fields.push_back(bytes.substr(at, end - at));
            at = end;
        }
    }
    if (fields.size() != 4 || fields[0] != "P6" || fields[3] != "255") return false;
    w = std::atoi(fields[1].c_str());
    h = std::atoi(fields[2].c_str());
    rgb = bytes.substr(at + 1);
    return rgb.size() >= size_t(w) * size_t(h) * 3;
}

/// A rendered picture, rows top down.
struct Picture {
    int w = 0, h = 0;
    std::string rgb;
    /// Channel `ch` (0 red, 1 green, 2 blue) of pixel (x, y).
    int At(int x, int y, int ch) const { return int(static_cast<unsigned char>(rgb[(size_t(y) * w + x) * 3 + ch])); }
};

/// Sets `ctrl` to write a 64 x 48 PPM picture, shown nowhere, into `folder` (which the
/// export creates).
inline void SmallPpmOutput(PovRayCtrl_cls& ctrl, const std::string& folder) {
    ctrl.pathPovWork.text = folder;
    ctrl.output->width.value = 64;
    ctrl.output->height.value = 48;
    ctrl.output->display.value = false;
    ctrl.output->format.value = 4;  // PPM, read back here without an image library
}

/// Exports `writer`'s snapshot into `folder` (set by SmallPpmOutput), renders it with
/// POV-Ray and reads the 64 x 48 picture into `pic`; a step that fails fails the test.
inline void RenderSnapshot(PovRayCtrl_cls& ctrl, PovSceneWriter_cls& writer, const std::string& folder,
                           Picture& pic) {
    ASSERT_TRUE(writer.ExportPovSnapshot(true)) << writer.failure;
    const PovRenderCommand_cls cmd = ctrl.MakeRenderCommand(ctrl.GetPovFileName(PovRayCtrl_cls::FILE_SNAPSHOT));
    const platform::ChildResult r = platform::RunChild(cmd.program, cmd.args, cmd.workDir);
    ASSERT_TRUE(r.started) << r.error;
    ASSERT_EQ(r.exitCode, 0) << r.output;
    ASSERT_TRUE(ReadPpm(testsupport::ReadFile(folder + "/povsnap0000.ppm"), pic.w, pic.h, pic.rgb));
    ASSERT_EQ(pic.w, 64);
    ASSERT_EQ(pic.h, 48);
}

}  // namespace povsnapshot
