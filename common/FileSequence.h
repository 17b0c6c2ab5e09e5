// Numbered file sequences ("snap0010.dat", "Preview%04d.png"): the name pattern derived
// from one path, the count of existing members on disk, and member names with stereo tags.
#pragma once

#include <wx/string.h>

/// A numbered file sequence. Plain value type; one thread at a time.
///
/// The pattern is printf-like text in which one integer field ("%04d") takes the member
/// number and "%%" stands for '%'; every other '%' is literal. Names are expanded only
/// through the safe pattern helper, never with printf.
class FileSequence_cls {
public:
    /// Empty path, digit count -1, file count -1.
    FileSequence_cls() = default;
    /// SetPath(path).
    explicit FileSequence_cls(const wxString& path);

    /// Derives prefix, pattern, extension, first number and digit count from `path`:
    /// a path holding a field "%01d" .. "%05d" is itself the pattern (first number 0);
    /// otherwise trailing digits of the name give the first number and digit count
    /// ("snap0010.dat": prefix "snap", first 10, 4 digits, pattern "snap%04d.dat");
    /// a name without digits is a single file (digit count -1). "" changes only the path.
    void SetPath(const wxString& path);
    /// Numbers a single file: SetPath(prefix + "%04d" + extension), so "img.png" becomes
    /// the pattern "img%04d.png" with first number 0.
    void SetFourDigitPath();
    /// Counts the existing members from member 0 into the file count (1 for a single file,
    /// without looking at the disk). Probes in steps of 100, 10 and 1, so a gap that a
    /// larger step passes over is not seen (those frames are reported when read). Returns
    /// false when member 0 cannot be opened: file count 0 and, when given, `message` set to
    /// "FileSequence_cls::CalcMaxOffset\n<name>\nFile open fails" for the caller to show
    /// under the caption ErrorCaption().
    bool CalcMaxOffset(wxString* message = nullptr);
    /// Name of the member numbered first number + `index`. `stereoSide` 0 none, 1 left,
    /// 2 right: the tag "L" or "R" stands directly before the number ("imgR0000.png"), or
    /// before the extension of a single file ("imgL.png"). A single file's name is its path.
    wxString FileName(long long index, int stereoSide = 0) const;

    /// Caption of the message of a missing first member ("ファイル", file).
    static wxString ErrorCaption();

    wxString path;             ///< as last given to SetPath
    wxString prefix;           ///< text before the number (before the field of a pattern path)
    wxString pattern;          ///< name pattern of the members; the path for a single file
    wxString extension;        ///< with its dot; "" when none
    long long firstNumber = 0; ///< number of member 0
    int digitCount = -1;       ///< digits of the number field; -1 for a single file
    int fileCount = -1;        ///< consecutive members found by CalcMaxOffset; -1 before
};
