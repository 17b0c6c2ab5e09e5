// The undo/redo history: steps, blocks and the posting of update bits.
#include "common/CommandHistory.h"

bool GbSnapDataRefresh = false;

CommandHistory_cls GoCommandHistory;

namespace {

CommandHistory_cls* g_running = nullptr;

struct UpdateRoute {
    uint64_t bit;
    int id;  // 0: no post
};

// Posting order of the update bits.
constexpr UpdateRoute kRoutes[] = {
    {UPD_TIME, ID_TIME_REFRESH},
    {UPD_ATTRIB_PAGES, ID_ATTRIB_PAGES_REFRESH},
    {UPD_VIEWS, ID_REDRAW_VIEWS},
    {UPD_IMGSEQ_GUI, ID_IMGSEQ_DIALOG_REFRESH},
    {UPD_CAMERAPATH_GUI, ID_CAMERA_DIALOG_REFRESH},
    {UPD_COLORCURVE_GUI, ID_COLOR_DIALOG_REFRESH},
    {UPD_EXPORTER_GUI, ID_EXPORTER_DIALOG_REFRESH},
    {UPD_DRAW_PAGES, ID_DRAW_PAGES_REFRESH},
    {UPD_LIGHT_GUI, ID_LIGHT_DIALOG_REFRESH},
    {UPD_EXPOSURE_PAGE, ID_EXPOSURE_PAGE_REFRESH},
    {UPD_STEREOGRAM_GUI, ID_STEREO_DIALOG_REFRESH},
    {UPD_FILTER_PAGES, ID_PAGES_RELAYOUT},
    {UPD_FILTER_EVAL, ID_FILTERS_AT_TIME},
    {UPD_SNAP_REFRESH, 0},
    {UPD_TEXTURE_GUI, ID_TEXTURE_DIALOG_REFRESH},
};

}  // namespace

CommandHistory_cls::CommandHistory_cls() = default;

CommandHistory_cls::~CommandHistory_cls() {
    for (CommandItem_cls* c : doList_) delete c;
    for (CommandItem_cls* c : undoList_) delete c;
    for (CommandItem_cls* c : retired_) delete c;
}

CommandHistory_cls* CommandHistory_cls::Running() { return g_running; }

// A command may push or clear while it runs (a setter that records its own step); the
// commands dropped then, possibly the running one, are deleted once the run is over.
void CommandHistory_cls::Dispose(CommandItem_cls* cmd) {
    if (running_ > 0)
        retired_.push_back(cmd);
    else
        delete cmd;
}

void CommandHistory_cls::RunStep(CommandItem_cls* cmd, bool undo) {
    if (cmd->kind == COMMAND_BLOCK_OPEN) {
        ++depth_;
    } else if (cmd->kind == COMMAND_BLOCK_CLOSE) {
        if (depth_ > 0) --depth_;
    }
    CommandHistory_cls* outer = g_running;
    g_running = this;
    ++running_;
    cmd->Execute(undo);
    --running_;
    g_running = outer;
    if (running_ == 0 && !retired_.empty()) {
        std::vector<CommandItem_cls*> dead;
        dead.swap(retired_);
        for (CommandItem_cls* c : dead) delete c;
    }
}

void CommandHistory_cls::Push(CommandItem_cls* doCmd, CommandItem_cls* undoCmd) {
    for (size_t i = cursor_; i < doList_.size(); ++i) {
        Dispose(doList_[i]);
        Dispose(undoList_[i]);
    }
    doList_.resize(cursor_);
    undoList_.resize(cursor_);
    doList_.push_back(doCmd);
    undoList_.push_back(undoCmd);
}

void CommandHistory_cls::Redo() {
    // A block runs as one unit: keep going while it is open. A loop, not recursion, so
    // a block of any length is safe.
    while (cursor_ < doList_.size()) {
        CommandItem_cls* cmd = doList_[cursor_];
        ++cursor_;
        RunStep(cmd, false);
        if (depth_ <= 0) break;
    }
    if (depth_ == 0) FireUpdates();
}

void CommandHistory_cls::Undo() {
    // Inside an open block the steps of the edit in progress are not a unit yet.
    if (depth_ > 0) return;
    while (cursor_ > 0) {
        --cursor_;
        RunStep(undoList_[cursor_], true);
        if (depth_ <= 0) break;
    }
    // A block whose opening step is no longer on the list (cleared while it was open)
    // must not leave the history stuck inside it.
    depth_ = 0;
    FireUpdates();
}

void CommandHistory_cls::BeginBlock(const wxString& name) {
    Push(new ComBlockOpen(name), new ComBlockClose(name));
    Redo();
}

void CommandHistory_cls::EndBlock(const wxString& name) {
    // A close without an open would, once undone, open a block that swallows the
    // steps before it; it is ignored.
    if (depth_ <= 0) return;
    Push(new ComBlockClose(name), new ComBlockOpen(name));
    Redo();
}

void CommandHistory_cls::Clear() {
    for (size_t i = 0; i < doList_.size(); ++i) {
        Dispose(doList_[i]);
        Dispose(undoList_[i]);
    }
    doList_.clear();
    undoList_.clear();
    cursor_ = 0;
    // Bits raised by the dropped steps belong to them: left pending, they would be posted
    // after the next, unrelated step.
    pending_ = 0;
}

void CommandHistory_cls::Notify(uint64_t flags) {
    pending_ |= flags;
    if (poster_ && (flags & UPD_TIME)) PostFrameCommand(ID_TIME_REFRESH);
}

void CommandHistory_cls::FireUpdates() {
    if (!poster_) return;
    const uint64_t bits = pending_;
    pending_ = 0;
    for (const UpdateRoute& r : kRoutes) {
        if (!(bits & r.bit)) continue;
        if (r.id == 0)
            GbSnapDataRefresh = true;
        else
            PostFrameCommand(r.id);
    }
}

void CommandHistory_cls::PostFrameCommand(int id) {
    if (poster_) poster_->PostMenuCommand(id);
}
