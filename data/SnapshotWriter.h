// Writing snapshot files in any record grammar the loader reads: the particles of one
// snapshot as binary records or as ASCII lines that read back to the same floats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/SnapshotReader.h"

/// The particles of one snapshot in file order (structure of arrays). position and velocity
/// hold 3 floats per particle; the others one entry each.
struct SnapshotParticles {
    std::vector<float> position;
    std::vector<float> velocity;
    std::vector<float> radius;
    std::vector<float> value1;
    std::vector<int32_t> id;
    std::vector<int32_t> type;  ///< as written (the reader keeps 0..3)

    int64_t Count() const { return static_cast<int64_t>(radius.size()); }
    /// n particles, all values 0.
    void Resize(int64_t n);
};

/// Borrowed particle arrays of `count` particles (a loaded snapshot's or a
/// SnapshotParticles'); a null array reads as zeros. Types come from `type8` or `type32`.
struct SnapshotArraysView {
    const float* position = nullptr;  ///< 3 per particle
    const float* velocity = nullptr;  ///< 3 per particle
    const float* radius = nullptr;
    const float* value1 = nullptr;
    const int32_t* id = nullptr;
    const uint8_t* type8 = nullptr;
    const int32_t* type32 = nullptr;
    int64_t count = 0;

    SnapshotArraysView() = default;
    explicit SnapshotArraysView(const SnapshotParticles& ps);
};

/// How ASCII numbers are written. RoundTrip: shortest form that reads back bit for bit,
/// values separated by one blank, dummy header lines "0". Fixed: the data exporter's
/// files: floats as "%f" (six decimals), integers as "%d", every body value followed by
/// one blank, dummy header lines "dummy". Binary files are the same in both.
enum class SnapshotText { RoundTrip, Fixed };

/// Appends the header of a snapshot of `count` particles in `grammar`: binary (Time as a
/// 32-bit float, Number as a 32-bit integer, dummies as zero floats) or ASCII (one value per
/// line: the time and count in shortest round-trip form, dummies "0"). Header codes the
/// reader does not know add nothing.
void AppendSnapshotHeader(const SnapshotGrammar& grammar, double time, int64_t count, std::string& out,
                          SnapshotText text = SnapshotText::RoundTrip);
/// Appends particles [first, end) of `ps` as body records of `grammar`: binary little-endian
/// 32-bit values, or one ASCII line each (values separated by one blank, floats in shortest
/// round-trip form, so they read back bit for bit). Dummies are written as 0.
void AppendSnapshotRecords(const SnapshotGrammar& grammar, const SnapshotParticles& ps, int64_t first,
                           int64_t end, std::string& out);
/// Appends particles first, first + stride, ... below `end` of `ps` (stride at least 1).
void AppendSnapshotRecords(const SnapshotGrammar& grammar, const SnapshotArraysView& ps, int64_t first,
                           int64_t end, int64_t stride, SnapshotText text, std::string& out);
/// Records a file of `count` particles taken with `stride` holds: count / stride rounded up.
int64_t StridedCount(int64_t count, int64_t stride);
/// Header and body of the whole snapshot.
std::string EncodeSnapshot(const SnapshotGrammar& grammar, double time, const SnapshotParticles& ps);

/// Writes the snapshot to `path` (UTF-8) piece by piece, so a large snapshot never sits in
/// memory as text. False with `error` ("<path>: <reason>") when the file cannot be written.
bool WriteSnapshotFile(const std::string& path, const SnapshotGrammar& grammar, double time,
                       const SnapshotParticles& ps, std::string& error);
/// The same for borrowed arrays, every `stride`-th particle from particle 0, in `text`
/// form. On failure the partial file is removed, so no truncated snapshot is left behind.
/// An ASCII file's text is formatted by `workers` threads (1: on the calling thread only).
bool WriteSnapshotFile(const std::string& path, const SnapshotGrammar& grammar, double time,
                       const SnapshotArraysView& ps, int64_t stride, SnapshotText text, std::string& error,
                       int workers = 1);
