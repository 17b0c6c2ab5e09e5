// Process entry: hands over to the toolkit, which creates the application object.
#include <wx/wx.h>

class MyApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Pelthorn3", wxDefaultPosition, wxSize(1024, 768));
        frame->Show();
        SetTopWindow(frame);
        return true;
    }
};

wxIMPLEMENT_APP(MyApp);
