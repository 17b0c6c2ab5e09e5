// Splitting a path into directory, name and extension ('/' separates folders), and the
// inclusive substring helper the path and settings code cut text with.
#pragma once

#include <wx/string.h>

/// The characters of `text` at positions a to b, both included (b − a + 1 characters).
/// Positions outside the text are clipped to it; b < a gives "".
wxString SubString(const wxString& text, int a, int b);

/// One path split at construction into its parts. Plain value type; any thread.
class PathParts_cls {
public:
    /// Bits of a part kind for Part().
    enum { kDrive = 1, kDirectory = 2, kName = 4, kExtension = 8 };

    explicit PathParts_cls(const wxString& path);

    /// One part of the path by kind:
    ///  0: directory + "/" + name + extension (name + extension when the path has no '/');
    ///  3: directory; 4: name; 7: path without extension; 8: extension (with its dot);
    ///  12: name + extension; any other kind: the full path.
    wxString Part(int kind) const;
    /// PathParts_cls(path).Part(kind).
    static wxString PartOf(const wxString& path, int kind);

    wxString full;              ///< the path as given
    wxString withoutExtension;  ///< the path with its extension cut off
    wxString directory;         ///< text before the last '/', without it; "" when none
    wxString name;              ///< text between the last '/' and the extension
    wxString extension;         ///< from the last dot behind the last '/', dot included; or ""

private:
    bool hasSeparator_ = false;
};
