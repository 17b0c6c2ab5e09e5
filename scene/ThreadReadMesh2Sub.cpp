// mesh2 list worker.
#include "scene/ThreadReadMesh2Sub.h"

#include <new>
#include <string>

#include "scene/MeshText.h"

ThreadReadMesh2Sub::ThreadReadMesh2Sub(std::atomic<bool>* done, const char* text, size_t size, size_t start,
                                       long long count, std::vector<float>* out, Mesh2ListResult* result)
    : wxThread(wxTHREAD_JOINABLE), done_(done), text_(text), size_(size), start_(start), count_(count),
      out_(out), result_(result) {}

Mesh2ListResult ThreadReadMesh2Sub::ReadVectorList(const char* text, size_t size, size_t start, long long count,
                                                   std::vector<float>& out) {
    Mesh2ListResult r;
    const char* p = text + (start < size ? start : size);
    const char* end = text + size;
    for (long long i = 0; i < count; ++i) {
        const char* open = meshtext::Find(p, end, '<');
        const char* close = open ? meshtext::Find(open + 1, end, '>') : nullptr;
        if (!close) {
            r.problem = "the list ends after " + std::to_string(i) + " of " + std::to_string(count) + " vectors";
            return r;
        }
        float v[3] = {0, 0, 0};
        const char* field = open + 1;
        for (int k = 0; k < 3; ++k) {
            const char* stop = k < 2 ? meshtext::Find(field, close, ',') : close;
            if (!stop) stop = close;
            if (!meshtext::ParseFloat(field, stop, v[k]) && r.problem.empty()) {
                // Rare, so the line is counted only here.
                long long line = 1;
                for (const char* q = text; q < open; ++q) line += *q == '\n';
                r.problem = "line " + std::to_string(line) + ", vector " + std::to_string(i + 1) + ": '" +
                            std::string(open, close + 1) + "' is not three finite numbers";
            }
            field = stop < close ? stop + 1 : close;
        }
        try {
            out.insert(out.end(), v, v + 3);
        } catch (const std::bad_alloc&) {
            // On a worker an escaping exception would end the program: the list fails instead.
            r.problem = "not enough memory after " + std::to_string(i) + " of " + std::to_string(count) + " vectors";
            return r;
        }
        ++r.read;
        p = close + 1;
    }
    return r;
}

wxThread::ExitCode ThreadReadMesh2Sub::Entry() {
    *result_ = ReadVectorList(text_, size_, start_, count_, *out_);
    done_->store(true, std::memory_order_release);
    return nullptr;
}
