// A generated numbered snapshot sequence: a rotating, slowly expanding cluster whose
// velocities are the motion between frames, optionally drifting through a periodic box
// and written in shuffled order, in any grammar the loader reads. Used by the
// pt_make_snapshots tool, the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "data/SnapshotReader.h"
#include "data/SnapshotWriter.h"

/// What to generate. Defaults: 20 ASCII frames of 20,000 particles, 0.5 time units apart,
/// in the default grammar, named demo0000.txt, demo0001.txt, ...
struct DemoSequenceOptions {
    int frames = 20;                ///< files, at least 1
    int64_t particles = 20000;      ///< particles per file, 0 or more (at most 2^31 - 1)
    SnapshotGrammar grammar = AsciiGrammar();  ///< data type and codes of the files
    double startTime = 0.0;         ///< time of frame 0
    double dt = 0.5;                ///< time between frames (> 0)
    float box = 0.0f;               ///< periodic box edge, centred on the origin; 0 = no box
    float drift[3] = {0, 0, 0};     ///< common velocity added to every particle
    bool shuffle = false;           ///< records in a new random order in every file
    int types = 4;                  ///< particle i has type i % types (1..4)
    float radiusScale = 1.0f;       ///< factor on the radii (0.012 + 0.01·type + up to 0.004)
    uint32_t seed = 3;              ///< same seed, same files
    std::string prefix = "demo";    ///< file name before the four-digit frame number

    static SnapshotGrammar AsciiGrammar();
    /// ".dat" for binary files, ".txt" for ASCII.
    std::string Extension() const;
    /// prefix + frame as %04d + extension.
    std::string FileName(int frame) const;
};

/// The sequence, one frame at a time. Particle p carries ID p for the whole sequence. With
/// positions P_k and velocities V_k of frame k, frame k+1 holds P_k + dt·V_k (in float),
/// wrapped into the box [-box/2, box/2) on every axis when there is a box. The velocity of
/// a particle is a rotation about z (faster inside), an expansion and the drift.
class DemoSequence_cls {
public:
    explicit DemoSequence_cls(const DemoSequenceOptions& options);

    int Frame() const { return frame_; }  ///< index of the current frame, 0 after construction
    double Time() const;                  ///< startTime + frame · dt
    /// The current frame's particles in file order (shuffled when asked for).
    const SnapshotParticles& Particles() const { return out_; }
    /// Moves every particle on by dt along its velocity and makes the next frame.
    void Advance();

    /// Writes all frames into `folder` (created when missing) from frame 0. False with
    /// `error` (naming the file) when a file cannot be written.
    bool WriteAll(const std::string& folder, std::string& error);

private:
    void Velocities();
    void Emit();

    DemoSequenceOptions opt_;
    int frame_ = 0;
    std::vector<float> pos_, vel_, radius_, spin_;  // by particle (ID)
    std::vector<int32_t> order_;                    // file position -> particle
    std::mt19937 rng_;
    SnapshotParticles out_;
};

/// Reads the tool's command line (arguments after the program name) into `options` and
/// `folder`: [folder] [--frames N] [--particles N] [--binary | --ascii] [--dt T]
/// [--start T] [--box L] [--drift X Y Z] [--shuffle] [--types N] [--radius F] [--seed N]
/// [--prefix NAME] [--header "codes"] [--body "codes"]. A box without --drift drifts by
/// (L/4, L/8, L/16) per time unit so that particles cross it. Returns "" when fine, "help"
/// for --help, else the message for the user.
std::string ParseDemoArguments(const std::vector<std::string>& args, DemoSequenceOptions& options,
                               std::string& folder);

/// Usage text of the tool.
std::string DemoUsage();
