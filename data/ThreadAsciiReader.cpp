// ASCII body workers. A block is a byte range of the body; it owns the lines that start in
// it, so every line belongs to exactly one block whatever the cut. Each worker reads its own
// block with positioned reads into a small buffer of its own: the reads of one worker run
// while the others parse, and no file-sized copy of the text is ever made.
#include "data/ThreadAsciiReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>

#include "common/ForkJoin.h"
#include "platform/FileNumbers.h"
#include "platform/FileRead.h"

namespace {

constexpr int64_t kUnknown = INT64_MIN;
// A chunk stays in the core's cache while it is parsed; reads of this size cost little
// next to the parse.
constexpr size_t kChunkBytes = 256u << 10;

// Line feeds in [p, p + n). The fixed inner loop is one the compiler turns into vector
// compares: the count runs far faster than the parse it prepares.
int64_t CountLineFeeds(const char* p, size_t n) {
    int64_t lines = 0;
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        unsigned block = 0;
        for (size_t k = 0; k < 64; ++k) block += p[i + k] == '\n' ? 1u : 0u;
        lines += block;
    }
    for (; i < n; ++i) lines += p[i] == '\n' ? 1 : 0;
    return lines;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Share

AsciiBodyShare_cls::AsciiBodyShare_cls(std::FILE* f, uint64_t offset, uint64_t size, int64_t n, int64_t line,
                                       const SnapshotGrammar& g, const ParticleArrays_cls& a, int blockCount,
                                       size_t chunk)
    : file(f),
      bodyOffset(offset),
      bodySize(size),
      count(n),
      firstLine(line),
      grammar(g),
      arrays(a),
      blocks(blockCount),
      chunkBytes(chunk),
      lines_(static_cast<size_t>(blockCount), kUnknown),
      firstFailed_(blockCount) {}

void AsciiBodyShare_cls::PublishLines(int block, int64_t lines) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_[static_cast<size_t>(block)] = lines < 0 ? -1 : lines;
    }
    if (lines < 0) MarkFailed(block);
    published_.notify_all();
}

int64_t AsciiBodyShare_cls::LinesBefore(int block) {
    std::unique_lock<std::mutex> lock(mutex_);
    int64_t sum = 0;
    published_.wait(lock, [&] {
        sum = 0;
        for (int b = 0; b < block; ++b) {
            const int64_t v = lines_[static_cast<size_t>(b)];
            if (v == kUnknown) return false;
            if (v < 0) {
                sum = -1;
                return true;
            }
            sum += v;
        }
        return true;
    });
    return sum;
}

void AsciiBodyShare_cls::MarkFailed(int block) {
    int seen = firstFailed_.load(std::memory_order_acquire);
    while (block < seen && !firstFailed_.compare_exchange_weak(seen, block, std::memory_order_acq_rel)) {
    }
}

// ---------------------------------------------------------------------------------------
// Worker

void ThreadAsciiReader_cls::Setup(AsciiBodyShare_cls* share, int block, uint64_t begin, uint64_t end,
                                  std::atomic<int>* progress, bool reportsProgress) {
    share_ = share;
    block_ = block;
    begin_ = begin;
    end_ = end;
    capacity_ = share->chunkBytes;
    buffer_.reset(new char[capacity_]);  // not cleared: every byte is read into before use
    counted_ = -1;
    progress_ = progress;
    reportsProgress_ = reportsProgress;
    result = SnapshotReadResult();
    lines = 0;
    done.store(false, std::memory_order_release);
}

bool ThreadAsciiReader_cls::Read(uint64_t at, char* to, size_t size) {
    const int64_t got = platform::ReadFileAt(share_->file, share_->bodyOffset + at, to, size);
    if (got == static_cast<int64_t>(size)) return true;
    const std::string where = "byte " + platform::FormatUInt(share_->bodyOffset + at + (got > 0 ? got : 0));
    result = got < 0 ? SnapshotReadResult::Fail(where + ": cannot read the file: " + std::strerror(errno))
                     : SnapshotReadResult::Fail(where + ": the file became shorter while it was read");
    return false;
}

void ThreadAsciiReader_cls::Finish() { done.store(true, std::memory_order_release); }

void ThreadAsciiReader_cls::CountNow() {
    if (block_ + 1 >= share_->blocks) return;
    // A line starts at body byte 0 and after every line feed but the body's last byte, so
    // the starts in [begin, end) are the line feeds in [begin - 1, end - 1).
    int64_t n = (begin_ == 0 && end_ > 0) ? 1 : 0;
    try {
        uint64_t from = begin_ == 0 ? 0 : begin_ - 1;
        const uint64_t to = end_ == 0 ? 0 : end_ - 1;
        while (from < to) {
            const size_t size = static_cast<size_t>(std::min<uint64_t>(capacity_, to - from));
            if (!Read(from, buffer_.get(), size)) {
                n = -1;
                break;
            }
            n += CountLineFeeds(buffer_.get(), size);
            from += size;
        }
    } catch (const std::bad_alloc&) {
        result = SnapshotReadResult::Fail("not enough memory to read the body");
        n = -1;
    }
    counted_ = n;
    // Published on every path: the blocks after this one wait for it.
    share_->PublishLines(block_, n);
}

void ThreadAsciiReader_cls::ParseNow() {
    lines = 0;
    if (!result.ok) {
        Finish();
        return;
    }
    const int64_t base = share_->LinesBefore(block_);
    if (base < 0) {  // an earlier block failed: its failure is the one to report
        Finish();
        return;
    }
    const uint64_t size = share_->bodySize;
    char* buf = buffer_.get();
    uint64_t at = begin_;  // body byte of buf[0]; always the start of a line
    size_t len = 0;        // bytes held
    int64_t parsed = 0;
    int64_t ignoredFrom = -1;  // the block's first line past the count that holds anything
    try {
        if (begin_ > 0 && begin_ < end_) {
            // The block's first line starts after the first line feed at or after begin - 1.
            bool found = false;
            at = begin_ - 1;
            while (at + 1 < end_) {
                const size_t got = static_cast<size_t>(std::min<uint64_t>(capacity_, size - at));
                if (!Read(at, buf, got)) break;
                const size_t look = static_cast<size_t>(std::min<uint64_t>(got, end_ - 1 - at));
                const void* nl = std::memchr(buf, '\n', look);
                if (nl) {
                    const size_t skip = static_cast<size_t>(static_cast<const char*>(nl) - buf) + 1;
                    len = got - skip;
                    std::memmove(buf, buf + skip, len);
                    at += skip;
                    found = true;
                    break;
                }
                at += got;
            }
            if (!result.ok) {
                share_->MarkFailed(block_);
                Finish();
                return;
            }
            if (!found) at = end_;  // one line runs through the whole block: it owns none
        }
        while (at < end_ && !share_->EarlierFailed(block_)) {
            // Whole lines that start before the block's end are parsed now; the rest of a
            // line cut by the buffer's end waits for the next read.
            size_t cut = 0;
            bool last = false;
            const uint64_t limit = end_ - at;
            if (limit <= len) {
                const size_t from = static_cast<size_t>(limit) - 1;
                const void* nl = std::memchr(buf + from, '\n', len - from);
                if (nl) {
                    cut = static_cast<size_t>(static_cast<const char*>(nl) - buf) + 1;
                    last = true;
                } else if (at + len == size) {
                    cut = len;  // the body's last line, without a line feed
                    last = true;
                }
            } else {
                for (size_t k = len; k > 0; --k)
                    if (buf[k - 1] == '\n') {
                        cut = k;
                        break;
                    }
            }
            if (cut > 0) {
                int64_t got = 0;
                result = ParseBodyAsciiLines(buf, cut, base + parsed, share_->count, share_->firstLine,
                                             share_->grammar, share_->arrays, got);
                parsed += got;
                if (!result.ok) break;
                if (ignoredFrom < 0) ignoredFrom = result.ignoredFrom;
                len -= cut;
                std::memmove(buf, buf + cut, len);
                at += cut;
                if (reportsProgress_ && progress_)
                    progress_->store(static_cast<int>(std::min<uint64_t>(at - begin_, end_ - begin_) * 100 /
                                                      (end_ - begin_)),
                                     std::memory_order_relaxed);
                if (last) break;
                continue;
            }
            if (len == capacity_) {
                // A line longer than the buffer: the buffer grows to hold it.
                std::unique_ptr<char[]> bigger(new (std::nothrow) char[2 * capacity_]);
                if (!bigger) {
                    result = SnapshotReadResult::Fail(
                        "line " + platform::FormatInt(share_->firstLine + base + parsed) +
                            ": not enough memory for a line of more than " + platform::FormatUInt(len) + " bytes",
                        share_->firstLine + base + parsed);
                    break;
                }
                std::memcpy(bigger.get(), buf, len);
                buffer_ = std::move(bigger);
                buf = buffer_.get();
                capacity_ *= 2;
            }
            uint64_t want = std::min<uint64_t>(capacity_ - len, size - (at + len));
            // Past the block's end only the rest of its last line is wanted.
            if (at + len >= end_) want = std::min<uint64_t>(want, 4096);
            if (want == 0 || !Read(at + len, buf + len, static_cast<size_t>(want))) break;
            len += static_cast<size_t>(want);
        }
    } catch (const std::bad_alloc&) {
        result = SnapshotReadResult::Fail("not enough memory to read the body");
    }
    if (!result.ok) {
        share_->MarkFailed(block_);
    } else {
        lines = parsed;
        result.ignoredFrom = ignoredFrom;
        // The count told the blocks after this one where their lines go: a different count
        // now means the file changed between the two reads.
        if (counted_ >= 0 && counted_ != parsed && !share_->EarlierFailed(block_)) {
            result = SnapshotReadResult::Fail("line " + platform::FormatInt(share_->firstLine + base) +
                                                  ": the file changed while it was read",
                                              share_->firstLine + base);
            share_->MarkFailed(block_);
        }
    }
    Finish();
}

wxThread::ExitCode ThreadAsciiReader_cls::Entry() {
    CountNow();
    ParseNow();
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// The whole body

SnapshotReadResult ThreadAsciiReader_cls::ReadBody(std::FILE* f, uint64_t fileSize, const SnapshotGrammar& g,
                                                   int64_t count, const ParticleArrays_cls& arrays, int workers,
                                                   std::atomic<int>* progress, size_t chunkBytes) {
    const size_t chunk = chunkBytes > 0 ? chunkBytes : kChunkBytes;
    if (count < 0) count = 0;

    // Skip the header lines as the header reader counts them (a final line without a line
    // feed is a line too).
    const int64_t headerLines = static_cast<int64_t>(g.HeaderValueCount());
    const int64_t firstLine = headerLines + 1;
    uint64_t bodyOffset = 0;
    {
        char head[4096];  // header lines are short; a long one just takes more reads
        int64_t seen = 0;
        bool partial = false;  // bytes after the last line feed so far
        while (seen < headerLines) {
            if (bodyOffset >= fileSize) {
                if (partial) ++seen;
                if (seen < headerLines)
                    return SnapshotReadResult::Fail("line " + platform::FormatInt(seen + 1) + ": the header ends early",
                                                    seen + 1);
                break;
            }
            const size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof head, fileSize - bodyOffset));
            const int64_t got = platform::ReadFileAt(f, bodyOffset, head, want);
            if (got < 0) return SnapshotReadResult::Fail("cannot read the file: " + std::string(std::strerror(errno)));
            if (got == 0) {
                fileSize = bodyOffset;  // shorter than it was a moment ago
                continue;
            }
            const char* p = head;
            const char* const end = p + got;
            while (seen < headerLines && p < end) {
                const void* nl = std::memchr(p, '\n', static_cast<size_t>(end - p));
                if (!nl) break;
                ++seen;
                p = static_cast<const char*>(nl) + 1;
            }
            partial = p < end;
            bodyOffset += seen < headerLines ? static_cast<uint64_t>(got) : static_cast<uint64_t>(p - head);
        }
    }
    const uint64_t bodySize = fileSize > bodyOffset ? fileSize - bodyOffset : 0;
    if (bodySize == 0) return CheckBodyLineCount(0, count, firstLine);

    // At least a chunk per block: a smaller block costs a thread for little work.
    const uint64_t chunks = (bodySize + chunk - 1) / chunk;
    const int n = static_cast<int>(std::min<uint64_t>(static_cast<uint64_t>(std::clamp(workers, 1, 64)), chunks));
    AsciiBodyShare_cls share(f, bodyOffset, bodySize, count, firstLine, g, arrays, n, chunk);
    auto cut = [&](int w) {
        const uint64_t k = static_cast<uint64_t>(w);
        return bodySize / static_cast<uint64_t>(n) * k + bodySize % static_cast<uint64_t>(n) * k / static_cast<uint64_t>(n);
    };
    // Every worker object and buffer is made before the first one runs, so that running out
    // of memory here can never leave a started worker behind.
    ForkJoin_cls group;
    std::vector<ThreadAsciiReader_cls*> pool;
    pool.reserve(static_cast<size_t>(n));
    for (int w = 0; w < n; ++w) {
        auto worker = std::make_unique<ThreadAsciiReader_cls>();
        worker->Setup(&share, w, cut(w), cut(w + 1), progress, w == 0);
        ThreadAsciiReader_cls* t = worker.get();
        pool.push_back(t);
        group.Add(std::move(worker), [t] {
            t->CountNow();
            t->ParseNow();
        });
    }
    // The last block runs on this thread; any worker that cannot start runs here too. All
    // their counts come before any of their parses (a started worker may be waiting for
    // one), so this thread runs them itself rather than one whole worker after another.
    group.Run(1, false);
    for (int w = 0; w < n; ++w)
        if (!group.Started(static_cast<size_t>(w))) pool[static_cast<size_t>(w)]->CountNow();
    for (int w = 0; w < n; ++w)
        if (!group.Started(static_cast<size_t>(w))) pool[static_cast<size_t>(w)]->ParseNow();
    group.Join();
    int64_t total = 0;
    int64_t ignoredFrom = -1;
    for (auto& t : pool) {
        if (!t->result.ok) return t->result;  // blocks are in line order: the first failure
        total += t->lines;
        if (ignoredFrom < 0) ignoredFrom = t->result.ignoredFrom;  // and the first extra line
    }
    SnapshotReadResult r = CheckBodyLineCount(total, count, firstLine);
    if (r.ok && ignoredFrom >= 0) {
        r.ignoredFrom = ignoredFrom;
        r.warning = IgnoredLinesWarning(ignoredFrom, count);
    }
    return r;
}
