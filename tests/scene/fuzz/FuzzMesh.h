// What every mesh read must leave behind, whatever the bytes: lists in whole triples, face
// indices inside the vertex list, a normal for every corner, and a message naming the
// file whenever the read is refused.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/ObjectMesh.h"

namespace fuzzmesh {

[[noreturn]] inline void Violation(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s\n%s\n", what, detail.c_str());
    std::abort();
}

inline void CheckMesh(const ObjectMesh_cls& m, const MeshReadResult& r, const std::string& name) {
    if (m.vertices.size() % 3 || m.normals.size() % 3 || m.faces.size() % 3)
        Violation("lists are whole triples", r.message);
    const long long nv = static_cast<long long>(m.VertexCount());
    const long long nn = static_cast<long long>(m.normals.size() / 3);
    for (int f : m.faces)
        if (f < 0 || f >= nv) Violation("face indices lie inside the vertex list", std::to_string(f));
    if (!m.PerVertexNormals()) {
        if (m.normalIndices.size() != m.faces.size()) Violation("every corner has a normal", r.message);
        for (int n : m.normalIndices)
            if (n < 0 || n >= nn) Violation("normal indices lie inside the normal list", std::to_string(n));
    }
    if (r.ok != r.message.empty()) Violation("a message exactly when refused", r.message);
    if (!r.ok && r.message.compare(0, name.size(), name) != 0) Violation("the message names the file", r.message);
}

}  // namespace fuzzmesh
