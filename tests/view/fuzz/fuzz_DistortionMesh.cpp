// Fuzz target of the lens mesh reader. Besides not crashing: a mesh that reads has one
// normal-pair per "vn", a clamped texture coordinate pair per "vt", four faces' worth of
// indices that each name an existing vertex, texture coordinate and normal (0 allowed),
// and bounds that enclose its vertices; a mesh that does not read leaves the object as it
// was and names a line of the input; the same bytes read twice give the same mesh.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "view/DistortionMesh.h"

namespace {

[[noreturn]] void Violation(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s\n%s\n", what, detail.c_str());
    std::abort();
}

bool SameMesh(const DistortionMesh_cls& a, const DistortionMesh_cls& b) {
    auto same = [](const std::vector<float>& p, const std::vector<float>& q) {
        if (p.size() != q.size()) return false;
        for (size_t i = 0; i < p.size(); ++i)
            if (!(p[i] == q[i] || (std::isnan(p[i]) && std::isnan(q[i])))) return false;
        return true;
    };
    return a.loaded == b.loaded && same(a.x, b.x) && same(a.y, b.y) && same(a.z, b.z) && same(a.u, b.u) &&
           same(a.v, b.v) && same(a.nx, b.nx) && same(a.ny, b.ny) && a.faceVertex == b.faceVertex &&
           a.faceTexture == b.faceTexture && a.faceNormal == b.faceNormal;
}

// A small valid mesh the failed reads must leave untouched.
const std::string kKnown =
    "#\n#\no m\nv -1 0 -1\nv 1 0 -1\nv 1 0 1\nv -1 0 1\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 -1\ns off\n"
    "usemtl x\nf 1/1/1 2/2/1 3/3/1 4/4/1\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    DistortionMesh_cls known;
    if (!known.Parse(kKnown, "known", nullptr)) Violation("the known mesh does not read", "");

    DistortionMesh_cls m;
    m.Parse(kKnown, "known", nullptr);
    std::string error;
    const bool ok = m.Parse(bytes, "in.obj", &error);
    if (!ok) {
        if (!SameMesh(m, known)) Violation("a failed read changed the mesh", error);
        if (error.rfind("in.obj line ", 0) != 0) Violation("a failure names no line", error);
        const long line = std::strtol(error.c_str() + 12, nullptr, 10);
        long lines = 1;
        for (char c : bytes) lines += c == '\n';
        if (line < 1 || line > lines) Violation("a failure names a line outside the input", error);
        return 0;
    }
    if (!m.loaded) Violation("a read that succeeds leaves the mesh unloaded", "");
    if (m.x.size() != m.y.size() || m.x.size() != m.z.size() || m.u.size() != m.v.size() ||
        m.nx.size() != m.ny.size() || m.workU != m.u || m.workV != m.v)
        Violation("vertex arrays of different lengths", "");
    const size_t idx = m.faceVertex.size();
    if (idx % 4 != 0 || m.faceTexture.size() != idx || m.faceNormal.size() != idx)
        Violation("faces are not quads of v/t/n triples", std::to_string(idx));
    for (size_t i = 0; i < idx; ++i) {
        const int vi = m.faceVertex[i], ti = m.faceTexture[i], ni = m.faceNormal[i];
        if (vi < 1 || static_cast<size_t>(vi) > m.x.size() || ti < 1 || static_cast<size_t>(ti) > m.u.size() ||
            ni < 0 || static_cast<size_t>(ni) > m.nx.size())
            Violation("a face index names nothing", std::to_string(vi) + "/" + std::to_string(ti) + "/" +
                                                        std::to_string(ni));
    }
    for (size_t i = 0; i < m.u.size(); ++i)
        if (!(m.u[i] >= 0 && m.u[i] <= 1 && m.v[i] >= 0 && m.v[i] <= 1) && !std::isnan(m.u[i]) &&
            !std::isnan(m.v[i]))
            Violation("a texture coordinate outside 0..1", std::to_string(m.u[i]) + " " + std::to_string(m.v[i]));
    for (size_t i = 0; i < m.x.size(); ++i) {
        // With 0 included the extents reach every finite vertex.
        if (std::isfinite(m.x[i]) && std::isfinite(m.width) && std::fabs(m.x[i]) > m.width)
            Violation("the width does not reach a vertex", std::to_string(m.x[i]));
        if (std::isfinite(m.z[i]) && std::isfinite(m.height) && std::fabs(m.z[i]) > m.height)
            Violation("the height does not reach a vertex", std::to_string(m.z[i]));
    }
    DistortionMesh_cls again;
    if (!again.Parse(bytes, "in.obj", nullptr) || !SameMesh(again, m)) Violation("a second read differs", "");
    return 0;
}
