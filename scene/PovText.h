// Number, vector, colour and material formatting shared by every POV-Ray writer. Numbers are
// written the same under every user locale; lines end in "\n".
#pragma once

#include <string>

#include <wx/string.h>

/// Three RGBA colours (r, g, b, a; 0..1): ambient, diffuse, specular.
struct MaterialColors_cls {
    float ambient[4];
    float diffuse[4];
    float specular[4];
};

/// n tab characters for n = 1..7; empty for 0 and for n above 7.
wxString PovIndent(unsigned n);
/// printf "%.Nf" of the value, N = decimals (negative taken as 0).
wxString PovScalar(float value, int decimals);
/// "%f" of the value with trailing zeros (and then a trailing point) removed.
wxString PovTrimmedFloat(float value);
/// Removes trailing '0's and then one trailing '.' from a text that holds a '.'; other
/// texts are returned unchanged.
wxString PovTrimZeros(const wxString& text);
/// label + "<x,y,z>", each "%.Nf". No blank is added between label and '<'.
wxString PovVector3f(const wxString& label, const float v[3], int decimals);
wxString PovVector3d(const wxString& label, const double v[3], int decimals);
/// label + "<a,b,c,d>", each "%.Nf".
wxString PovVector4f(const wxString& label, const float v[4], int decimals);
/// label + "<%d,%d,%d>".
wxString PovVector3i(const wxString& label, const int v[3]);
/// label + "<x,y,z>", each "%.Nf" with trailing zeros trimmed.
wxString PovVector3fTrimmed(const wxString& label, const float v[3], int decimals);
wxString PovVector3fTrimmed(const float v[3], int decimals);
/// "rgbt <r,g,b,1-a>" (rgbt true) or "<r,g,b,1-a>", each with `decimals` digits.
wxString PovColor(const float c[4], int decimals, bool rgbt);

/// True when POV-Ray 3.7 can open a file named `path` written between double quotes in a
/// scene: printable ASCII only, and no '"' (which would end the name) or '\' (which it
/// reads as an escape). POV-Ray cannot open names with other letters at all.
bool PovPathUsable(const wxString& path);
/// Why PovPathUsable refuses `path` ("<path>: POV-Ray cannot open ..."), for the user's
/// message; the caller adds what becomes of the file.
std::string PovPathRefusal(const wxString& path);
/// A form of `name` that is safe as (part of) a file name and in a scene's quoted include:
/// ASCII letters, digits, '-', '.' and '_' stay; every other byte of its UTF-8 text becomes
/// "_x" and two hex digits (so distinct names stay distinct); an empty name gives "_".
std::string PovSafeFileName(const wxString& name);

/// The "texture {" block of a material. `singleForm` (the POV-Ray output setting
/// "PovFastColoring=" equal to 1) gives one pigment and one finish, in which the ambient colour
/// of `colours` is divided by the diffuse colour channel by channel (the record is changed);
/// otherwise an averaged texture_map of ambient, diffuse and specular textures. `extra` is
/// appended inside every finish; with `useFilterAlpha` the transmit is "1-a*FilterAlpha", an
/// identifier the enclosing macro must declare.
wxString PovMaterialTexture(const wxString& indent, MaterialColors_cls& colours, float roughness,
                            const wxString& extra, bool useFilterAlpha, bool singleForm);

/// The per-object photons line of the POV-Ray controller's photons settings (empty without
/// photons, or before the controller exists).
wxString PovPhotonsModifier(double opacity, double reflectMin, double reflectMax, bool noTarget);
/// The controller's "PovFastColoring=" (true before the controller exists): the
/// `singleForm` argument of PovMaterialTexture.
bool PovFastColoring();
