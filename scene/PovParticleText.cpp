#include "scene/PovParticleText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "common/ForkJoin.h"
#include "platform/FileNumbers.h"
#include "scene/ThreadSPString.h"

namespace {

// "%.3f" of the float widened to double, as printf writes it in the "C" locale.
char* Fixed3(char* at, float v) {
    return std::to_chars(at, at + 64, static_cast<double>(v), std::chars_format::fixed, 3).ptr;
}

wxString SphereMacro(int type, MaterialColors_cls& colours, bool fixed, float radius, float roughness,
                     bool singleForm, bool filterAlpha) {
    wxString out = "#macro SP" + wxString::FromAscii(platform::FormatInt(type).c_str());
    if (fixed) {
        out += filterAlpha ? "(VPos,FilterAlpha)\n" : "(VPos)\n";
        out += "sphere{ VPos," + wxString::FromAscii(platform::FormatF(radius, 6).c_str()) + "\n";
    } else {
        out += filterAlpha ? "(VPos,Radi,FilterAlpha)\n" : "(VPos,Radi)\n";
        out += "sphere{ VPos, Radi\n";
    }
    out += PovMaterialTexture("\t", colours, roughness, wxString(), filterAlpha, singleForm);
    out += "}\n#end\n";
    return out;
}

}  // namespace

float PovDownSizingFactor(int downSizing) {
    const float d = static_cast<float>(downSizing < 1 ? 1 : downSizing);
    const double dd = d;
    return static_cast<float>(std::sqrt((dd * 0.6 / 100.0 + 0.2) * (dd - 1.0) + 1.0));
}

wxString PovSphereMacro(int type, MaterialColors_cls colours, bool fixed, float radius, float roughness,
                        bool singleForm) {
    return SphereMacro(type, colours, fixed, radius, roughness, singleForm, false);
}

wxString PovSphereMacroFilterAlpha(int type, MaterialColors_cls colours, bool fixed, float radius, float roughness,
                                   bool singleForm) {
    return SphereMacro(type, colours, fixed, radius, roughness, singleForm, true);
}

size_t PovParticleLine(char* buf, int type, const PovParticleType_cls& t, float x, float y, float z, float r,
                       float w) {
    char* p = buf;
    *p++ = 'S';
    *p++ = 'P';
    p = std::to_chars(p, p + 12, type).ptr;
    *p++ = '(';
    *p++ = '<';
    p = Fixed3(p, x);
    *p++ = ',';
    p = Fixed3(p, y);
    *p++ = ',';
    p = Fixed3(p, z);
    *p++ = '>';
    if (!t.fixedRadius) {
        *p++ = ',';
        p = Fixed3(p, r);
    }
    if (!t.plainMacro) {
        *p++ = ',';
        p = Fixed3(p, w);
    }
    *p++ = ')';
    *p++ = '\n';
    return static_cast<size_t>(p - buf);
}

namespace {

// Records each worker formats in one batch: the batch's text (about 2.5 MB a worker) is handed
// on while the buffers are kept for the next batch, so no copy of the whole text is ever made.
constexpr int64_t kPovRecordsPerWorker = 65536;

// Bytes to reserve for n lines (most take under 40), or 0 when that cannot be had at all.
size_t LineRoom(int64_t n) {
    if (n <= 0) return 0;
    if (static_cast<uint64_t>(n) > (std::numeric_limits<size_t>::max() / 2) / 40) return 0;
    return static_cast<size_t>(n) * 40;
}

std::string TypeMacros(const PovParticleType_cls types[4], bool singleForm) {
    std::string out;
    for (int t = 0; t < 4; ++t) {
        const PovParticleType_cls& ty = types[t];
        if (ty.drawType > 3) continue;
        const wxString macro =
            ty.plainMacro
                ? PovSphereMacro(t, ty.colours, ty.fixedRadius, ty.radius, kPovParticleRoughness, singleForm)
                : PovSphereMacroFilterAlpha(t, ty.colours, ty.fixedRadius, ty.radius, kPovParticleRoughness,
                                            singleForm);
        out += macro.utf8_string();
    }
    return out;
}

// Formats the lines of the draw order batch by batch on up to four workers and hands each
// worker's text to `emit` in draw order. `emit(bytes, size)` returns false when the text could
// not be taken (out of memory): nothing more is handed on and the counts say so. `room` is
// false when the whole text can be seen not to fit before any line is formatted.
template <typename Emit>
PovParticleCounts_cls WriteLines(Emit&& emit, bool room, const PovParticleType_cls types[4],
                                 const PovParticleFrame_cls& frame, int threads) {
    PovParticleCounts_cls counts;
    const int64_t n = frame.orderCount > 0 && frame.orderIndex && frame.orderWeight ? frame.orderCount : 0;
    const bool haveArrays = frame.positions && frame.types && frame.radii;
    const int w = threads < 1 ? 1 : threads > 4 ? 4 : threads;
    if (n > 0 && !haveArrays) {
        counts.badRecords = n;
        return counts;
    }
    if (n > 0 && !room) {
        counts.outOfMemory = true;
        return counts;
    }
    // Two sets of buffers: while the workers format one batch, the one before goes out.
    SPTextBuffer_cls buffers[2][4];
    struct Batch_cls {
        std::atomic<uint8_t> done[4] = {{0}, {0}, {0}, {0}};
        ForkJoin_cls group;
        std::vector<ThreadSPString_cls*> workers;
    };
    // Hands a formatted batch on; false when nothing more is to be written.
    auto handOn = [&emit, &counts](const Batch_cls& batch) {
        for (ThreadSPString_cls* t : batch.workers) {
            if (!emit(t->Text(), t->TextSize())) {
                counts.outOfMemory = true;
                return false;
            }
            counts.written += t->Counts().written;
            counts.nonFinite += t->Counts().nonFinite;
            counts.badRecords += t->Counts().badRecords;
            // A worker that ran out of memory kept its lines whole; nothing after them is written.
            if (t->Counts().outOfMemory) {
                counts.outOfMemory = true;
                return false;
            }
        }
        return true;
    };
    const int64_t perBatch = kPovRecordsPerWorker * w;
    std::unique_ptr<Batch_cls> previous;
    int set = 0;
    for (int64_t from = 0; from < n; from += perBatch, set ^= 1) {
        const int64_t m = std::min(perBatch, n - from);
        auto batch = std::make_unique<Batch_cls>();
        batch->workers.reserve(static_cast<size_t>(w));
        // Every worker is built before any runs; one whose thread cannot be had formats its
        // range here instead, so the text is whole either way. Meanwhile the batch before is
        // handed on here, and the join makes every range's text visible (no polling).
        for (int k = 0; k < w; ++k) {
            auto worker = std::make_unique<ThreadSPString_cls>(&batch->done[k], types, &frame, from + k * m / w,
                                                               from + (k + 1) * m / w, 1, &buffers[set][k]);
            ThreadSPString_cls* t = worker.get();
            batch->workers.push_back(t);
            batch->group.Add(std::move(worker), [t] { t->Format(); });
        }
        // Without a batch to hand on, the last range is formatted here rather than waited for.
        batch->group.Run(previous ? 0 : 1);
        const bool more = !previous || handOn(*previous);
        batch->group.Join();
        if (!more) return counts;  // the batch's workers have ended: their buffers can go
        previous = std::move(batch);
    }
    if (previous) handOn(*previous);
    return counts;
}

}  // namespace

PovParticleCounts_cls PovWriteParticles(std::string& out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads) {
    out += TypeMacros(types, singleForm);
    out += "#declare PARTICLES=\nunion{\n";
    const int64_t n = frame.orderCount > 0 ? frame.orderCount : 0;
    bool room = true;
    try {
        const size_t want = LineRoom(n);
        if (n > 0 && want == 0) room = false;
        else out.reserve(out.size() + want + 8);
    } catch (const std::exception&) {  // bad_alloc, or length_error beyond what a string holds
        room = false;
    }
    auto append = [&out](const char* bytes, size_t size) {
        try {
            out.append(bytes, size);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    };
    const PovParticleCounts_cls counts = WriteLines(append, room, types, frame, threads);
    out += "};\n\n";
    return counts;
}

PovParticleCounts_cls PovWriteParticles(std::FILE* out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads) {
    PovParticleCounts_cls counts;
    bool failed = false;
    auto write = [out, &failed](const char* bytes, size_t size) {
        if (!failed && size > 0 && std::fwrite(bytes, 1, size, out) != size) failed = true;
        return !failed;
    };
    const std::string head = TypeMacros(types, singleForm) + "#declare PARTICLES=\nunion{\n";
    if (write(head.data(), head.size())) {
        counts = WriteLines(write, true, types, frame, threads);
        if (failed) counts.outOfMemory = false;  // the batch was formatted; the file refused it
        static const char tail[] = "};\n\n";
        write(tail, sizeof tail - 1);
    }
    counts.writeFailed = failed;
    return counts;
}

PovParticleCounts_cls PovWriteParticles(wxString& out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads) {
    // Every byte of the text is ASCII (numbers, names and the material text): widening each one
    // is all the conversion needs. Each batch goes through a small buffer straight into the
    // reserved text, so a million lines make no narrow copy of the whole text.
    const size_t before = out.length();
    bool wideFull = false;
    auto widen = [&out, &wideFull](const char* bytes, size_t size) {
        try {
            wchar_t chunk[8192];
            for (size_t at = 0; at < size;) {
                const size_t n = std::min(size - at, sizeof chunk / sizeof chunk[0]);
                for (size_t i = 0; i < n; ++i) chunk[i] = static_cast<unsigned char>(bytes[at + i]);
                out.append(chunk, n);
                at += n;
            }
            return true;
        } catch (const std::exception&) {
            wideFull = true;
            return false;
        }
    };
    PovParticleCounts_cls counts;
    try {
        const std::string head = TypeMacros(types, singleForm) + "#declare PARTICLES=\nunion{\n";
        const int64_t n = frame.orderCount > 0 ? frame.orderCount : 0;
        const size_t want = LineRoom(n);
        if (n > 0 && want == 0) throw std::bad_alloc();
        out.reserve(before + head.size() + want + 8);
        if (!widen(head.data(), head.size())) throw std::bad_alloc();
        // A worker that ran out keeps the lines before it; the wide text itself running out
        // leaves no union worth keeping.
        counts = WriteLines(widen, true, types, frame, threads);
        if (wideFull) throw std::bad_alloc();
        out += "};\n\n";
    } catch (const std::exception&) {
        // No room for the wide text: an empty union keeps the scene parsing, and the counts
        // say that every particle is missing.
        out.Truncate(before);
        out += "#declare PARTICLES=\nunion{\n};\n\n";
        counts.outOfMemory = true;
        counts.written = 0;
    }
    return counts;
}
