// Mixin with the "minimize" pop-up menu.
#include "common/gui/MinimizeButton.h"

#include <wx/menu.h>

MinimizeButton_cls::MinimizeButton_cls() : m_menu(new wxMenu) {
    m_menu->Append(ID_MINIMIZE, "minimize", wxString());
}

MinimizeButton_cls::~MinimizeButton_cls() { delete m_menu; }
