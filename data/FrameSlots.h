// The frame slots of one data sequence, made in order when first addressed rather than all
// at once: a sequence holding ten files makes a dozen slots, not ten thousand.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "data/DataFrame.h"

class DataSequence_cls;

/// Slots 0..Made()-1 exist and are linked (previous/next); addressing a slot makes it and
/// every slot below it. The storage never moves, so a slot's address stays valid for the
/// sequence's life. GUI thread only, like the sequence.
class FrameSlots_cls {
public:
    static constexpr int kCount = 10000;  ///< slots a sequence can address
    using Storage = std::array<std::unique_ptr<DataFrame_cls>, kCount>;

    explicit FrameSlots_cls(DataSequence_cls* owner) : owner_(owner) {}
    FrameSlots_cls(const FrameSlots_cls&) = delete;
    FrameSlots_cls& operator=(const FrameSlots_cls&) = delete;

    /// Slot `i`, made (with all below it) when it did not exist yet. An index at or above
    /// kCount throws std::out_of_range.
    std::unique_ptr<DataFrame_cls>& operator[](std::size_t i) const;
    /// Makes the slots below `count` (at most kCount).
    void MakeBelow(int count) const;
    /// Slots made so far.
    int Made() const { return made_; }

    /// The made slots only.
    Storage::iterator begin() const { return slots_.begin(); }
    Storage::iterator end() const { return slots_.begin() + made_; }

private:
    DataSequence_cls* owner_;
    mutable Storage slots_;
    mutable int made_ = 0;
};
