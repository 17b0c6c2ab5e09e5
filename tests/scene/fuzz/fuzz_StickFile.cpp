// Fuzz target of the stick-file readers. Input: one byte choosing the reader (odd: the
// binary ".bond" reader, even: text lines), then the file's bytes. Besides not crashing:
// a binary file is taken only when its size is exactly 13 + 8 * count, a text file whose
// bytes decode is always taken, and whatever was taken is checked and written without
// reading outside the particle arrays.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/TextDecoding.h"
#include "scene/StickEngine.h"

namespace {

[[noreturn]] void Violation(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool binary = data[0] & 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    StickEngine_cls e;
    const StickParseResult_cls r = e.ParseBytes(bytes, binary);
    if (!r.ok && e.Size() != 0) Violation("a refused file left sticks", r.message);
    if (!r.ok && r.message.empty()) Violation("a refused file without a reason", "");
    if (!binary && !r.ok && platform::DecodeText(bytes).ok) Violation("a decodable text was refused", r.message);
    if (binary && r.ok) {
        int32_t n;
        std::memcpy(&n, data + 1 + 9, sizeof n);
        if (bytes.size() != 13 + 8 * size_t(n) || e.Size() != size_t(n))
            Violation("a .bond file of the wrong size was taken", std::to_string(bytes.size()));
    }
    // A handful of particles: most read indices are out of range and must make the list
    // invalid rather than be followed.
    static const float positions[4 * 3] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    e.CheckIndices(4);
    const float base[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float box[3] = {2, 2, 2};
    e.SetPeriodicOffsets(base, box);
    e.AllFactorsOne();
    const std::string text = e.PovText(positions, 1);
    if (!e.Valid() && text.find("CY(") != std::string::npos) Violation("an invalid list was written", "");
    return 0;
}
