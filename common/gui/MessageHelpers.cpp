// The program's message boxes.
#include "common/gui/MessageHelpers.h"

#include "common/gui/MessageDialogEX.h"
#include "common/gui/UserPrompts.h"
#include "platform/FileNumbers.h"

#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>

void ShowMessageBox(wxWindow* parent, const wxString& text, const wxString& caption) {
    MessageDialogEX_cls box(parent, text, caption, wxOK);
    box.ShowModal();
}

void ShowNarrowMessage(wxWindow* parent, const std::string& caption, const std::string& text) {
    // Narrow texts are UTF-8 here (the program's own and decoded file texts alike); an
    // invalid sequence falls back to the current locale's conversion.
    auto wide = [](const std::string& s) {
        wxString w = wxString::FromUTF8(s.data(), s.size());
        if (w.empty() && !s.empty()) w = wxString(s.c_str(), wxConvLocal);
        return w;
    };
    ShowMessageBox(parent, wide(text), wide(caption));
}

void ShowFatalErrorAndExit(wxWindow* parent, const std::string& caption, const std::string& text) {
    ShowNarrowMessage(parent, std::string(caption), std::string(text));
    std::fflush(stdout);
    std::fflush(stderr);
    // Nothing more may run: windows, threads and statics are left to the system. The
    // failure is reported to whoever started the program.
    std::_Exit(1);
}

bool AskYesNo(wxWindow* parent, const wxString& caption, const wxString& question) {
    return UserPrompts_cls::Current().AskYesNo(parent, caption, question);
}

bool AskYesNo(wxWindow* parent, const wxChar* caption, const wxChar* question) {
    return AskYesNo(parent, wxString(caption ? caption : wxT("")),
                    wxString(question ? question : wxT("")));
}

MessageArg::MessageArg(int v) : text(wxString::FromUTF8(platform::FormatInt(v))) {}
MessageArg::MessageArg(long v) : text(wxString::FromUTF8(platform::FormatInt(v))) {}
MessageArg::MessageArg(long long v) : text(wxString::FromUTF8(platform::FormatInt(v))) {}
MessageArg::MessageArg(unsigned v) : text(wxString::FromUTF8(platform::FormatUInt(v))) {}
MessageArg::MessageArg(unsigned long v) : text(wxString::FromUTF8(platform::FormatUInt(v))) {}
MessageArg::MessageArg(unsigned long long v) : text(wxString::FromUTF8(platform::FormatUInt(v))) {}
MessageArg::MessageArg(double v) : text(wxString::FromUTF8(platform::FormatG(v, 6))) {}

wxString FormatMessageText(const wxString& pattern, std::initializer_list<MessageArg> args) {
    wxString out;
    auto next = args.begin();
    for (auto it = pattern.begin(); it != pattern.end(); ++it) {
        const wxUniChar c = *it;
        auto following = it + 1;
        if (c == '{' && following != pattern.end() && *following == '{') {
            out += '{';
            ++it;
        } else if (c == '{' && following != pattern.end() && *following == '}' && next != args.end()) {
            out += next->text;
            ++next;
            ++it;
        } else {
            out += c;
        }
    }
    return out;
}

void ShowFormattedMessage(const wxString& caption, const wxString& pattern,
                          std::initializer_list<MessageArg> args) {
    ShowMessageBox(nullptr, FormatMessageText(pattern, args), caption);
}
