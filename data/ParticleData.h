// The particle arrays of one snapshot file (structure of arrays), their allocation and
// freeing, and the reading of a snapshot's header.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include <wx/string.h>

#include "data/SnapshotReader.h"

class DataFrame_cls;
class MenuCommandPoster_cls;
class PeriodicRule_cls;

/// The ten array pointers of one snapshot, handed to the reader and interpolation workers.
/// Not owning: ParticleData_cls allocates and frees them. Arrays of n particles; position,
/// velocity, hermiteC2/C3 hold 3n floats (x, y, z per particle), the others n entries.
class ParticleArrays_cls {
public:
    float* position = nullptr;
    float* velocity = nullptr;    ///< as read; the position rate after linear interpolation
    float* hermiteC2 = nullptr;   ///< null unless the interpolation type is 1 (Hermite)
    float* hermiteC3 = nullptr;   ///< null unless the interpolation type is 1 (Hermite)
    float* radius = nullptr;
    float* radiusRate = nullptr;  ///< radius change per unit of snapshot time
    float* value1 = nullptr;
    float* value1Rate = nullptr;  ///< value1 change per unit of snapshot time
    uint8_t* type = nullptr;      ///< 0..3
    int32_t* id = nullptr;        ///< null when IDs are not kept

    /// All ten pointers out at once, in field order.
    void GetAll(float*& pos, float*& vel, float*& c2, float*& c3, float*& rad, float*& radRate,
                float*& val, float*& valRate, uint8_t*& typ, int32_t*& ids) const;
};

/// The particles of one snapshot file. Owned by its frame slot for the slot's whole life;
/// the arrays come and go with Allocate/Free. Load, the header readers, Allocate, Free and
/// StartReader run on the GUI thread; while a reader runs, the arrays and `readFailed` /
/// `readError` belong to it until the done flag it was given is set (release store).
class ParticleData_cls {
public:
    DataFrame_cls* frame;          ///< owning frame slot (not owned; may be null)
    int frameIndex;                ///< index of the frame slot; the time of a header without Time
    ParticleArrays_cls* arrays;    ///< made by Allocate, deleted by Free; null when not allocated
    float* position;               ///< 3n
    float* velocity;               ///< 3n
    float* hermiteC2;              ///< 3n, only for interpolation type 1
    float* hermiteC3;              ///< 3n, only for interpolation type 1
    float* radius;                 ///< n
    float* radiusRate;             ///< n
    float* value1;                 ///< n
    float* value1Rate;             ///< n
    uint8_t* type;                 ///< n
    int32_t* id;                   ///< n, only when IDs are kept
    int64_t count;                 ///< particles n; -1 = header not read
    bool allocated;                ///< the arrays above are held
    int interpolationType;         ///< 0 linear, 1 Hermite, 2 none; 1 at construction
    int numberMode;                ///< 0 by index, 1 by ID, 2 sort by ID; 0 at construction
    bool keepsIDs;                 ///< 1 at construction (the ID array is always allocated)
    /// Which load the arrays belong to: a new process-wide number at every Allocate and
    /// Free, never reused, so that whatever was built from the arrays (the drawable frame)
    /// can tell that they have been freed or reloaded since. 0 before the first.
    uint64_t loadGeneration;
    /// Rates have been started into the rate arrays since Allocate (StartInterpolation):
    /// their memory counts in GetMemoryKB. GUI thread.
    bool ratesInUse;

    double time;                   ///< snapshot time from the header, or frameIndex without Time
    bool readFailed;               ///< the last header or body read failed (frame unreadable)
    std::string readError;         ///< "file: line 57: expected 10 values, found 4"; "" when fine
    /// A body read that went well with a reservation (lines past the header's count were
    /// ignored): what to tell the user; "" when there is nothing. Set with readError.
    std::string readWarning;

    /// count -1, not allocated, interpolation type 1, number mode 0, keeps IDs.
    explicit ParticleData_cls(DataFrame_cls* frame = nullptr, int frameIndex = 0);
    /// Frees the arrays. No reader may still be writing them.
    ~ParticleData_cls();
    ParticleData_cls(const ParticleData_cls&) = delete;
    ParticleData_cls& operator=(const ParticleData_cls&) = delete;

    /// Header (when the count is -1) by the grammar's data type, settings copied in,
    /// arrays allocated (when not yet). Does not start the body reader (see StartReader).
    /// False, with `readFailed` and `readError` set and a line on standard output, when the
    /// header cannot be read or is refused, or memory cannot be had.
    bool Load(const wxString& fileName, const SnapshotLoadSettings& settings);

    /// Reads the header of a binary / ASCII snapshot: sets count and time. False (count
    /// left -1, readFailed and readError set) for a missing file, a short header, a
    /// negative count, a count the file cannot hold, or a grammar without Number.
    bool ReadHeaderBinary(const wxString& fileName, const SnapshotGrammar& grammar);
    bool ReadHeaderAscii(const wxString& fileName, const SnapshotGrammar& grammar);

    /// Frees first when allocated; stores n; allocates nothing for n <= 0. The Hermite pair
    /// only for interpolation type 1, ids only when kept. Arrays are not cleared. False
    /// (nothing held, count -1) when memory cannot be had.
    bool Allocate(int64_t n);
    /// Deletes the arrays and resets count to -1; does nothing when not allocated.
    void Free();

    /// Memory held by the arrays in KB (64-bit, truncated): count × the bytes per particle
    /// of the arrays that are in use: 37 for the snapshot's own values (33 without IDs),
    /// and once rates have been started into it (ratesInUse) 16 more for the rates and 24
    /// more for the Hermite pair. The rate arrays are allocated with the others, but the
    /// system gives them memory only when they are first written, so before that they
    /// cost nothing. 0 when nothing is allocated.
    int64_t GetMemoryKB() const;

    /// Starts the body reader for this snapshot (data/ThreadFileReader.h). Does nothing and
    /// returns false when a reader is already running. `loadedFlag` (the frame's loaded
    /// byte) is set with release order when the body is in or has failed; `ioThreads`
    /// ASCII workers (0 counts as 1); `onFinished` runs on the reader thread at its very
    /// end (the application posts its status and time refresh from it). GUI thread.
    bool StartReader(const wxString& fileName, const SnapshotLoadSettings& settings, int ioThreads,
                     std::atomic<bool>* loadedFlag, std::function<void()> onFinished = {});

    /// Starts the interpolation of this snapshot towards `next` (may be this object) with
    /// `periodic` (data/ThreadInterpolator.h): `ratesReady` (the frame's rates-ready flag)
    /// is set when the rates are in, 6018 then goes to `poster` (may be null). False, doing
    /// nothing, while another interpolation is registered. GUI thread.
    bool StartInterpolation(ParticleData_cls& next, const PeriodicRule_cls& periodic,
                            std::atomic<bool>* ratesReady, MenuCommandPoster_cls* poster);
};
