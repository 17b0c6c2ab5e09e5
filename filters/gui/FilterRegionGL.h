// The wire regions of the filters drawn in the views: the Boolean filters' boxes and the
// DataBox filters' boxes with their centre cross, each under its filter's pick name.
#pragma once

class FilterCtrl_cls;

/// For each filter of `list`: pushes its pick name (20 + 20 * list + index), draws the
/// wire region of the Boolean, DataBox and Object kinds at normalised scene time `t`, pops the
/// name. Lighting and texturing are switched off; the GL context must be current.
void DrawFilterRegions(FilterCtrl_cls& list, double t);

/// The twelve edges of the cube from (-0.5, -0.5, -0.5) to (0.5, 0.5, 0.5) as lines.
void DrawUnitCubeEdges();
