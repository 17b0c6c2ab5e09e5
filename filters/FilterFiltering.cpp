// Filtering filter: list text, index mask and its weighting.
#include "filters/FilterFiltering.h"

#include <wx/intl.h>

#include <algorithm>
#include <climits>
#include <iterator>

namespace {

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// An optionally signed decimal; digits beyond the int range saturate there. An empty
// text is 0; anything else that is not such a number fails.
bool ReadNumber(const std::string& s, long long& out) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = std::min<long long>(v * 10 + (s[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    v = negative ? -v : v;
    out = std::clamp<long long>(v, INT_MIN, INT_MAX);
    return true;
}

}  // namespace

std::vector<FilteringItem_cls> ParseFilteringList(const std::string& text) {
    std::vector<FilteringItem_cls> items;
    if (text.empty()) return items;  // no items: "show" then removes every particle
    size_t pos = 0;
    for (;;) {
        const size_t comma = text.find(',', pos);
        const std::string item = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        FilteringItem_cls it;
        const size_t dash = item.find('-');
        if (!ReadNumber(Trim(item.substr(0, dash)), it.start)) it.start = 0;
        if (dash != std::string::npos) {
            long long e;
            if (ReadNumber(Trim(item.substr(dash + 1)), e)) it.end = e;
        }
        items.push_back(it);
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return items;
}

std::vector<unsigned char> BuildFilteringMask(const std::vector<FilteringItem_cls>& items, size_t limit) {
    long long size = 0;
    for (const FilteringItem_cls& it : items) size = std::max(size, (it.end == -1 ? it.start : it.end) + 1);
    const size_t n = static_cast<size_t>(std::min<long long>(std::max(size, 0LL),
                                                             static_cast<long long>(std::min<size_t>(limit, LLONG_MAX))));
    std::vector<unsigned char> mask(n, 0);
    for (const FilteringItem_cls& it : items) {
        if (it.end == -1) {
            if (it.start >= 0 && static_cast<size_t>(it.start) < n) mask[static_cast<size_t>(it.start)] = 1;
            continue;
        }
        const long long first = std::max(it.start, 0LL);
        const long long last = std::min(it.end, static_cast<long long>(n) - 1);
        for (long long i = first; i <= last; ++i) mask[static_cast<size_t>(i)] = 1;
    }
    return mask;
}

std::vector<std::pair<long long, long long>> FilteringRanges(const std::vector<FilteringItem_cls>& items) {
    std::vector<std::pair<long long, long long>> ranges;
    for (const FilteringItem_cls& it : items) {
        const long long last = it.end == -1 ? it.start : it.end;
        if (last >= it.start) ranges.emplace_back(it.start, last);
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<long long, long long>> merged;
    for (const auto& r : ranges) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    return merged;
}

bool InFilteringRanges(const std::vector<std::pair<long long, long long>>& ranges, long long number) {
    // The first range that starts beyond the number; the one before it may hold it.
    auto it = std::upper_bound(ranges.begin(), ranges.end(), number,
                               [](long long n, const std::pair<long long, long long>& r) { return n < r.first; });
    return it != ranges.begin() && number <= std::prev(it)->second;
}

FilterFilteringData_cls::FilterFilteringData_cls() : FilterData_cls(false, true) {
    filterName.Init("FilterName=", wxGetTranslation("Filtering") + "%02d");
    settings.Register(&filteringType, "FilteringType=", "0");
    settings.Register(&indexType, "IndexType=", "0");
    settings.Register(&filteringString, "FilteringString=", "0");
}

FilterFiltering_cls::FilterFiltering_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_FILTERING, std::make_unique<FilterFilteringData_cls>()) {}

void FilterFiltering_cls::UpdateMask(size_t particleCount) {
    const wxString& text = Data()->filteringString.Value();
    if (built_ && text == maskText_ && particleCount == maskLimit_) return;
    maskText_ = text;
    maskLimit_ = particleCount;
    built_ = true;
    mask_ = BuildFilteringMask(ParseFilteringList(text.utf8_string()), particleCount);
}

void FilterFiltering_cls::ApplyWeights(const FilterParticles_cls& particles, float* weights, double,
                                       int) {
    if (!Data()->filterValid.value) return;
    const unsigned type = Data()->filteringType.value;
    if (type > 2) return;
    // Identifiers can be any numbers: they are looked up in the listed ranges rather than
    // in a mask. Data without identifiers is classified by index.
    const bool byId = Data()->indexType.value == 1 && particles.ids;
    if (byId) {
        const wxString& text = Data()->filteringString.Value();
        if (!idRangesBuilt_ || text != idRangesText_) {
            idRanges_ = FilteringRanges(ParseFilteringList(text.utf8_string()));
            idRangesText_ = text;
            idRangesBuilt_ = true;
        }
    } else {
        UpdateMask(particles.particleCount);
    }
    const size_t n = mask_.size();
    for (size_t i = 0; i < particles.count; ++i) {
        const int k = particles.IndexAt(i);
        bool listed;
        if (byId)
            listed = particles.Valid(k) && InFilteringRanges(idRanges_, particles.ids[static_cast<size_t>(k)]);
        else
            listed = k >= 0 && static_cast<size_t>(k) < n && mask_[static_cast<size_t>(k)];
        if (type == 0)
            weights[i] = listed ? weights[i] : 0.0f;
        else if (listed)
            weights[i] = type == 1 ? 0.0f : 1.0f;
    }
}
