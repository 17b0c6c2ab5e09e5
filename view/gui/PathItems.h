// The camera path and the anchor in a view's items pass and in its picks.
#pragma once

class MainGLCanvas_cls;

/// Draws the camera path under pick name 0 and, when its AnchorVisible is on, the anchor
/// under pick name 1: the view's followed objects, else the scene's. The camera path is
/// left out while the view looks through it (it follows the path and its path camera is
/// the path's placement). `pickPass`: the pick forms (no path points). The objects keep
/// the placement of the view's last camera update. GUI thread, context current; the
/// caller checks the view's items toggle.
/// The stereogram's focus marker (Toe-In output) stands in front of the camera path at
/// scene time `t`, sized by `size` (the drawn camera's pivot distance); drawing only.
void DrawPathItems(const MainGLCanvas_cls& view, bool pickPass, double t = 0, double size = 0);

/// True while `view` looks through the camera path it follows.
bool LooksThroughCameraPath(const MainGLCanvas_cls& view);

/// The pick form of a camera symbol (DrawCameraSymbol's `type`, `size`, `angle`) drawn
/// without display lists, which this driver's selection mode does not take: the symbol
/// cube's edges and the frustum's rays (types 0 and 1), or the anchor cross (type 2).
void DrawSymbolPickForm(int type, double size, double angle);
