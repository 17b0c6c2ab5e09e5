// The receiving end of the internal command bus as the command history sees it: the main
// frame implements it by queuing a menu-command event; tests record the ids.
#pragma once

/// Queues internal command-bus ids (6017 ID_REDRAW_VIEWS, 6018 ID_TIME_REFRESH, ...) for
/// later handling on the GUI thread. Implementations must not run the handler at once.
class MenuCommandPoster_cls {
public:
    virtual ~MenuCommandPoster_cls() = default;
    /// Queues one menu command with `id`. Called on the GUI thread.
    virtual void PostMenuCommand(int id) = 0;
};
