// Snapshot files read back: every layout to the values written, bad files refused with a
// message that names the file and the place, types, transforms, sort by ID, workers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <random>
#include <thread>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"
#include "data/ThreadFileReader.h"
#include "tests/data/SnapshotTestUtil.h"
#include "tests/support/TestFiles.h"
#include "tools/DemoSequence.h"

using namespace snaptest;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string Fixture(const std::string& name) { return std::string(PT_SOURCE_DIR) + "/tests/data/fixtures/" + name; }

SnapshotLoadSettings Settings(int dataType, std::vector<int> head, std::vector<int> body) {
    SnapshotLoadSettings s;
    s.grammar.dataType = dataType;
    s.grammar.headerCodes = std::move(head);
    s.grammar.bodyCodes = std::move(body);
    return s;
}

// Compares what was stored with what was written, given which codes the body holds.
void ExpectParticles(const ParticleData_cls& pd, const std::vector<Particle>& ps, const SnapshotGrammar& g) {
    ASSERT_EQ(pd.count, static_cast<int64_t>(ps.size()));
    for (size_t i = 0; i < ps.size(); ++i) {
        SCOPED_TRACE("particle " + std::to_string(i));
        const Particle& p = ps[i];
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(pd.position[3 * i + c], g.BodyHasCode(0) ? p.pos[c] : 0.0f);
            EXPECT_EQ(pd.velocity[3 * i + c], g.BodyHasCode(1) ? p.vel[c] : 0.0f);
        }
        EXPECT_EQ(pd.radius[i], g.BodyHasCode(5) ? p.radius : 0.0f);
        EXPECT_EQ(pd.id[i], g.BodyHasCode(6) ? p.id : 0);
        EXPECT_EQ(pd.type[i], g.BodyHasCode(7) ? p.type : 0);
        EXPECT_EQ(pd.value1[i], g.BodyHasCode(8) ? p.value1 : 0.0f);
    }
}

struct LayoutCase {
    const char* name;
    int dataType;
    std::vector<int> head;
    std::vector<int> body;
    std::string eol;
};

}  // namespace

TEST(SnapshotReader, EveryLayoutReadsBackTheValuesWritten) {
    const std::vector<LayoutCase> cases = {
        {"default binary", 0, {0, 1}, {0, 1, 5, 6, 7, 8}, "\n"},
        {"default ascii", 1, {0, 1}, {0, 1, 5, 6, 7, 8}, "\n"},
        {"default ascii, CR LF", 1, {0, 1}, {0, 1, 5, 6, 7, 8}, "\r\n"},
        {"binary dummy*3 header, positions only", 0, {3, 0, 1}, {0}, "\n"},
        {"ascii dummy*3 header (3 lines), xyz + value", 1, {3, 0, 1}, {0, 8}, "\n"},
        {"binary dummies inside the record", 0, {2, 0, 1}, {8, 0, 4, 5, 7}, "\n"},
        {"ascii dummies inside the line", 1, {2, 0, 1}, {8, 0, 4, 5, 7}, "\n"},
        {"ascii 26 values a line, dummy*10 header", 1, {4, 1, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, "\n"},
        {"binary all codes", 0, {1, 4, 0, 2}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, "\n"},
        {"binary no time, id first", 0, {1}, {6, 0, 1}, "\n"},
        {"ascii no time, id first", 1, {1}, {6, 0, 1}, "\n"},
    };
    TempDir dir;
    const std::vector<Particle> ps = Sample(9);
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SnapshotLoadSettings s = Settings(c.dataType, c.head, c.body);
        const std::string path = dir.File("snap.dat");
        WriteFile(path, c.dataType == 0 ? Binary(s.grammar, 12.75f, ps) : Ascii(s.grammar, 12.75f, ps, -1, c.eol));
        ParticleData_cls pd(nullptr, 7);
        const SnapshotReadResult r = LoadFile(pd, path, s, 3);
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(pd.time, s.grammar.HeaderHasCode(0) ? 12.75 : 7.0);
        ExpectParticles(pd, ps, s.grammar);
    }
}

TEST(SnapshotReader, AsciiNumbersDoNotFollowTheUserLocale) {
    testsupport::CommaLocale comma;
    if (!comma.Ok()) GTEST_SKIP() << "no decimal-comma locale";
    const SnapshotLoadSettings s = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    const std::vector<Particle> ps = Sample(9);
    TempDir dir;
    const std::string text = Ascii(s.grammar, 12.75f, ps);
    ASSERT_EQ(text.compare(0, 6, "12.75\n"), 0);
    WriteFile(dir.File("c.txt"), text);
    ParticleData_cls pd;
    const SnapshotReadResult r = LoadFile(pd, dir.File("c.txt"), s, 2);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(pd.time, 12.75);
    ExpectParticles(pd, ps, s.grammar);
}

TEST(SnapshotReader, ValuesInFixedNotationReadToTheirSixDecimals) {
    // Header 0, 2, 1 and body 0, 3, 5 written the way "%f" writes them.
    const SnapshotLoadSettings s = Settings(1, {0, 2, 1}, {0, 3, 5});
    std::string text = platform::FormatF(3.141593) + "\ndummy\n3\n";
    const float xyz[3][3] = {{1.25f, -2.5f, 3.0f}, {1e-3f, 12345.678f, -0.0001f}, {7, 8, 9}};
    for (int i = 0; i < 3; ++i) {
        for (float v : xyz[i]) text += platform::FormatF(v) + " ";
        text += "0 0 0 " + platform::FormatF(0.5 + i) + " \n";
    }
    TempDir dir;
    WriteFile(dir.File("f.txt"), text);
    ParticleData_cls pd;
    ASSERT_TRUE(LoadFile(pd, dir.File("f.txt"), s).ok);
    ASSERT_EQ(pd.count, 3);
    EXPECT_NEAR(pd.time, 3.141593, 1e-6);
    for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(pd.position[3 * i + c], xyz[i][c], 1e-6 + 1e-7 * std::fabs(xyz[i][c]));
        EXPECT_FLOAT_EQ(pd.radius[i], 0.5f + i);
    }
}

TEST(SnapshotReader, ParticleTypesOutsideZeroToThreeAsEachPathStoresThem) {
    struct TypeCase {
        int32_t written;
        uint8_t binaryStandard, binaryOther, ascii;
    };
    const std::vector<TypeCase> cases = {
        {2, 2, 2, 2},   {7, 3, 3, 3},      {255, 3, 3, 3},          {-1, 0, 3, 3},
        {256, 3, 0, 0}, {259, 3, 3, 3},    {INT32_MIN, 0, 0, 0},    {INT32_MAX, 3, 3, 3},
    };
    TempDir dir;
    std::vector<Particle> ps = Sample(static_cast<int>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) ps[i].type = cases[i].written;
    const SnapshotLoadSettings standard = Settings(0, {0, 1}, {0, 1, 5, 6, 7, 8});
    const SnapshotLoadSettings other = Settings(0, {0, 1}, {0, 7});
    const SnapshotLoadSettings ascii = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    ParticleData_cls a, b, c;
    WriteFile(dir.File("a"), Binary(standard.grammar, 0, ps));
    WriteFile(dir.File("b"), Binary(other.grammar, 0, ps));
    WriteFile(dir.File("c"), Ascii(ascii.grammar, 0, ps));
    ASSERT_TRUE(LoadFile(a, dir.File("a"), standard).ok);
    ASSERT_TRUE(LoadFile(b, dir.File("b"), other).ok);
    ASSERT_TRUE(LoadFile(c, dir.File("c"), ascii).ok);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("type " + std::to_string(cases[i].written));
        EXPECT_EQ(a.type[i], cases[i].binaryStandard);
        EXPECT_EQ(b.type[i], cases[i].binaryOther);
        EXPECT_EQ(c.type[i], cases[i].ascii);
    }
}

TEST(SnapshotReader, BadFilesAreRefusedWithTheFileAndThePlace) {
    struct BadCase {
        const char* fixture;
        int dataType;
        const char* expected;  // part of the message after the file name
    };
    const std::vector<BadCase> cases = {
        {"header_count_negative.bin", 0, "byte 4: negative particle count -5"},
        {"header_count_exceeds_size.bin", 0, "byte 4: particle count 3 needs 128 bytes, the file has 88"},
        {"header_count_negative.txt", 1, "line 2: negative particle count -2"},
        {"header_count_exceeds_size.txt", 1, "line 2: particle count 1000 is larger than the file can hold"},
        {"header_time_not_number.txt", 1, "line 1: expected the time, found 'time?'"},
        {"body_short.txt", 1, "line 5: the file ends after 2 of 3 particles"},
        {"body_line_too_few_values.txt", 1, "line 4: expected 10 values, found 4"},
        {"body_value_not_number.txt", 1, "line 5: value 2 'abc' is not a number"},
        {"no_such_file.dat", 0, "cannot open the file"},
        {"no_such_file.txt", 1, "cannot open the file"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.fixture);
        const SnapshotLoadSettings s = Settings(c.dataType, {0, 1}, {0, 1, 5, 6, 7, 8});
        ParticleData_cls pd;
        const SnapshotReadResult r = LoadFile(pd, Fixture(c.fixture), s, 2);
        ASSERT_FALSE(r.ok);
        EXPECT_NE(r.message.find(c.fixture), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(c.expected), std::string::npos) << r.message;
    }
}

TEST(SnapshotReader, FinalLineWithoutNewlineAndExtraValuesAreRead) {
    const SnapshotLoadSettings s = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    for (const char* name : {"body_last_line_no_newline.txt", "body_long_lines_extra_values.txt"}) {
        SCOPED_TRACE(name);
        ParticleData_cls pd;
        const SnapshotReadResult r = LoadFile(pd, Fixture(name), s);
        ASSERT_TRUE(r.ok) << r.message;
        ASSERT_EQ(pd.count, 2);
        EXPECT_EQ(pd.position[3], 1.5f);
        EXPECT_EQ(pd.id[1], 11);
        EXPECT_EQ(pd.type[1], 1);
        EXPECT_EQ(pd.value1[1], 2.5f);
    }
}

TEST(SnapshotReader, HeaderFailureMarksTheSnapshotUnreadableAndKeepsItEmpty) {
    ParticleData_cls pd;
    EXPECT_FALSE(pd.Load(wxString::FromUTF8(Fixture("header_count_negative.bin").c_str()), SnapshotLoadSettings()));
    EXPECT_TRUE(pd.readFailed);
    EXPECT_NE(pd.readError.find("negative particle count"), std::string::npos);
    EXPECT_EQ(pd.count, -1);
    EXPECT_FALSE(pd.allocated);
    EXPECT_EQ(pd.GetMemoryKB(), 0);
}

TEST(SnapshotReader, BinaryBodyShorterThanItsCountIsDetectedAtTheMissingRecord) {
    // The header was fine when read; the file has lost a record since.
    TempDir dir;
    const SnapshotLoadSettings s;
    const std::vector<Particle> ps = Sample(2);
    WriteFile(dir.File("a.bin"), Binary(s.grammar, 0, ps));
    ParticleData_cls pd;
    ASSERT_TRUE(pd.Load(wxString::FromUTF8(dir.File("a.bin").c_str()), s));
    std::string bytes = Binary(s.grammar, 0, ps);
    WriteFile(dir.File("a.bin"), bytes.substr(0, bytes.size() - 5));
    const SnapshotReadResult r =
        ThreadFileReader_cls::ReadBody(wxString::FromUTF8(dir.File("a.bin").c_str()), s, pd.count, *pd.arrays, 1);
    ASSERT_FALSE(r.ok);
    EXPECT_NE(r.message.find("byte 48: the body ends after 1 of 2 particles"), std::string::npos) << r.message;
    EXPECT_EQ(r.byteOffset, 48);
}

TEST(SnapshotReader, GrammarsThatCannotBeReadAreRefused) {
    TempDir dir;
    WriteFile(dir.File("a.bin"), Binary(SnapshotGrammar(), 0, Sample(2)));
    struct GrammarCase {
        std::vector<int> head, body;
        const char* expected;
    };
    const std::vector<GrammarCase> cases = {
        {{0}, {0, 1, 5, 6, 7, 8}, "no particle count"},
        {{0, 1}, {0, 9}, "body code 9 is unknown"},
        {{0, 1}, {}, "the body grammar is empty"},
    };
    for (const GrammarCase& c : cases) {
        ParticleData_cls pd;
        EXPECT_FALSE(pd.Load(wxString::FromUTF8(dir.File("a.bin").c_str()), Settings(0, c.head, c.body)));
        EXPECT_NE(pd.readError.find(c.expected), std::string::npos) << pd.readError;
    }
}

namespace {

// The ASCII body of `path` read by `workers` blocks with reads of `chunk` bytes (0: the
// reader's own size), into `pd` whose header has been read.
SnapshotReadResult ReadAsciiBlocks(ParticleData_cls& pd, const std::string& path, const SnapshotLoadSettings& s,
                                   int workers, size_t chunk) {
    if (!pd.Load(wxString::FromUTF8(path.c_str()), s)) return SnapshotReadResult::Fail(pd.readError);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return SnapshotReadResult::Fail("cannot open " + path);
    ParticleArrays_cls none;
    const ParticleArrays_cls& arrays = pd.arrays ? *pd.arrays : none;
    const int64_t n = pd.allocated ? pd.count : 0;
    SnapshotReadResult r = ThreadFileReader_cls::ReadBodyAscii(f, s.grammar, n, arrays, workers, nullptr, chunk);
    std::fclose(f);
    if (r.ok) ClearUnfilledArrays(s.grammar, n, arrays);
    return r;
}

}  // namespace

TEST(SnapshotReader, AsciiWorkersSplitTheLinesAndReportTheFirstBadLine) {
    TempDir dir;
    const SnapshotLoadSettings s = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    const std::vector<Particle> ps = Sample(23);
    WriteFile(dir.File("ok.txt"), Ascii(s.grammar, 1, ps));
    for (int workers : {0, 1, 4, 7, 64}) {
        SCOPED_TRACE(workers);
        ParticleData_cls pd;
        ASSERT_TRUE(LoadFile(pd, dir.File("ok.txt"), s, workers).ok);
        ExpectParticles(pd, ps, s.grammar);
        // Reads of 64 bytes make a block of every 64 bytes, up to the worker count.
        ParticleData_cls small;
        ASSERT_TRUE(ReadAsciiBlocks(small, dir.File("ok.txt"), s, workers, 64).ok);
        ExpectParticles(small, ps, s.grammar);
    }
    // Lines 9 and 20 (particles 6 and 17) are bad: with 4 workers they fall in different
    // blocks, and the earlier one is reported.
    std::string text = Ascii(s.grammar, 1, ps);
    auto lineStart = [&](int line) {
        size_t p = 0;
        for (int k = 1; k < line; ++k) p = text.find('\n', p) + 1;
        return p;
    };
    text.replace(lineStart(20), text.find('\n', lineStart(20)) - lineStart(20), "1 2");
    text.replace(lineStart(9), text.find('\n', lineStart(9)) - lineStart(9), "1 2 x");
    WriteFile(dir.File("bad.txt"), text);
    for (size_t chunk : {size_t{64}, size_t{0}}) {
        ParticleData_cls pd;
        const SnapshotReadResult r = ReadAsciiBlocks(pd, dir.File("bad.txt"), s, 4, chunk);
        ASSERT_FALSE(r.ok);
        EXPECT_EQ(r.line, 9);
        EXPECT_NE(r.message.find("line 9: value 3 'x' is not a number"), std::string::npos) << r.message;
    }
}

TEST(SnapshotReader, AsciiBlocksCutAtAnyByteGiveTheSameParticles) {
    // Blocks are cut at byte offsets (body size × k / workers) and reads at the chunk size,
    // so across the worker counts and chunk sizes below the cuts fall on line starts, on
    // line feeds, on CRs and inside numbers, and lines straddle both kinds of cut.
    struct ShapeCase {
        const char* name;
        std::string eol;
        bool lastEol;
        std::string tail;    // appended after the body
        std::string indent;  // put before every body line
        bool longLine;       // one line far longer than a chunk (extra values, ignored)
    };
    const std::vector<ShapeCase> cases = {
        {"LF", "\n", true, "", "", false},
        {"CR LF", "\r\n", true, "", "", false},
        {"last line without line feed", "\n", false, "", "", false},
        {"CR LF, last line without line end", "\r\n", false, "", "", false},
        {"blank lines after the body", "\n", true, "\n \t\r\n\n", "", false},
        {"blanks before the values", "\n", true, "", " \t ", false},
        {"a line longer than any chunk", "\n", true, "", "", true},
    };
    TempDir dir;
    const SnapshotLoadSettings s = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    const std::vector<Particle> ps = Sample(23);
    for (const ShapeCase& c : cases) {
        std::string text = Ascii(s.grammar, 1, ps, -1, c.eol, c.lastEol) + c.tail;
        if (!c.indent.empty())
            for (size_t p = text.find('\n', text.find('\n') + 1); p != std::string::npos && p + 1 < text.size();
                 p = text.find('\n', p + 1 + c.indent.size()))
                text.insert(p + 1, c.indent);
        if (c.longLine) {
            const size_t at = text.find(c.eol, text.size() / 2);
            std::string extra;
            for (int k = 0; k < 400; ++k) extra += " 1e9";
            text.insert(at, extra);
        }
        WriteFile(dir.File("b.txt"), text);
        for (size_t chunk : {size_t{1}, size_t{7}, size_t{0}}) {
            for (int workers : {1, 2, 3, 4, 7, 13}) {
                SCOPED_TRACE(std::string(c.name) + ", chunk " + std::to_string(chunk) + ", workers " +
                             std::to_string(workers));
                ParticleData_cls pd;
                const SnapshotReadResult r = ReadAsciiBlocks(pd, dir.File("b.txt"), s, workers, chunk);
                ASSERT_TRUE(r.ok) << r.message;
                ExpectParticles(pd, ps, s.grammar);
                if (HasFailure()) return;
            }
        }
    }
}

TEST(SnapshotReader, AsciiLineCountsAreCheckedAndErrorsNameTheirLine) {
    // The header's count is 4 (lines 1-2 are the header, body lines are file lines 3-6).
    const SnapshotLoadSettings s = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    const std::string full = Ascii(s.grammar, 1, Sample(4));
    auto upToLine = [&](int line) {  // text of file lines 1..line
        size_t p = 0;
        for (int k = 0; k < line; ++k) p = full.find('\n', p) + 1;
        return full.substr(0, p);
    };
    struct CountCase {
        const char* name;
        std::string text;
        const char* expected;  // "" when the file reads
        int64_t line;
        int64_t ignoredFrom = -1;  ///< first extra body line reported, for a file that reads
    };
    const std::vector<CountCase> cases = {
        {"line cut short at the end of the file", upToLine(4) + "0.5 1.5", "line 5: expected 10 values, found 2", 5},
        {"line cut short after its line feed", upToLine(4) + "0.5 1.5\n", "line 5: expected 10 values, found 2", 5},
        {"body short by whole lines", upToLine(5), "line 6: the file ends after 3 of 4 particles", 6},
        // The header's count is read; the rest is reported from its first line on.
        {"one line too many", full + full.substr(full.find('\n', full.find('\n') + 1) + 1), "", -1, 7},
        {"extra lines after blank ones", full + "\n \n" + "junk\nmore junk\n", "", -1, 9},
        {"extra last line without a line feed", full + "junk", "", -1, 7},
        {"blank line inside the body", upToLine(3) + "\n" + full.substr(upToLine(3).size()),
         "line 4: expected 10 values, found 0", 4},
        {"blank lines after the body", full + "\n  \r\n\t\n", "", -1},
    };
    TempDir dir;
    for (const CountCase& c : cases) {
        WriteFile(dir.File("c.txt"), c.text);
        for (int workers : {1, 3}) {
            for (size_t chunk : {size_t{7}, size_t{0}}) {
                SCOPED_TRACE(std::string(c.name) + ", workers " + std::to_string(workers) + ", chunk " +
                             std::to_string(chunk));
                ParticleData_cls pd;
                const SnapshotReadResult r = ReadAsciiBlocks(pd, dir.File("c.txt"), s, workers, chunk);
                if (*c.expected == '\0') {
                    EXPECT_TRUE(r.ok) << r.message;
                    EXPECT_EQ(r.ignoredFrom, c.ignoredFrom);
                    if (c.ignoredFrom > 0) {
                        EXPECT_EQ(r.warning, "line " + std::to_string(c.ignoredFrom) +
                                                 ": the body holds more than the 4 particles of the header;"
                                                 " the rest of the file is ignored");
                        ExpectParticles(pd, Sample(4), s.grammar);
                    } else {
                        EXPECT_EQ(r.warning, "");
                    }
                    continue;
                }
                ASSERT_FALSE(r.ok);
                EXPECT_NE(r.message.find(c.expected), std::string::npos) << r.message;
                EXPECT_EQ(r.line, c.line);
            }
        }
        // The whole load names the file too.
        ParticleData_cls pd;
        const SnapshotReadResult r = LoadFile(pd, dir.File("c.txt"), s, 2);
        EXPECT_EQ(r.ok, *c.expected == '\0') << c.name;
        if (c.ignoredFrom > 0) {
            EXPECT_EQ(r.warning.find(dir.File("c.txt") + ": line " + std::to_string(c.ignoredFrom) + ": "), 0u)
                << r.warning;
        }
        if (!r.ok) {
            EXPECT_EQ(r.message.find(dir.File("c.txt") + ": line "), 0u) << r.message;
        }
    }
}

TEST(SnapshotReader, BinaryChunksOfAnySizeGiveTheSameParticles) {
    TempDir dir;
    const std::vector<Particle> ps = Sample(10);
    for (const auto& body : {std::vector<int>{0, 1, 5, 6, 7, 8}, std::vector<int>{7, 0, 3, 8}}) {
        const SnapshotLoadSettings s = Settings(0, {0, 1}, body);
        WriteFile(dir.File("c.bin"), Binary(s.grammar, 0, ps));
        for (int64_t chunk : {1, 3, 9, 10, 11}) {
            SCOPED_TRACE("chunk " + std::to_string(chunk));
            ParticleData_cls pd;
            ASSERT_TRUE(pd.Load(wxString::FromUTF8(dir.File("c.bin").c_str()), s));
            std::FILE* f = std::fopen(dir.File("c.bin").c_str(), "rb");
            ASSERT_NE(f, nullptr);
            const SnapshotReadResult r = ThreadFileReader_cls::ReadBodyBinary(f, s.grammar, 10, *pd.arrays, nullptr, chunk);
            std::fclose(f);
            ASSERT_TRUE(r.ok) << r.message;
            ClearUnfilledArrays(s.grammar, 10, *pd.arrays);
            ExpectParticles(pd, ps, s.grammar);
        }
    }
}

TEST(SnapshotReader, TransformsFollowTheSwitches) {
    struct TransformCase {
        const char* name;
        float t[3], scale, vscale;
        unsigned log;
        float value;
        float expX, expVx, expR, expV;
    };
    // particle: x 2, vx 3, radius 0.5
    const std::vector<TransformCase> cases = {
        {"all off", {0, 0, 0}, 0, 0, 0, 7, 2, 3, 0.5f, 7},
        {"scale 1", {0, 0, 0}, 1, 1, 0, 7, 2, 3, 0.5f, 7},
        {"translate then scale", {1, 0, 0}, 2, 0, 0, 7, 6, 6, 1.0f, 7},
        {"value scale", {0, 0, 0}, 0, 3, 0, 7, 2, 3, 0.5f, 21},
        {"log of 100", {0, 0, 0}, 0, 0, 1, 100, 2, 3, 0.5f, 2},
        {"log of 0", {0, 0, 0}, 0, 0, 1, 0, 2, 3, 0.5f, 0},
        {"log of a negative", {0, 0, 0}, 0, 0, 1, -5, 2, 3, 0.5f, 0},
        {"log switch 2 does nothing", {0, 0, 0}, 0, 0, 2, 100, 2, 3, 0.5f, 100},
        {"value scale before log", {0, 0, 0}, 0, 10, 1, 10, 2, 3, 0.5f, 2},
    };
    for (const TransformCase& c : cases) {
        SCOPED_TRACE(c.name);
        float pos[3] = {2, 0, 0}, vel[3] = {3, 0, 0}, rad = 0.5f, val = c.value;
        ParticleArrays_cls a;
        a.position = pos;
        a.velocity = vel;
        a.radius = &rad;
        a.value1 = &val;
        SnapshotLoadSettings s;
        for (int k = 0; k < 3; ++k) s.translate[k] = c.t[k];
        s.scale = c.scale;
        s.value1Scale = c.vscale;
        s.logarithm = c.log;
        ApplyTransforms(s, 1, a);
        EXPECT_FLOAT_EQ(pos[0], c.expX);
        EXPECT_FLOAT_EQ(vel[0], c.expVx);
        EXPECT_FLOAT_EQ(rad, c.expR);
        EXPECT_FLOAT_EQ(val, c.expV);
    }
}

TEST(SnapshotReader, SortByIdKeepsEachParticleTogether) {
    TempDir dir;
    SnapshotLoadSettings s;
    s.numberMode = 2;
    std::vector<Particle> ps = Sample(3);
    ps[0].id = 5;
    ps[1].id = 3;
    ps[2].id = 9;
    WriteFile(dir.File("s.bin"), Binary(s.grammar, 0, ps));
    ParticleData_cls pd;
    ASSERT_TRUE(LoadFile(pd, dir.File("s.bin"), s).ok);
    ExpectParticles(pd, {ps[1], ps[0], ps[2]}, s.grammar);
}

TEST(SnapshotReader, SortByIdIsStableForEveryIdRange) {
    // Every array follows its particle; equal IDs keep their file order; signed order.
    const std::vector<std::vector<int32_t>> idSets = [] {
        std::mt19937 rng(3);
        std::vector<std::vector<int32_t>> sets;
        std::vector<int32_t> wide, few, sorted;
        for (int i = 0; i < 50000; ++i) {
            wide.push_back(static_cast<int32_t>(rng()));
            few.push_back(static_cast<int32_t>(rng() % 50) - 25);
            sorted.push_back(i / 3);
        }
        wide[5] = INT32_MIN;
        wide[6] = INT32_MAX;
        wide[7] = wide[8];
        sets.push_back(wide);
        sets.push_back(few);
        sets.push_back(sorted);
        sets.push_back({2, 1});
        return sets;
    }();
    for (const auto& ids : idSets) {
        const size_t n = ids.size();
        std::vector<float> pos(3 * n), vel(3 * n), rad(n), val(n);
        std::vector<uint8_t> type(n);
        std::vector<int32_t> id(ids);
        for (size_t i = 0; i < n; ++i) {
            for (int c = 0; c < 3; ++c) pos[3 * i + c] = static_cast<float>(3 * i + c), vel[3 * i + c] = -pos[3 * i + c];
            rad[i] = static_cast<float>(i);
            val[i] = static_cast<float>(i) * 0.5f;
            type[i] = static_cast<uint8_t>(i % 4);
        }
        ParticleArrays_cls a;
        a.position = pos.data();
        a.velocity = vel.data();
        a.radius = rad.data();
        a.value1 = val.data();
        a.type = type.data();
        a.id = id.data();
        SortByID(static_cast<int64_t>(n), a);
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) { return ids[x] < ids[y]; });
        for (size_t k = 0; k < n; ++k) {
            const size_t i = order[k];
            ASSERT_EQ(id[k], ids[i]) << k;
            ASSERT_EQ(rad[k], static_cast<float>(i)) << k;  // the particle, not just an equal ID
            ASSERT_EQ(val[k], static_cast<float>(i) * 0.5f) << k;
            ASSERT_EQ(type[k], i % 4) << k;
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(pos[3 * k + c], static_cast<float>(3 * i + c)) << k;
                ASSERT_EQ(vel[3 * k + c], -static_cast<float>(3 * i + c)) << k;
            }
        }
    }
}

TEST(SnapshotReader, HeaderWithDummyCodesTakesThreeAndTenLines) {
    // Time after a Dummy*3 header field is on line 4, the count on line 5; after Dummy*10 on 11/12.
    TempDir dir;
    for (const auto& head : {std::vector<int>{3, 0, 1}, std::vector<int>{4, 0, 1}, std::vector<int>{2, 0, 1}}) {
        const SnapshotLoadSettings s = Settings(1, head, {0});
        const std::vector<Particle> ps = Sample(4);
        const std::string text = Ascii(s.grammar, 4.5f, ps);
        WriteFile(dir.File("h.txt"), text);
        ParticleData_cls pd;
        ASSERT_TRUE(LoadFile(pd, dir.File("h.txt"), s).ok);
        EXPECT_EQ(pd.time, 4.5);
        ExpectParticles(pd, ps, s.grammar);
    }
}

TEST(ParticleData, ZeroParticlesAllocateNothingAndReloadSkipsTheHeader) {
    TempDir dir;
    const SnapshotLoadSettings s;
    WriteFile(dir.File("z.bin"), Binary(s.grammar, 1.0f, {}));
    ParticleData_cls pd;
    ASSERT_TRUE(LoadFile(pd, dir.File("z.bin"), s).ok);
    EXPECT_EQ(pd.count, 0);
    EXPECT_FALSE(pd.allocated);
    // The header is not read again while the count is known: a broken file is not noticed.
    WriteFile(dir.File("z.bin"), "xx");
    EXPECT_TRUE(pd.Load(wxString::FromUTF8(dir.File("z.bin").c_str()), s));
    EXPECT_EQ(pd.count, 0);
}

TEST(ParticleData, EvictionRereadsTheHeader) {
    TempDir dir;
    const SnapshotLoadSettings s;
    WriteFile(dir.File("e.bin"), Binary(s.grammar, 1.0f, Sample(3)));
    ParticleData_cls pd;
    ASSERT_TRUE(pd.Load(wxString::FromUTF8(dir.File("e.bin").c_str()), s));
    WriteFile(dir.File("e.bin"), Binary(s.grammar, 2.0f, Sample(5)));
    ASSERT_TRUE(pd.Load(wxString::FromUTF8(dir.File("e.bin").c_str()), s));
    EXPECT_EQ(pd.count, 3);  // loaded without eviction: the header is read once
    pd.Free();
    EXPECT_EQ(pd.count, -1);
    ASSERT_TRUE(pd.Load(wxString::FromUTF8(dir.File("e.bin").c_str()), s));
    EXPECT_EQ(pd.count, 5);
    EXPECT_EQ(pd.time, 2.0);
}

TEST(ParticleData, AllocationFollowsTheInterpolationTypeAndTheEstimate) {
    ParticleData_cls pd;
    EXPECT_EQ(pd.GetMemoryKB(), 0);
    ASSERT_TRUE(pd.Allocate(1024));
    EXPECT_NE(pd.hermiteC2, nullptr);
    EXPECT_NE(pd.id, nullptr);
    // in use before any rates: 2 × 12 bytes of vectors, 2 × 4 of scalars, 1 type, 4 id;
    // with rates the Hermite pair (2 × 12) and the two rates (2 × 4) join
    EXPECT_EQ(pd.GetMemoryKB(), 37);
    pd.ratesInUse = true;
    EXPECT_EQ(pd.GetMemoryKB(), 69);
    float *p, *v, *c2, *c3, *r, *rr, *val, *vr;
    uint8_t* t;
    int32_t* ids;
    pd.arrays->GetAll(p, v, c2, c3, r, rr, val, vr, t, ids);
    EXPECT_EQ(p, pd.position);
    EXPECT_EQ(c3, pd.hermiteC3);
    EXPECT_EQ(ids, pd.id);
    pd.Free();
    pd.interpolationType = 0;
    ASSERT_TRUE(pd.Allocate(1024));
    EXPECT_EQ(pd.hermiteC2, nullptr);
    EXPECT_EQ(pd.arrays->hermiteC3, nullptr);
    EXPECT_FALSE(pd.ratesInUse);  // a new allocation starts without rates
    EXPECT_EQ(pd.GetMemoryKB(), 37);
    pd.ratesInUse = true;
    EXPECT_EQ(pd.GetMemoryKB(), 45);
    ASSERT_TRUE(pd.Allocate(0));  // frees first; nothing held for 0
    EXPECT_FALSE(pd.allocated);
    EXPECT_EQ(pd.count, 0);
}

TEST(ParticleData, ReaderThreadFillsTheArraysAndSignalsWhenDone) {
    TempDir dir;
    SnapshotLoadSettings s = Settings(1, {0, 1}, {0, 1, 5, 6, 7, 8});
    const std::vector<Particle> ps = Sample(50);
    WriteFile(dir.File("t.txt"), Ascii(s.grammar, 0.25f, ps));
    for (const std::string& name : {std::string("t.txt"), std::string("missing.txt")}) {
        SCOPED_TRACE(name);
        ParticleData_cls pd(nullptr, 3);
        const wxString file = wxString::FromUTF8(dir.File(name).c_str());
        if (name == "t.txt") ASSERT_TRUE(pd.Load(file, s));
        else pd.Allocate(4);  // as if the file vanished after its header was read
        std::atomic<bool> loaded{false};
        std::atomic<int> finished{0};
        ASSERT_TRUE(pd.StartReader(file, s, 3, &loaded, [&] { finished.fetch_add(1); }));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (ThreadFileReader_cls::IsRunning() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_FALSE(ThreadFileReader_cls::IsRunning());
        EXPECT_TRUE(loaded.load(std::memory_order_acquire));
        EXPECT_TRUE(GbFileReaderDone.load());
        EXPECT_EQ(finished.load(), 1);
        // The registration is the GUI thread's to clear, once the reader has ended.
        EXPECT_NE(GpFileReaderThread.load(), nullptr);
        EXPECT_EQ(GiLoadingFileIndex.load(), 3);
        EXPECT_TRUE(ThreadFileReader_cls::ForgetFinished());
        EXPECT_EQ(GpFileReaderThread.load(), nullptr);
        EXPECT_EQ(GiLoadingFileIndex.load(), -1);
        EXPECT_EQ(GiLoadProgress.load(), 100);
        if (name == "t.txt") {
            EXPECT_FALSE(pd.readFailed) << pd.readError;
            ExpectParticles(pd, ps, s.grammar);
        } else {
            EXPECT_TRUE(pd.readFailed);
            EXPECT_NE(pd.readError.find("missing.txt: cannot open the file"), std::string::npos) << pd.readError;
        }
    }
}

TEST(ParticleData, SecondReaderIsNotStartedWhileOneIsRegistered) {
    ParticleData_cls pd;
    int dummy = 0;
    GpFileReaderThread.store(reinterpret_cast<ThreadFileReader_cls*>(&dummy));
    std::atomic<bool> loaded{false};
    EXPECT_FALSE(pd.StartReader("whatever", SnapshotLoadSettings(), 1, &loaded));
    EXPECT_FALSE(loaded.load());
    GpFileReaderThread.store(nullptr);
}

TEST(SnapshotReader, DemoSequenceWritesFilesTheDefaultGrammarReads) {
    TempDir dir;
    for (const bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "ascii");
        DemoSequenceOptions o;
        std::string folder;
        ASSERT_EQ(ParseDemoArguments({dir.Path(), "--frames", "3", "--particles", "40", binary ? "--binary" : "--ascii"},
                                     o, folder), "");
        std::string error;
        ASSERT_TRUE(DemoSequence_cls(o).WriteAll(folder, error)) << error;
        SnapshotLoadSettings s;
        s.grammar.dataType = binary ? SNAPSHOT_BINARY : SNAPSHOT_ASCII;
        double lastTime = -1;
        for (int k = 0; k < 3; ++k) {
            ParticleData_cls pd(nullptr, k);
            const SnapshotReadResult r = LoadFile(pd, dir.File(std::string("demo000") + char('0' + k) + (binary ? ".dat" : ".txt")), s);
            ASSERT_TRUE(r.ok) << r.message;
            ASSERT_EQ(pd.count, 40);
            EXPECT_GT(pd.time, lastTime);
            lastTime = pd.time;
            int types[4] = {0, 0, 0, 0};
            for (int i = 0; i < 40; ++i) {
                EXPECT_EQ(pd.id[i], i);
                ++types[pd.type[i]];
                EXPECT_GT(pd.radius[i], 0.0f);
            }
            for (int t : types) EXPECT_EQ(t, 10);
        }
    }
}

TEST(SnapshotReader, AsciiHeaderWithoutLineEndIsRefusedWithoutReadingTheWholeFile) {
    // A huge file whose count line never ends: the header reader gives up after its
    // limit (1 MiB) instead of taking in the whole file.
    const SnapshotLoadSettings s = Settings(1, {0, 1}, {0});
    TempDir dir;
    WriteFile(dir.File("endless.txt"), "1.5\n" + std::string(3u << 20, '7'));
    ParticleData_cls pd;
    EXPECT_FALSE(pd.Load(wxString::FromUTF8(dir.File("endless.txt").c_str()), s));
    EXPECT_TRUE(pd.readFailed);
    EXPECT_NE(pd.readError.find("line 2: no end of line within the first 1048576 bytes"), std::string::npos)
        << pd.readError;
    EXPECT_EQ(pd.count, -1);
}

TEST(SnapshotReader, LongAsciiHeaderLinesDoNotCutTheCount) {
    // The count line straddles the first 64 KiB of the file.
    const SnapshotLoadSettings s = Settings(1, {2, 0, 1}, {0});
    std::string text = std::string(65530, 'x') + "\n1.5\n12\n";
    ASSERT_LT(text.find("12\n"), 65536u);
    ASSERT_GT(text.find("12\n") + 2, 65536u);
    const std::vector<Particle> ps = Sample(12);
    for (const Particle& p : ps)
        text += platform::FormatShortest(p.pos[0]) + " " + platform::FormatShortest(p.pos[1]) + " " +
                platform::FormatShortest(p.pos[2]) + "\n";
    TempDir dir;
    WriteFile(dir.File("long.txt"), text);
    ParticleData_cls pd;
    const SnapshotReadResult r = LoadFile(pd, dir.File("long.txt"), s);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(pd.time, 1.5);
    ExpectParticles(pd, ps, s.grammar);
}
