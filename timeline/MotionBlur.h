// Motion-blur sample state of the time model: while sampling, each playback tick takes one
// of `count` samples of a frame, each shifted by its own sub-frame offset.
#pragma once

class TimeCtrl_cls;

class MotionBlur_cls {
public:
    explicit MotionBlur_cls(TimeCtrl_cls* owner) : owner(owner) {}

    /// index x shutter / count in single precision, in sub-frames.
    double GetOffset() const;
    /// 1 / count.
    float GetSampleWeight() const;
    /// The first sample in the playing direction (index 0 forward, count - 1 backward).
    bool IsFirstSample() const;
    /// Sampling off, or the last sample in the playing direction.
    bool IsLastSample() const;
    /// The frame is complete and may be captured (same test as IsLastSample).
    bool IsCaptureSample() const { return IsLastSample(); }
    /// Sample count used by the arithmetic: at least 1.
    int Count() const { return count < 1 ? 1 : count; }

    TimeCtrl_cls* owner;          ///< not owned
    unsigned char sampling = 0;   ///< 1 while samples are taken
    int index = 0;                ///< current sample, 0..count-1
    float shutter = 0.5f;         ///< part of a sub-frame the samples spread over ("Length")
    int count = 4;                ///< samples per frame ("Quality", 2..16)
};
