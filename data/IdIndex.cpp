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
    // All histograms in one pass; a digit every key shares needs no pass of its own.
    std::vector<std::array<uint32_t, kDigits>> count(kPasses);
    for (auto& c : count) c.fill(0);
    for (size_t i = 0; i < un; ++i) {
        const uint32_t k = Key(ids[i]);
        for (int p = 0; p < kPasses; ++p) ++count[p][Digit(k, p)];
    }
    // (key, position) pairs moved between two buffers; LSD passes keep equal keys in order.
    std::vector<uint64_t> a(un), b(un);
    for (size_t i = 0; i < un; ++i) a[i] = (static_cast<uint64_t>(Key(ids[i])) << 32) | i;
    for (int p = 0; p < kPasses; ++p) {
        auto& c = count[p];
        if (*std::max_element(c.begin(), c.end()) == un) continue;
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
        a.swap(b);
    }
    for (size_t i = 0; i < un; ++i) order[i] = static_cast<uint32_t>(a[i]);
}

bool IdIndex_cls::Build(const int32_t* ids, int64_t n) {
    dense_ = false;
    minId_ = 0;
    range_ = 0;
    offsets_.clear();
    sortedIds_.clear();
    positions_.clear();
    if (n > kMaxCount) return false;
    if (n <= 0 || ids == nullptr) return true;
    const size_t un = static_cast<size_t>(n);
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
            for (size_t k = 1; k < offsets_.size(); ++k) offsets_[k] += offsets_[k - 1];
            positions_.resize(un);
            std::vector<uint32_t> next(offsets_.begin(), offsets_.end() - 1);
            for (size_t i = 0; i < un; ++i) positions_[next[static_cast<size_t>(ids[i] - lo)]++] = static_cast<uint32_t>(i);
        } else {
            StableOrderById(ids, n, positions_);
            sortedIds_.resize(un);
            for (size_t k = 0; k < un; ++k) sortedIds_[k] = ids[positions_[k]];
        }
    } catch (const std::bad_alloc&) {
        *this = IdIndex_cls();
        return false;
    }
    return true;
}

void IdIndex_cls::Find(int32_t id, const uint32_t*& first, const uint32_t*& end) const {
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
