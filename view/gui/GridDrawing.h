// Grid lines of the Grid filter (planes and the box behind the scene, with corner labels)
// and the view's floor grid.
#pragma once

class GLCamera_cls;
class TagList_cls;

/// Grid lines of the plane x = 0 from `from` to `to` in both directions, `divisions` steps
/// (<= 0 taken as 1; a reversed range is swapped). With `tags`, the four corners are
/// labelled "(%g, %g, %g)" in world order with `position` as the plane's x (each text once).
void DrawGridPlaneYZ(double from, double to, int divisions, double position, TagList_cls* tags);
/// The same for the plane y = 0 (labels carry `position` as y).
void DrawGridPlaneXZ(double from, double to, int divisions, double position, TagList_cls* tags);
/// The same for the plane z = 0 (labels carry `position` as z).
void DrawGridPlaneXY(double from, double to, int divisions, double position, TagList_cls* tags);
/// The planes of the box [from, to]^3 on the far sides from `camera`'s direction: per axis
/// the plane at `from` when the direction's component is <= 0, at `to` when >= 0 (both for 0);
/// XY, then YZ, then XZ planes.
void DrawGridBox(double from, double to, int divisions, const GLCamera_cls& camera, TagList_cls* tags);

/// The floor grid list: n divisions (raised to at least 3) of [-1,1]^2 without the centre
/// lines, arrow tips on +x and +y; `outer` adds the border lines and the three axes.
/// Compiled into the list `name` (GL_COMPILE).
void BuildFloorGridList(unsigned name, int divisions, bool outer);
/// The floor grid: `levels` nested grids, the first scaled by `scale`, each next one ten
/// times larger; the last is the outer grid.
void DrawFloorGrid(double scale, int levels);
