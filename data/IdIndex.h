// Finding particles by ID: a stable radix ordering of an ID array, and an index from ID to
// the positions that hold it, for matching the particles of two snapshots.
#pragma once

#include <cstdint>
#include <vector>

/// The stable ascending order of `ids[0..n)` (signed comparison): order[k] is the position
/// of the k-th smallest ID, equal IDs keep their order of position. A least-significant-
/// digit radix sort (11-bit digits, digits all IDs share are skipped); an already sorted
/// array costs one pass. n must be below 2^32. Any thread.
void StableOrderById(const int32_t* ids, int64_t n, std::vector<uint32_t>& order);

/// The radix sort behind StableOrderById on caller memory: (key, position) pairs of
/// `ids[0..n)` sorted stably by ID in `a` and `b` (n entries each; n below 2^32). Returns
/// the one of the two that holds the result: the low 32 bits of entry k are the position
/// of the k-th smallest ID.
const uint64_t* StableSortIdPairs(const int32_t* ids, int64_t n, uint64_t* a, uint64_t* b);

/// Positions of every ID in one snapshot's ID array, in ascending position order per ID.
/// IDs spread over a range not much larger than the count are found by a direct table,
/// others by binary search over the sorted IDs. Built once per interpolation and then only
/// read (any number of threads).
class IdIndex_cls {
public:
    /// Largest count the index takes (positions are 32-bit).
    static constexpr int64_t kMaxCount = 0xFFFFFFFEll;

    /// Indexes `ids[0..n)`; false (nothing indexed) when n is above kMaxCount or memory
    /// cannot be had.
    bool Build(const int32_t* ids, int64_t n);

    /// The positions holding `id`, ascending: [*first, *end). Empty (first == end) when the
    /// ID is not there.
    void Find(int32_t id, const uint32_t*& first, const uint32_t*& end) const;
    /// True when no ID occurs twice (an ID found is then its only position).
    bool Unique() const { return unique_; }
    /// With Unique(): the position of `id`, or -1 when it is not there. `hint` is where it
    /// is expected; IDs in ascending order are searched outwards from it.
    int64_t Position(int32_t id, int64_t hint) const;

private:
    bool dense_ = false;
    bool unique_ = true;
    const int32_t* ascending_ = nullptr;  ///< the IDs themselves when strictly ascending (no table)
    int64_t count_ = 0;
    int64_t minId_ = 0;
    int64_t range_ = 0;                  ///< dense: maxId − minId + 1
    std::vector<uint32_t> offsets_;      ///< dense: range_ + 1 starts into positions_
    std::vector<int32_t> sortedIds_;     ///< sparse: the IDs in ascending order
    std::vector<uint32_t> positions_;    ///< positions grouped by ID (dense) or aligned to sortedIds_
};
