// Depth keys and the sort of the draw order: key computation over stride-selected
// particles, and a sort by key that runs on worker threads above a threshold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "view/ParticleRecord.h"
#include "view/ThreadSort.h"

class ParamGroup_cls;
class SceneObj_cls;

/// More surviving records than this are sorted by ParallelSortRecords; up to this many by
/// one sort on the calling thread.
constexpr int kParallelSortThreshold = 100000;
/// The worker count of the key computation and of the parallel sort in the program.
constexpr int kSortThreads = 4;

/// The scene object whose frame the particles are drawn in (or null) and the draw time; set
/// by the view's data pass through SetSortTransform. GUI thread.
extern SceneObj_cls* GpSortFrameObject;
extern double GdSortFrameTime;
/// "Special (for Debug)": the next parallel depth sort writes its state to "logA.txt" and
/// "logB.txt" once and clears it. GUI thread.
extern bool GbSpecialDebug;

/// Stores the frame object (null: world frame) and the time for the next key computations.
void SetSortTransform(SceneObj_cls* object, double time);
/// Maps the eye position (by the inverse placement about `pivot`, which may be null) and the
/// viewing direction (by the inverse rotation) into GpSortFrameObject's frame at
/// GdSortFrameTime; leaves both unchanged without a frame object. Call before
/// ComputeSortKeys. GUI thread (the object is evaluated).
void MapSortViewToFrame(float eye[3], float direction[3], ParamGroup_cls* pivot = nullptr);

/// Records written by ComputeSortKeys for n particles at stride s (>= 1): one per particle
/// index 0, s, 2s, ... below n. The record array needs one more place (the sentinel).
int64_t SortKeyRecordCount(int64_t n, int s);

/// Writes a record (index, key, weight 1) for each particle index first, first + s, ...
/// below `end` into records[outFirst], records[outFirst + 1], ... `positions` holds x, y, z
/// per particle. Key mode 0: -(position . direction) (depth along the viewing direction);
/// key mode 1: -|position - eye|^2; with these ascending keys put the farthest particle first
/// (back to front, for transparency). Key mode 2: +|position - eye|^2, nearest first (solid
/// objects).
/// A key that is not a number becomes +infinity (drawn last). Any thread; disjoint ranges
/// may be computed at once.
void ComputeSortKeyRange(ParticleRecord_cls* records, int64_t outFirst, int64_t first, int64_t end,
                         int s, const float* positions, const float eye[3], const float direction[3],
                         int keyMode);

/// Keys for particle indices 0, s, 2s, ... below n, computed by `threadCount` (>= 1) key
/// workers over consecutive index ranges; then a sentinel record (index 0, key 9999) after
/// them. `records` must hold SortKeyRecordCount(n, s) + 1 records. Returns the number of
/// keyed records. Eye and direction are taken as given (see MapSortViewToFrame). GUI thread.
int ComputeSortKeys(ParticleRecord_cls* records, int n, int s, const float* positions, const float eye[3],
                    const float direction[3], int keyMode, int threadCount = kSortThreads);

/// Block size of the merges for a sort preference: 0 "Precise" 1, 1 "Approximate 10" 10,
/// 2 "Approximate 100" 100, 3 "Approximate 1000" 1000, anything else 1.
int SortBlockSize(int sortPreference);

/// Sorts records[first, end) ascending by key (ties in any order; keys that are not
/// numbers become +infinity and sort last; -0 and +0 are equal keys). With `scratch`
/// (room for end - first records, contents overwritten) an LSD radix sort over the keys'
/// order-preserving unsigned images; without it a comparison sort in place. Any thread.
void SortRecordRange(ParticleRecord_cls* records, int64_t first, int64_t end,
                     ParticleRecord_cls* scratch = nullptr);

/// The unsigned image of a key whose unsigned order is the key's float order: the sign bit
/// flipped for positive keys, every bit for negative ones; -0 maps to the image of +0.
/// (Keys that are not numbers are made +infinity before they get here.)
uint32_t RadixKeyOf(float key);

/// Digits of the radix sorts: kRadixDigitPasses digits of kRadixDigitBits bits, lowest first.
constexpr int kRadixDigitBits = 11;
constexpr int kRadixDigitPasses = 3;
constexpr uint32_t kRadixBuckets = 1u << kRadixDigitBits;

/// Adds the counts of digit `pass` of records[first, end) to hist[kRadixBuckets]; with
/// `fixKeys` keys that are not numbers become +infinity first. Any thread; disjoint ranges.
void CountRadixDigit(ParticleRecord_cls* records, int64_t first, int64_t end, int pass, uint32_t* hist,
                     bool fixKeys);
/// Moves src[first, end), in order, to dst[offsets[d]++] where d is the record's digit
/// `pass` (a stable scatter). Any thread; workers with disjoint offsets may run at once.
void ScatterRadixDigit(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t first, int64_t end,
                       int pass, uint32_t* offsets);

/// Merge of the ascending runs A = src[sA, eA) and B = src[eA, eB) (adjacent): the front
/// part writes dst[sA, eA), the back part dst[eA, eB). The two parts split the records
/// exactly (front: the eA - sA first records of the ascending merge, ties placing B's
/// records before A's), so together they always write a permutation of src[sA, eB), and
/// can run at once on two threads. With blockSize 1 the result is the exact merge; above 1
/// the front part copies whole blocks where a test at a distance allows, so its order is only
/// approximately ascending.
void MergeRunsFront(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA,
                    int64_t eB, int blockSize);
void MergeRunsBack(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA,
                   int64_t eB);
/// Output positions dst[sA + k0, sA + k1) of the exact merge of the same runs (ties placing
/// B's records before A's), 0 <= k0 <= k1 <= eB - sA. The exact merge is unique, so pieces
/// that tile [0, eB - sA) write it whole whatever their number, and may run at once.
void MergeRunsPiece(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA,
                    int64_t eB, int64_t k0, int64_t k1);

/// The sort of the draw order with its working space: an array of records that lives with
/// the sorter, grows to the largest count sorted and is reused by every later sort, so a
/// frame of the same size allocates nothing. One per renderer; GUI thread.
class DepthSorter_cls {
public:
    /// The draw order's sort: above kParallelSortThreshold records ParallelSort, otherwise
    /// one radix sort on the calling thread (records[0, count) ascending by key).
    void Sort(ParticleRecord_cls* records, int count, int threadCount = kSortThreads, int blockSize = 1,
              bool* dumpLogsOnce = nullptr);

    /// Sorts records[0, count) ascending by key on `threadCount` (>= 1) workers. With
    /// blockSize 1 (and no dump asked for) one radix sort shared by the workers: each digit
    /// counted and then scattered by all of them over their slices, stably, through the
    /// working space. Otherwise equal parts radix-sorted at once, then stages of pairwise
    /// merges through the working space: with blockSize 1 each stage's merges are cut into
    /// one piece per worker; above 1 each pair is merged by a front and a back worker. The
    /// result is always a permutation of the input; with blockSize 1 it is sorted, above 1
    /// approximately sorted. When `dumpLogsOnce`
    /// points at true, the array after the part sorts and the source of the first merge
    /// stage are written to "logA.txt" and "logB.txt" in the working directory and the flag
    /// is cleared (a debugging aid, off unless the caller asks). Workers that cannot be
    /// started run on the calling thread; all are joined before it returns.
    void ParallelSort(ParticleRecord_cls* records, int count, int threadCount = kSortThreads, int blockSize = 1,
                      bool* dumpLogsOnce = nullptr);

    /// Records the working space holds now (0 before the first sort that needs it).
    size_t BufferCapacity() const { return capacity_; }

    /// How workers are started (default wxThread::Run); a test seam for refused threads.
    void SetWorkerStarter(SortWorkerStarter start) { start_ = std::move(start); }

private:
    /// The shared radix sort of ParallelSort (working space `temp`, count records).
    void ParallelRadixSort(ParticleRecord_cls* records, int64_t count, int threadCount, ParticleRecord_cls* temp);
    /// The working space for `count` records, grown when too small; null when it cannot be
    /// had (the sorts then fall back to a comparison sort in place).
    ParticleRecord_cls* Buffer(size_t count);

    struct FreeDeleter {
        void operator()(void* p) const { std::free(p); }
    };
    std::unique_ptr<void, FreeDeleter> buffer_;
    size_t capacity_ = 0;
    SortWorkerStarter start_;
};

/// One DepthSorter_cls::ParallelSort with a working space of its own (allocated for this
/// call); for callers that sort once. GUI thread.
void ParallelSortRecords(ParticleRecord_cls* records, int count, int threadCount = kSortThreads,
                         int blockSize = 1, bool* dumpLogsOnce = nullptr);

/// One DepthSorter_cls::Sort with a working space of its own (allocated for this call). GUI
/// thread.
void SortDrawOrder(ParticleRecord_cls* records, int count, int threadCount = kSortThreads,
                   int blockSize = 1, bool* dumpLogsOnce = nullptr);
