// The four user-interface fonts, sized from the screen resolution, and the table row height.
#pragma once

#include <wx/font.h>

/// The application's fonts: 0 the editors' font, 1 the playback bar's, 2 and 3 small and
/// medium text. Filled by InitAppFonts at start; GUI thread.
extern wxFont GoAppFonts[4];
/// Horizontal pixels per inch of the screen, read by InitAppFonts (96 before).
extern int GiScreenDPI;

/// Point size of font `i` (0..3) at `dpi` pixels per inch: 864, 1152, 864 and 1056 divided
/// by the dpi (integer division), at least 1.
int AppFontPointSize(int i, int dpi);
/// Reads the screen's resolution into GiScreenDPI and builds the four fonts from the
/// toolkit's default GUI font at the sizes above.
void InitAppFonts();
/// Builds the fonts for a given resolution (what InitAppFonts does after reading it).
void InitAppFontsForDPI(int dpi);
/// Font `i` of GoAppFonts; out-of-range indices give font 0.
const wxFont& GetAppFont(int i);
/// Row height of the lower panel's tables: 17 up to 96 dpi, else 21.
int GetRowHeight();
