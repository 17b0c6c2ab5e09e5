// Buttons, check box and label hand keys and clicks on to the window that holds them.
#include "common/gui/ButtonEX.h"
#include "common/gui/CheckBoxEX.h"
#include "common/gui/StaticTextEX.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/valgen.h>

TEST(ControlForwarding, KeysAndPressesReachTheParent) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "controls");
    auto* parent = new wxPanel(frame, 777);
    std::vector<int> keyIds;
    std::vector<wxEventType> mice;
    parent->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& e) { keyIds.push_back(e.GetId()); });
    auto mouse = [&](wxMouseEvent& e) { mice.push_back(e.GetEventType()); };
    parent->Bind(wxEVT_LEFT_DOWN, mouse);
    parent->Bind(wxEVT_RIGHT_DOWN, mouse);
    parent->Bind(wxEVT_LEFT_DCLICK, mouse);

    bool state = false;
    std::vector<wxWindow*> controls = {
        new wxButtonEX(parent, wxID_ANY, "go"),
        new wxBitmapButtonEX(parent, wxID_ANY, wxBitmap(16, 16)),
        new wxCheckBoxEX(parent, wxID_ANY, "on", wxDefaultPosition, wxDefaultSize, 0,
                         "checkBox"),
    };
    controls[2]->SetValidator(wxGenericValidator(&state));
    for (wxWindow* c : controls) {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = 'K';
        key.SetId(c->GetId());
        c->GetEventHandler()->ProcessEvent(key);
    }
    ASSERT_TRUE(testsupport::PumpUntil([&] { return keyIds.size() == 3; }));
    for (int id : keyIds) EXPECT_EQ(id, 777);  // under the parent's id

    // A click on the check box hands its state to the validator at once.
    auto* box = static_cast<wxCheckBoxEX*>(controls[2]);
    box->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(state);

    auto* label = new wxStaticTextEX(parent, wxID_ANY, "label");
    for (wxEventType t : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_LEFT_DCLICK}) {
        wxMouseEvent m(t);
        label->GetEventHandler()->ProcessEvent(m);
    }
    wxMouseEvent right(wxEVT_RIGHT_DOWN);
    controls[0]->GetEventHandler()->ProcessEvent(right);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return mice.size() == 4; }));
    EXPECT_EQ(mice[0], wxEVT_LEFT_DOWN);
    EXPECT_EQ(mice[2], wxEVT_LEFT_DCLICK);
    EXPECT_EQ(mice[3], wxEVT_RIGHT_DOWN);
    frame->Destroy();
    testsupport::Pump(20);
}
