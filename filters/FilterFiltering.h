// The Filtering filter: shows, hides or forces particles listed by number ("0-9,15").
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "filters/FilterBase.h"

/// One item of a list text: a single index (end == -1) or the range start..end.
struct FilteringItem_cls {
    long long start = 0;
    long long end = -1;
};

/// Items of a list text (none for an empty text) ("," separated; "a-b" a range; blanks trimmed; a side that is not
/// an optionally signed decimal reads as 0 (start) or marks a single index (end)).
/// Numbers saturate at the 32-bit signed range instead of wrapping.
std::vector<FilteringItem_cls> ParseFilteringList(const std::string& text);

/// Byte mask (0/1) of the listed indices: one byte per index up to the largest listed,
/// but never more than `limit` bytes (indices at or beyond `limit` cannot occur).
std::vector<unsigned char> BuildFilteringMask(const std::vector<FilteringItem_cls>& items, size_t limit);

/// Closed ranges [first, second] of the listed numbers, sorted and merged; a range whose
/// end is below its start lists nothing. Used to match particle identifiers, which may be
/// any numbers, without a mask as long as the largest of them.
std::vector<std::pair<long long, long long>> FilteringRanges(const std::vector<FilteringItem_cls>& items);
/// True when `number` lies in one of `ranges` (as made by FilteringRanges).
bool InFilteringRanges(const std::vector<std::pair<long long, long long>>& ranges, long long number);

class FilterFilteringData_cls : public FilterData_cls {
public:
    FilterFilteringData_cls();
    int Kind() const override { return 5; }

    ConfItemUINT_cls filteringType;  ///< "FilteringType=" 0 show, 1 hide, 2 force showing
    ConfItemUINT_cls indexType;      ///< "IndexType=" 0 particle index, 1 particle ID
    ConfItemSTR_cls filteringString; ///< "FilteringString=" the list text, default "0"
};

class FilterFiltering_cls : public FilterBase_cls {
public:
    explicit FilterFiltering_cls(FilterCtrl_cls* list);
    FilterFilteringData_cls* Data() const { return static_cast<FilterFilteringData_cls*>(GetData()); }

    /// Rebuilds the mask when the list text or the particle count changed since the last
    /// build; the mask is capped at `particleCount` bytes.
    void UpdateMask(size_t particleCount);
    /// Nothing when disabled; otherwise type 0 keeps only listed particles (w *= mask),
    /// 1 clears listed ones, 2 sets listed ones to 1. Positions are not used. The numbers
    /// are particle indices, or with IndexType 1 the particles' identifiers (indices when
    /// the data keeps no identifiers).
    void ApplyWeights(const FilterParticles_cls& particles, float* weights, double time,
                      int threads) override;

    const std::vector<unsigned char>& Mask() const { return mask_; }

private:
    std::vector<unsigned char> mask_;
    std::vector<std::pair<long long, long long>> idRanges_;  ///< the list text as ranges, for identifiers
    wxString idRangesText_;
    bool idRangesBuilt_ = false;
    wxString maskText_;
    size_t maskLimit_ = 0;
    bool built_ = false;
};
