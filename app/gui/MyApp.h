// The application object: language and locale, image formats, the central object, the main
// frame shown, and a project named on the command line opened.
#pragma once

#include <wx/app.h>
#include <wx/intl.h>

class AppCore_cls;

class MyApp : public wxApp {
public:
    MyApp() = default;
    ~MyApp() override;

    /// Sets up translations (catalogue "Pelthorn2" under "." and "locale"), the user's
    /// locale with numbers kept in the "C" form, the image handlers, the central object and
    /// the frame; opens the project file given as the first argument. Always true.
    bool OnInit() override;
    /// Deletes the central object; 0.
    int OnExit() override;

    AppCore_cls* GetAppCore() const { return m_core; }

private:
    AppCore_cls* m_core = nullptr;  ///< owned
    wxLocale m_locale;
};

wxDECLARE_APP(MyApp);
