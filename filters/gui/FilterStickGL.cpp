// The Stick filter in the views.
#include "filters/FilterStick.h"

void FilterStick_cls::Draw(const StickFrame_cls* frame, const StickBox_cls& box, int mask, int dataFrame) {
    FilterStickData_cls* d = Data();
    if (!d->filterValid.value) return;
    Prepare(frame, box, mask, dataFrame);
    if (!frame) return;
    d->engine.DrawGL(frame->positions, int(d->stickType.value > 1 ? 2 : d->stickType.value), d->texture.alpha.value,
                     d->stickRadius.value, float(d->stickWidth.value), mask);
}
