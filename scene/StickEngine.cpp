// The stick list: file readers over bytes, the pair search on its workers, the index check
// and the POV-Ray text.
#include "scene/StickEngine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "common/ForkJoin.h"
#include "common/UserPattern.h"
#include "platform/FileNumbers.h"
#include "platform/TextDecoding.h"

int StickFrame_cls::OrderIndex(size_t i) const {
    if (!orderBase) return static_cast<int>(i);
    int v;
    std::memcpy(&v, orderBase + i * orderStride, sizeof v);
    return v;
}

bool StickRule_cls::operator==(const StickRule_cls& o) const {
    // Bitwise for the distances, so that a NaN setting still counts as unchanged.
    return critType == o.critType && std::memcmp(&critA, &o.critA, sizeof critA) == 0 &&
           std::memcmp(&critB, &o.critB, sizeof critB) == 0 && specType == o.specType && specA == o.specA &&
           specB == o.specB;
}

// ---------------------------------------------------------------------------------------
// Neighbour grid. The rule only ever joins pairs closer than a cut-off R (d² below A² or
// B², compared in float), so instead of testing all n·(n-1)/2 pairs each particle looks at
// the particles of its own and the 26 surrounding cells of edge >= R and tests those with
// exactly the same float arithmetic. Candidates are visited in draw-order position, so the
// list comes out in exactly the order of the all-pairs loop.

class StickGrid_cls {
public:
    /// One drawn particle in its cell: its draw-order position, index and a copy of its
    /// position (the same floats), so the distance test reads no other memory.
    struct Entry {
        uint32_t pos;
        int index;
        float x, y, z;
    };
    /// Builds the grid of the finite particles of the draw order for cut-off² `r2`.
    StickGrid_cls(const StickFrame_cls& frame, float r2) {
        const size_t n = frame.OrderSize();
        double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
        bool any = false;
        const auto usable = [&](size_t p, const float*& q) {
            const int i = frame.OrderIndex(p);
            if (i < 0 || i >= frame.count) return false;
            q = frame.positions + 3 * int64_t(i);
            return std::isfinite(q[0]) && std::isfinite(q[1]) && std::isfinite(q[2]);
        };
        for (size_t p = 0; p < n; ++p) {
            const float* q;
            if (!usable(p, q)) continue;
            for (int a = 0; a < 3; ++a) {
                if (!any || q[a] < lo[a]) lo[a] = q[a];
                if (!any || q[a] > hi[a]) hi[a] = q[a];
            }
            any = true;
        }
        // A float d² below r2 means a true distance below sqrt(r2 + tiny) (the rounding of
        // three products and two sums, subnormals included); the margin keeps such pairs
        // within one cell of each other on every axis. Larger cells stay correct, only
        // slower: they bound the table at a few cells per particle.
        double cell = std::sqrt(double(r2) + 1e-44) * (1.0 + 1e-6);
        const double maxCells = 8.0 * double(n) + 64.0;
        for (;;) {
            double cells = 1;
            for (int a = 0; a < 3; ++a) cells *= std::floor((hi[a] - lo[a]) / cell) + 1;
            if (cells <= maxCells) break;
            cell *= 1.26;
        }
        cell_ = cell;
        for (int a = 0; a < 3; ++a) {
            lo_[a] = lo[a];
            dim_[a] = uint64_t((hi[a] - lo[a]) / cell) + 1;
        }
        // Counting sort by cell; positions ascend within each cell.
        cellOf_.assign(n, kNoCell);
        start_.assign(size_t(dim_[0] * dim_[1] * dim_[2]) + 1, 0);
        for (size_t p = 0; p < n; ++p) {
            const float* q;
            if (!usable(p, q)) continue;
            cellOf_[p] = Coord(q[0], 0) + dim_[0] * (Coord(q[1], 1) + dim_[1] * Coord(q[2], 2));
            ++start_[size_t(cellOf_[p]) + 1];
        }
        for (size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
        entries_.resize(start_.back());
        std::vector<uint32_t> fill(start_.begin(), start_.end() - 1);
        for (size_t p = 0; p < n; ++p) {
            if (cellOf_[p] == kNoCell) continue;
            const int i = frame.OrderIndex(p);
            const float* q = frame.positions + 3 * int64_t(i);
            entries_[fill[size_t(cellOf_[p])]++] = {uint32_t(p), i, q[0], q[1], q[2]};
        }
    }

    /// Appends to `out` the particles after draw-order position `p` in the cells around
    /// that of p for which `near(entry)` holds, in ascending position.
    template <class F>
    void Later(size_t p, std::vector<Entry>& out, F&& near) const {
        out.clear();
        if (p >= cellOf_.size() || cellOf_[p] == kNoCell) return;
        const uint64_t key = cellOf_[p];
        const uint64_t x = key % dim_[0], y = (key / dim_[0]) % dim_[1], z = key / (dim_[0] * dim_[1]);
        const uint64_t x0 = x > 0 ? x - 1 : x, x1 = x + 1 < dim_[0] ? x + 1 : x;
        for (int dz = -1; dz <= 1; ++dz) {
            if ((dz < 0 && z == 0) || (dz > 0 && z + 1 >= dim_[2])) continue;
            for (int dy = -1; dy <= 1; ++dy) {
                if ((dy < 0 && y == 0) || (dy > 0 && y + 1 >= dim_[1])) continue;
                const uint64_t row = dim_[0] * ((y + dy) + dim_[1] * (z + dz));
                // Cells x0..x1 of a row are neighbours in the table.
                for (uint32_t e = start_[size_t(row + x0)]; e < start_[size_t(row + x1) + 1]; ++e)
                    if (entries_[e].pos > p && near(entries_[e])) out.push_back(entries_[e]);
            }
        }
        std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.pos < b.pos; });
    }

private:
    static constexpr uint64_t kNoCell = std::numeric_limits<uint64_t>::max();
    uint64_t Coord(float v, int a) const {
        const double c = std::floor((double(v) - lo_[a]) / cell_);
        if (!(c > 0)) return 0;
        return std::min(uint64_t(c), dim_[a] - 1);
    }
    double cell_ = 1;
    double lo_[3] = {0, 0, 0};
    uint64_t dim_[3] = {1, 1, 1};
    std::vector<uint64_t> cellOf_;  ///< cell per draw-order position (kNoCell: not in the grid)
    std::vector<uint32_t> start_;   ///< first entry of each cell; one more at the end
    std::vector<Entry> entries_;    ///< by cell, then position
};

namespace {

/// The cut-off² beyond which `rule` joins nothing; 0 when it joins no pair at all.
float CutOff2(const StickRule_cls& r) {
    if (r.specType != 0 && r.specType != 1) return 0;
    const float a2 = r.critA * r.critA, b2 = r.critB * r.critB;
    switch (r.critType) {
        case 0: return a2;
        case 1: return r.critA == r.critB ? 0 : std::max(a2, b2);
        case 2: return b2 > a2 ? b2 : 0;
        default: return 0;
    }
}

/// Runs `work(k)` for k in [0, n) on n threads (the calling thread takes k = 0); a thread
/// that cannot be started is run here instead. With no room for the workers, every k runs
/// here.
template <class W>
void RunWorkers(int n, W&& work) {
    ForkJoin_cls group;
    try {
        for (int k = 1; k <= n; ++k) {
            const int w = k % n;  // k = 0 last: the share the calling thread keeps
            group.Add([&work, w] { work(w); });
        }
    } catch (const std::bad_alloc&) {
        for (int k = 0; k < n; ++k) work(k);
        return;
    }
    group.Run(1);
    group.Join();
}

}  // namespace

void ThreadStickCalc_cls::Setup(const StickFrame_cls& frame, const StickRule_cls& rule, size_t s0, size_t e0,
                                size_t s1, size_t e1, const StickGrid_cls* grid) {
    frame_ = frame;
    rule_ = rule;
    slice_[0] = s0, slice_[1] = e0, slice_[2] = s1, slice_[3] = e1;
    a2_ = rule.critA * rule.critA;
    b2_ = rule.critB * rule.critB;
    grid_ = grid;
    cut2_ = CutOff2(rule);
    done_.store(false, std::memory_order_relaxed);
}

void ThreadStickCalc_cls::Entry() {
    Slice(slice_[0], slice_[1]);
    Slice(slice_[2], slice_[3]);
    done_.store(true, std::memory_order_release);
}

void ThreadStickCalc_cls::Slice(size_t start, size_t end) {
    const size_t n = frame_.OrderSize();
    std::vector<StickGrid_cls::Entry> scratch;
    for (size_t a = start; a < end && a < n; ++a) {
        const int i = frame_.OrderIndex(a);
        if (i < 0 || i >= frame_.count) continue;
        if (grid_) {
            // Only pairs within the cut-off can be joined: the others are dropped here by
            // the same float test the rule makes, before their particle data is read.
            const float* p = frame_.positions + 3 * int64_t(i);
            const float cut = cut2_;
            grid_->Later(a, scratch, [p, cut](const StickGrid_cls::Entry& e) {
                const float dx = p[0] - e.x, dy = p[1] - e.y, dz = p[2] - e.z;
                return dx * dx + dy * dy + dz * dz < cut;
            });
            for (const StickGrid_cls::Entry& e : scratch) Consider(i, e.index);
            continue;
        }
        for (size_t b = a + 1; b < n; ++b) {
            const int j = frame_.OrderIndex(b);
            if (j < 0 || j >= frame_.count) continue;
            Consider(i, j);
        }
    }
}

void ThreadStickCalc_cls::Consider(int i, int j) {
    if (rule_.specType == 1) {
        const int ti = frame_.types ? frame_.types[i] : 0, tj = frame_.types ? frame_.types[j] : 0;
        if (!((ti == rule_.specA && tj == rule_.specB) || (ti == rule_.specB && tj == rule_.specA))) return;
    } else if (rule_.specType != 0) {
        return;
    }
    const float* p = frame_.positions + 3 * int64_t(i);
    const float* q = frame_.positions + 3 * int64_t(j);
    const float dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
    const float d2 = dx * dx + dy * dy + dz * dz;
    float f;
    switch (rule_.critType) {
        case 0:
            if (!(d2 < a2_)) return;
            f = 1.0f;
            break;
        case 1:
            if (rule_.critA == rule_.critB) return;
            if (d2 < a2_) {
                f = 1.0f;
            } else if (a2_ < d2 && d2 < b2_) {
                f = (rule_.critB - std::sqrt(d2)) / (rule_.critB - rule_.critA);
            } else {
                return;
            }
            break;
        case 2:
            if (!(a2_ < d2 && d2 < b2_)) return;
            f = 1.0f;
            break;
        default: return;
    }
    first.push_back(i);
    second.push_back(j);
    cls.push_back(0);
    factor.push_back(f);
}

// ---------------------------------------------------------------------------------------

StickEngine_cls::StickEngine_cls() {
    for (int t = 0; t < 13; ++t) {
        const double a = -30.0 * t * 3.14159 / 180.0;
        sin_[t] = float(std::sin(a));
        cos_[t] = float(std::cos(a));
    }
}

void StickEngine_cls::Clear() {
    std::vector<int>().swap(first_);
    std::vector<int>().swap(second_);
    std::vector<uint8_t>().swap(class_);
    std::vector<float>().swap(factor_);
    listChanged_ = true;
}

void StickEngine_cls::Append(int i, int j, uint8_t cls, float factor) {
    first_.push_back(i);
    second_.push_back(j);
    class_.push_back(cls);
    factor_.push_back(factor);
    listChanged_ = true;
}

void StickEngine_cls::Compute(const StickFrame_cls* frame, const StickRule_cls& rule, int threads) {
    if (!frame || !frame->positions) return;
    if (computed_ && keySource_ == frame->source && keyTime_ == frame->time && keyCount_ == frame->count &&
        keyRule_ == rule)
        return;
    Clear();
    // Loading later must read its file again: the list is no longer the file's.
    stickPath_.clear();
    const size_t n = frame->OrderSize();
    const float r2 = CutOff2(rule);
    std::unique_ptr<StickGrid_cls> grid;
    ThreadStickCalc_cls workers[4];
    if (n > 1 && r2 > 0 && !std::isnan(r2)) {
        // An infinite cut-off joins everything: only the all-pairs loop can list that.
        if (std::isfinite(r2)) grid = std::make_unique<StickGrid_cls>(*frame, r2);
        // Slice k pairs with slice 7 - k: each worker gets about a quarter of the
        // triangular pair set.
        for (size_t k = 0; k < 4; ++k)
            workers[k].Setup(*frame, rule, k * n / 8, (k + 1) * n / 8, (7 - k) * n / 8, (8 - k) * n / 8, grid.get());
        const int t = std::clamp(threads, 1, 4);
        RunWorkers(t, [&](int w) {
            for (int k = w; k < 4; k += t) workers[k].Entry();
        });
        size_t total = 0;
        for (const ThreadStickCalc_cls& w : workers) total += w.first.size();
        first_.reserve(total);
        second_.reserve(total);
        class_.reserve(total);
        factor_.reserve(total);
        for (const ThreadStickCalc_cls& w : workers) {
            first_.insert(first_.end(), w.first.begin(), w.first.end());
            second_.insert(second_.end(), w.second.begin(), w.second.end());
            class_.insert(class_.end(), w.cls.begin(), w.cls.end());
            factor_.insert(factor_.end(), w.factor.begin(), w.factor.end());
        }
    }
    computed_ = true;
    keySource_ = frame->source;
    keyTime_ = frame->time;
    keyCount_ = frame->count;
    keyRule_ = rule;
    listChanged_ = true;
}

bool StickPathFor(const std::string& pattern, int frame, int mask, std::string& path, std::string* error) {
    const int n = UserPattern_cls::CountIntConversions(pattern);
    if (n > 2) {
        if (error) *error = "stick file pattern \"" + pattern + "\" holds " + std::to_string(n) +
                            " number fields; it may hold the data frame and the copy's neighbour mask only";
        return false;
    }
    std::vector<long long> values = {frame, mask};
    values.resize(size_t(n));
    return UserPattern_cls::Expand(pattern, values, path, error);
}

bool StickEngine_cls::LoadBond(const std::string& pattern, int dataFrame, int neighbourMask, std::string* error) {
    std::string path;
    std::string why;
    if (!StickPathFor(pattern, dataFrame, neighbourMask, path, &why)) {
        // A pattern that can not name a file is treated as an unreadable file: the list
        // is emptied once, and the reason is given again on every call.
        if (stickPath_ != pattern) {
            Clear();
            computed_ = false;
            stickPath_ = pattern;
        }
        if (error) *error = why;
        return false;
    }
    if (path == stickPath_) return true;
    // A computed list is not the file's: the next computation must run again.
    computed_ = false;
    Clear();
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes, why)) {
        stickPath_ = path;  // not tried again until the path changes
        fileSize_ = 0;
        if (error) *error = why;
        return false;
    }
    fileSize_ = int64_t(bytes.size());
    const std::string ext = path.size() >= 5 ? path.substr(path.size() - 5) : std::string();
    const bool binary = ext == ".bond";
    const StickParseResult_cls r = ParseBytes(bytes, binary);
    if (!r.ok) {
        if (error) *error = path + ": " + r.message;
        // A binary file caught while it is being written is read again on the next draw.
        if (!binary) stickPath_ = path;
        return false;
    }
    stickPath_ = path;
    return true;
}

namespace {

int32_t ReadLE32(const unsigned char* p) {
    const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    int32_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

/// Lines of a text that may end in CR, LF or CR LF; stops at the end of the bytes.
std::vector<std::string_view> SplitAnyLineEnd(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

StickParseResult_cls StickEngine_cls::ParseBytes(std::string_view bytes, bool binary) {
    StickParseResult_cls r;
    Clear();
    if (binary) {
        const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
        if (bytes.size() < 13) {
            r.message = "a .bond file needs at least 13 bytes, this one has " + std::to_string(bytes.size());
            return r;
        }
        if (std::memcmp(b, "bond\0", 5) != 0) {
            r.message = "byte 0: the file does not start with \"bond\" and a zero byte";
            return r;
        }
        const int64_t n = ReadLE32(b + 9);
        const int64_t want = 13 + 8 * n;
        if (n < 0 || int64_t(bytes.size()) != want) {
            r.message = "byte 9: the count " + std::to_string(n) + " needs " +
                        (n < 0 ? std::string("a count of 0 or more") : std::to_string(want) + " bytes") +
                        ", the file has " + std::to_string(bytes.size());
            return r;
        }
        first_.resize(size_t(n));
        second_.resize(size_t(n));
        class_.assign(size_t(n), 0);
        factor_.assign(size_t(n), 1.0f);
        for (int64_t k = 0; k < n; ++k) {
            first_[size_t(k)] = ReadLE32(b + 13 + 8 * k);
            second_[size_t(k)] = ReadLE32(b + 17 + 8 * k);
        }
        r.ok = true;
        return r;
    }
    const platform::DecodedText text = platform::DecodeText(bytes);
    if (!text.ok) {
        r.message = text.error;
        return r;
    }
    const std::vector<std::string_view> lines = SplitAnyLineEnd(text.utf8);
    for (size_t l = 0; l < lines.size(); ++l) {
        const std::string_view line = lines[l];
        if (line.empty()) break;  // an empty line ends the list
        // "first second [class [factor]]", read like scanf: stop at the first field that
        // is not a number.
        int v[3] = {0, 0, 0};
        float f = 1.0f;
        int got = 0;
        size_t at = 0;
        for (; got < 3; ++got) {
            size_t used = 0;
            if (!platform::ParseInt(line.substr(at), v[got], &used)) break;
            at += used;
        }
        if (got == 3) {
            size_t used = 0;
            float x;
            if (platform::ParseFloat(line.substr(at), x, &used)) f = x;
        }
        if (got < 2) {
            // A comment or header line: no stick, and the list goes on.
            if (r.skippedLines++ == 0) r.firstSkippedLine = int64_t(l) + 1;
            continue;
        }
        const int cls = got >= 3 ? v[2] : 0;
        // The class is stored as a byte; one outside 0..255 is kept as 255, which, like
        // every class above 7, is neither drawn nor written.
        Append(v[0], v[1], uint8_t(cls < 0 || cls > 255 ? 255 : cls), f);
    }
    r.ok = true;
    return r;
}

void StickEngine_cls::CheckIndices(int64_t particleCount, int stride) {
    stride_ = stride > 1 ? stride : 1;
    if (particleCount < 0) {
        valid_ = false;
        checkedCount_ = 0;
        invalidReason_ = "no particles";
        return;
    }
    if (!listChanged_ && particleCount == checkedCount_) return;
    listChanged_ = false;
    checkedCount_ = particleCount;
    valid_ = true;
    invalidReason_.clear();
    const auto outside = [particleCount](int i) { return uint64_t(uint32_t(i)) >= uint64_t(particleCount); };
    for (size_t k = 0; k < first_.size(); ++k) {
        if (!outside(first_[k]) && !outside(second_[k])) continue;
        valid_ = false;
        const int bad = outside(first_[k]) ? first_[k] : second_[k];
        invalidReason_ = "stick " + std::to_string(k + 1) + " joins particle " + std::to_string(bad) + ", but " +
                         std::to_string(particleCount) + " particles are drawn";
        return;
    }
}

void StickEngine_cls::SetPeriodicOffsets(const float base[3][3], const float size[3]) {
    float e[3][3] = {};
    if (base && size)
        for (int m = 0; m < 3; ++m)
            for (int c = 0; c < 3; ++c) e[m][c] = base[m][c] * size[m];
    for (int k = 0; k < 8; ++k)
        for (int c = 0; c < 3; ++c) {
            float s = 0;
            for (int m = 0; m < 3; ++m)
                if (k & (1 << m)) s += e[m][c];
            offsets_[k][c] = s;
        }
}

bool StickEngine_cls::AllFactorsOne() {
    allOne_ = std::all_of(factor_.begin(), factor_.end(), [](float f) { return f == 1.0f; });
    return allOne_;
}

namespace {

/// Appends "x, y, z" with three decimals each (printf's "%.3f" in the "C" locale, which
/// std::to_chars gives for every value; no fixed-size buffer can overflow).
void Point3(std::string& out, const float* p) {
    char buf[400];  // the longest "%.3f" of a float is 39 + 1 + 3 characters
    for (int c = 0; c < 3; ++c) {
        const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, double(p[c]), std::chars_format::fixed, 3);
        if (c) out += ", ";
        out.append(buf, r.ec == std::errc() ? r.ptr : buf);
    }
}

}  // namespace

std::string StickUnionName(int filter, int k) {
    std::string name = "STICKS" + std::to_string(k);
    if (filter > 0) name += "_F" + std::to_string(filter);
    return name;
}

std::string StickEngine_cls::PovText(const float* positions, int threads, int filter, int64_t* nonFinite) const {
    std::string out;
    const size_t n = valid_ && positions ? first_.size() : 0;
    const int t = std::clamp(threads, 1, 4);
    // One text per class and quarter, formatted at once, joined in class order.
    std::string quarter[8][4];
    int64_t skipped[4] = {0, 0, 0, 0};
    RunWorkers(t, [&](int w) {
        std::string ta, tb;
        for (int q = w; q < 4; q += t) {
            for (size_t m = q * n / 4; m < (q + 1) * n / 4; ++m) {
                const int k = class_[m];
                if (k > 7 || !Evaluated(m)) continue;  // no union takes it, or an end has no place
                const float* a = positions + 3 * int64_t(first_[m]);
                const float* pb = positions + 3 * int64_t(second_[m]);
                const float b[3] = {pb[0] + offsets_[k][0], pb[1] + offsets_[k][1], pb[2] + offsets_[k][2]};
                if (!(std::isfinite(a[0]) && std::isfinite(a[1]) && std::isfinite(a[2]) && std::isfinite(b[0]) &&
                      std::isfinite(b[1]) && std::isfinite(b[2]))) {
                    ++skipped[w];
                    continue;
                }
                ta.clear();
                tb.clear();
                Point3(ta, a);
                Point3(tb, b);
                if (ta == tb) continue;  // a cylinder of no length does not parse
                std::string& s = quarter[k][q];
                if (s.empty()) s.reserve(64 * ((q + 1) * n / 4 - q * n / 4) / (k == 0 ? 1 : 8));
                s += "CY(<";
                s += ta;
                s += ">,<";
                s += tb;
                s += '>';
                if (!allOne_) {
                    char buf[400];
                    const std::to_chars_result r =
                        std::to_chars(buf, buf + sizeof buf, double(factor_[m]), std::chars_format::fixed, 3);
                    s += ',';
                    s.append(buf, r.ec == std::errc() ? r.ptr : buf);
                }
                s += ")\n";
            }
        }
    });
    if (nonFinite) *nonFinite = skipped[0] + skipped[1] + skipped[2] + skipped[3];
    size_t total = 0;
    for (auto& k : quarter)
        for (const std::string& s : k) total += s.size();
    out.reserve(total + 8 * 32);
    for (int k = 0; k < 8; ++k) {
        out += "#declare " + StickUnionName(filter, k) + "=\nunion{\n";
        for (const std::string& s : quarter[k]) out += s;
        out += "};\n";
    }
    return out;
}

void StickEngine_cls::WritePov(wxString& out, const float* positions, int threads, int filter,
                               int64_t* nonFinite) const {
    out += wxString::FromUTF8(PovText(positions, threads, filter, nonFinite));
}
