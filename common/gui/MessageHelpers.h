// The program's message boxes: notices, yes/no questions, the fatal error that ends the
// process, and a notice built from a pattern whose "{}" take the arguments in turn.
#pragma once

#include <wx/string.h>

#include <initializer_list>
#include <string>

class wxWindow;

/// Modal box with an OK button.
void ShowMessageBox(wxWindow* parent, const wxString& text, const wxString& caption);
/// The same for narrow (UTF-8) texts.
void ShowNarrowMessage(wxWindow* parent, const std::string& caption, const std::string& text);
/// Shows the box, then ends the process at once with exit code 1 (nothing is saved).
[[noreturn]] void ShowFatalErrorAndExit(wxWindow* parent, const std::string& caption,
                                        const std::string& text);
/// Yes/No question (through UserPrompts_cls); null texts count as empty. True only for Yes.
bool AskYesNo(wxWindow* parent, const wxChar* caption, const wxChar* question);
bool AskYesNo(wxWindow* parent, const wxString& caption, const wxString& question);

/// One argument of a formatted message, already turned into text.
struct MessageArg {
    MessageArg(const wxString& s) : text(s) {}
    MessageArg(const char* s) : text(wxString::FromUTF8(s ? s : "")) {}
    MessageArg(const std::string& s) : text(wxString::FromUTF8(s)) {}
    MessageArg(int v);
    MessageArg(long v);
    MessageArg(long long v);
    MessageArg(unsigned v);
    MessageArg(unsigned long v);
    MessageArg(unsigned long long v);
    MessageArg(double v);  ///< "%g" form
    wxString text;
};

/// `pattern` with each "{}" replaced by the next argument's text ("{{" gives "{"). No text is
/// ever read as a printf format; surplus "{}" stay as they are, surplus arguments are dropped.
wxString FormatMessageText(const wxString& pattern, std::initializer_list<MessageArg> args);

/// Toolkit message box without parent, showing FormatMessageText(pattern, args).
void ShowFormattedMessage(const wxString& caption, const wxString& pattern,
                          std::initializer_list<MessageArg> args = {});
