// Callback list of a bound-widget panel.
#include "common/gui/MultiInputNotifier.h"

void MultiInputNotifier_cls::Register(MultiInputCallback function, int key, int controlId,
                                      bool finalOnly, void* context) {
    entries_.push_back(Entry{std::move(function), controlId, key, finalOnly, context});
}

void MultiInputNotifier_cls::Dispatch(int key, void* payload, int controlId, bool final) const {
    // Index loop over the count at entry: a callback may register more entries, which
    // would invalidate iterators.
    const size_t count = entries_.size();
    for (size_t i = 0; i < count; ++i) {
        const Entry& e = entries_[i];
        if (e.key != key) continue;
        if (e.controlId != -1 && e.controlId != controlId) continue;
        if (e.finalOnly && !final) continue;
        if (!e.function) continue;
        // Copy: the callback may register entries and reallocate the vector.
        MultiInputCallback fn = e.function;
        void* context = e.context ? e.context : defaultContext_;
        fn(context, payload);
    }
}
