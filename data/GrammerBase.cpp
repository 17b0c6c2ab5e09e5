// Record grammar: settings registration, sizes of the header and lookups in the code lists.
#include "data/GrammerBase.h"

#include <algorithm>

namespace {

void SetCodes(ConfItemINTARRAY_cls& item, const std::vector<int>& codes) {
    const int n = static_cast<int>(std::min<size_t>(codes.size(), GrammerBase_cls::kMaxCodes));
    for (int i = 0; i < n; ++i) item.values[i] = codes[static_cast<size_t>(i)];
    item.count = n;
}

std::vector<int> GetCodes(const ConfItemINTARRAY_cls& item) {
    const int n = std::clamp(item.count, 0, GrammerBase_cls::kMaxCodes);
    return std::vector<int>(item.values, item.values + n);
}

}  // namespace

GrammerBase_cls::GrammerBase_cls(const wxString& prefix) {
    dataType.SetRange(SNAPSHOT_BINARY, SNAPSHOT_ASCII);
    group.Register(&dataType, prefix + "DataType=", "0");
    group.Register(&headerCodes, prefix + "GrammerHead=", "0 1");
    group.Register(&bodyCodes, prefix + "GrammerBody=", "0 1 5 6 7 8");
}

unsigned int GrammerBase_cls::HeaderByteSize() const {
    return static_cast<unsigned int>(Snapshot().HeaderByteSize());
}

unsigned int GrammerBase_cls::HeaderValueCount() const {
    return static_cast<unsigned int>(Snapshot().HeaderValueCount());
}

bool GrammerBase_cls::BodyHasCode(int code) const {
    const auto c = GetCodes(bodyCodes);
    return std::find(c.begin(), c.end(), code) != c.end();
}

bool GrammerBase_cls::HeaderHasCode(int code) const {
    const auto c = GetCodes(headerCodes);
    return std::find(c.begin(), c.end(), code) != c.end();
}

void GrammerBase_cls::SetHeaderCodes(const std::vector<int>& codes) { SetCodes(headerCodes, codes); }
void GrammerBase_cls::SetBodyCodes(const std::vector<int>& codes) { SetCodes(bodyCodes, codes); }
std::vector<int> GrammerBase_cls::HeaderCodes() const { return GetCodes(headerCodes); }
std::vector<int> GrammerBase_cls::BodyCodes() const { return GetCodes(bodyCodes); }

void GrammerBase_cls::SetDefaultCodes() {
    SetHeaderCodes({0, 1});
    SetBodyCodes({0, 1, 5, 6, 7, 8});
}

SnapshotGrammar GrammerBase_cls::Snapshot() const {
    SnapshotGrammar g;
    g.dataType = dataType.value;
    g.headerCodes = GetCodes(headerCodes);
    g.bodyCodes = GetCodes(bodyCodes);
    return g;
}
