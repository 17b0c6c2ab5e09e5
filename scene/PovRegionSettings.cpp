// Region settings and the automatic initial frame number.
#include "scene/PovRegionSettings.h"

#include "scene/PovRayCtrl.h"
#include "timeline/TimeCtrl.h"

PovRegionSettings_cls::PovRegionSettings_cls(PovRayCtrl_cls* owner) : controller(owner) {
    region.SetRange(0, 2);
    items.Register(&region, "PovRenderRegion=", "0");
    items.Register(&customMin, "PovRegionCustomMin=", "0");
    items.Register(&customMax, "PovRegionCustomMax=", "100");
    items.Register(&initial, "PovRenderAnimNinit=", "0");
}

void PovRegionSettings_cls::CalcInitialNumber() {
    const TimeCtrl_cls* time = controller ? controller->GetTimeCtrl() : nullptr;
    switch (region.value) {
        case 0:
            if (!time) return;
            initial.value = -time->GetStepIndex(0, 0);
            break;
        case 1:
            initial.value = 0;
            break;
        case 2:
            if (!time) return;
            initial.value = (customMin.value / time->AnimStep()) * time->AnimInterp();
            break;
        default:
            return;
    }
}
