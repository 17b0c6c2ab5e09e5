// Process entry: checks that there is a display to show windows on, then hands over to the
// toolkit, which creates the application object.
#include <cstdio>
#include <cstdlib>

#include "app/gui/MyApp.h"

wxIMPLEMENT_APP_NO_MAIN(MyApp);

int main(int argc, char** argv) {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) {
        std::fprintf(stderr,
                     "pelthorn3: no display to open its windows on (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set).\nStart it from a desktop session, or under a "
                     "virtual display: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "pelthorn3");
        return 1;
    }
    return wxEntry(argc, argv);
}
