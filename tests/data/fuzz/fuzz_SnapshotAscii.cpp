// Fuzz target of the ASCII snapshot parsers. Input: a grammar (see TakeGrammar), one byte
// choosing how much of the file the header reader sees first, then the file's text.
// Besides not crashing: a read either fills exactly the particles its header reports or
// fails naming a line of the text; the header read from a first piece agrees with the
// header read from the whole text whenever the piece holds the whole header.
#include <algorithm>

#include "tests/data/fuzz/FuzzSnapshot.h"

using namespace fuzzsnap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SnapshotGrammar g;
    size_t used = TakeGrammar(data, size, g);
    const size_t piece = used < size ? data[used++] : 0;
    const char* text = reinterpret_cast<const char*>(data + used);
    const size_t n = size - used;
    const int64_t lines = std::count(text, text + n, '\n') + (n > 0 && text[n - 1] != '\n');

    SnapshotHeader h;
    const SnapshotReadResult hr = ParseHeaderAscii(text, n, g, h);
    CheckFailurePlace(hr, g, lines, n);
    if (!hr.ok && hr.byteOffset >= 0) Violation("an ASCII header failure names a byte", hr.message);

    // The program reads a first piece of the file and passes the whole file's size.
    const size_t got = std::min(piece, n);
    SnapshotHeader hp;
    const SnapshotReadResult pr = ParseHeaderAscii(text, got, g, hp, n);
    if (pr.ok && hp.bodyOffset < got) {
        if (!hr.ok) Violation("the first piece gives a header the whole text refuses", hr.message);
        if (hp.count != h.count || hp.bodyOffset != h.bodyOffset || hp.hasTime != h.hasTime ||
            std::memcmp(&hp.time, &h.time, sizeof h.time) != 0)
            Violation("the first piece gives another header than the whole text", "");
    }
    if (!hr.ok) return 0;
    if (h.count < 0 || h.bodyOffset > n) Violation("header accepted a bad count or offset", "");

    Arrays a(h.count, 0x7FA5A5A5u), b(h.count, 0x7FB4B4B4u);
    const SnapshotReadResult ra = ParseBodyAscii(text, n, h, g, a.view);
    const SnapshotReadResult rb = ParseBodyAscii(text, n, h, g, b.view);
    if (ra.ok != rb.ok || ra.line != rb.line) Violation("two parses of one text differ", ra.message);
    CheckFailurePlace(ra, g, lines, n);
    if (!ra.ok) {
        if (ra.line <= static_cast<int64_t>(g.HeaderValueCount()))
            Violation("a body failure names a header line", ra.message);
        return 0;
    }
    CheckFilledExactly(g, h.count, a, b);
    return 0;
}
