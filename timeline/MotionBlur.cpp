// Motion-blur sample offsets and the first/last sample tests.
#include "timeline/MotionBlur.h"

#include "timeline/TimeCtrl.h"

double MotionBlur_cls::GetOffset() const { return float(float(index) * shutter / float(Count())); }

float MotionBlur_cls::GetSampleWeight() const { return 1.0f / float(Count()); }

bool MotionBlur_cls::IsFirstSample() const {
    const int dir = owner ? owner->direction : 1;
    return (dir == 1 && index == 0) || (dir == -1 && index == Count() - 1);
}

bool MotionBlur_cls::IsLastSample() const {
    const int dir = owner ? owner->direction : 1;
    return !sampling || (dir == 1 && index == Count() - 1) || (dir == -1 && index == 0);
}
