// Fuzz target of the OBJ reader; the POV-Ray declaration of what it read is written too.
#include <cstdint>

#include "tests/scene/fuzz/FuzzMesh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjectMesh_cls m;
    const MeshReadResult r = m.ParseObj(reinterpret_cast<const char*>(data), size, "fuzz.obj");
    fuzzmesh::CheckMesh(m, r, "fuzz.obj");
    if (size < 4096) (void)m.WritePov();
    return 0;
}
