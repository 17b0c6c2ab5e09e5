// CopyBox filter: copy cells, shifts, order and neighbour masks.
#include "filters/FilterCopy.h"

#include <wx/intl.h>

#include <algorithm>
#include <climits>

#include "scene/PovText.h"

FilterCopyData_cls::FilterCopyData_cls() : FilterData_cls(false, true) {
    filterName.Init("FilterName=", wxGetTranslation("CopyBox") + "%02d");
    for (int i = 0; i < 3; ++i) {
        settings.Register(&arrayMin[i], wxString::Format("CopyArrayMin%d=", i), "0");
        settings.Register(&arrayMax[i], wxString::Format("CopyArrayMax%d=", i), "1");
    }
    for (int i = 0; i < 3; ++i) settings.Register(&shear[i], wxString::Format("ShearArray%d=", i), "0 0 0");
    settings.Register(&shearPhase, "ShearPhase=", "0");
}

FilterCopy_cls::FilterCopy_cls(FilterCtrl_cls* list)
    : FilterBase_cls(list, FILTER_COPY, std::make_unique<FilterCopyData_cls>()) {}

int FilterCopy_cls::Size(int axis) const {
    const long long n = static_cast<long long>(Data()->arrayMax[axis].value) - Data()->arrayMin[axis].value;
    return static_cast<int>(std::clamp<long long>(n, 0, INT_MAX));
}

int FilterCopy_cls::GetCopyCount() const {
    if (!Data()->filterValid.value) return 1;
    const long long n = static_cast<long long>(Size(0)) * Size(1);
    if (n == 0 || Size(2) == 0) return 0;
    if (n > INT_MAX / Size(2)) return INT_MAX;
    return static_cast<int>(n * Size(2));
}

std::array<int, 3> FilterCopy_cls::Cell(int k) const {
    const int nx = std::max(Size(0), 1), ny = std::max(Size(1), 1);
    const int e = k % nx;
    const int f = (k / nx) % ny;
    const int g = k / nx / ny;
    return {Data()->arrayMin[0].value + e, Data()->arrayMin[1].value + f, Data()->arrayMin[2].value + g};
}

std::vector<float> FilterCopy_cls::GetCopyOffset(int k, double t, const float box[3][3]) const {
    if (!Data()->filterValid.value) return {};
    const std::array<int, 3> c = Cell(k);
    float P[3];
    for (int a = 0; a < 3; ++a)
        P[a] = static_cast<float>(c[0]) * box[0][a] + static_cast<float>(c[1]) * box[1][a] +
               static_cast<float>(c[2]) * box[2][a];
    const float s = static_cast<float>(t - Data()->shearPhase.value);
    std::vector<float> out(3);
    for (int a = 0; a < 3; ++a)
        out[static_cast<size_t>(a)] = P[a] + s * (P[0] * Data()->shear[0].values[a] +
                                                  P[1] * Data()->shear[1].values[a] +
                                                  P[2] * Data()->shear[2].values[a]);
    return out;
}

std::vector<CopyOrderEntry_cls> FilterCopy_cls::SortCopies(const double d[3], double t,
                                                           const float box[3][3]) const {
    if (!Data()->filterValid.value) return {CopyOrderEntry_cls{}};
    const int n = GetCopyCount();
    std::vector<CopyOrderEntry_cls> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const std::vector<float> s = GetCopyOffset(i, t, box);
        order[static_cast<size_t>(i)] = {i, static_cast<float>(-(s[0] * d[0] + s[1] * d[1] + s[2] * d[2]))};
    }
    std::sort(order.begin(), order.end(),
              [](const CopyOrderEntry_cls& a, const CopyOrderEntry_cls& b) { return a.key < b.key; });
    return order;
}

int FilterCopy_cls::GetNeighbourMask(int k) const {
    if (!Data()->filterValid.value) return 0;
    const int nx = std::max(Size(0), 1), ny = std::max(Size(1), 1);
    const int e = k % nx, f = (k / nx) % ny, g = k / nx / ny;
    return (e < Size(0) - 1 ? 1 : 0) | (f < Size(1) - 1 ? 2 : 0) | (g < Size(2) - 1 ? 4 : 0);
}

wxString FilterCopy_cls::PovTranslate(int k, double t, const float box[3][3]) const {
    const std::vector<float> s = GetCopyOffset(k, t, box);
    if (s.empty()) return "";
    return PovVector3f("translate ", s.data(), 8);
}
