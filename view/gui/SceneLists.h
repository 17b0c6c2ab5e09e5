// Shared display lists of the views and the scene items: the camera and anchor symbols,
// the unit ring, the arrow-head cone, the cube, scale rings and the shadow-volume prism.
// Each list is compiled once for the process (the views share one context).
#pragma once

class TagList_cls;

/// Builds the symbol cube (wire cube of side 0.2) and the anchor cross lists, once.
void BuildSymbolLists();
/// The anchor cross list (lines of length 1 along the three axes), built when needed.
unsigned AnchorCrossList();
/// Builds the unit ring list (XY plane, 5-degree steps), once.
void BuildRingList();
/// Builds the arrow-head cone list (apex (1,0,0), base radius 0.3 at x 0), once.
void EnsureConeList();
/// Calls the cone list, building it first when needed.
void CallConeList();
/// Builds the cube list ([-1,1]^3, outward normals), once.
void BuildCubeList();
/// Calls the cube list, building it first when needed.
void DrawCubeList();

/// Camera symbols scaled by `size`: type 0 a perspective frustum of vertical view angle
/// `angle` (degrees), type 1 the fisheye geometry, type 2 the anchor cross.
void DrawCameraSymbol(int type, double size, double angle);
/// Copies of the ring scaled from `from` to `to` in `steps` steps (steps <= 0 taken as 1;
/// negative radii skipped); with `tags`, a "%g" label of each radius at (radius, 0, 0).
void DrawScaleRings(double from, double to, int steps, TagList_cls* tags);

/// The shadow-volume prism for a unit radius: `sides` 8, 16 or 24 for `quality` 0, 1, 2;
/// radius 0.98 from x = 0.1 to x = `length` along the axis turned by the angles `a` and `b`
/// (radians); side quads and two caps, wound outward, or inward with `reverse`.
void DrawShadowCylinder(int reverse, double a, double b, unsigned quality, double length);
/// The turn DrawShadowCylinder applies to its vertices: z' = cos b z - sin b x,
/// x' = cos b cos a x + sin a y + sin b cos a z, y' = cos a y - sin a cos b x - sin b sin a z.
void RotateByAngles(double a, double b, const double in[3], double out[3]);
