#include "scene/PovParticleText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
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

PovParticleCounts_cls PovWriteParticles(std::string& out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads) {
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
    out += "#declare PARTICLES=\nunion{\n";

    PovParticleCounts_cls counts;
    const int64_t n = frame.orderCount > 0 && frame.orderIndex && frame.orderWeight ? frame.orderCount : 0;
    const bool haveArrays = frame.positions && frame.types && frame.radii;
    const int w = threads < 1 ? 1 : threads > 4 ? 4 : threads;
    if (n > 0 && !haveArrays) {
        counts.badRecords = n;
    } else if (n > 0) {
        std::atomic<uint8_t> done[4] = {{0}, {0}, {0}, {0}};
        ForkJoin_cls group;
        std::vector<ThreadSPString_cls*> workers;
        workers.reserve(static_cast<size_t>(w));
        // Every worker is built before any runs; one whose thread cannot be had formats its
        // range here instead, so the text is whole either way. The last range is formatted
        // here meanwhile, and the join makes every range's text visible (no polling).
        for (int k = 0; k < w; ++k) {
            auto worker =
                std::make_unique<ThreadSPString_cls>(&done[k], types, &frame, k * n / w, (k + 1) * n / w, 1);
            ThreadSPString_cls* t = worker.get();
            workers.push_back(t);
            group.Add(std::move(worker), [t] { t->Format(); });
        }
        group.Run(1);
        group.Join();
        size_t total = 0;
        for (auto& t : workers) total += t->TextSize();
        bool full = false;
        try {
            out.reserve(out.size() + total + 8);
        } catch (const std::bad_alloc&) {
            // Joined range by range below; what does not fit is left out whole.
        }
        for (auto& t : workers) {
            if (!full) try {
                    out.append(t->Text(), t->TextSize());
                } catch (const std::bad_alloc&) {
                    full = true;
                    counts.outOfMemory = true;
                }
            t->ReleaseText();
            if (full) continue;
            counts.written += t->Counts().written;
            counts.nonFinite += t->Counts().nonFinite;
            counts.badRecords += t->Counts().badRecords;
            counts.outOfMemory = counts.outOfMemory || t->Counts().outOfMemory;
        }
    }
    out += "};\n\n";
    return counts;
}

PovParticleCounts_cls PovWriteParticles(wxString& out, const PovParticleType_cls types[4],
                                        const PovParticleFrame_cls& frame, bool singleForm, int threads) {
    std::string bytes;
    PovParticleCounts_cls counts = PovWriteParticles(bytes, types, frame, singleForm, threads);
    // Every byte of the text is ASCII (numbers, names and the material text): widening each one
    // is all the conversion needs. It goes through a small buffer straight into the reserved
    // text, so a million lines make no second wide copy.
    const size_t before = out.length();
    try {
        out.reserve(before + bytes.size());
        wchar_t chunk[8192];
        for (size_t at = 0; at < bytes.size();) {
            const size_t n = std::min(bytes.size() - at, sizeof chunk / sizeof chunk[0]);
            for (size_t i = 0; i < n; ++i) chunk[i] = static_cast<unsigned char>(bytes[at + i]);
            out.append(chunk, n);
            at += n;
        }
    } catch (const std::bad_alloc&) {
        // No room for the wide text: an empty union keeps the scene parsing, and the counts
        // say that every particle is missing.
        out.Truncate(before);
        out += "#declare PARTICLES=\nunion{\n};\n\n";
        counts.outOfMemory = true;
        counts.written = 0;
    }
    return counts;
}
