// The CopyBox filter: repeats the data on a block of cells of the periodic box, with an
// optional time-dependent shear; copy order for back-to-front drawing and POV-Ray text.
#pragma once

#include <array>
#include <vector>

#include <wx/string.h>

#include "filters/FilterBase.h"

/// One entry of the copy order: the copy index and its depth key.
struct CopyOrderEntry_cls {
    int copy = 0;
    float key = 0.0f;
};

class FilterCopyData_cls : public FilterData_cls {
public:
    FilterCopyData_cls();
    int Kind() const override { return 6; }

    /// Every view sorts and draws the whole data once per copy, so the block is bounded
    /// (a 10 x 10 x 10 block: a million particles make a billion points already).
    static constexpr int kMaxCopies = 1000;
    /// Cells along axis a: CopyArrayMax - CopyArrayMin, 0 when the maximum is not above the
    /// minimum.
    long long Cells(int axis) const;
    /// Narrows the ranges (the longest axis first, keeping each minimum) until the block
    /// holds at most kMaxCopies cells.
    wxString BoundValues() override;

    ConfItemINT_cls arrayMin[3];          ///< "CopyArrayMin<i>=" first cell along axis i
    ConfItemINT_cls arrayMax[3];          ///< "CopyArrayMax<i>=" one past the last cell
    ConfItemFLOATARRAY_cls shear[3];      ///< "ShearArray<i>=" shift per unit of cell coordinate i
    ConfItemFLOAT_cls shearPhase;         ///< "ShearPhase=" time of zero shear
};

class FilterCopy_cls : public FilterBase_cls {
public:
    explicit FilterCopy_cls(FilterCtrl_cls* list);
    FilterCopyData_cls* Data() const { return static_cast<FilterCopyData_cls*>(GetData()); }

    /// Cells along axis a: CopyArrayMax - CopyArrayMin, 0 when the maximum is not above the
    /// minimum.
    int Size(int axis) const;
    /// nx*ny*nz when enabled (never above kMaxCopies), 1 when disabled.
    int GetCopyCount() const;
    /// Cell (ix, iy, iz) of copy k, x fastest.
    std::array<int, 3> Cell(int k) const;
    /// Shift of copy k at data time t for box edge vectors `box` (rows: axes 0, 1, 2);
    /// empty when disabled.
    std::vector<float> GetCopyOffset(int k, double t, const float box[3][3]) const;
    /// Copies ordered by ascending -(shift . d): farthest along the view first. A disabled
    /// filter gives copy 0 alone.
    std::vector<CopyOrderEntry_cls> SortCopies(const double d[3], double t, const float box[3][3]) const;
    /// Bit 0/1/2 set when another copy follows along axis 0/1/2; 0 when disabled.
    int GetNeighbourMask(int k) const;
    /// "translate <x, y, z>" with 8 decimals; "" when disabled.
    wxString PovTranslate(int k, double t, const float box[3][3]) const;
};
