// Read-ahead worker of the binary snapshot reader: fills one chunk buffer from the file
// while the reader copies the other one into the particle arrays.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdio>

#include <wx/thread.h>

/// Joinable worker: one fread of `size` bytes into `buffer`. While it runs nobody else
/// touches the stream or the buffer; the reader Wait()s for it before using either.
class ThreadReadBuffer_cls : public wxThread {
public:
    ThreadReadBuffer_cls() : wxThread(wxTHREAD_JOINABLE) {}
    /// Stream (positioned by the caller), destination and byte count. Before Run.
    void Setup(std::FILE* stream, unsigned char* buffer, size_t size);
    /// Reads the bytes directly, on the calling thread (used when no thread can be made).
    void ReadNow();
    /// Set (release) after the read; `got` is then valid.
    std::atomic<bool> done{false};
    size_t got = 0;  ///< bytes actually read; less than requested at the end of the file

protected:
    ExitCode Entry() override;

private:
    std::FILE* stream_ = nullptr;
    unsigned char* buffer_ = nullptr;
    size_t size_ = 0;
};
