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

long long FilterCopyData_cls::Cells(int axis) const {
    const long long n = static_cast<long long>(arrayMax[axis].value) - arrayMin[axis].value;
    return std::max<long long>(n, 0);
}

wxString FilterCopyData_cls::BoundValues() {
    long long n[3] = {Cells(0), Cells(1), Cells(2)};
    // Products in double: three ranges of 2^32 cells each would overflow any integer.
    auto others = [&n](int a) { return static_cast<double>(n[(a + 1) % 3]) * static_cast<double>(n[(a + 2) % 3]); };
    if (others(0) * static_cast<double>(n[0]) <= kMaxCopies) return wxString();
    // Halve the longest axis until one more cut fits, then give that axis all the room left:
    // a few dozen steps even from 2^32 cells, and the block keeps its rough shape.
    for (;;) {
        const int a = n[0] >= n[1] && n[0] >= n[2] ? 0 : (n[1] >= n[2] ? 1 : 2);
        if (static_cast<double>(n[a] / 2) * others(a) <= kMaxCopies) {
            n[a] = std::max<long long>(1, static_cast<long long>(kMaxCopies / others(a)));
            break;
        }
        n[a] /= 2;
    }
    for (int a = 0; a < 3; ++a)
        if (Cells(a) != n[a]) arrayMax[a].value = static_cast<int>(arrayMin[a].value + n[a]);
    return wxString::Format(wxGetTranslation("%s: at most %d copies can be drawn; the copy block was cut to %lld x %lld x %lld."),
                            filterName.Value(), kMaxCopies, n[0], n[1], n[2]);
}

int FilterCopy_cls::Size(int axis) const {
    return static_cast<int>(std::min<long long>(Data()->Cells(axis), FilterCopyData_cls::kMaxCopies));
}

int FilterCopy_cls::GetCopyCount() const {
    if (!Data()->filterValid.value) return 1;
    // BoundValues keeps the block within the limit; a block set around it (by a caller that
    // writes the settings directly) still never asks for more.
    const double n = static_cast<double>(Size(0)) * Size(1) * Size(2);
    return static_cast<int>(std::min<double>(n, FilterCopyData_cls::kMaxCopies));
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
