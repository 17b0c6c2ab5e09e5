// Snapshot files from particle arrays, in any record grammar.
#include "data/SnapshotWriter.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>

void SnapshotParticles::Resize(int64_t n) {
    const size_t un = static_cast<size_t>(std::max<int64_t>(0, n));
    position.assign(3 * un, 0.0f);
    velocity.assign(3 * un, 0.0f);
    radius.assign(un, 0.0f);
    value1.assign(un, 0.0f);
    id.assign(un, 0);
    type.assign(un, 0);
}

namespace {

void PutBytes(std::string& out, const void* p, size_t n) { out.append(static_cast<const char*>(p), n); }
void PutF(std::string& out, float v) { PutBytes(out, &v, 4); }
void PutI(std::string& out, int32_t v) { PutBytes(out, &v, 4); }

// Shortest round-trip text, independent of the locale.
template <typename T>
void PutText(std::string& out, T v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void PutZeros(std::string& out, int floats, bool binary) {
    for (int k = 0; k < floats; ++k) {
        if (binary)
            PutF(out, 0.0f);
        else
            out += k ? " 0" : "0";
    }
}

}  // namespace

void AppendSnapshotHeader(const SnapshotGrammar& g, double time, int64_t count, std::string& out) {
    const bool binary = g.dataType == SNAPSHOT_BINARY;
    for (int code : g.headerCodes) {
        switch (code) {
            case 0:
                if (binary) PutF(out, static_cast<float>(time));
                else PutText(out, time), out += '\n';
                break;
            case 1:
                if (binary) PutI(out, static_cast<int32_t>(count));
                else PutText(out, count), out += '\n';
                break;
            case 2:
            case 3:
            case 4: {
                const int values = code == 2 ? 1 : code == 3 ? 3 : 10;
                for (int k = 0; k < values; ++k) {
                    if (binary) PutF(out, 0.0f);
                    else out += "0\n";
                }
                break;
            }
            default:
                break;
        }
    }
}

void AppendSnapshotRecords(const SnapshotGrammar& g, const SnapshotParticles& ps, int64_t first, int64_t end,
                           std::string& out) {
    const bool binary = g.dataType == SNAPSHOT_BINARY;
    first = std::max<int64_t>(0, first);
    end = std::min(end, ps.Count());
    for (int64_t i = first; i < end; ++i) {
        bool blank = false;  // a value precedes on this ASCII line
        auto sep = [&] {
            if (blank) out += ' ';
            blank = true;
        };
        auto putF = [&](float v) {
            if (binary) {
                PutF(out, v);
            } else {
                sep();
                PutText(out, v);
            }
        };
        auto putI = [&](int32_t v) {
            if (binary) {
                PutI(out, v);
            } else {
                sep();
                PutText(out, v);
            }
        };
        for (int code : g.bodyCodes) {
            switch (code) {
                case 0: for (int c = 0; c < 3; ++c) putF(ps.position[3 * i + c]); break;
                case 1: for (int c = 0; c < 3; ++c) putF(ps.velocity[3 * i + c]); break;
                case 2: putF(0.0f); break;
                case 3: for (int c = 0; c < 3; ++c) putF(0.0f); break;
                case 4:
                    if (binary) {
                        PutZeros(out, 10, true);
                    } else {
                        sep();
                        PutZeros(out, 10, false);
                    }
                    break;
                case 5: putF(ps.radius[i]); break;
                case 6: putI(ps.id[i]); break;
                case 7: putI(ps.type[i]); break;
                case 8: putF(ps.value1[i]); break;
                default: break;
            }
        }
        if (!binary) out += '\n';
    }
}

std::string EncodeSnapshot(const SnapshotGrammar& g, double time, const SnapshotParticles& ps) {
    std::string out;
    AppendSnapshotHeader(g, time, ps.Count(), out);
    AppendSnapshotRecords(g, ps, 0, ps.Count(), out);
    return out;
}

bool WriteSnapshotFile(const std::string& path, const SnapshotGrammar& g, double time, const SnapshotParticles& ps,
                       std::string& error) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "wb"));
    if (!f) {
        error = path + ": cannot open the file for writing: " + std::strerror(errno);
        return false;
    }
    std::string piece;
    AppendSnapshotHeader(g, time, ps.Count(), piece);
    constexpr int64_t kPiece = 65536;
    for (int64_t first = 0;; first += kPiece) {
        AppendSnapshotRecords(g, ps, first, first + kPiece, piece);
        if (!piece.empty() && std::fwrite(piece.data(), 1, piece.size(), f.get()) != piece.size()) {
            error = path + ": cannot write the file: " + std::strerror(errno);
            return false;
        }
        piece.clear();
        if (first + kPiece >= ps.Count()) break;
    }
    if (std::fclose(f.release()) != 0) {
        error = path + ": cannot write the file: " + std::strerror(errno);
        return false;
    }
    return true;
}
