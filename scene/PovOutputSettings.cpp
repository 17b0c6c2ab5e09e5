// Output settings and the output block of the .ini file.
#include "scene/PovOutputSettings.h"

#include "platform/FileNumbers.h"

namespace {
wxString I(long long v) { return wxString(platform::FormatInt(v)); }
wxString F(double v) { return wxString(platform::FormatF(v, 6)); }
}  // namespace

PovOutputSettings_cls::PovOutputSettings_cls(PovRayCtrl_cls* owner) : controller(owner) {
    format.SetRange(0, kFormatCount - 1);
    width.SetRange(1, 16384);
    height.SetRange(1, 16384);
    antialiasDepth.SetRange(1, 9);
    boundingMethod.SetRange(0, 1);
    items.Register(&format, "PovOutputFomat=", "0");
    items.Register(&width, "PovCameraWidth=", "640");
    items.Register(&height, "PovCameraHeight=", "480");
    items.Register(&antialias, "PovAntialias=", "0");
    items.Register(&display, "PovDisplay=", "1");
    items.Register(&pauseWhenDone, "PovPauseWhenDone=", "0");
    items.Register(&jitter, "PovJitter=", "0");
    items.Register(&outputAlpha, "PovOutputAlpha=", "0");
    items.Register(&antialiasThreshold, "PovAntiAliasThreshold=", "0.15");
    items.Register(&antialiasDepth, "PovAntiAliasDepth=", "3");
    items.Register(&jitterAmount, "PovJitterAmount=", "1");
    items.Register(&fastColoring, "PovFastColoring=", "1");
    items.Register(&fileAbsolute, "PovFileAbsolute=", "0");
    items.Register(&boundingMethod, "PovBoundingMethod=", "1");
    sizeTemplate.FindIndex(width.value, height.value);
}

bool PovOutputSettings_cls::ReadText(const wxString& line) {
    const bool taken = items.OfferLine(line);
    sizeTemplate.FindIndex(width.value, height.value);
    return taken;
}

const char* PovOutputSettings_cls::FormatLetter(unsigned f) {
    static const char* const kLetters[kFormatCount] = {"N", "N", "N", "B", "P", "J", "E", "H"};
    return f < kFormatCount ? kLetters[f] : "N";
}

wxString PovOutputSettings_cls::IniText(const wxString& iniPath) const {
    wxString s;
    s << "width=" << I(width.value) << "\n";
    s << "height=" << I(height.value) << "\n";
    s << "DISPLAY=" << (display.value ? "on" : "off") << "\n";
    s << "Pause_When_Done=" << (pauseWhenDone.value ? "on" : "off") << "\n";
    s << "Version=3.7\n";
    s << "Display_Gamma=" << I(1) << "\n";
    s << "File_Gamma=" << I(1) << "\n";
    s << "Render_Block_Size=" << I(48) << "\n";
    s << "Render_Pattern=" << I(3) << "\n";
    if (boundingMethod.value == 1) s << "Bounding_Method=2\n";
    s << "Antialias=" << I(antialias.value ? 1 : 0) << "\n";
    if (antialias.value) {
        s << "Antialias_Threshold=" << F(antialiasThreshold.value) << "\n";
        s << "Antialias_Depth=" << I(antialiasDepth.value) << "\n";
    }
    s << "Jitter=" << I(jitter.value ? 1 : 0) << "\n";
    if (jitter.value) s << "Jitter_Amount=" << F(jitterAmount.value) << "\n";
    // The 12- and 16-bit PNG formats carry their bit depth; the page names them so.
    if (format.value == 1) s << "Bits_Per_Color=12\n";
    if (format.value == 2) s << "Bits_Per_Color=16\n";
    s << "Output_File_Type=" << FormatLetter(format.value) << "\n";
    if (format.value == 5) s << "Compression=" << I(95) << "\n";
    s << "Output_Alpha=" << I(outputAlpha.value ? 1 : 0) << "\n";
    // Only the file's own name changes its extension: the folders above it keep theirs
    // (a work folder under ~/.povray must not lose its ".pov").
    const int slash = iniPath.Find('/', true);
    const wxString folder = slash == wxNOT_FOUND ? wxString() : iniPath.Left(size_t(slash) + 1);
    wxString input = slash == wxNOT_FOUND ? iniPath : iniPath.Mid(size_t(slash) + 1);
    // Only the trailing extension is the file's: a ".ini" or ".pov" inside the name (a
    // pattern such as "run.ini%04d") stays part of it.
    if (input.EndsWith(".ini")) input = input.Left(input.length() - 4) + ".pov";
    wxString output = input;
    if (output.EndsWith(".pov")) output.RemoveLast(4);
    if (fileAbsolute.value) {
        input = folder + input;
        output = folder + output;
    }
    s << "Input_File_Name=\"" << input << "\"\n";
    s << "Output_File_Name=\"" << output << "\"\n";
    return s;
}
