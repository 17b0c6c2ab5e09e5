// ASCII body worker: a block of lines, parsed in slices so that progress can be shown.
#include "data/ThreadAsciiReader.h"

#include <algorithm>

void ThreadAsciiReader_cls::Setup(const std::vector<const char*>* starts, int64_t lineBegin,
                                  int64_t lineEnd, int64_t firstLine, const SnapshotGrammar* grammar,
                                  const ParticleArrays_cls& arrays, std::atomic<int>* progress,
                                  bool reportsProgress) {
    starts_ = starts;
    lineBegin_ = lineBegin;
    lineEnd_ = lineEnd;
    firstLine_ = firstLine;
    grammar_ = grammar;
    arrays_ = arrays;
    progress_ = progress;
    reportsProgress_ = reportsProgress;
    done.store(false, std::memory_order_release);
}

void ThreadAsciiReader_cls::ParseNow() {
    constexpr int64_t kSlice = 65536;
    const int64_t total = lineEnd_ - lineBegin_;
    result = SnapshotReadResult();
    for (int64_t b = lineBegin_; b < lineEnd_ && result.ok; b += kSlice) {
        const int64_t e = std::min(lineEnd_, b + kSlice);
        result = ParseBodyAsciiLines(*starts_, b, e, firstLine_, *grammar_, arrays_);
        if (reportsProgress_ && progress_ && total > 0)
            progress_->store(static_cast<int>((e - lineBegin_) * 100 / total), std::memory_order_relaxed);
    }
    done.store(true, std::memory_order_release);
}

wxThread::ExitCode ThreadAsciiReader_cls::Entry() {
    ParseNow();
    return nullptr;
}
