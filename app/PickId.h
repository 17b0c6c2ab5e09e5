// Pick ids of the objects drawn for picking, and what a pick id selects: 0 the camera path,
// 1 the anchor, 10..16 lights 0..6, 20 + 20 * list + index the filters of lists 0, 1, 2.
#pragma once

enum PickKind : int { PICK_NONE, PICK_CAMERA_PATH, PICK_ANCHOR, PICK_LIGHT, PICK_FILTER };

struct PickTarget {
    int kind = PICK_NONE;  ///< PickKind
    int list = -1;         ///< filter list 0..2 for PICK_FILTER
    int index = -1;        ///< light 0..6, or filter index within its list
};

/// Decodes a pick id. Filter ids: list = (id - 20) / 20, index = (id - 20) % 20; lists
/// beyond 2 and every other id give PICK_NONE. Whether the index exists in its list is
/// the caller's check (an index beyond the list's length selects nothing).
PickTarget DecodePickId(int id);

/// The pick id of filter `index` of list `list`.
int FilterPickId(int list, int index);
