// Radix ordering of IDs and the ID-to-position index.
#include "data/IdIndex.h"

#include <algorithm>
#include <array>
#include <new>

namespace {

constexpr int kDigitBits = 11;
constexpr uint32_t kDigits = 1u << kDigitBits;
constexpr int kPasses = 3;  // 3 × 11 bits cover the 32-bit key

// Signed IDs as unsigned keys of the same order.
inline uint32_t Key(int32_t id) { return static_cast<uint32_t>(id) ^ 0x80000000u; }

inline uint32_t Digit(uint32_t key, int pass) {
    return (key >> (pass * kDigitBits)) & (kDigits - 1);
}

}  // namespace

const uint64_t* StableSortIdPairs(const int32_t* ids, int64_t n, uint64_t* a, uint64_t* b) {
    const size_t un = n > 0 ? static_cast<size_t>(n) : 0;
    // All histograms in one pass; a digit every key shares needs no pass of its own.
    std::vector<std::array<uint32_t, kDigits>> count(kPasses);
    for (auto& c : count) c.fill(0);
    for (size_t i = 0; i < un; ++i) {
        const uint32_t k = Key(ids[i]);
        a[i] = (static_cast<uint64_t>(k) << 32) | i;
        for (int p = 0; p < kPasses; ++p) ++count[p][Digit(k, p)];
    }
    // LSD passes keep equal keys in the order of their positions.
    for (int p = 0; p < kPasses; ++p) {
        auto& c = count[p];
        if (un == 0 || *std::max_element(c.begin(), c.end()) == un) continue;
        uint32_t start[kDigits];
        uint32_t sum = 0;
        for (uint32_t d = 0; d < kDigits; ++d) {
            start[d] = sum;
            sum += c[d];
        }
        const int shift = 32 + p * kDigitBits;
        for (size_t i = 0; i < un; ++i) {
            const uint64_t v = a[i];
            b[start[(v >> shift) & (kDigits - 1)]++] = v;
        }
        std::swap(a, b);
    }
    return a;
}

void StableOrderById(const int32_t* ids, int64_t n, std::vector<uint32_t>& order) {
    const size_t un = n > 0 ? static_cast<size_t>(n) : 0;
    order.resize(un);
    if (un == 0) return;
    bool sorted = true;
    for (size_t i = 1; i < un && sorted; ++i) sorted = ids[i - 1] <= ids[i];
    if (sorted) {
        for (size_t i = 0; i < un; ++i) order[i] = static_cast<uint32_t>(i);
        return;
    }
    std::vector<uint64_t> a(un), b(un);
    const uint64_t* r = StableSortIdPairs(ids, n, a.data(), b.data());
    for (size_t i = 0; i < un; ++i) order[i] = static_cast<uint32_t>(r[i]);
}

bool IdIndex_cls::Build(const int32_t* ids, int64_t n) {
    dense_ = false;
    unique_ = true;
    minId_ = 0;
    range_ = 0;
    offsets_.clear();
    sortedIds_.clear();
    positions_.clear();
    ascending_ = nullptr;
    count_ = 0;
    if (n > kMaxCount) return false;
    if (n <= 0 || ids == nullptr) return true;
    const size_t un = static_cast<size_t>(n);
    bool ascending = true;
    for (size_t i = 1; i < un && ascending; ++i) ascending = ids[i - 1] < ids[i];
    if (ascending) {
        // Sorted unique IDs are their own index.
        ascending_ = ids;
        count_ = n;
        return true;
    }
    try {
        const auto mm = std::minmax_element(ids, ids + un);
        const int64_t lo = *mm.first;
        const int64_t range = static_cast<int64_t>(*mm.second) - lo + 1;
        if (range <= 2 * n + 4096) {
            // Direct table: a counting sort of the positions by ID (stable, so positions
            // stay ascending within an ID).
            dense_ = true;
            minId_ = lo;
            range_ = range;
            offsets_.assign(static_cast<size_t>(range) + 1, 0);
            for (size_t i = 0; i < un; ++i) ++offsets_[static_cast<size_t>(ids[i] - lo) + 1];
            for (size_t k = 1; k < offsets_.size(); ++k) {
                if (offsets_[k] > 1) unique_ = false;
                offsets_[k] += offsets_[k - 1];
            }
            positions_.resize(un);
            // offsets_[k] runs from the start of ID k to its end (= the start of k + 1);
            // shifted back by one entry afterwards.
            for (size_t i = 0; i < un; ++i)
                positions_[offsets_[static_cast<size_t>(ids[i] - lo)]++] = static_cast<uint32_t>(i);
            for (size_t k = offsets_.size() - 1; k > 0; --k) offsets_[k] = offsets_[k - 1];
            offsets_[0] = 0;
        } else {
            StableOrderById(ids, n, positions_);
            sortedIds_.resize(un);
            for (size_t k = 0; k < un; ++k) sortedIds_[k] = ids[positions_[k]];
            for (size_t k = 1; k < un && unique_; ++k) unique_ = sortedIds_[k] != sortedIds_[k - 1];
        }
    } catch (const std::bad_alloc&) {
        *this = IdIndex_cls();
        return false;
    }
    return true;
}

int64_t IdIndex_cls::Position(int32_t id, int64_t hint) const {
    if (ascending_ == nullptr) {
        const uint32_t* first;
        const uint32_t* end;
        Find(id, first, end);
        return first == end ? -1 : static_cast<int64_t>(*first);
    }
    const int32_t* v = ascending_;
    const int64_t n = count_;
    int64_t h = std::clamp<int64_t>(hint, 0, n - 1);
    if (v[h] == id) return h;
    // Gallop outwards from the hint to a bracket [lo, hi) that holds id's place.
    int64_t lo, hi;
    if (v[h] < id) {
        lo = h + 1;
        int64_t step = 1;
        while (lo + step - 1 < n && v[lo + step - 1] < id) {
            lo += step;
            step *= 2;
        }
        hi = std::min(n, lo + step);
    } else {
        hi = h;
        int64_t step = 1;
        while (hi - step >= 0 && v[hi - step] > id) {
            hi -= step;
            step *= 2;
        }
        lo = std::max<int64_t>(0, hi - step);
    }
    const int32_t* p = std::lower_bound(v + lo, v + hi, id);
    return (p != v + hi && *p == id) ? static_cast<int64_t>(p - v) : -1;
}

void IdIndex_cls::Find(int32_t id, const uint32_t*& first, const uint32_t*& end) const {
    if (ascending_ != nullptr) {
        // positions are the IDs' own indices: answer through a one-entry table
        const int64_t p = Position(id, count_ / 2);
        thread_local uint32_t one;
        first = end = &one;
        if (p >= 0) {
            one = static_cast<uint32_t>(p);
            end = &one + 1;
        }
        return;
    }
    first = end = positions_.data();
    if (positions_.empty()) return;
    if (dense_) {
        const int64_t k = static_cast<int64_t>(id) - minId_;
        if (k < 0 || k >= range_) return;
        first = positions_.data() + offsets_[static_cast<size_t>(k)];
        end = positions_.data() + offsets_[static_cast<size_t>(k) + 1];
        return;
    }
    const auto r = std::equal_range(sortedIds_.begin(), sortedIds_.end(), id);
    first = positions_.data() + (r.first - sortedIds_.begin());
    end = positions_.data() + (r.second - sortedIds_.begin());
}
