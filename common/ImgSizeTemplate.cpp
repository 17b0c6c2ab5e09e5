// Output-size templates.
#include "common/ImgSizeTemplate.h"

#include <wx/translation.h>

ImgSizeTemplate_cls::ImgSizeTemplate_cls() {
    static const int w[kCount] = {-1, 1024, 1600, 800, 640, 320, 1920, 1366, 960, 480, 1024, 2048, 4096, 512};
    static const int h[kCount] = {-1, 768, 1200, 600, 480, 240, 1080, 768, 540, 270, 1024, 2048, 4096, 512};
    for (int i = 0; i < kCount; ++i) {
        widths[i] = w[i];
        heights[i] = h[i];
    }
}

wxString ImgSizeTemplate_cls::GetLabel(int i) const {
    if (i == 0) return wxGetTranslation("Custom");
    if (i < 0 || i >= kCount) return wxString();
    wxString s;
    s << widths[i] << "x" << heights[i];
    return s;
}

bool ImgSizeTemplate_cls::GetSize(int i, int& width, int& height) const {
    if (i <= 0 || i >= kCount) return true;
    width = widths[i];
    height = heights[i];
    return false;
}

int ImgSizeTemplate_cls::FindIndex(int width, int height) {
    selected = 0;
    for (int i = 1; i < kCount; ++i) {
        if (widths[i] == width && heights[i] == height) {
            selected = static_cast<unsigned>(i);
            break;
        }
    }
    return static_cast<int>(selected);
}
