// The sticks (bonds) of one Stick filter: index pairs read from a stick file or found by a
// distance rule among the drawn particles, checked against the particle count, drawn as
// lines or open cylinders and written as eight POV-Ray unions "STICKS0".."STICKS7".
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <wx/string.h>

/// The particles one stick computation or drawing sees, as plain arrays (the drawable
/// frame's, borrowed for the call).
struct StickFrame_cls {
    const float* positions = nullptr;   ///< x, y, z per particle
    const uint8_t* types = nullptr;     ///< particle type per particle (null: all type 0)
    int64_t count = 0;                  ///< particles in the arrays
    double time = 0.0;                  ///< time of the frame (part of the computation key)
    /// Identity of the data the frame was built from (its snapshot's load generation): a
    /// frame of other data with the same time and count is searched again.
    uint64_t source = 0;
    int stride = 1;                     ///< every stride-th particle holds a position
    /// The draw order: `orderCount` records `orderStride` bytes apart, each starting with
    /// the int particle index. Null: every particle in index order.
    const unsigned char* orderBase = nullptr;
    size_t orderStride = sizeof(int);
    size_t orderCount = 0;

    /// Particle index of draw-order position i.
    int OrderIndex(size_t i) const;
    /// Number of draw-order positions.
    size_t OrderSize() const { return orderBase ? orderCount : size_t(count < 0 ? 0 : count); }
    /// A frame drawn in the order of records of type R (first field the int index).
    template <class R>
    void SetOrder(const R* records, size_t n) {
        orderBase = reinterpret_cast<const unsigned char*>(records);
        orderStride = sizeof(R);
        orderCount = n;
    }
};

/// The settings of a distance search (the Stick filter's CritType .. SpecB).
struct StickRule_cls {
    int critType = 0;     ///< 0 "Step" (d < A), 1 "Ramp" (factor 1 below A, falling to 0 at B),
                          ///< 2 "Step between A and B" (A < d < B); others find nothing
    float critA = 1.0f;   ///< distance A
    float critB = 2.0f;   ///< distance B
    int specType = 0;     ///< 0 any types, 1 only pairs of types SpecA and SpecB; others none
    int specA = 0;
    int specB = 1;
    bool operator==(const StickRule_cls& o) const;
};

/// What reading a stick file gave: the sticks, or why none were taken.
struct StickParseResult_cls {
    bool ok = false;
    std::string message;          ///< on failure: what is wrong, with the byte or line
    int64_t skippedLines = 0;     ///< text lines that held fewer than two numbers
    int64_t firstSkippedLine = 0; ///< 1-based line number of the first of them
};

/// One pair-search worker: sticks between the draw-order positions of its two slices and
/// every later position. Its result lists are its own; it touches nothing else.
class ThreadStickCalc_cls {
public:
    /// Stores the inputs; `done` is cleared.
    void Setup(const StickFrame_cls& frame, const StickRule_cls& rule, size_t s0, size_t e0, size_t s1,
               size_t e1, const class StickGrid_cls* grid);
    /// Runs both slices, then sets the done flag (release). Any thread.
    void Entry();
    bool Done() const { return done_.load(std::memory_order_acquire); }

    std::vector<int> first, second;
    std::vector<uint8_t> cls;
    std::vector<float> factor;

private:
    void Slice(size_t start, size_t end);
    void Consider(int i, int j);
    StickFrame_cls frame_;
    StickRule_cls rule_;
    size_t slice_[4] = {0, 0, 0, 0};
    float a2_ = 0, b2_ = 0;
    float cut2_ = 0;  ///< pairs at d² >= cut2_ are never joined
    const StickGrid_cls* grid_ = nullptr;
    std::atomic<bool> done_{false};
};

/// The stick list of one Stick filter. GUI thread only; its workers are joined before the
/// calls that start them return.
class StickEngine_cls {
public:
    StickEngine_cls();

    /// Finds the sticks of `rule` among the draw order of `frame` on `threads` workers (1..4;
    /// the list is the same for every count). Does nothing when the frame's source, time,
    /// particle count and the rule equal those of the last computation. A null `frame` does
    /// nothing.
    void Compute(const StickFrame_cls* frame, const StickRule_cls& rule, int threads = 4);

    /// Reads the stick file named by `pattern` (its integer conversions take the data frame
    /// number and then the neighbour mask; "%%" is a '%'; any other '%' is literal) unless
    /// that path is the one read last. Returns false when a file was tried and could not be
    /// used; `error` then says which file and why. An unchanged path returns true.
    bool LoadBond(const std::string& pattern, int dataFrame, int neighbourMask, std::string* error = nullptr);

    /// Fills the list from the bytes of a stick file: ".bond" binary (`binary`) or text
    /// lines of "first second [class [factor]]". The list is emptied first; on failure it
    /// stays empty.
    StickParseResult_cls ParseBytes(std::string_view bytes, bool binary);

    /// Sets the valid flag: false without a frame (count < 0 stands for none) or when an
    /// index is not below `particleCount`. Rechecks only after a change of list or count.
    /// `stride`: only every stride-th particle of the frame is evaluated (its down-sizing);
    /// sticks to the others are neither drawn nor written.
    void CheckIndices(int64_t particleCount, int stride = 1);
    /// Image offsets from the box: E_m = base[m] scaled by size[m]; offset k sums the E_m of
    /// the bits of k. Null arguments: all offsets 0.
    void SetPeriodicOffsets(const float base[3][3], const float size[3]);
    /// True (and stored) when every factor is exactly 1 (also for an empty list).
    bool AllFactorsOne();

    /// Draws the list (nothing while invalid) with the current GL context: `stickType` 0
    /// lines of `lineWidth` pixels, 1 lit open cylinders of `radius`; a stick of class k is
    /// drawn, to its second particle moved by offset k, only when k's bits lie in `mask`.
    /// Defined with the window code (scene/gui).
    void DrawGL(const float* positions, int stickType, float alpha, float radius, float lineWidth,
                int mask) const;

    /// Appends "#declare <name>=" "union{" ... "};" for k = 0..7, name =
    /// StickUnionName(`filter`, k), with one "CY(...)" line per stick of class k; the unions
    /// are written empty while the list is invalid. Uses the all-factors-one flag of the
    /// last AllFactorsOne(). `threads` 1..4. `filter`: the place of the Stick filter among
    /// the enabled ones, so that every filter's sticks keep names of their own. A stick with
    /// an end that is not finite (POV-Ray refuses the whole scene over one "nan") is left
    /// out and counted in `*nonFinite` when given.
    void WritePov(wxString& out, const float* positions, int threads = 4, int filter = 0,
                  int64_t* nonFinite = nullptr) const;
    /// The same text in bytes.
    std::string PovText(const float* positions, int threads = 4, int filter = 0, int64_t* nonFinite = nullptr) const;

    /// Empties the lists and releases their storage.
    void Clear();

    size_t Size() const { return first_.size(); }
    const std::vector<int>& First() const { return first_; }
    const std::vector<int>& Second() const { return second_; }
    const std::vector<uint8_t>& Classes() const { return class_; }
    const std::vector<float>& Factors() const { return factor_; }
    bool Valid() const { return valid_; }
    /// Why the list is not valid ("" when it is): the first index at or above the count.
    const std::string& InvalidReason() const { return invalidReason_; }
    const std::string& StickPath() const { return stickPath_; }
    const float* Offset(int k) const { return offsets_[k & 7]; }
    /// Sine and cosine of 0, -30, ..., -360 degrees (13 entries), for the cylinders.
    const float* SinTable() const { return sin_; }
    const float* CosTable() const { return cos_; }

    /// True when both ends of stick m are evaluated particles (see CheckIndices).
    bool Evaluated(size_t m) const { return stride_ == 1 || (first_[m] % stride_ == 0 && second_[m] % stride_ == 0); }

    /// Appends one stick (tests and readers).
    void Append(int i, int j, uint8_t cls, float factor);

private:
    std::vector<int> first_, second_;
    std::vector<uint8_t> class_;
    std::vector<float> factor_;
    float offsets_[8][3] = {};
    float sin_[13], cos_[13];
    std::string stickPath_;
    int64_t fileSize_ = 0;
    bool computed_ = false;       ///< a computation key is stored
    double keyTime_ = 0.0;
    uint64_t keySource_ = 0;
    int64_t keyCount_ = -1;
    StickRule_cls keyRule_;
    bool allOne_ = true;
    bool valid_ = false;
    bool listChanged_ = true;     ///< the list changed since the last check
    int64_t checkedCount_ = 0;
    int stride_ = 1;              ///< ends not a multiple of it are not evaluated
    std::string invalidReason_;
};

/// The POV-Ray name of the union of class-`k` sticks (0..7) of the `filter`-th enabled Stick
/// filter: "STICKS<k>" for the first, "STICKS<k>_F<filter>" for the others.
std::string StickUnionName(int filter, int k);

/// The path a stick-file pattern names for data frame `frame` and neighbour mask `mask`;
/// false (with a message) for a pattern with more than two integer conversions.
bool StickPathFor(const std::string& pattern, int frame, int mask, std::string& path, std::string* error);
