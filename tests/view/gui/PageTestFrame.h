// A settings object's notebook page built into a shown frame, for the page tests.
#pragma once

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/sizer.h>

#include "common/CommandHistory.h"
#include "tests/support/GuiTestSupport.h"

/// Fixture: `settings` (any type with CreatePage(parent) and page->CreateControls(sizer))
/// with its page laid out in a shown 400 x 400 frame; the undo history is cleared around
/// each test.
template <typename Settings>
class PageTestFrame : public ::testing::Test {
protected:
    void SetUp() override {
        GoCommandHistory.Clear();
        frame = new wxFrame(nullptr, wxID_ANY, "pages", wxPoint(20, 20), wxSize(400, 400));
        settings.CreatePage(frame);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        settings.page->CreateControls(sizer);
        frame->SetSizer(sizer);
        frame->Show();
        testsupport::PumpUntil([&] { return frame->IsShownOnScreen(); });
        testsupport::Pump(30);
    }
    void TearDown() override {
        frame->Destroy();
        testsupport::Pump(30);
        GoCommandHistory.Clear();
    }

    Settings settings;
    wxFrame* frame = nullptr;
};
