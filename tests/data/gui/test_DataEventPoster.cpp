// Commands posted by data worker threads reach the GUI thread's handler, in order.
#include "data/gui/DataEventPoster.h"

#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/event.h>

#include "common/CommandHistory.h"

namespace {

class Receiver : public wxEvtHandler {
public:
    std::vector<int> ids;
    std::thread::id handledOn;
    Receiver() {
        Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
            ids.push_back(e.GetId());
            handledOn = std::this_thread::get_id();
        });
    }
};

TEST(DataEventPoster, WorkerPostsAreHandledLaterOnTheGuiThread) {
    Receiver receiver;
    DataEventPoster_cls poster(&receiver);
    std::thread worker([&poster] {
        for (int k = 0; k < 100; ++k) {
            poster.PostMenuCommand(ID_REDRAW_VIEWS);
            poster.PostMenuCommand(ID_TIME_REFRESH);
        }
    });
    worker.join();
    EXPECT_TRUE(receiver.ids.empty());  // queued, not run on the worker
    for (int k = 0; k < 1000 && receiver.ids.size() < 200; ++k) wxTheApp->ProcessPendingEvents();
    ASSERT_EQ(receiver.ids.size(), 200u);
    for (size_t k = 0; k < 200; k += 2) {
        EXPECT_EQ(receiver.ids[k], ID_REDRAW_VIEWS);
        EXPECT_EQ(receiver.ids[k + 1], ID_TIME_REFRESH);
    }
    EXPECT_EQ(receiver.handledOn, std::this_thread::get_id());

    DataEventPoster_cls nowhere(nullptr);
    nowhere.PostMenuCommand(ID_TIME_REFRESH);  // no target: nothing happens
}

}  // namespace
