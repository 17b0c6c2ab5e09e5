// The mesh2 list worker: parses one list of "<a,b,c>" vectors of a mesh2 text while the
// calling thread goes on with the rest of the file.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include <wx/thread.h>

/// Result of one vector list: how many vectors were read and the first problem ("" none).
struct Mesh2ListResult {
    long long read = 0;
    std::string problem;
};

/// Joinable worker over a text that nobody writes while it runs. It appends only to its own
/// output list and sets its done flag (release) as its last action.
class ThreadReadMesh2Sub : public wxThread {
public:
    ThreadReadMesh2Sub(std::atomic<bool>* done, const char* text, size_t size, size_t start, long long count,
                       std::vector<float>* out, Mesh2ListResult* result);

    /// Up to `count` vectors from `text + start`: each is the text between the next '<' and
    /// its '>', three numbers separated by ','. Stops at the end of the text. Any thread.
    static Mesh2ListResult ReadVectorList(const char* text, size_t size, size_t start, long long count,
                                          std::vector<float>& out);

protected:
    ExitCode Entry() override;

private:
    std::atomic<bool>* done_;
    const char* text_;
    size_t size_;
    size_t start_;
    long long count_;
    std::vector<float>* out_;
    Mesh2ListResult* result_;
};
