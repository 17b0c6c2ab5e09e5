// Fuzz target of the binary snapshot parsers. Input: a grammar (see TakeGrammar), then
// the file's bytes. Besides not crashing, a read either fills exactly the particles its
// header reports (and nothing beyond) or fails naming a byte inside the file; the sort by
// ID keeps every particle and orders the IDs.
#include <algorithm>
#include <map>
#include <tuple>

#include "tests/data/fuzz/FuzzSnapshot.h"

using namespace fuzzsnap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SnapshotGrammar g;
    const size_t used = TakeGrammar(data, size, g);
    const unsigned char* file = data + used;
    const size_t n = size - used;

    SnapshotHeader h;
    const SnapshotReadResult hr = ParseHeaderBinary(file, n, n, g, h);
    if (!hr.ok) {
        CheckFailurePlace(hr, g, -2, n);
        if (hr.line >= 0) Violation("a binary header failure names a line", hr.message);
        return 0;
    }
    const uint64_t rec = g.RecordByteSize();
    if (h.count < 0 || h.bodyOffset != g.HeaderByteSize() ||
        h.bodyOffset + static_cast<uint64_t>(h.count) * rec > n)
        Violation("header accepted a count the file cannot hold", std::to_string(h.count));

    // The reader hands the body on in chunks; two parses of different fill patterns tell
    // the written cells apart.
    Arrays a(h.count, 0x7FA5A5A5u), b(h.count, 0x7FB4B4B4u);
    for (Arrays* arr : {&a, &b}) {
        const int64_t half = h.count / 2;
        const unsigned char* body = file + h.bodyOffset;
        const size_t bodySize = n - static_cast<size_t>(h.bodyOffset);
        SnapshotReadResult r = ParseBodyBinary(body, bodySize, g, 0, half, arr->view, h.bodyOffset);
        if (r.ok)
            r = ParseBodyBinary(body + half * rec, bodySize - half * rec, g, half, h.count - half,
                                arr->view, h.bodyOffset + half * rec);
        if (!r.ok) Violation("the body of an accepted header failed", r.message);
    }
    CheckFilledExactly(g, h.count, a, b);

    // Sorting by ID: the same particles, IDs ascending.
    if (g.BodyHasCode(6)) {
        using P = std::tuple<int32_t, float, float, uint8_t>;
        auto tuples = [&](const Arrays& arr) {
            std::vector<P> v;
            for (int64_t i = 0; i < h.count; ++i)
                v.emplace_back(arr.id[i], arr.position[3 * i], arr.radius[i], arr.type[i]);
            return v;
        };
        auto key = [](const P& p) {
            uint32_t f1, f2;
            std::memcpy(&f1, &std::get<1>(p), 4);
            std::memcpy(&f2, &std::get<2>(p), 4);
            return std::make_tuple(std::get<0>(p), f1, f2, std::get<3>(p));
        };
        std::vector<P> before = tuples(a);
        SortByID(h.count, a.view);
        std::vector<P> after = tuples(a);
        for (size_t i = 1; i < after.size(); ++i)
            if (std::get<0>(after[i - 1]) > std::get<0>(after[i]))
                Violation("IDs not ascending after the sort", std::to_string(i));
        auto less = [&](const P& x, const P& y) { return key(x) < key(y); };
        std::sort(before.begin(), before.end(), less);
        std::sort(after.begin(), after.end(), less);
        for (size_t i = 0; i < after.size(); ++i)
            if (key(before[i]) != key(after[i])) Violation("the sort lost or changed a particle", "");
    }
    return 0;
}
