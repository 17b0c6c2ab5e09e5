// Runs the real POV-Ray on a small scene and returns its messages (where #debug output goes).
#pragma once

#include <cstdlib>
#include <string>

#include "tests/support/TestFiles.h"

namespace povprobe {

inline const char* PovRayPath() { return "/usr/bin/povray"; }
inline bool Available() { return testsupport::FileExists(PovRayPath()); }

/// Parses `scene` (no image is written) in a fresh folder; `ok` tells whether POV-Ray
/// exited with 0. Returns everything it printed.
inline std::string Run(const std::string& scene, bool& ok) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("probe.pov"), scene);
    const std::string cmd = "cd '" + dir.Path() + "' && " + PovRayPath() +
                            " +Iprobe.pov +W1 +H1 -D -P -F > out.txt 2>&1";
    ok = std::system(cmd.c_str()) == 0;
    return testsupport::ReadFile(dir.File("out.txt"));
}

/// The numbers after "<tag> " on the first line of `out` that starts with it.
inline std::string Line(const std::string& out, const std::string& tag) {
    const std::string key = "\n" + tag + " ";
    const size_t at = out.find(key);
    if (at == std::string::npos) return std::string();
    const size_t end = out.find('\n', at + 1);
    return out.substr(at + key.size(), end - at - key.size());
}

}  // namespace povprobe
