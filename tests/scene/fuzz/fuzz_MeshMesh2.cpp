// Fuzz target of the mesh2 reader (on the calling thread), with the declaration written
// from what it read.
#include <cstdint>

#include "tests/scene/fuzz/FuzzMesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjectMesh_cls m;
    const MeshReadResult r = m.ParseMesh2(reinterpret_cast<const char*>(data), size, "fuzz.pov", false);
    fuzzmesh::CheckMesh(m, r, "fuzz.pov");
    return 0;
}
