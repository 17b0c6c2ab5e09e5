// Text formatting workers of the ASCII snapshot writer.
#include "data/ThreadExportText.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "common/ForkJoin.h"

void ThreadExportText_cls::Setup(const SnapshotGrammar* grammar, const SnapshotArraysView* particles, int64_t first,
                                 int64_t end, int64_t stride, SnapshotText form) {
    grammar_ = grammar;
    particles_ = particles;
    first_ = first;
    end_ = end;
    stride_ = stride;
    form_ = form;
}

void ThreadExportText_cls::FormatNow() {
    text.clear();
    AppendSnapshotRecords(*grammar_, *particles_, first_, end_, stride_, form_, text);
}

wxThread::ExitCode ThreadExportText_cls::Entry() {
    FormatNow();
    return nullptr;
}

bool ThreadExportText_cls::FormatAll(const SnapshotGrammar& g, const SnapshotArraysView& ps, int64_t stride,
                                     SnapshotText form, int workers,
                                     const std::function<bool(const std::string&)>& sink) {
    stride = std::max<int64_t>(1, stride);
    const int64_t records = StridedCount(ps.count, stride);
    if (records == 0) return true;
    // No more workers than ranges.
    const int64_t ranges = (records + kRecordsPerRange - 1) / kRecordsPerRange;
    const int n = static_cast<int>(std::min<int64_t>(std::clamp(workers, 1, 64), ranges));
    const int64_t span = kRecordsPerRange * stride;  // particles visited per range
    std::vector<std::string> buffers(static_cast<size_t>(n));  // kept from round to round
    for (int64_t first = 0; first < ps.count;) {
        // A joinable thread runs once: every round makes its workers again, all before the
        // first one runs, and hands them the buffers of the round before.
        ForkJoin_cls group;
        std::vector<ThreadExportText_cls*> pool;
        pool.reserve(static_cast<size_t>(n));
        for (int w = 0; w < n && first < ps.count; ++w, first += span) {
            auto worker = std::make_unique<ThreadExportText_cls>();
            worker->text.swap(buffers[static_cast<size_t>(w)]);
            worker->Setup(&g, &ps, first, std::min(ps.count, first + span), stride, form);
            ThreadExportText_cls* t = worker.get();
            pool.push_back(t);
            group.Add(std::move(worker), [t] { t->FormatNow(); });
        }
        const size_t used = pool.size();
        group.Run(1);
        group.Join();
        for (size_t w = 0; w < used; ++w) {
            buffers[w].swap(pool[w]->text);
            if (!sink(buffers[w])) return false;
        }
    }
    return true;
}
