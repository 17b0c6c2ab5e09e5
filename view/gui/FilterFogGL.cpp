// The GL side of the Fog filter: the fog state of the particle drawing and the tinted clear
// colour of the views.
#include <GL/gl.h>

#include "filters/FilterFog.h"

void FilterFog_cls::ApplyGLFog(double t) {
    FilterFogData_cls* d = Data();
    if (!d->filterValid.value) return;
    float c[4], density = 0, alpha = 1;
    d->FogColor(c);
    d->DensityAlpha(t, density, alpha);
    const GLfloat colour[4] = {c[0], c[1], c[2], alpha};
    glFogfv(GL_FOG_COLOR, colour);
    switch (d->fogType.value) {
        case 0:
            glFogi(GL_FOG_MODE, GL_EXP);
            glFogf(GL_FOG_DENSITY, alpha * density);
            break;
        case 1:
            glFogi(GL_FOG_MODE, GL_EXP2);
            glFogf(GL_FOG_DENSITY, alpha * density);
            break;
        case 2:
            glFogi(GL_FOG_MODE, GL_LINEAR);
            glFogf(GL_FOG_START, d->fogStart.value);
            glFogf(GL_FOG_END, d->fogEnd.value);
            break;
        default: break;  // a type only an edited file can hold: no mode of its own
    }
    glEnable(GL_FOG);
}

void FilterFog_cls::SetClearColor(double t, const float background[3]) {
    FilterFogData_cls* d = Data();
    if (!d->filterValid.value) return;
    float c[4], density = 0, alpha = 1, out[3];
    d->FogColor(c);
    d->DensityAlpha(t, density, alpha);
    FogClearColor(c, alpha, background, out);
    glClearColor(out[0], out[1], out[2], 1.0f);
}
