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

/// Appends the header of a snapshot of `count` particles in `grammar`: binary (Time as a
/// 32-bit float, Number as a 32-bit integer, dummies as zero floats) or ASCII (one value per
/// line: the time and count in shortest round-trip form, dummies "0"). Header codes the
/// reader does not know add nothing.
void AppendSnapshotHeader(const SnapshotGrammar& grammar, double time, int64_t count, std::string& out);
/// Appends particles [first, end) of `ps` as body records of `grammar`: binary little-endian
/// 32-bit values, or one ASCII line each (values separated by one blank, floats in shortest
/// round-trip form, so they read back bit for bit). Dummies are written as 0.
void AppendSnapshotRecords(const SnapshotGrammar& grammar, const SnapshotParticles& ps, int64_t first,
                           int64_t end, std::string& out);
/// Header and body of the whole snapshot.
std::string EncodeSnapshot(const SnapshotGrammar& grammar, double time, const SnapshotParticles& ps);

/// Writes the snapshot to `path` (UTF-8) piece by piece, so a large snapshot never sits in
/// memory as text. False with `error` ("<path>: <reason>") when the file cannot be written.
bool WriteSnapshotFile(const std::string& path, const SnapshotGrammar& grammar, double time,
                       const SnapshotParticles& ps, std::string& error);
