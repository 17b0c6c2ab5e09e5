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
        std::vector<ThreadSortBase_cls*> workers;
        std::vector<std::atomic<bool>> done(threadCount);
        for (int k = 0; k < threadCount; ++k) {
            const int64_t r0 = bound(k), r1 = bound(k + 1);
            workers.push_back(new ThreadSortPrepare_cls(&done[k], records, r0, r0 * s,
                                                        std::min<int64_t>(r1 * s, n), s, positions, eye,
                                                        direction, keyMode));
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

void SortRecordRange(ParticleRecord_cls* records, int64_t first, int64_t end) {
    if (end - first < 2) return;
    // The introsort needs a strict weak order: keys that are not numbers would break it
    // (and could send its unguarded loops outside the range), so they become +infinity.
    for (int64_t i = first; i < end; ++i)
        if (std::isnan(records[i].key)) records[i].key = std::numeric_limits<float>::infinity();
    std::sort(records + first, records + end, KeyLess);
}

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
    while (o < eA) {
        if (j >= endB || (i < endA && src[i].key < src[j].key))
            dst[o++] = src[i++];
        else
            dst[o++] = src[j++];
    }
}

void MergeRunsBack(const ParticleRecord_cls* src, ParticleRecord_cls* dst, int64_t sA, int64_t eA, int64_t eB) {
    const int64_t k = eA - sA;
    const int64_t ka = FrontShareOfA(src, sA, eA, eB, k);
    const int64_t firstA = sA + ka, firstB = eA + (k - ka);
    int64_t i = eA - 1, j = eB - 1, o = eB - 1;
    while (o >= eA) {
        if (j < firstB || (i >= firstA && src[i].key >= src[j].key))
            dst[o--] = src[i--];
        else
            dst[o--] = src[j--];
    }
}

void ParallelSortRecords(ParticleRecord_cls* records, int count, int threadCount, int blockSize,
                         bool* dumpLogsOnce) {
    if (count <= 0) return;
    if (threadCount < 1) threadCount = 1;
    if (blockSize < 1) blockSize = 1;
    const bool dump = dumpLogsOnce && *dumpLogsOnce;

    // Runs as [start, end) pairs; part k is [k c / T, (k + 1) c / T).
    std::vector<int64_t> cut(threadCount + 1);
    for (int k = 0; k <= threadCount; ++k) cut[k] = int64_t(k) * count / threadCount;
    {
        std::vector<ThreadSortBase_cls*> workers;
        std::vector<std::atomic<bool>> done(threadCount);
        for (int k = 0; k < threadCount; ++k)
            workers.push_back(new ThreadSortParallel_cls(&done[k], records, cut[k], cut[k + 1]));
        RunSortWorkers(workers, done);
    }
    if (dump) DumpRecords("logA.txt", records, count);
    if (threadCount == 1) {
        if (dump) {
            DumpRecords("logB.txt", records, count);
            *dumpLogsOnce = false;
        }
        return;
    }

    // Left uninitialised: every place is written by a merge before it is read, and filling
    // a 10 M record array first would cost as much as a merge stage.
    std::unique_ptr<void, decltype(&std::free)> temp(std::malloc(sizeof(ParticleRecord_cls) * size_t(count)),
                                                     &std::free);
    if (!temp) {  // no room for the merges: one sort in place
        SortRecordRange(records, 0, count);
        return;
    }
    ParticleRecord_cls* src = records;
    ParticleRecord_cls* dst = static_cast<ParticleRecord_cls*>(temp.get());
    bool firstStage = true;
    while (cut.size() > 2) {
        const size_t runs = cut.size() - 1;
        std::vector<ThreadSortBase_cls*> workers;
        std::vector<std::atomic<bool>> done(runs / 2 * 2);
        std::vector<int64_t> next;
        size_t f = 0;
        for (size_t r = 0; r + 1 < runs; r += 2) {
            workers.push_back(new ThreadSortMergeOrd_cls(&done[f++], src, dst, cut[r], cut[r + 1], cut[r + 2],
                                                         blockSize));
            workers.push_back(new ThreadSortMergeInv_cls(&done[f++], src, dst, cut[r], cut[r + 1], cut[r + 2]));
            next.push_back(cut[r]);
        }
        if (runs % 2) {  // an odd last run moves over unmerged
            std::memcpy(dst + cut[runs - 1], src + cut[runs - 1],
                        sizeof(ParticleRecord_cls) * (cut[runs] - cut[runs - 1]));
            next.push_back(cut[runs - 1]);
        }
        next.push_back(cut[runs]);
        RunSortWorkers(workers, done);
        if (firstStage && dump) {
            DumpRecords("logB.txt", src, count);
            *dumpLogsOnce = false;
        }
        firstStage = false;
        cut.swap(next);
        std::swap(src, dst);
    }
    if (src != records) std::memcpy(records, src, sizeof(ParticleRecord_cls) * count);
}

void SortDrawOrder(ParticleRecord_cls* records, int count, int threadCount, int blockSize, bool* dumpLogsOnce) {
    if (count > kParallelSortThreshold)
        ParallelSortRecords(records, count, threadCount, blockSize, dumpLogsOnce);
    else
        SortRecordRange(records, 0, count);
}
