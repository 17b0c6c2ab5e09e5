// The settings items of one owner, in writing order: offers lines to them, writes their
// lines, and names their values by key (value addresses for undoable filter settings).
#pragma once

#include <vector>

#include <wx/string.h>

#include "common/ConfItem.h"

/// Ordered list of borrowed item pointers (the items are members of the owner; the group
/// never deletes them). GUI thread only.
class ConfItemGroup_cls {
public:
    ConfItemGroup_cls() = default;

    /// item->Init(key, def), then appends the item. Registration order is writing order.
    /// Registering an item twice lists it twice. `item` must outlive its place in the list.
    void Register(ConfItem_cls* item, const wxString& key, const wxString& def);
    /// Empties the list; the items keep their values.
    void Clear();
    /// Hands `line` to every item's ParseLine in list order (no early stop, so two items
    /// with the same key both take it). True when at least one item took it. A line may
    /// end in CR LF, LF or nothing.
    bool OfferLine(const wxString& line);
    /// WriteLine of every item in list order, concatenated (each line ends in "\r\n").
    wxString WriteAll() const;
    /// First item whose key equals `key` exactly (case-sensitive), or null.
    ConfItem_cls* Find(const wxString& key) const;
    /// Value address of the value stored at `value`: the key for an int, unsigned, float
    /// or double item; key + "::DIM=" + j for element j (< count) of an int, float or
    /// double array. "" when no item of the group stores a value there (string and bool
    /// items and bool arrays have no address).
    wxString KeyOf(const void* value) const;
    /// Copies key, text and value (arrays: count and all 16 elements) item by item from
    /// the item at the same index of `other`, a group of an owner of the same class.
    /// Indices beyond the shorter list, and pairs whose type codes differ, are skipped.
    void CopyValuesFrom(const ConfItemGroup_cls& other);

    /// The registered items, in writing order.
    const std::vector<ConfItem_cls*>& Items() const { return items_; }

private:
    std::vector<ConfItem_cls*> items_;
};
