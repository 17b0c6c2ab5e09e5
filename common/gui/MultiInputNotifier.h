// The callback list of one bound-widget panel: owners hear about selections, clicks
// and commits through it.
#pragma once

#include <functional>
#include <vector>

/// Called with (context, payload); what the payload is depends on the key (MIE_*).
using MultiInputCallback = std::function<void(void* context, void* payload)>;

/// Entries are called in registration order and never removed. GUI thread only.
class MultiInputNotifier_cls {
public:
    /// `defaultContext` is passed to callbacks registered without a context of their own.
    explicit MultiInputNotifier_cls(void* defaultContext = nullptr)
        : defaultContext_(defaultContext) {}

    /// Appends an entry: `key` one of MIE_*; `controlId` -1 matches any id; `finalOnly`
    /// skips non-final dispatches (slider tracking); `context` null = the default context.
    void Register(MultiInputCallback function, int key, int controlId = -1,
                  bool finalOnly = false, void* context = nullptr);

    /// Calls every entry whose key equals `key`, whose id is -1 or `controlId`, and which
    /// is not final-only unless `final` is set. Callbacks may register further entries;
    /// those are not called by this dispatch.
    void Dispatch(int key, void* payload, int controlId, bool final) const;

    void* DefaultContext() const { return defaultContext_; }
    size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        MultiInputCallback function;
        int controlId;
        int key;
        bool finalOnly;
        void* context;
    };
    void* defaultContext_;
    std::vector<Entry> entries_;
};
