// Pick id decoding.
#include "app/PickId.h"

PickTarget DecodePickId(int id) {
    PickTarget t;
    if (id == 0) {
        t.kind = PICK_CAMERA_PATH;
    } else if (id == 1) {
        t.kind = PICK_ANCHOR;
    } else if (id >= 10 && id <= 16) {
        t.kind = PICK_LIGHT;
        t.index = id - 10;
    } else if (id >= 20 && (id - 20) / 20 <= 2) {
        t.kind = PICK_FILTER;
        t.list = (id - 20) / 20;
        t.index = (id - 20) % 20;
    }
    return t;
}

int FilterPickId(int list, int index) {
    return 20 + 20 * list + index;
}
