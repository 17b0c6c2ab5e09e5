// Settings groups: line offering, writing, lookup by key and by value address.
#include "common/ConfItemGroup.h"

#include <algorithm>
#include <iterator>

void ConfItemGroup_cls::Register(ConfItem_cls* item, const wxString& key, const wxString& def) {
    item->Init(key, def);
    items_.push_back(item);
}

void ConfItemGroup_cls::Clear() { items_.clear(); }

bool ConfItemGroup_cls::OfferLine(const wxString& line) {
    bool taken = false;
    for (ConfItem_cls* item : items_)
        if (item->ParseLine(line)) taken = true;
    return taken;
}

wxString ConfItemGroup_cls::WriteAll() const {
    wxString out;
    for (const ConfItem_cls* item : items_) out += item->WriteLine();
    return out;
}

ConfItem_cls* ConfItemGroup_cls::Find(const wxString& key) const {
    for (ConfItem_cls* item : items_)
        if (item->key == key) return item;
    return nullptr;
}

namespace {

template <typename Array>
bool ElementIndex(const ConfItem_cls* item, const void* p, int& index) {
    auto* a = dynamic_cast<const Array*>(item);
    if (!a) return false;
    for (int j = 0; j < a->count && j < ConfArray_cls::kMaxElements; ++j)
        if (p == &a->values[j]) {
            index = j;
            return true;
        }
    return false;
}

template <typename Scalar>
bool IsValueOf(const ConfItem_cls* item, const void* p) {
    auto* s = dynamic_cast<const Scalar*>(item);
    return s && p == &s->value;
}

template <typename Item>
bool CopyScalar(ConfItem_cls* d, const ConfItem_cls* s) {
    auto* dst = dynamic_cast<Item*>(d);
    auto* src = dynamic_cast<const Item*>(s);
    if (!dst || !src) return false;
    dst->value = src->value;
    return true;
}

template <typename Item>
bool CopyArray(ConfItem_cls* d, const ConfItem_cls* s) {
    auto* dst = dynamic_cast<Item*>(d);
    auto* src = dynamic_cast<const Item*>(s);
    if (!dst || !src) return false;
    dst->count = src->count;
    std::copy(std::begin(src->values), std::end(src->values), std::begin(dst->values));
    return true;
}

}  // namespace

wxString ConfItemGroup_cls::KeyOf(const void* value) const {
    if (!value) return wxString();
    for (const ConfItem_cls* item : items_) {
        if (IsValueOf<ConfItemINT_cls>(item, value) || IsValueOf<ConfItemUINT_cls>(item, value) ||
            IsValueOf<ConfItemFLOAT_cls>(item, value) || IsValueOf<ConfItemDOUBLE_cls>(item, value))
            return item->key;
        int j = 0;
        if (ElementIndex<ConfItemINTARRAY_cls>(item, value, j) ||
            ElementIndex<ConfItemFLOATARRAY_cls>(item, value, j) ||
            ElementIndex<ConfItemDOUBLEARRAY_cls>(item, value, j))
            return item->key + "::DIM=" + wxString::Format("%d", j);
    }
    return wxString();
}

void ConfItemGroup_cls::CopyValuesFrom(const ConfItemGroup_cls& other) {
    const size_t n = std::min(items_.size(), other.items_.size());
    for (size_t i = 0; i < n; ++i) {
        ConfItem_cls* d = items_[i];
        const ConfItem_cls* s = other.items_[i];
        // Groups of the same owner class hold the same items in the same order; a pair
        // that does not match is skipped rather than read as the wrong type.
        if (d == s || d->typeCode != s->typeCode) continue;
        bool copied = false;
        switch (d->typeCode) {
            case CONF_STR: copied = dynamic_cast<const ConfItemSTR_cls*>(s) &&
                                    dynamic_cast<ConfItemSTR_cls*>(d); break;
            case CONF_INT: copied = CopyScalar<ConfItemINT_cls>(d, s); break;
            case CONF_UINT: copied = CopyScalar<ConfItemUINT_cls>(d, s); break;
            case CONF_FLOAT: copied = CopyScalar<ConfItemFLOAT_cls>(d, s); break;
            case CONF_DOUBLE: copied = CopyScalar<ConfItemDOUBLE_cls>(d, s); break;
            case CONF_BOOL: copied = CopyScalar<ConfItemBOOL_cls>(d, s); break;
            case CONF_INTARRAY: copied = CopyArray<ConfItemINTARRAY_cls>(d, s); break;
            case CONF_FLOATARRAY: copied = CopyArray<ConfItemFLOATARRAY_cls>(d, s); break;
            case CONF_DOUBLEARRAY: copied = CopyArray<ConfItemDOUBLEARRAY_cls>(d, s); break;
            case CONF_BOOLARRAY: copied = CopyArray<ConfItemBOOLARRAY_cls>(d, s); break;
            default: break;
        }
        if (!copied) continue;
        d->key = s->key;
        d->text = s->text;
    }
}
