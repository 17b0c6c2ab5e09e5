// The scene's anchor: a key-framed point the path camera may look at and the views may
// pivot about, with its "---AnchorPath" block.
#pragma once

#include <string>

#include "scene/SceneObj.h"

class ParamTextStream_cls;

/// The scene object "Anchor" (pick id 1), at the origin at start. GUI thread.
class AnchorPath_cls : public SceneObj_cls {
public:
    AnchorPath_cls();

    /// "---AnchorPath" and the Translate text ("AnchorVisible=" is not stored).
    std::string WriteSection() const;
    /// Reads the block when `line` is "---AnchorPath": lines up to the first group header
    /// are dropped, then the Translate block is read.
    void ReadSection(ParamTextStream_cls& stream, const std::string& line);

    /// Draws the green anchor cross (size 0.2) while selected or away from the origin, the
    /// gizmo while selected and not dragged, and unless `pickPass` the path points.
    /// Lighting and texturing are left off. GL layer (view/gui/AnchorPathGL.cpp).
    void DrawGL(bool pickPass);
};

extern AnchorPath_cls* GpAnchorPath;
