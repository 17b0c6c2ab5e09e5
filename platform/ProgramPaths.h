// Where the program finds its data folders and keeps its configuration file, and the
// process facts the rest of the program asks the system for.
#pragma once

#include <string>

namespace platform {

/// Folder of the running executable, without a trailing '/'.
std::string ExecutableDir();

/// The current working directory, without a trailing '/'.
std::string WorkingDirectory();

/// The id of this process.
long ProcessId();

/// The installed data folder ("<prefix>/share/pelthorn3").
std::string InstalledDataDir();

/// Path of a program data file or folder given relative to the program's folder
/// (for example "ICONS/open.png" or "GL/Phong.vert"): the working directory first,
/// then beside the executable, then the installed data folder. When it is in none of
/// them, the path under the working directory is returned (its open fails and the
/// caller reports it).
std::string FindProgramData(const std::string& relative);

/// The configuration file: beside the executable when that folder can be written,
/// otherwise under $XDG_CONFIG_HOME/pelthorn3/ (default ~/.config/pelthorn3/), whose
/// folder is created when missing. `exeDir` overrides the executable folder (tests).
std::string ConfigFilePath(const std::string& fileName = "Pelthorn3Configure.txt",
                           const std::string& exeDir = std::string());

/// True when `path` names an existing regular file or folder.
bool PathExists(const std::string& path);

}  // namespace platform
