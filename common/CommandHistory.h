// The undo/redo history of the process (GoCommandHistory): command pairs, named blocks,
// and the update bits that become refresh commands posted to the main frame.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/string.h>

#include "common/CommandItem.h"
#include "common/MenuCommandPoster.h"
#include "common/CommandIds.h"

/// Update bits raised by commands; FireUpdates posts them in the order listed here.
constexpr uint64_t UPD_TIME = 0x4;              ///< posts ID_TIME_REFRESH 6018
constexpr uint64_t UPD_ATTRIB_PAGES = 0x1;      ///< posts ID_ATTRIB_PAGES_REFRESH 6020
constexpr uint64_t UPD_VIEWS = 0x2;             ///< posts ID_REDRAW_VIEWS 6017
constexpr uint64_t UPD_IMGSEQ_GUI = 0x8;        ///< posts ID_IMGSEQ_DIALOG_REFRESH 6021
constexpr uint64_t UPD_CAMERAPATH_GUI = 0x10;   ///< posts ID_CAMERA_DIALOG_REFRESH 6022
constexpr uint64_t UPD_COLORCURVE_GUI = 0x20;   ///< posts ID_COLOR_DIALOG_REFRESH 6023
constexpr uint64_t UPD_EXPORTER_GUI = 0x40;     ///< posts ID_EXPORTER_DIALOG_REFRESH 6024
constexpr uint64_t UPD_DRAW_PAGES = 0x80;       ///< posts ID_DRAW_PAGES_REFRESH 6025
constexpr uint64_t UPD_LIGHT_GUI = 0x100;       ///< posts ID_LIGHT_DIALOG_REFRESH 6026
constexpr uint64_t UPD_EXPOSURE_PAGE = 0x200;   ///< posts ID_EXPOSURE_PAGE_REFRESH 6027
constexpr uint64_t UPD_STEREOGRAM_GUI = 0x400;  ///< posts ID_STEREO_DIALOG_REFRESH 6028
constexpr uint64_t UPD_FILTER_PAGES = 0x800;    ///< posts ID_PAGES_RELAYOUT 6063
constexpr uint64_t UPD_FILTER_EVAL = 0x1000;    ///< posts ID_FILTERS_AT_TIME 6061
constexpr uint64_t UPD_SNAP_REFRESH = 0x2000;   ///< no post: sets GbSnapDataRefresh
constexpr uint64_t UPD_TEXTURE_GUI = 0x4000;    ///< posts ID_TEXTURE_DIALOG_REFRESH 6029


/// Set (to true) by the UPD_SNAP_REFRESH bit and by attribute edits; the drawable frame
/// clears it when it rebuilds. GUI thread only: it is written by the history and the
/// attribute pages and read by the renderer's validity check in the paint handler; the
/// interpolation and vertex workers never touch it, so it needs no atomic.
extern bool GbSnapDataRefresh;

/// The history: two equally long lists of owned commands (entry i of each is step i's do
/// and undo), a cursor (steps done), the block depth and the pending update bits.
/// No size limit. GUI thread only.
class CommandHistory_cls {
public:
    CommandHistory_cls();
    /// Deletes every command.
    ~CommandHistory_cls();
    CommandHistory_cls(const CommandHistory_cls&) = delete;
    CommandHistory_cls& operator=(const CommandHistory_cls&) = delete;

    /// Drops the redo tail (every step at or after the cursor, deleted), then appends the
    /// step. Takes ownership of both (non-null) commands. Runs nothing: call Redo next.
    void Push(CommandItem_cls* doCmd, CommandItem_cls* undoCmd);
    /// Runs the next step; when it opens a block, runs on through the block's close (or
    /// the end of the list). With the block depth back at 0, fires the pending updates.
    /// Called right after each Push and by the Redo menu command. Iterative: a block of
    /// any length runs without recursion. Inside an open block there is never a redo tail
    /// (opening the block dropped it, and Undo is ignored there), so Redo can only run
    /// the step just pushed; the menu command should still check CanRedo.
    void Redo();
    /// Undoes the last done step, or the whole block ending there, then fires the pending
    /// updates when the depth is 0. Does nothing (no step runs) at cursor 0 and while a
    /// block is open (an edit in progress cannot be undone half-way).
    void Undo();
    /// Pushes and runs (open, close) named `name`: the depth rises by 1; nothing is posted
    /// until the matching EndBlock. Blocks nest; an empty name is allowed.
    void BeginBlock(const wxString& name);
    /// Pushes and runs (close, open): the depth falls by 1; at 0 the bits collected
    /// during the block are posted. Ignored (nothing pushed) when no block is open.
    void EndBlock(const wxString& name);
    /// Deletes every step; cursor 0; drops the pending bits unposted. The depth is kept.
    void Clear();
    /// pending |= flags; when flags hold UPD_TIME and a poster is set, posts 6018 at once
    /// (the bit stays pending and is posted again by the next FireUpdates).
    void Notify(uint64_t flags);
    /// Without a poster nothing happens (bits stay pending). Otherwise posts each pending
    /// bit's id once, in the UPD_* table order (UPD_SNAP_REFRESH sets GbSnapDataRefresh
    /// instead), and clears the pending bits.
    void FireUpdates();
    /// Queues `id` on the poster; nothing without one.
    void PostFrameCommand(int id);

    /// Where updates go: the main frame once it exists (set it on creation, null before
    /// destruction); null = no frame yet. Not owned.
    void SetPoster(MenuCommandPoster_cls* poster) { poster_ = poster; }
    MenuCommandPoster_cls* Poster() const { return poster_; }

    /// Steps on the lists (blocks count their open and close steps).
    size_t Size() const { return doList_.size(); }
    /// Steps currently done.
    uint32_t Cursor() const { return cursor_; }
    /// Open blocks.
    int32_t BlockDepth() const { return depth_; }
    /// Bits raised and not yet posted.
    uint64_t PendingUpdates() const { return pending_; }
    bool CanUndo() const { return cursor_ > 0 && depth_ == 0; }
    bool CanRedo() const { return cursor_ < doList_.size() && depth_ == 0; }

    /// The history whose step is running now (for CommandItem_cls::Notify), else null.
    static CommandHistory_cls* Running();

private:
    void RunStep(CommandItem_cls* cmd, bool undo);
    void Dispose(CommandItem_cls* cmd);

    std::vector<CommandItem_cls*> doList_;
    std::vector<CommandItem_cls*> undoList_;
    uint32_t cursor_ = 0;
    int32_t depth_ = 0;
    uint64_t pending_ = 0;
    MenuCommandPoster_cls* poster_ = nullptr;
    int running_ = 0;                       ///< steps running now (nested runs count)
    std::vector<CommandItem_cls*> retired_; ///< dropped while a step ran; deleted after it
};

/// The one history of the process.
extern CommandHistory_cls GoCommandHistory;
