// Depth keys and the sort of the draw order.
#include "view/DepthSort.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileNumbers.h"
#include "view/ThreadSort.h"

namespace {

bool KeyLess(const ParticleRecord_cls& a, const ParticleRecord_cls& b) { return a.key < b.key; }

// "position index key" per record; nothing when the file cannot be opened.
void DumpRecords(const char* path, const ParticleRecord_cls* records, int count) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return;
    std::string line;
    for (int i = 0; i < count; ++i) {
        line = platform::FormatInt(i);
        line += ' ';
        line += platform::FormatInt(records[i].index);
        line += ' ';
        line += platform::FormatF(records[i].key, 6);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), f);
    }
    std::fclose(f);
}

// Number of records of A = src[sA, eA) among the first k records of the merge of A and
// B = src[eA, eB), where A's record goes first only when its key is strictly smaller.
int64_t FrontShareOfA(const ParticleRecord_cls* src, int64_t sA, int64_t eA, int64_t eB, int64_t k) {
    const int64_t lenA = eA - sA, lenB = eB - eA;
    int64_t lo = std::max<int64_t>(0, k - lenB), hi = std::min(k, lenA);
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;  // candidate count taken from A
        const int64_t kb = k - mid;              // >= 1 here since mid < hi <= k
        if (src[sA + mid].key < src[eA + kb - 1].key)
            lo = mid + 1;  // A's next record precedes B's last taken one: take more of A
        else
            hi = mid;
    }
    return lo;
}

}  // namespace

int64_t SortKeyRecordCount(int64_t n, int s) {
    if (n <= 0) return 0;
    if (s < 1) s = 1;
    return (n + s - 1) / s;
}

void ComputeSortKeyRange(ParticleRecord_cls* records, int64_t outFirst, int64_t first, int64_t end, int s,
                         const float* positions, const float eye[3], const float direction[3], int keyMode) {
    if (s < 1) s = 1;
    const float e0 = eye[0], e1 = eye[1], e2 = eye[2];
    const float d0 = direction[0], d1 = direction[1], d2 = direction[2];
    ParticleRecord_cls* out = records + outFirst;
    for (int64_t p = first; p < end; p += s, ++out) {
        const float* x = positions + 3 * p;
        float key;
        if (keyMode == 0) {
            key = -(x[0] * d0 + x[1] * d1 + x[2] * d2);
        } else {
            const float a = x[0] - e0, b = x[1] - e1, c = x[2] - e2;
            key = a * a + b * b + c * c;
            if (keyMode == 1) key = -key;
        }
        if (std::isnan(key)) key = std::numeric_limits<float>::infinity();
        out->index = static_cast<int>(p);
        out->key = key;
        out->weight = 1.0f;
    }
}

int ComputeSortKeys(ParticleRecord_cls* records, int n, int s, const float* positions, const float eye[3],
                    const float direction[3], int keyMode, int threadCount) {
    if (s < 1) s = 1;
    if (threadCount < 1) threadCount = 1;
    const int64_t count = SortKeyRecordCount(n, s);
    // Range k covers the stride multiples in [k n / T, (k + 1) n / T): its first index is the
    // bound rounded up to a multiple of s, so every multiple below n lands in exactly one range.
    auto bound = [&](int k) {
        const int64_t b = int64_t(k) * n / threadCount;
        return std::min<int64_t>(count, (b + s - 1) / s);  // in record positions
    };
    if (threadCount == 1 || count < 2 * threadCount) {
        ComputeSortKeyRange(records, 0, 0, int64_t(n), s, positions, eye, direction, keyMode);
    } else {
        std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
        std::vector<std::atomic<bool>> done(threadCount);
        for (int k = 0; k < threadCount; ++k) {
            const int64_t r0 = bound(k), r1 = bound(k + 1);
            workers.push_back(std::make_unique<ThreadSortPrepare_cls>(&done[k], records, r0, r0 * s,
                                                                      std::min<int64_t>(r1 * s, n), s, positions,
                                                                      eye, direction, keyMode));
        }
        RunSortWorkers(workers, done);
    }
    records[count].index = 0;
    records[count].key = 9999.0f;
    records[count].weight = 1.0f;
    return static_cast<int>(count);
}

int SortBlockSize(int sortPreference) {
    switch (sortPreference) {
    case 1: return 10;
    case 2: return 100;
    case 3: return 1000;
    default: return 1;
    }
}

uint32_t RadixKeyOf(float key) {
    uint32_t u;
    std::memcpy(&u, &key, sizeof u);
    if (u == 0x80000000u) u = 0;  // -0 < +0 is false: one image keeps them equal (and stable)
    return u ^ (static_cast<uint32_t>(static_cast<int32_t>(u) >> 31) | 0x80000000u);
}

namespace {

constexpr int kDigitBits = kRadixDigitBits;
constexpr int kDigitPasses = kRadixDigitPasses;
constexpr uint32_t kDigitMask = kRadixBuckets - 1;
static_assert(kDigitBits * kDigitPasses >= 32, "digits must cover the key");
// Below this a comparison sort beats clearing and scanning the digit histograms.
constexpr int64_t kRadixMinCount = 512;

// LSD radix sort of rec[0, n) by RadixKeyOf through scratch[0, n): one read counts all
// digits (and turns keys that are not numbers into +infinity), then one stable scatter per
// digit that does not put every record in one bucket. The result is moved back into rec
// when an odd number of scatters left it in scratch.
void RadixSortRecords(ParticleRecord_cls* rec, int64_t n, ParticleRecord_cls* scratch) {
    std::vector<uint32_t> histStore(size_t(kDigitPasses) << kDigitBits, 0);
    uint32_t* hist[kDigitPasses];
    for (int p = 0; p < kDigitPasses; ++p) hist[p] = histStore.data() + (size_t(p) << kDigitBits);
    for (int64_t i = 0; i < n; ++i) {
        if (std::isnan(rec[i].key)) rec[i].key = std::numeric_limits<float>::infinity();
        const uint32_t k = RadixKeyOf(rec[i].key);
        ++hist[0][k & kDigitMask];
        ++hist[1][(k >> kDigitBits) & kDigitMask];
        ++hist[2][k >> (2 * kDigitBits)];
    }
    ParticleRecord_cls* src = rec;
    ParticleRecord_cls* dst = scratch;
    for (int p = 0; p < kDigitPasses; ++p) {
        uint32_t* h = hist[p];
        // A digit shared by every record leaves the order as it is.
        if (h[(RadixKeyOf(src[0].key) >> (p * kDigitBits)) & kDigitMask] == uint64_t(n)) continue;
        uint32_t sum = 0;
        for (uint32_t b = 0; b <= kDigitMask; ++b) {
            const uint32_t c = h[b];
            h[b] = sum;
            sum += c;
        }
        ScatterRadixDigit(src, dst, 0, n, p, h);
        std::swap(src, dst);
    }
    if (src != rec) std::memcpy(rec, src, sizeof(ParticleRecord_cls) * size_t(n));
}

}  // namespace

void CountRadixDigit(ParticleRecord_cls* records, int64_t first, int64_t end, int pass, uint32_t* hist,
                     bool fixKeys) {
    const int shift = pass * kDigitBits;
    if (fixKeys)
        for (int64_t i = first; i < end; ++i)
            if (std::isnan(records[i].key)) records[i].key = std::numeric_limits<float>::infinity();
    for (int64_t i = first; i < end; ++i) ++hist[(RadixKeyOf(records[i].key) >> shift) & kDigitMask];
}

void ScatterRadixDigit(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t first, int64_t end, int pass,
                       uint32_t* offsets) {
    const int shift = pass * kDigitBits;
    for (int64_t i = first; i < end; ++i) dst[offsets[(RadixKeyOf(src[i].key) >> shift) & kDigitMask]++] = src[i];
}

void SortRecordRange(ParticleRecord_cls* records, int64_t first, int64_t end, ParticleRecord_cls* scratch) {
    if (end - first < 2) return;
    if (scratch && end - first >= kRadixMinCount) {
        RadixSortRecords(records + first, end - first, scratch);
        return;
    }
    // The introsort needs a strict weak order: keys that are not numbers would break it
    // (and could send its unguarded loops outside the range), so they become +infinity.
    for (int64_t i = first; i < end; ++i)
        if (std::isnan(records[i].key)) records[i].key = std::numeric_limits<float>::infinity();
    std::sort(records + first, records + end, KeyLess);
}

namespace {

// Merges src[i, endA) and src[j, endB) into dst from o on. Both runs hold records until one
// is used up; the choice is made without a branch (the keys are random, a branch would miss
// every other record); the rest comes from the one run left.
void MergeForward(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t i, int64_t endA,
                  int64_t j, int64_t endB, int64_t o) {
    while (i < endA && j < endB) {
        const bool takeA = src[i].key < src[j].key;
        dst[o++] = *(takeA ? src + i : src + j);
        i += takeA;
        j += !takeA;
    }
    std::memcpy(dst + o, src + i, sizeof(ParticleRecord_cls) * size_t(endA - i));
    o += endA - i;
    std::memcpy(dst + o, src + j, sizeof(ParticleRecord_cls) * size_t(endB - j));
}

}  // namespace

void MergeRunsFront(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB,
                    int blockSize) {
    const int64_t k = eA - sA;
    const int64_t ka = FrontShareOfA(src, sA, eA, eB, k);
    // This half merges exactly A[sA, endA) and B[eA, endB): the back half takes the rest.
    const int64_t endA = sA + ka, endB = eA + (k - ka);
    int64_t i = sA, j = eA, o = sA;
    const int64_t b = blockSize;
    if (b > 1) {
        while (o + 2 * b < eA) {
            const bool aLeft = i < endA, bLeft = j < endB;
            if (bLeft && (!aLeft || src[j].key <= src[i].key)) {
                if (j + b > endB) break;
                if (aLeft) {
                    const int64_t p = std::min(i + (eA - b - o), endA - 1);
                    if (src[p].key < src[j + b - 1].key) break;
                }
                std::memcpy(dst + o, src + j, sizeof(ParticleRecord_cls) * b);
                j += b;
            } else {
                if (i + b > endA) break;
                if (bLeft) {
                    const int64_t p = std::min(j + (eA - b - o), endB - 1);
                    if (src[p].key < src[i + b - 1].key) break;
                }
                std::memcpy(dst + o, src + i, sizeof(ParticleRecord_cls) * b);
                i += b;
            }
            o += b;
        }
    }
    MergeForward(src, dst, i, endA, j, endB, o);
}

void MergeRunsBack(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB) {
    const int64_t k = eA - sA;
    const int64_t ka = FrontShareOfA(src, sA, eA, eB, k);
    const int64_t firstA = sA + ka, firstB = eA + (k - ka);
    int64_t i = eA - 1, j = eB - 1, o = eB - 1;
    while (i >= firstA && j >= firstB) {
        const bool takeA = src[i].key >= src[j].key;
        dst[o--] = *(takeA ? src + i : src + j);
        i -= takeA;
        j -= !takeA;
    }
    // What is left of one run fills dst[eA, o] in order.
    const int64_t restA = i - firstA + 1, restB = j - firstB + 1;
    std::memcpy(dst + eA, src + firstA, sizeof(ParticleRecord_cls) * size_t(restA));
    std::memcpy(dst + eA + restA, src + firstB, sizeof(ParticleRecord_cls) * size_t(restB));
}

void MergeRunsPiece(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB,
                    int64_t k0, int64_t k1) {
    const int64_t a0 = FrontShareOfA(src, sA, eA, eB, k0), a1 = FrontShareOfA(src, sA, eA, eB, k1);
    int64_t i = sA + a0, j = eA + (k0 - a0), o = sA + k0;
    const int64_t endA = sA + a1, endB = eA + (k1 - a1);
    MergeForward(src, dst, i, endA, j, endB, o);
}

ParticleRecord_cls* DepthSorter_cls::Buffer(size_t count) {
    if (count > capacity_) {
        // Left uninitialised: every place is written before it is read, and filling a 10 M
        // record array would cost as much as a merge stage.
        void* p = std::malloc(sizeof(ParticleRecord_cls) * count);
        if (!p) return nullptr;  // the old space stays for smaller sorts
        buffer_.reset(p);
        capacity_ = count;
    }
    return static_cast<ParticleRecord_cls*>(buffer_.get());
}

void DepthSorter_cls::Sort(ParticleRecord_cls* records, int count, int threadCount, int blockSize,
                           bool* dumpLogsOnce) {
    if (count > kParallelSortThreshold)
        ParallelSort(records, count, threadCount, blockSize, dumpLogsOnce);
    else if (count > 1)
        SortRecordRange(records, 0, count, Buffer(size_t(count)));
}

void DepthSorter_cls::ParallelRadixSort(ParticleRecord_cls* records, int64_t count, int threadCount,
                                        ParticleRecord_cls* temp) {
    std::vector<int64_t> cut(threadCount + 1);
    for (int k = 0; k <= threadCount; ++k) cut[k] = int64_t(k) * count / threadCount;
    std::vector<uint32_t> hist(size_t(threadCount) * kRadixBuckets);
    auto slice = [&](int w) { return hist.data() + size_t(w) * kRadixBuckets; };
    ParticleRecord_cls* src = records;
    ParticleRecord_cls* dst = temp;
    for (int p = 0; p < kDigitPasses; ++p) {
        // Each worker counts the digit over its slice of the current order...
        std::fill(hist.begin(), hist.end(), 0u);
        {
            std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
            std::vector<std::atomic<bool>> done(threadCount);
            for (int w = 0; w < threadCount; ++w)
                workers.push_back(std::make_unique<ThreadSortRadixCount_cls>(&done[w], src, cut[w], cut[w + 1], p,
                                                                             slice(w), p == 0));
            RunSortWorkers(workers, done, start_);
        }
        // ...a digit shared by every record changes nothing...
        uint64_t firstBucket = 0;
        const uint32_t d0 = (RadixKeyOf(src[0].key) >> (p * kDigitBits)) & kDigitMask;
        for (int w = 0; w < threadCount; ++w) firstBucket += slice(w)[d0];
        if (firstBucket == uint64_t(count)) continue;
        // ...otherwise bucket by bucket, slice by slice, each worker gets where its records
        // of each bucket go: together a stable scatter of the whole array.
        uint32_t sum = 0;
        for (uint32_t b = 0; b < kRadixBuckets; ++b)
            for (int w = 0; w < threadCount; ++w) {
                const uint32_t c = slice(w)[b];
                slice(w)[b] = sum;
                sum += c;
            }
        {
            std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
            std::vector<std::atomic<bool>> done(threadCount);
            for (int w = 0; w < threadCount; ++w)
                workers.push_back(std::make_unique<ThreadSortRadixScatter_cls>(&done[w], src, dst, cut[w],
                                                                               cut[w + 1], p, slice(w)));
            RunSortWorkers(workers, done, start_);
        }
        std::swap(src, dst);
    }
    if (src != records) {  // an odd number of scatters: the workers copy their slices back
        std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
        std::vector<std::atomic<bool>> done(threadCount);
        for (int w = 0; w < threadCount; ++w)
            workers.push_back(std::make_unique<ThreadSortCopy_cls>(&done[w], src, records, cut[w], cut[w + 1]));
        RunSortWorkers(workers, done, start_);
    }
}

void DepthSorter_cls::ParallelSort(ParticleRecord_cls* records, int count, int threadCount, int blockSize,
                                   bool* dumpLogsOnce) {
    if (count <= 0) return;
    if (threadCount < 1) threadCount = 1;
    if (blockSize < 1) blockSize = 1;
    const bool dump = dumpLogsOnce && *dumpLogsOnce;
    // Scratch of the part sorts, then the other side of every merge stage.
    ParticleRecord_cls* const temp = Buffer(size_t(count));
    if (blockSize == 1 && !dump && threadCount > 1 && temp && count >= 2 * kRadixMinCount * threadCount) {
        ParallelRadixSort(records, count, threadCount, temp);
        return;
    }

    // Runs as [start, end) pairs; part k is [k c / T, (k + 1) c / T).
    std::vector<int64_t> cut(threadCount + 1);
    for (int k = 0; k <= threadCount; ++k) cut[k] = int64_t(k) * count / threadCount;
    {
        std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
        std::vector<std::atomic<bool>> done(threadCount);
        for (int k = 0; k < threadCount; ++k)
            workers.push_back(std::make_unique<ThreadSortParallel_cls>(&done[k], records, cut[k], cut[k + 1], temp));
        RunSortWorkers(workers, done, start_);
    }
    if (dump) DumpRecords("logA.txt", records, count);
    if (threadCount == 1) {
        if (dump) {
            DumpRecords("logB.txt", records, count);
            *dumpLogsOnce = false;
        }
        return;
    }
    if (!temp) {  // no room for the merges: one sort in place
        SortRecordRange(records, 0, count);
        return;
    }

    ParticleRecord_cls* src = records;
    ParticleRecord_cls* dst = temp;
    bool firstStage = true;
    while (cut.size() > 2) {
        const size_t runs = cut.size() - 1;
        std::vector<std::unique_ptr<ThreadSortBase_cls>> workers;
        std::vector<int64_t> next;
        const size_t pairs = runs / 2;
        // The exact merge can be cut anywhere: one piece per worker keeps all of them busy in
        // the later stages, where fewer, longer pairs remain.
        const size_t pieces = blockSize == 1 ? std::max<size_t>(2, size_t(threadCount) / pairs) : 2;
        std::vector<std::atomic<bool>> done(pairs * pieces);
        size_t f = 0;
        for (size_t r = 0; r + 1 < runs; r += 2) {
            if (blockSize == 1) {
                const int64_t len = cut[r + 2] - cut[r];
                for (size_t q = 0; q < pieces; ++q)
                    workers.push_back(std::make_unique<ThreadSortMergePiece_cls>(
                        &done[f++], src, dst, cut[r], cut[r + 1], cut[r + 2], len * int64_t(q) / int64_t(pieces),
                        len * int64_t(q + 1) / int64_t(pieces)));
            } else {
                workers.push_back(std::make_unique<ThreadSortMergeOrd_cls>(&done[f++], src, dst, cut[r],
                                                                           cut[r + 1], cut[r + 2], blockSize));
                workers.push_back(
                    std::make_unique<ThreadSortMergeInv_cls>(&done[f++], src, dst, cut[r], cut[r + 1], cut[r + 2]));
            }
            next.push_back(cut[r]);
        }
        if (runs % 2) {  // an odd last run moves over unmerged
            std::memcpy(dst + cut[runs - 1], src + cut[runs - 1],
                        sizeof(ParticleRecord_cls) * size_t(cut[runs] - cut[runs - 1]));
            next.push_back(cut[runs - 1]);
        }
        next.push_back(cut[runs]);
        RunSortWorkers(workers, done, start_);
        if (firstStage && dump) {
            DumpRecords("logB.txt", src, count);
            *dumpLogsOnce = false;
        }
        firstStage = false;
        cut.swap(next);
        std::swap(src, dst);
    }
    if (src != records) std::memcpy(records, src, sizeof(ParticleRecord_cls) * size_t(count));
}

void ParallelSortRecords(ParticleRecord_cls* records, int count, int threadCount, int blockSize,
                         bool* dumpLogsOnce) {
    DepthSorter_cls sorter;
    sorter.ParallelSort(records, count, threadCount, blockSize, dumpLogsOnce);
}

void SortDrawOrder(ParticleRecord_cls* records, int count, int threadCount, int blockSize, bool* dumpLogsOnce) {
    DepthSorter_cls sorter;
    sorter.Sort(records, count, threadCount, blockSize, dumpLogsOnce);
}
