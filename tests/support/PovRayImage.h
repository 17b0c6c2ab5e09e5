// Renders a small POV-Ray scene with the real POV-Ray and reads the picture back, so a test
// can look at the pixel where an object is expected.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/PovRayProbe.h"
#include "tests/support/TestFiles.h"

namespace povprobe {

/// An RGB picture, rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  ///< 3 bytes per pixel
    const unsigned char* At(int x, int y) const { return &rgb[3 * (size_t(y) * size_t(width) + size_t(x))]; }
};

/// Renders `scene` at width x height without anti-aliasing into a PPM file and reads it;
/// `ok` tells whether POV-Ray exited with 0 and the picture was read. `messages` receives
/// what POV-Ray printed.
inline Picture Render(const std::string& scene, int width, int height, bool& ok, std::string* messages = nullptr) {
    Picture pic;
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("scene.pov"), scene);
    const std::string cmd = "cd '" + dir.Path() + "' && " + PovRayPath() + " +Iscene.pov +Oscene.ppm +FP +W" +
                            std::to_string(width) + " +H" + std::to_string(height) + " -A -D -P > out.txt 2>&1";
    ok = std::system(cmd.c_str()) == 0;
    if (messages) *messages = testsupport::ReadFile(dir.File("out.txt"));
    const std::string bytes = testsupport::ReadFile(dir.File("scene.ppm"));
    // "P6" <w> <h> <max> (with '#' comment lines between) then one whitespace and the binary pixels (max 255 here).
    size_t at = 0;
    auto token = [&]() {
        for (;;) {
            while (at < bytes.size() &&
                   (bytes[at] == ' ' || bytes[at] == '\n' || bytes[at] == '\r' || bytes[at] == '\t'))
                ++at;
            if (at >= bytes.size() || bytes[at] != '#') break;
            while (at < bytes.size() && bytes[at] != '\n') ++at;  // a comment line
        }
        const size_t from = at;
        while (at < bytes.size() && !(bytes[at] == ' ' || bytes[at] == '\n' || bytes[at] == '\r' || bytes[at] == '\t'))
            ++at;
        return bytes.substr(from, at - from);
    };
    if (token() != "P6") {
        ok = false;
        return pic;
    }
    const int w = std::atoi(token().c_str());
    const int h = std::atoi(token().c_str());
    const int maxValue = std::atoi(token().c_str());
    ++at;
    if (w != width || h != height || maxValue != 255 || bytes.size() < at + size_t(w) * size_t(h) * 3) {
        ok = false;
        return pic;
    }
    pic.width = w;
    pic.height = h;
    pic.rgb.assign(bytes.begin() + long(at), bytes.begin() + long(at + size_t(w) * size_t(h) * 3));
    return pic;
}

}  // namespace povprobe
