// Expansion of user-supplied name patterns ("Preview%04d.png", "povsnap%04d"): only the
// integer conversions the pattern is meant to hold are substituted, never any other
// printf conversion, so a user's '%' can not read or write memory.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

class UserPattern_cls {
public:
    /// Number of integer conversions in `pattern`: "%d", "%i", "%u", each with an optional
    /// '0' flag and width ("%04d", "%5u"). "%%" is not a conversion; every other '%'
    /// sequence ("%s", "100%") is literal text.
    static int CountIntConversions(const std::string& pattern);

    /// Substitutes `values` into the integer conversions of `pattern`, in order, and turns
    /// "%%" into "%". Fails with a message in `error` when the pattern holds a different
    /// number of conversions than values given.
    static bool Expand(const std::string& pattern, const std::vector<long long>& values,
                       std::string& out, std::string* error = nullptr);

    /// Convenience for the common single-number case; on a pattern without exactly one
    /// conversion returns the pattern with "%%" folded and `ok` false.
    static std::string ExpandOne(const std::string& pattern, long long value, bool* ok = nullptr);

    /// The same on wxString (UTF-8 inside).
    static wxString ExpandOne(const wxString& pattern, long long value, bool* ok = nullptr);
    static int CountIntConversions(const wxString& pattern);

    /// Writes `text` so that Expand() gives it back unchanged: every '%' doubled.
    static std::string Escape(const std::string& text);
};
