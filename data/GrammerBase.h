// The record grammar of snapshot files: data type, header codes and body codes, with their
// settings keys ("<prefix>DataType=", "<prefix>GrammerHead=", "<prefix>GrammerBody=").
#pragma once

#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"
#include "common/ConfItemGroup.h"
#include "data/SnapshotReader.h"

/// A record grammar and the settings group of its owner (the data loader or the data
/// exporter register their own items in `group` after the grammar's three). GUI thread.
///
/// Header codes: 0 Time, 1 Number, 2 Dummy, 3 Dummy*3, 4 Dummy*10. Body codes: 0 x y z,
/// 1 Vx Vy Vz, 2 Dummy, 3 Dummy*3, 4 Dummy*10, 5 Radius, 6 ID, 7 Type, 8 Value1.
/// Each list holds at most 16 codes in file order.
class GrammerBase_cls {
public:
    static constexpr int kMaxCodes = ConfArray_cls::kMaxElements;  ///< 16 codes per list

    ConfItemGroup_cls group;         ///< the grammar's three items first, then the owner's
    ConfItemINT_cls dataType;        ///< 0 "Simple Binary", 1 "Simple Ascii" (clamped to 0..1)
    ConfItemINTARRAY_cls bodyCodes;  ///< body codes, `count` of `values`
    ConfItemINTARRAY_cls headerCodes;///< header codes, `count` of `values`

    /// Registers prefix + "DataType=" ("0"), prefix + "GrammerHead=" ("0 1") and
    /// prefix + "GrammerBody=" ("0 1 5 6 7 8"), in this order. Prefixes in use:
    /// "DataLoad" and "DataExport".
    explicit GrammerBase_cls(const wxString& prefix);
    GrammerBase_cls(const GrammerBase_cls&) = delete;
    GrammerBase_cls& operator=(const GrammerBase_cls&) = delete;

    /// Bytes of the binary header: 4 for codes 0, 1, 2; 12 for 3; 40 for 4; 0 otherwise.
    /// It is the offset of the first body record of a binary file.
    unsigned int HeaderByteSize() const;
    /// Values of the header: 1 for codes 0, 1, 2; 3 for 3; 10 for 4; 0 otherwise. It is
    /// also the number of header lines of an ASCII file.
    unsigned int HeaderValueCount() const;
    bool BodyHasCode(int code) const;
    bool HeaderHasCode(int code) const;
    /// Replace a list by `codes` (at most the first 16 are kept).
    void SetHeaderCodes(const std::vector<int>& codes);
    void SetBodyCodes(const std::vector<int>& codes);
    /// The codes of a list in order.
    std::vector<int> HeaderCodes() const;
    std::vector<int> BodyCodes() const;
    /// Header "0 1", body "0 1 5 6 7 8" (the data type is kept).
    void SetDefaultCodes();

    /// A plain copy for a reader or writer that starts now.
    SnapshotGrammar Snapshot() const;
};
