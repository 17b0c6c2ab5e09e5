// Panel of the BG filter: the background type and, by type, the star count and size, the
// textures and their mapping, or the colour curve and its mapping; brightness, radius and
// the rotation row.
#pragma once

#include "filters/gui/FilterGUI.h"

class FilterBGGUI_cls : public FilterGUI_cls {
public:
    explicit FilterBGGUI_cls(FilterBase_cls* filter) : FilterGUI_cls(filter) {}

    /// Shows the rows of the current BGType (and mapping), then lays the pages out again.
    void UpdateVisibility();
    /// Asks for an image file for texture A (`which` 0) or B (1) and sets it as one undo step.
    void SelectTexture(int which);

    int typeItem = -1;        ///< "BG Type"
    int numSizeItem = -1;     ///< "Num/Size" group
    int alphaScaleItem = -1;  ///< "Alpha/Scale" group
    int mapTypeItem = -1;     ///< "Map Type": Fisheye, Spherical
    int textureAItem = -1;    ///< texture A group
    int textureBItem = -1;    ///< texture B group
    int colorItem = -1;       ///< "Color" group
    int colorMapItem = -1;    ///< "Map Type": Odd, Even

protected:
    void BuildRows() override;
    void AfterBuild() override;
    void RefreshRows() override;

private:
    int oneMember_ = 1;
    int buttonA_ = -1, buttonB_ = -1;
};
