#include "common/PathParts.h"

wxString SubString(const wxString& text, int a, int b) {
    const int len = static_cast<int>(text.length());
    if (a < 0) a = 0;
    if (b > len - 1) b = len - 1;
    if (b < a) return wxString();
    return text.Mid(static_cast<size_t>(a), static_cast<size_t>(b - a + 1));
}

PathParts_cls::PathParts_cls(const wxString& path) : full(path) {
    const int slash = path.Find('/', true);  // wxNOT_FOUND is -1
    const int dot = path.Find('.', true);
    hasSeparator_ = slash != wxNOT_FOUND;
    if (dot == wxNOT_FOUND || dot < slash) {
        withoutExtension = path;
    } else {
        extension = path.Mid(static_cast<size_t>(dot));
        withoutExtension = path.Left(static_cast<size_t>(dot));
    }
    const int lastOfName = static_cast<int>(path.length() - extension.length()) - 1;
    if (slash == wxNOT_FOUND) {
        name = SubString(path, 0, lastOfName);
    } else {
        name = SubString(path, slash + 1, lastOfName);
        directory = SubString(path, 0, slash - 1);
    }
}

wxString PathParts_cls::Part(int kind) const {
    switch (kind) {
    case 0:
        // a bare name must not turn into a path at the root
        return hasSeparator_ ? directory + "/" + name + extension : name + extension;
    case kDrive | kDirectory:
        return directory;
    case kName:
        return name;
    case kDrive | kDirectory | kName:
        return withoutExtension;
    case kExtension:
        return extension;
    case kName | kExtension:
        return name + extension;
    default:
        return full;
    }
}

wxString PathParts_cls::PartOf(const wxString& path, int kind) { return PathParts_cls(path).Part(kind); }
