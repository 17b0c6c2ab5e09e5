#include "common/FileSequence.h"

#include <climits>
#include <string>
#include <vector>

#include <wx/file.h>

#include "common/PathParts.h"
#include "common/UserPattern.h"

namespace {

wxString FieldText(int digits) {
    wxString field("%0");
    field << digits << "d";
    return field;
}

// Position of the number field `field` ("%04d") in `pattern`, read as a printf pattern:
// "%%" is a literal '%' and never starts a field. -1 when absent.
int FindField(const wxString& pattern, const wxString& field) {
    const size_t n = pattern.length();
    for (size_t i = 0; i < n; ++i) {
        if (pattern[i] != '%') continue;
        if (i + 1 < n && pattern[i + 1] == '%') {
            ++i;
            continue;
        }
        if (pattern.compare(i, field.length(), field) == 0) return static_cast<int>(i);
    }
    return -1;
}

// Literal text of a pattern piece that holds no number field: "%%" becomes '%', every
// other '%' stays as it is.
wxString Unescape(const wxString& piece) {
    if (piece.Find('%') == wxNOT_FOUND) return piece;
    std::string out;
    UserPattern_cls::Expand(std::string(piece.utf8_str()), {}, out);  // folds even on "failure"
    return wxString::FromUTF8(out.c_str());
}

// The pattern text that reads back as `text` literally.
wxString Escape(const wxString& text) {
    wxString out(text);
    out.Replace("%", "%%");
    return out;
}

bool IsDigit(wxUniChar c) { return c >= '0' && c <= '9'; }

}  // namespace

FileSequence_cls::FileSequence_cls(const wxString& p) { SetPath(p); }

void FileSequence_cls::SetPath(const wxString& p) {
    path = p;
    if (p.empty()) return;

    const PathParts_cls parts(p);
    for (int digits = 1; digits <= 5; ++digits) {
        const int at = FindField(p, FieldText(digits));
        if (at < 0) continue;
        digitCount = digits;
        firstNumber = 0;
        pattern = p;
        extension = parts.extension;
        prefix = Unescape(p.Left(static_cast<size_t>(at)));
        return;
    }

    // No field: a number at the end of the name gives the sequence. Any length of path
    // and of number is handled.
    const wxString& base = parts.withoutExtension;
    size_t start = base.length();
    while (start > 0 && IsDigit(base[start - 1])) --start;
    const size_t digits = base.length() - start;
    extension = parts.extension;
    if (digits == 0) {
        firstNumber = 0;
        digitCount = -1;
        prefix = base;
        pattern = p;
        return;
    }
    prefix = base.Left(start);
    long long value = 0;
    for (size_t i = start; i < base.length(); ++i) {
        const int d = static_cast<int>(base[i].GetValue() - '0');
        value = value > (LLONG_MAX - d) / 10 ? LLONG_MAX : value * 10 + d;
    }
    firstNumber = value;
    digitCount = static_cast<int>(digits);
    // prefix and extension are file-name text: escaped so that their own '%' stay literal
    pattern = Escape(prefix) + FieldText(digitCount) + Escape(extension);
}

void FileSequence_cls::SetFourDigitPath() { SetPath(Escape(prefix) + "%04d" + Escape(extension)); }

bool FileSequence_cls::CalcMaxOffset(wxString* message) {
    if (digitCount == -1) {
        fileCount = 1;
        return true;
    }
    auto exists = [this](long long n) { return wxFile::Access(FileName(n, 0), wxFile::read); };
    if (!exists(0)) {
        fileCount = 0;
        if (message) *message = "FileSequence_cls::CalcMaxOffset\n" + FileName(0, 0) + "\nFile open fails";
        return false;
    }
    long long base = 0;
    for (long long step = 100; step >= 1; step /= 10) {
        while (base + step < INT_MAX && exists(base + step)) base += step;
    }
    fileCount = static_cast<int>(base + 1);
    return true;
}

wxString FileSequence_cls::FileName(long long index, int stereoSide) const {
    const wxString tag = stereoSide == 1 ? "L" : stereoSide == 2 ? "R" : "";
    const wxString field = digitCount >= 1 ? FieldText(digitCount) : wxString();
    const int at = digitCount >= 1 ? FindField(pattern, field) : -1;
    if (at < 0) {
        // a single file: its name is the path itself, whatever '%' it holds
        if (tag.empty()) return pattern;
        const PathParts_cls parts(pattern);
        return parts.withoutExtension + tag + parts.extension;
    }
    long long number = 0;
    if (__builtin_add_overflow(firstNumber, index, &number)) number = index < 0 ? LLONG_MIN : LLONG_MAX;
    const wxString digits = UserPattern_cls::ExpandOne(field, number);
    return Unescape(pattern.Left(static_cast<size_t>(at))) + tag + digits +
           Unescape(pattern.Mid(static_cast<size_t>(at) + field.length()));
}

wxString FileSequence_cls::ErrorCaption() {
    return wxString::FromUTF8("\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB");
}
