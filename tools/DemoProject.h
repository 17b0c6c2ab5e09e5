// The project a generated demo sequence opens with: the sequence loaded, each particle type
// in its own colour as small points, the periodic box set, and a camera that shows the whole
// box with room around it.
#pragma once

#include <string>

struct DemoSequenceOptions;

/// The project text for the sequence `options` describes, whose first file is `firstFile`,
/// saved as `projectPath` (both absolute): the loader's grammar, the project's own path,
/// the timeline as long as the sequence, the time text at the top right without colour
/// legends, the first view following the
/// camera path, sequence 0 with its files and its four types in orange, blue, green and
/// magenta as 2-pixel points, the periodic box of edge `options.box` (none when 0), and the
/// camera path's key at time 0 looking at the origin from outside the whole cloud. Only
/// these sections: opening it leaves every other setting as it was.
std::string DemoProjectText(const DemoSequenceOptions& options, const std::string& firstFile,
                            const std::string& projectPath);

/// The project's file name beside the sequence: the sequence's prefix + ".ptp".
std::string DemoProjectName(const DemoSequenceOptions& options);

/// Writes DemoProjectText for the sequence written into `folder` (by DemoSequence_cls::
/// WriteAll) as `folder`/DemoProjectName. False with `error` naming the file when it cannot
/// be written.
bool WriteDemoProject(const std::string& folder, const DemoSequenceOptions& options, std::string& error);
