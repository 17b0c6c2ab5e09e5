// Read-ahead worker: one read call into a chunk buffer.
#include "data/ThreadReadBuffer.h"

void ThreadReadBuffer_cls::Setup(std::FILE* stream, unsigned char* buffer, size_t size) {
    stream_ = stream;
    buffer_ = buffer;
    size_ = size;
    done.store(false, std::memory_order_release);
}

void ThreadReadBuffer_cls::ReadNow() {
    got = size_ > 0 ? std::fread(buffer_, 1, size_, stream_) : 0;
    done.store(true, std::memory_order_release);
}

wxThread::ExitCode ThreadReadBuffer_cls::Entry() {
    ReadNow();
    return nullptr;
}
