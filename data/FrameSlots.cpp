// Frame slots made in order on first use.
#include "data/FrameSlots.h"

#include <stdexcept>

std::unique_ptr<DataFrame_cls>& FrameSlots_cls::operator[](std::size_t i) const {
    if (i >= static_cast<std::size_t>(kCount)) throw std::out_of_range("frame slot index");
    if (static_cast<int>(i) >= made_) MakeBelow(static_cast<int>(i) + 1);
    return slots_[i];
}

void FrameSlots_cls::MakeBelow(int count) const {
    if (count > kCount) count = kCount;
    for (int i = made_; i < count; ++i) {
        slots_[i] = std::make_unique<DataFrame_cls>(owner_, i);
        if (i > 0) {
            slots_[i]->previous = slots_[i - 1].get();
            slots_[i - 1]->next = slots_[i].get();
        }
    }
    if (count > made_) made_ = count;
}
