// Snapshot files from particle arrays, in any record grammar.
#include "data/SnapshotWriter.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "data/ThreadExportText.h"

void SnapshotParticles::Resize(int64_t n) {
    const size_t un = static_cast<size_t>(std::max<int64_t>(0, n));
    position.assign(3 * un, 0.0f);
    velocity.assign(3 * un, 0.0f);
    radius.assign(un, 0.0f);
    value1.assign(un, 0.0f);
    id.assign(un, 0);
    type.assign(un, 0);
}

SnapshotArraysView::SnapshotArraysView(const SnapshotParticles& ps)
    : position(ps.position.data()),
      velocity(ps.velocity.data()),
      radius(ps.radius.data()),
      value1(ps.value1.data()),
      id(ps.id.data()),
      type32(ps.type.data()),
      count(ps.Count()) {}

int64_t StridedCount(int64_t count, int64_t stride) {
    stride = std::max<int64_t>(1, stride);
    return count <= 0 ? 0 : (count + stride - 1) / stride;
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

// "%f" of a float, as the C library prints it in the "C" locale, without its cost: a float
// times 10^6 is exact in a double (24 + 20 significant bits), so rounding that product to an
// integer (ties to even, like the library's exact decimal rounding) gives the six decimals.
void PutFixed(std::string& out, float f) {
    const double scaled = static_cast<double>(f) * 1e6;
    if (!(std::fabs(scaled) < 9.0e18)) {  // huge, infinite or NaN: the general (slower) form
        char buf[80];
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(f), std::chars_format::fixed, 6);
        out.append(buf, r.ptr);
        return;
    }
    const unsigned long long units = static_cast<unsigned long long>(std::nearbyint(std::fabs(scaled)));
    char buf[32];
    char* p = buf + sizeof buf;
    unsigned long long v = units;
    for (int k = 0; k < 6; ++k) {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    if (std::signbit(f)) *--p = '-';
    out.append(p, static_cast<size_t>(buf + sizeof buf - p));
}

}  // namespace

void AppendSnapshotHeader(const SnapshotGrammar& g, double time, int64_t count, std::string& out,
                          SnapshotText text) {
    const bool binary = g.dataType == SNAPSHOT_BINARY;
    const bool fixed = text == SnapshotText::Fixed;
    for (int code : g.headerCodes) {
        switch (code) {
            case 0:
                if (binary) PutF(out, static_cast<float>(time));
                else if (fixed) PutFixed(out, static_cast<float>(time)), out += '\n';
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
                    else out += fixed ? "dummy\n" : "0\n";
                }
                break;
            }
            default:
                break;
        }
    }
}

void AppendSnapshotRecords(const SnapshotGrammar& g, const SnapshotArraysView& ps, int64_t first, int64_t end,
                           int64_t stride, SnapshotText text, std::string& out) {
    const bool binary = g.dataType == SNAPSHOT_BINARY;
    const bool fixed = text == SnapshotText::Fixed;
    stride = std::max<int64_t>(1, stride);
    first = std::max<int64_t>(0, first);
    end = std::min(end, ps.count);
    for (int64_t i = first; i < end; i += stride) {
        bool blank = false;  // a value precedes on this round-trip ASCII line
        auto sep = [&] {
            if (blank) out += ' ';
            blank = true;
        };
        auto putF = [&](float v) {
            if (binary) {
                PutF(out, v);
            } else if (fixed) {
                PutFixed(out, v);
                out += ' ';
            } else {
                sep();
                PutText(out, v);
            }
        };
        auto putI = [&](int32_t v) {
            if (binary) {
                PutI(out, v);
            } else if (fixed) {
                PutText(out, v);
                out += ' ';
            } else {
                sep();
                PutText(out, v);
            }
        };
        auto putZeros = [&](int n) {
            for (int k = 0; k < n; ++k) {
                if (binary) PutF(out, 0.0f);
                else if (fixed) out += "0 ";
                else sep(), out += '0';
            }
        };
        auto at3 = [&](const float* a, int c) { return a ? a[3 * i + c] : 0.0f; };
        auto at = [&](const float* a) { return a ? a[i] : 0.0f; };
        for (int code : g.bodyCodes) {
            switch (code) {
                case 0: for (int c = 0; c < 3; ++c) putF(at3(ps.position, c)); break;
                case 1: for (int c = 0; c < 3; ++c) putF(at3(ps.velocity, c)); break;
                case 2: putZeros(1); break;
                case 3: putZeros(3); break;
                case 4: putZeros(10); break;
                case 5: putF(at(ps.radius)); break;
                case 6: putI(ps.id ? ps.id[i] : 0); break;
                case 7: putI(ps.type8 ? ps.type8[i] : ps.type32 ? ps.type32[i] : 0); break;
                case 8: putF(at(ps.value1)); break;
                default: break;
            }
        }
        if (!binary) out += '\n';
    }
}

void AppendSnapshotRecords(const SnapshotGrammar& g, const SnapshotParticles& ps, int64_t first, int64_t end,
                           std::string& out) {
    AppendSnapshotRecords(g, SnapshotArraysView(ps), first, end, 1, SnapshotText::RoundTrip, out);
}

std::string EncodeSnapshot(const SnapshotGrammar& g, double time, const SnapshotParticles& ps) {
    std::string out;
    AppendSnapshotHeader(g, time, ps.Count(), out);
    AppendSnapshotRecords(g, ps, 0, ps.Count(), out);
    return out;
}

bool WriteSnapshotFile(const std::string& path, const SnapshotGrammar& g, double time, const SnapshotArraysView& ps,
                       int64_t stride, SnapshotText text, std::string& error, int workers) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    stride = std::max<int64_t>(1, stride);
    std::unique_ptr<std::FILE, Closer> f(std::fopen(path.c_str(), "wb"));
    if (!f) {
        error = path + ": cannot open the file for writing: " + std::strerror(errno);
        return false;
    }
    auto fail = [&](std::FILE* open) {
        error = path + ": cannot write the file: " + std::strerror(errno);
        if (open) std::fclose(open);
        // The partial file goes; a device or pipe named as the output is never removed.
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) std::remove(path.c_str());
        return false;
    };
    std::string piece;
    piece.reserve(1 << 22);
    AppendSnapshotHeader(g, time, StridedCount(ps.count, stride), piece, text);
    if (g.dataType != SNAPSHOT_BINARY && workers > 1) {
        // Making the text is the cost of an ASCII file: workers format, this thread writes.
        if (std::fwrite(piece.data(), 1, piece.size(), f.get()) != piece.size()) return fail(f.release());
        const bool written = ThreadExportText_cls::FormatAll(
            g, ps, stride, text, workers,
            [&f](const std::string& t) { return t.empty() || std::fwrite(t.data(), 1, t.size(), f.get()) == t.size(); });
        if (!written) return fail(f.release());
        if (std::fclose(f.release()) != 0) return fail(nullptr);
        return true;
    }
    const int64_t kPiece = 65536 * stride;  // particles visited per piece
    for (int64_t first = 0;; first += kPiece) {
        AppendSnapshotRecords(g, ps, first, first + kPiece, stride, text, piece);
        if (!piece.empty() && std::fwrite(piece.data(), 1, piece.size(), f.get()) != piece.size())
            return fail(f.release());
        piece.clear();
        if (first + kPiece >= ps.count) break;
    }
    if (std::fclose(f.release()) != 0) return fail(nullptr);
    return true;
}

bool WriteSnapshotFile(const std::string& path, const SnapshotGrammar& g, double time, const SnapshotParticles& ps,
                       std::string& error) {
    return WriteSnapshotFile(path, g, time, SnapshotArraysView(ps), 1, SnapshotText::RoundTrip, error);
}
