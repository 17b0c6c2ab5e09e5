// The user-interface fonts.
#include "common/gui/AppFonts.h"

#include <wx/dcscreen.h>
#include <wx/settings.h>

wxFont GoAppFonts[4];
int GiScreenDPI = 96;

int AppFontPointSize(int i, int dpi) {
    static const int kNumerators[4] = {864, 1152, 864, 1056};
    if (i < 0 || i > 3) i = 0;
    if (dpi <= 0) dpi = 96;
    int size = kNumerators[i] / dpi;
    return size < 1 ? 1 : size;
}

void InitAppFontsForDPI(int dpi) {
    GiScreenDPI = dpi > 0 ? dpi : 96;
    // The faces named for Windows are not installed here: every font is the toolkit's
    // default GUI font at the program's sizes.
    const wxFont base = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    for (int i = 0; i < 4; ++i) {
        wxFont f(base.IsOk() ? base : *wxNORMAL_FONT);
        f.SetPointSize(AppFontPointSize(i, GiScreenDPI));
        f.SetStyle(wxFONTSTYLE_NORMAL);
        f.SetWeight(wxFONTWEIGHT_NORMAL);
        f.SetUnderlined(false);
        GoAppFonts[i] = f;
    }
}

void InitAppFonts() {
    wxScreenDC dc;
    InitAppFontsForDPI(dc.GetPPI().x);
}

const wxFont& GetAppFont(int i) {
    if (i < 0 || i > 3) i = 0;
    if (!GoAppFonts[i].IsOk()) {
        // Asked before InitAppFonts ran (tests, early paints): the default GUI font.
        static const wxFont fallback = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
        return fallback;
    }
    return GoAppFonts[i];
}

int GetRowHeight() { return GiScreenDPI <= 96 ? 17 : 21; }
