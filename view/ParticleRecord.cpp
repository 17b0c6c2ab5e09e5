// The draw order shared by the drawers.
#include "view/ParticleRecord.h"

ParticleRecord_cls* GpDrawOrder = nullptr;
int GiDrawOrderCount = 0;
