#include "scene/ThreadSPString.h"

#include <cmath>
#include <cstring>
#include <new>

ThreadSPString_cls::ThreadSPString_cls(std::atomic<uint8_t>* done, const PovParticleType_cls* types,
                                       const PovParticleFrame_cls* frame, int64_t first, int64_t end, int64_t step,
                                       SPTextBuffer_cls* buffer)
    : wxThread(wxTHREAD_JOINABLE),
      done_(done),
      types_(types),
      frame_(frame),
      first_(first),
      end_(end),
      step_(step < 1 ? 1 : step),
      buffer_(buffer ? buffer : &own_) {}

wxThread::ExitCode ThreadSPString_cls::Entry() {
    Format();
    return nullptr;
}

void ThreadSPString_cls::Format() {
    const PovParticleFrame_cls& f = *frame_;
    const char* const indexBase = reinterpret_cast<const char*>(f.orderIndex);
    const char* const weightBase = reinterpret_cast<const char*>(f.orderWeight);
    // Most lines take under 40 bytes; the buffer grows whenever a line might not fit, and it
    // is written in place (never zero-filled first) so that a million lines cost no copies.
    // One kept from an earlier range is used again when it is large enough.
    used_ = 0;
    SPTextBuffer_cls& b = *buffer_;
    const size_t want = static_cast<size_t>(end_ > first_ ? end_ - first_ : 0) / static_cast<size_t>(step_) * 40 +
                        kPovParticleLineMax;
    if (!b.bytes || b.capacity < want) {
        b.bytes.reset();
        b.capacity = 0;
        b.bytes.reset(new (std::nothrow) char[want]);
        if (!b.bytes) {
            counts_.outOfMemory = true;
            done_->store(1, std::memory_order_release);
            return;
        }
        b.capacity = want;
    }
    for (int64_t i = first_; i < end_; i += step_) {
        const size_t at = static_cast<size_t>(i) * f.orderStride;
        const int p = *reinterpret_cast<const int*>(indexBase + at);
        const float w = *reinterpret_cast<const float*>(weightBase + at);
        if (w == 0.0f) continue;
        if (p < 0 || p >= f.particleCount) {
            ++counts_.badRecords;
            continue;
        }
        const int ty = f.types[p];
        if (ty > 3) {
            ++counts_.badRecords;
            continue;
        }
        const PovParticleType_cls& t = types_[ty];
        if (t.drawType > 3) continue;
        const float r = t.fixedRadius ? t.radius : t.radius * f.radii[p];
        const float* xyz = f.positions + 3 * static_cast<size_t>(p);
        if (!std::isfinite(xyz[0]) || !std::isfinite(xyz[1]) || !std::isfinite(xyz[2]) || !std::isfinite(r) ||
            !std::isfinite(w)) {
            ++counts_.nonFinite;
            continue;
        }
        if (used_ + kPovParticleLineMax > b.capacity) {
            std::unique_ptr<char[]> grown(new (std::nothrow) char[b.capacity * 2]);
            if (!grown) {
                counts_.outOfMemory = true;  // the lines so far stay whole
                break;
            }
            std::memcpy(grown.get(), b.bytes.get(), used_);
            b.bytes = std::move(grown);
            b.capacity *= 2;
        }
        used_ += PovParticleLine(b.bytes.get() + used_, ty, t, xyz[0], xyz[1], xyz[2], r, w);
        ++counts_.written;
    }
    done_->store(1, std::memory_order_release);
}

void ThreadSPString_cls::ReleaseText() {
    buffer_->bytes.reset();
    buffer_->capacity = 0;
    used_ = 0;
}
