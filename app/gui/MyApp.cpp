// The application object.
#include "app/gui/MyApp.h"

#include <wx/image.h>
#include <wx/log.h>

#include "app/ProcessLocale.h"
#include "app/gui/AppCore.h"
#include "app/gui/FrameMain.h"
#include "data/DataLoader.h"
#include "platform/ProgramPaths.h"
#include "timeline/Parameter.h"

MyApp::~MyApp() = default;

bool MyApp::OnInit() {
    {
        // A system without the user's language installed is no reason for a message box.
        wxLogNull quiet;
        m_locale.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT);
        wxLocale::AddCatalogLookupPathPrefix(".");
        wxLocale::AddCatalogLookupPathPrefix("./locale");
        wxLocale::AddCatalogLookupPathPrefix(
            wxString::FromUTF8(platform::FindProgramData("locale")));
        m_locale.AddCatalog("Pelthorn2");
    }
    SetUserLocaleKeepingCNumbers();
    InitInterpTypeNames();

    wxImage::AddHandler(new wxPNGHandler);
    wxImage::AddHandler(new wxJPEGHandler);
    wxImage::AddHandler(new wxTIFFHandler);

    m_core = new AppCore_cls();
    FrameMain_cls* frame = m_core->GetFrameMain();
    frame->Show(true);
    SetTopWindow(frame);

    // A file handed over on the command line, as when a file is opened with the program:
    // a project (".ptp") is opened, anything else is taken as the first snapshot file of a
    // sequence and loaded.
    if (argc > 1) {
        const wxString path = argv[1];
        CallAfter([path]() {
            if (!GpFrameMain) return;
            if (path.Lower().EndsWith(".ptp"))
                GpFrameMain->OpenProjectFile(path);
            else if (GpDataLoader)
                GpDataLoader->SetFileAndLoad(path);
        });
    }
    return true;
}

int MyApp::OnExit() {
    delete m_core;
    m_core = nullptr;
    return 0;
}
