// Posting the internal command bus from the data worker threads (snapshot reader,
// interpolator) to the main frame's event queue.
#pragma once

#include "common/MenuCommandPoster.h"

class wxEvtHandler;

/// A command poster that worker threads may call: each id becomes a menu-command event
/// queued on the target with wxQueueEvent (the event is handed over whole, nothing of it
/// is shared with the posting thread). The target must outlive every worker that posts.
class DataEventPoster_cls : public MenuCommandPoster_cls {
public:
    explicit DataEventPoster_cls(wxEvtHandler* target) : target_(target) {}
    /// Queues a wxEVT_MENU command event with `id` on the target. Any thread.
    void PostMenuCommand(int id) override;

private:
    wxEvtHandler* target_;
};
