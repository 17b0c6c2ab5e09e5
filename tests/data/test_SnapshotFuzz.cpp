// Randomised damage to valid snapshot files (truncation, changed bytes, stray characters,
// wild counts): every read must end in particles or a clear error, never a crash. Run it
// in the sanitizer build, where any read outside a buffer fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

#include "data/ParticleData.h"
#include "data/SnapshotReader.h"
#include "data/ThreadFileReader.h"
#include "tests/data/SnapshotTestUtil.h"
#include "tests/support/TestFiles.h"

using namespace snaptest;

namespace {

const std::vector<std::pair<std::vector<int>, std::vector<int>>> kGrammars = {
    {{0, 1}, {0, 1, 5, 6, 7, 8}},
    {{3, 0, 1}, {0, 8}},
    {{2, 1}, {7, 0, 4, 6}},
    {{1, 4, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
};

uint32_t Seed() {
    const char* env = std::getenv("PT_FUZZ_SEED");
    return env ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : 20261210u;
}

int Iterations() {
    const char* env = std::getenv("PT_FUZZ_ITERATIONS");
    return env ? std::atoi(env) : 20000;
}

std::string Damage(std::string bytes, bool ascii, std::mt19937& rng) {
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(rng); };
    const int kind = static_cast<int>(pick(5));
    if (bytes.empty()) return bytes;
    switch (kind) {
        case 0:  // truncate anywhere
            bytes.resize(pick(bytes.size()));
            break;
        case 1:  // random bytes changed
            for (size_t k = pick(6) + 1; k > 0; --k) bytes[pick(bytes.size() - 1)] = static_cast<char>(pick(255));
            break;
        case 2: {  // characters a number reader might trip on
            static const char kChars[] = "-+.eE0123456789 \t\r\n\0xnai";
            for (size_t k = pick(8) + 1; k > 0; --k) {
                const char c = kChars[pick(sizeof kChars - 2)];
                if (pick(1)) bytes[pick(bytes.size() - 1)] = c;
                else bytes.insert(pick(bytes.size()), 1, c);
            }
            break;
        }
        case 3:  // a wild count: binary in its field, ASCII on the count line
            if (!ascii) {
                const int32_t wild[] = {-1, 0, 1, 2, 0x7FFFFFFF, INT32_MIN, 1000, 31};
                const int32_t v = wild[pick(7)];
                for (size_t off = 0; off + 4 <= bytes.size() && off < 48; off += 4)
                    if (pick(3) == 0) std::memcpy(&bytes[off], &v, 4);
            } else {
                const char* wild[] = {"-1", "0", "99999999999999999999", "9223372036854775807", "3e2", "", "1 2"};
                const size_t nl = bytes.find('\n');
                bytes.replace(0, nl == std::string::npos ? bytes.size() : nl, wild[pick(6)]);
                bytes.insert(0, "1\n");
            }
            break;
        case 4:  // lines dropped or repeated
            if (ascii) {
                const size_t a = pick(bytes.size() - 1);
                const size_t b = bytes.find('\n', a);
                if (b != std::string::npos) {
                    if (pick(1)) bytes.erase(a, b - a + 1);
                    else bytes.insert(a, bytes.substr(a, b - a + 1));
                }
            } else {
                bytes.erase(pick(bytes.size() - 1), pick(40));
            }
            break;
        default:  // left alone
            break;
    }
    return bytes;
}

struct Outcomes {
    int headerRefused = 0, bodyRefused = 0, read = 0;
};

// In memory, from an exact-size heap copy so that the sanitizer sees any overread.
void ParseInMemory(const std::string& bytes, const SnapshotGrammar& g, int64_t iter, Outcomes& out) {
    std::unique_ptr<char[]> buf(new char[bytes.size() + 1]);
    std::memcpy(buf.get(), bytes.data(), bytes.size());
    const char* text = buf.get();
    SnapshotHeader h;
    SnapshotReadResult r = g.dataType == SNAPSHOT_BINARY
                               ? ParseHeaderBinary(reinterpret_cast<const unsigned char*>(text), bytes.size(),
                                                   bytes.size(), g, h)
                               : ParseHeaderAscii(text, bytes.size(), g, h);
    if (!r.ok) {
        EXPECT_FALSE(r.message.empty()) << iter;
        ++out.headerRefused;
        return;
    }
    ASSERT_GE(h.count, 0) << iter;
    ASSERT_LE(h.bodyOffset, bytes.size()) << iter;
    ParticleData_cls pd;
    ASSERT_TRUE(pd.Allocate(h.count)) << iter;
    if (h.count == 0) {
        ++out.read;
        return;
    }
    if (g.dataType == SNAPSHOT_BINARY) {
        ASSERT_LE(h.bodyOffset + static_cast<uint64_t>(h.count) * g.RecordByteSize(), bytes.size()) << iter;
        r = ParseBodyBinary(reinterpret_cast<const unsigned char*>(text) + h.bodyOffset,
                            bytes.size() - h.bodyOffset, g, 0, h.count, *pd.arrays, h.bodyOffset);
        EXPECT_TRUE(r.ok) << iter << " " << r.message;  // the header check guarantees the bytes
    } else {
        r = ParseBodyAscii(text, bytes.size(), h, g, *pd.arrays);
        if (!r.ok) {
            EXPECT_GT(r.line, 0) << iter << " " << r.message;
        }
    }
    if (!r.ok) {
        ++out.bodyRefused;
        return;
    }
    ++out.read;
    ClearUnfilledArrays(g, h.count, *pd.arrays);
    for (int64_t i = 0; r.ok && i < h.count; ++i) ASSERT_LE(pd.type[i], 3) << iter;
}

}  // namespace

TEST(SnapshotFuzz, DamagedFilesGiveParticlesOrAClearErrorInMemory) {
    std::mt19937 rng(Seed());
    const int n = Iterations();
    Outcomes out;
    for (int iter = 0; iter < n; ++iter) {
        const auto& gc = kGrammars[static_cast<size_t>(iter) % kGrammars.size()];
        SnapshotGrammar g;
        g.dataType = (iter / 4) % 2;
        g.headerCodes = gc.first;
        g.bodyCodes = gc.second;
        std::vector<Particle> ps = Sample(static_cast<int>(rng() % 30));
        for (Particle& p : ps) p.type = static_cast<int32_t>(rng() % 600) - 300;
        const bool ascii = g.dataType == SNAPSHOT_ASCII;
        const std::string valid = ascii ? Ascii(g, 1.5f, ps) : Binary(g, 1.5f, ps);
        ParseInMemory(Damage(valid, ascii, rng), g, iter, out);
        if (HasFatalFailure()) return;
    }
    // The damage must reach every outcome, or the test checks less than it claims.
    EXPECT_GT(out.headerRefused, n / 20);
    EXPECT_GT(out.bodyRefused, n / 50);
    EXPECT_GT(out.read, n / 20);
    std::printf("header refused %d, body refused %d, read %d\n", out.headerRefused, out.bodyRefused, out.read);
}

TEST(SnapshotFuzz, DamagedFilesAndFixturesThroughTheFileReader) {
    testsupport::TempDir dir;
    std::mt19937 rng(Seed() + 1);
    std::vector<std::pair<std::string, int>> seeds;
    for (const char* f : {"default_two_particles.bin", "body_last_line_no_newline.txt", "body_short.txt",
                          "body_line_too_few_values.txt", "header_count_exceeds_size.bin"}) {
        const std::string name = f;
        seeds.push_back({testsupport::ReadFile(std::string(PT_SOURCE_DIR) + "/tests/data/fixtures/" + name),
                         name.substr(name.size() - 3) == "txt" ? 1 : 0});
    }
    const int n = Iterations() / 6;
    for (int iter = 0; iter < n; ++iter) {
        SnapshotLoadSettings s;
        std::string valid;
        if (iter % 3 == 0) {
            const auto& seed = seeds[static_cast<size_t>(iter / 3) % seeds.size()];
            valid = seed.first;
            s.grammar.dataType = seed.second;
        } else {
            const auto& gc = kGrammars[static_cast<size_t>(iter) % kGrammars.size()];
            s.grammar.dataType = iter % 2;
            s.grammar.headerCodes = gc.first;
            s.grammar.bodyCodes = gc.second;
            const auto ps = Sample(static_cast<int>(rng() % 40));
            valid = s.grammar.dataType ? Ascii(s.grammar, 2.0f, ps) : Binary(s.grammar, 2.0f, ps);
        }
        s.numberMode = static_cast<int>(rng() % 3);
        const bool ascii = s.grammar.dataType == SNAPSHOT_ASCII;
        testsupport::WriteFile(dir.File("f"), Damage(valid, ascii, rng));
        ParticleData_cls pd(nullptr, iter);
        const SnapshotReadResult r = LoadFile(pd, dir.File("f"), s, 1 + static_cast<int>(rng() % 4));
        if (!r.ok) {
            EXPECT_NE(r.message.find(dir.File("f")), std::string::npos) << iter << " " << r.message;
        } else {
            for (int64_t i = 0; i < pd.count; ++i) ASSERT_LE(pd.type[i], 3) << iter;
        }
    }
}

TEST(SnapshotFuzz, AsciiBlocksAgreeWithTheWholeTextParse) {
    // The file reader cuts the body into byte blocks read in small chunks; whatever the
    // damage, it must end exactly as the parse of the whole text does: the same particles,
    // or the same message for the same line.
    testsupport::TempDir dir;
    std::mt19937 rng(Seed() + 2);
    const int n = Iterations() / 40;
    int compared = 0;
    for (int iter = 0; iter < n; ++iter) {
        const auto& gc = kGrammars[static_cast<size_t>(iter) % kGrammars.size()];
        SnapshotGrammar g;
        g.dataType = SNAPSHOT_ASCII;
        g.headerCodes = gc.first;
        g.bodyCodes = gc.second;
        std::vector<Particle> ps = Sample(static_cast<int>(rng() % 40));
        for (Particle& p : ps) p.type = static_cast<int32_t>(rng() % 600) - 300;
        std::string text = Damage(Ascii(g, 1.5f, ps), true, rng);
        if (rng() % 4 == 0) text += "\n \r\n";
        SnapshotHeader h;
        if (!ParseHeaderAscii(text.data(), text.size(), g, h).ok) continue;
        ParticleData_cls whole, blocks;
        ASSERT_TRUE(whole.Allocate(h.count)) << iter;
        ASSERT_TRUE(blocks.Allocate(h.count)) << iter;
        ParticleArrays_cls none;
        const ParticleArrays_cls& wa = whole.arrays ? *whole.arrays : none;
        const ParticleArrays_cls& ba = blocks.arrays ? *blocks.arrays : none;
        const SnapshotReadResult r1 = ParseBodyAscii(text.data(), text.size(), h, g, wa);
        testsupport::WriteFile(dir.File("a.txt"), text);
        std::FILE* f = std::fopen(dir.File("a.txt").c_str(), "rb");
        ASSERT_NE(f, nullptr);
        const int workers = 1 + static_cast<int>(rng() % 6);
        const size_t chunk = 1 + rng() % 48;
        const SnapshotReadResult r2 = ThreadFileReader_cls::ReadBodyAscii(f, g, h.count, ba, workers, nullptr, chunk);
        std::fclose(f);
        ++compared;
        ASSERT_EQ(r1.ok, r2.ok) << iter << " " << r1.message << " / " << r2.message;
        EXPECT_EQ(r1.message, r2.message) << iter;
        EXPECT_EQ(r1.line, r2.line) << iter;
        if (!r1.ok || h.count == 0) continue;
        ClearUnfilledArrays(g, h.count, wa);
        ClearUnfilledArrays(g, h.count, ba);
        const size_t un = static_cast<size_t>(h.count);
        EXPECT_EQ(std::memcmp(wa.position, ba.position, 12 * un), 0) << iter;
        EXPECT_EQ(std::memcmp(wa.velocity, ba.velocity, 12 * un), 0) << iter;
        EXPECT_EQ(std::memcmp(wa.radius, ba.radius, 4 * un), 0) << iter;
        EXPECT_EQ(std::memcmp(wa.value1, ba.value1, 4 * un), 0) << iter;
        EXPECT_EQ(std::memcmp(wa.id, ba.id, 4 * un), 0) << iter;
        EXPECT_EQ(std::memcmp(wa.type, ba.type, un), 0) << iter;
        if (HasFailure()) return;
    }
    EXPECT_GT(compared, n / 2);
}

namespace {

// Reads `tokens` as the one body column `bodyCode` of a text snapshot, each line ending in
// "\n" or, at random, in `otherEnd`, into `pd`.
void ReadOneColumn(const std::vector<std::string>& tokens, int bodyCode, const char* otherEnd, std::mt19937& rng,
                   ParticleData_cls& pd) {
    SnapshotGrammar g;
    g.dataType = SNAPSHOT_ASCII;
    g.headerCodes = {1};
    g.bodyCodes = {bodyCode};
    std::string text = std::to_string(tokens.size()) + "\n";
    for (const std::string& t : tokens) text += t + (rng() % 2 ? "\n" : otherEnd);
    SnapshotHeader h;
    ASSERT_TRUE(ParseHeaderAscii(text.data(), text.size(), g, h).ok);
    ASSERT_TRUE(pd.Allocate(h.count));
    const SnapshotReadResult r = ParseBodyAscii(text.data(), text.size(), h, g, *pd.arrays);
    ASSERT_TRUE(r.ok) << r.message;
}

}  // namespace

TEST(SnapshotFuzz, AsciiDecimalsReadAsFromCharsReadsThem) {
    // The body reader has a quick path for plain decimals; every number must come out with
    // the same bits std::from_chars gives, on both sides of the quick path's limits.
    std::mt19937 rng(Seed() + 3);
    auto digits = [&](int n) {
        std::string d;
        for (int k = 0; k < n; ++k) d += static_cast<char>('0' + rng() % 10);
        return d;
    };
    std::vector<std::string> tokens = {"16777216", "16777217", "-16777215", "1677721.6", "0.1", "-0.0", "5.", ".5",
                                       "-.5", "0.0000000001", "0.00000000001", "9999999.5", "3.4028235e38",
                                       "1e-45", "00012.50", "123456789.123", "0.30000001192092896",
                                       // coordinates as dumps print them
                                       "16.780000", "-287.123456", "999.999999", "123.4567891",
                                       // nearest double exactly halfway between two floats
                                       // while the decimal is above or below it
                                       "0.5000000298023224", "-0.5000000298023224", "0.5000000298023223",
                                       "0.50000002980232238769531250", "1.000000059604644775390625",
                                       "8388609.5", "8388610.5", "9007199254740993", "9007199254.740992"};
    for (int k = 0; k < 20000; ++k) {
        std::string t = rng() % 3 == 0 ? "-" : "";
        const int whole = static_cast<int>(rng() % 10);
        const int decimals = static_cast<int>(rng() % 13);
        t += digits(whole);
        if (decimals > 0 || whole == 0) t += "." + digits(std::max(decimals, whole == 0 ? 1 : 0));
        if (rng() % 10 == 0) t += "e" + std::to_string(static_cast<int>(rng() % 20) - 10);
        tokens.push_back(t);
    }
    ParticleData_cls pd;
    ASSERT_NO_FATAL_FAILURE(ReadOneColumn(tokens, 8, " \r\n", rng, pd));
    for (size_t i = 0; i < tokens.size(); ++i) {
        float want = 0.0f;
        const std::string& t = tokens[i];
        const auto fc = std::from_chars(t.data(), t.data() + t.size(), want);
        ASSERT_EQ(fc.ptr, t.data() + t.size()) << t;
        if (fc.ec != std::errc()) continue;  // beyond the float range: clamped, tested elsewhere
        uint32_t a, b;
        std::memcpy(&a, &want, 4);
        std::memcpy(&b, &pd.value1[i], 4);
        EXPECT_EQ(a, b) << t << " read as " << pd.value1[i] << ", from_chars gives " << want;
    }
}

TEST(SnapshotFuzz, AsciiIdsReadAsFromCharsReadsThem) {
    // Ids have a quick path too: on both sides of its nine-digit limit every id must come
    // out as std::from_chars reads it.
    std::mt19937 rng(Seed() + 4);
    std::vector<std::string> tokens = {"0",          "-0",          "7",           "-7",         "123456789",
                                       "-123456789", "000000001",   "0000000001",  "1234567890", "2147483647",
                                       "-2147483648", "00000000000042"};
    for (int k = 0; k < 5000; ++k) {
        std::string t = rng() % 4 == 0 ? "-" : "";
        const int digits = 1 + static_cast<int>(rng() % 10);
        for (int d = 0; d < digits; ++d) t += static_cast<char>('0' + (d == 0 && digits == 10 ? rng() % 2 : rng() % 10));
        tokens.push_back(t);
    }
    ParticleData_cls pd;
    ASSERT_NO_FATAL_FAILURE(ReadOneColumn(tokens, 6, "\t\n", rng, pd));
    for (size_t i = 0; i < tokens.size(); ++i) {
        int32_t want = 0;
        const std::string& t = tokens[i];
        const auto fc = std::from_chars(t.data(), t.data() + t.size(), want, 10);
        ASSERT_EQ(fc.ec, std::errc()) << t;
        EXPECT_EQ(pd.id[i], want) << t;
    }
}
