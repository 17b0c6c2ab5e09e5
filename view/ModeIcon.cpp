// Mode icon geometry and the item-edit mode.
#include "view/ModeIcon.h"

int GiItemEditMode = 0;

ModeIcon_cls GoModeIconScale("ICONS/Scale.png", 2, 4, 4, 1);
ModeIcon_cls GoModeIconRotation("ICONS/Rotation.png", 2, 4, 28, 2);
ModeIcon_cls GoModeIconTranslation("ICONS/Translation.png", 2, 4, 52, 0);

ModeIcon_cls::ModeIcon_cls(const char* path, int anchor_, int x_, int y_, int mode_)
    : anchor(anchor_), x(x_), y(y_), mode(mode_), imagePath(path) {}

int ModeIcon_cls::Left(int viewWidth) const {
    return anchor == 3 ? viewWidth - x : x;
}

bool ModeIcon_cls::HitTest(int viewWidth, int viewHeight, int mouseX, int mouseY) const {
    const int x0 = Left(viewWidth);
    return x0 < mouseX && mouseX < x0 + width && viewHeight - height - y < mouseY && mouseY < viewHeight - y;
}

bool ModeIcon_cls::UpdateHover(int viewWidth, int viewHeight, int mouseX, int mouseY) {
    const unsigned char now = HitTest(viewWidth, viewHeight, mouseX, mouseY) ? 1 : 0;
    const bool changed = now != hover;
    hover = now;
    return changed;
}

bool PickModeIcon(int viewWidth, int viewHeight, int mouseX, int mouseY) {
    for (ModeIcon_cls* icon : {&GoModeIconScale, &GoModeIconRotation, &GoModeIconTranslation}) {
        if (icon->HitTest(viewWidth, viewHeight, mouseX, mouseY)) {
            GiItemEditMode = icon->mode;
            return true;
        }
    }
    return false;
}

bool UpdateModeIconHover(int viewWidth, int viewHeight, int mouseX, int mouseY) {
    bool changed = false;
    for (ModeIcon_cls* icon : {&GoModeIconScale, &GoModeIconRotation, &GoModeIconTranslation})
        changed = icon->UpdateHover(viewWidth, viewHeight, mouseX, mouseY) || changed;
    return changed;
}

void SetItemEditModeTranslation() {
    GiItemEditMode = 0;
}

void SetItemEditModeScale() {
    GiItemEditMode = 1;
}

void SetItemEditModeRotation() {
    GiItemEditMode = 2;
}
