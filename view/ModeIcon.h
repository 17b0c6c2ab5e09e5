// The three item-edit-mode icons in the lower left corner of a view (scale, rotation,
// translation): their rectangles, hit tests and hover state. The GL side (texture loading
// and drawing) is in view/gui/ModeIconGL.cpp.
#pragma once

#include <string>

/// The selected scene object's gizmo mode: 0 Translation, 1 Scale, 2 Rotation. GUI thread.
extern int GiItemEditMode;

/// One icon. Geometry in window pixels with y up from the view's bottom edge.
class ModeIcon_cls {
public:
    /// `anchor` 2 measures x from the left edge, 3 from the right edge.
    ModeIcon_cls(const char* imagePath, int anchor, int x, int y, int mode);

    /// Left edge: x for anchor 2, viewWidth - x for anchor 3.
    int Left(int viewWidth) const;
    /// True when the mouse (y down from the top) lies strictly inside the rectangle.
    bool HitTest(int viewWidth, int viewHeight, int mouseX, int mouseY) const;
    /// Stores the hit as the hover state; true when it changed.
    bool UpdateHover(int viewWidth, int viewHeight, int mouseX, int mouseY);

    /// Generates the texture and uploads the image found as program data, mirrored so that
    /// its rows run bottom-up; an unreadable image leaves width and height 0 (never drawn,
    /// never hit). GL context required (defined in the GL layer).
    void LoadTexture();
    /// Draws the icon, highlighted when hovered, brighter when `current`. GL context
    /// required, 2-D projection of the view set (defined in the GL layer).
    void Draw(int viewWidth, bool current) const;

    unsigned int texture = 0;
    unsigned char hover = 0;
    int width = 0, height = 0;  ///< the image's size in pixels (0 until loaded)
    int anchor;
    int x, y;
    int mode;                   ///< GiItemEditMode value the icon selects
    std::string imagePath;      ///< relative program-data path
};

extern ModeIcon_cls GoModeIconScale;        ///< "ICONS/Scale.png", (2, 4, 4), mode 1
extern ModeIcon_cls GoModeIconRotation;     ///< "ICONS/Rotation.png", (2, 4, 28), mode 2
extern ModeIcon_cls GoModeIconTranslation;  ///< "ICONS/Translation.png", (2, 4, 52), mode 0

/// Tests Scale, Rotation, Translation in this order; the first hit sets GiItemEditMode to
/// its mode. True when one was hit. Mouse y counts down from the top.
bool PickModeIcon(int viewWidth, int viewHeight, int mouseX, int mouseY);
/// Updates the hover state of all three icons; true when any changed (repaint).
bool UpdateModeIconHover(int viewWidth, int viewHeight, int mouseX, int mouseY);
void SetItemEditModeTranslation();
void SetItemEditModeScale();
void SetItemEditModeRotation();

/// LoadTexture of the three icons (GL layer).
void LoadModeIcons();
/// The three icons in a 2-D projection of the view, the current mode highlighted (GL layer).
void DrawModeIcons(int viewWidth, int viewHeight);
