// The data exporter: files written in every grammar read back by the loader's readers,
// strides, names from the output pattern, empty frames, dummy header lines, write failures,
// the "%f" text and the settings block.
#include "data/DataExporter.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "data/DataLoader.h"
#include "data/DataSequence.h"
#include "data/DataSequenceSet.h"
#include "data/ParticleData.h"
#include "data/SnapshotWriter.h"
#include "tests/data/SnapshotTestUtil.h"
#include "tests/support/TestFiles.h"

using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

// A loaded-looking snapshot of n particles with distinct values and types 0..3.
void FillSnapshot(ParticleData_cls& pd, int n, double time) {
    ASSERT_TRUE(pd.Allocate(n) || n == 0);
    pd.time = time;
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            pd.position[3 * i + c] = 0.1f * static_cast<float>(i) + 1.5e-3f * static_cast<float>(c) - 2.0f;
            pd.velocity[3 * i + c] = -0.37f * static_cast<float>(i + c) + 0.25f;
        }
        pd.radius[i] = 0.01f + 0.001f * static_cast<float>(i);
        pd.value1[i] = 3.25e3f * static_cast<float>(i) - 11.0f;
        pd.id[i] = 1000 - 7 * i;
        pd.type[i] = static_cast<uint8_t>((i * 5) % 4);
    }
}

SnapshotLoadSettings Reading(const DataExporter_cls& ex) {
    SnapshotLoadSettings s;
    s.grammar = ex.Snapshot();
    return s;
}

// |a - b| within what "%f" keeps: half a unit of the sixth decimal, plus the float's own step.
void ExpectNear6(float read, float written, bool exact) {
    if (exact) {
        EXPECT_EQ(read, written);
    } else {
        EXPECT_LE(std::fabs(read - written), 5e-7 + std::fabs(written) * 1.2e-7) << written;
    }
}

struct GrammarCase {
    std::vector<int> head;
    std::vector<int> body;
};

TEST(DataExporter, ExportedFramesReadBackAsTheSameParticles) {
    const GrammarCase grammars[] = {
        {{0, 1}, {0, 1, 5, 6, 7, 8}},           // the default
        {{0, 2, 1}, {0, 3, 5}},                 // dummies between the fields
        {{3, 0, 1, 4}, {4, 8, 0, 7, 6, 2, 1}},  // every dummy, fields in another order
        {{1}, {0}},                             // count alone, positions alone
        {{1, 0}, {6, 7, 0}},
    };
    for (int type : {SNAPSHOT_BINARY, SNAPSHOT_ASCII}) {
        for (const GrammarCase& gc : grammars) {
            for (int stride : {1, 3}) {
                SCOPED_TRACE(::testing::Message() << "type " << type << " head " << gc.head.size() << " body "
                                                  << gc.body.size() << " stride " << stride);
                TempDir dir;
                DataExporter_cls ex(nullptr, nullptr);
                ex.dataType.value = type;
                ex.SetHeaderCodes(gc.head);
                ex.SetBodyCodes(gc.body);
                ex.SetPattern(wxString::FromUTF8((dir.Path() + "/p%04d.dat").c_str()));
                ex.BeginRun();
                ParticleData_cls src;
                FillSnapshot(src, 10, 2.75);
                ASSERT_EQ(ex.ExportSnapshot(src, stride, 4), EXPORT_WRITTEN) << ex.lastError;
                EXPECT_EQ(ex.ExportSnapshot(src, stride, 4), EXPORT_SKIPPED);  // painted twice, written once
                EXPECT_EQ(ex.filesWritten, 1);

                ParticleData_cls back(nullptr, 6);
                const SnapshotReadResult r = snaptest::LoadFile(back, dir.File("p0000.dat"), Reading(ex));
                ASSERT_TRUE(r.ok) << r.message;
                ASSERT_EQ(back.count, stride == 1 ? 10 : 4);  // 0, 3, 6, 9
                const bool exact = type == SNAPSHOT_BINARY;
                const bool hasTime = std::find(gc.head.begin(), gc.head.end(), 0) != gc.head.end();
                EXPECT_EQ(back.time, hasTime ? 2.75 : 6.0);
                auto has = [&](int code) { return std::find(gc.body.begin(), gc.body.end(), code) != gc.body.end(); };
                for (int k = 0; k < back.count; ++k) {
                    const int i = k * stride;
                    for (int c = 0; c < 3; ++c) {
                        ExpectNear6(back.position[3 * k + c], src.position[3 * i + c], exact);
                        if (has(1)) ExpectNear6(back.velocity[3 * k + c], src.velocity[3 * i + c], exact);
                    }
                    ExpectNear6(back.radius[k], has(5) ? src.radius[i] : 0.0f, exact);
                    ExpectNear6(back.value1[k], has(8) ? src.value1[i] : 0.0f, exact);
                    EXPECT_EQ(back.type[k], has(7) ? src.type[i] : 0);
                    if (has(6)) {
                        EXPECT_EQ(back.id[k], src.id[i]);
                    }
                }
            }
        }
    }
}

TEST(DataExporter, FileNamesFollowThePatternAndTheInitialNumber) {
    TempDir dir;
    DataExporter_cls ex(nullptr, nullptr);
    ex.ReadConfig("DataExportInitNum=7");
    // A user's '%' other than the number field is text, never a conversion.
    ex.SetPattern(wxString::FromUTF8((dir.Path() + "/p%s%n%04d.dat").c_str()));
    ex.BeginRun();
    ParticleData_cls src;
    FillSnapshot(src, 3, 0.5);
    EXPECT_EQ(ex.NextFileName(), wxString::FromUTF8((dir.Path() + "/p%s%n0007.dat").c_str()));
    for (int frame : {0, 1, 1, 2}) ex.ExportSnapshot(src, 1, frame);
    EXPECT_EQ(ex.filesWritten, 3);
    for (const char* name : {"p%s%n0007.dat", "p%s%n0008.dat", "p%s%n0009.dat"})
        EXPECT_TRUE(testsupport::FileExists(dir.File(name))) << name;
    EXPECT_EQ(ex.lastSavedFile.text, wxString::FromUTF8(dir.File("p%s%n0009.dat").c_str()));
    // A new run starts from the initial number again.
    ex.BeginRun();
    EXPECT_EQ(ex.lastFrameIndex, -1);
    EXPECT_EQ(ex.NextFileName(), wxString::FromUTF8(dir.File("p%s%n0007.dat").c_str()));
}

TEST(DataExporter, NumberedNameStartsItsRunThenBecomesThePattern) {
    DataExporter_cls ex(nullptr, nullptr);
    ex.SetPattern("/out/p0005.dat");
    ex.BeginRun();
    EXPECT_EQ(ex.NextFileName(), "/out/p0005.dat");
    EXPECT_EQ(ex.output.path, "/out/p%04d.dat");  // what the pattern field shows now
    ex.BeginRun();
    EXPECT_EQ(ex.NextFileName(), "/out/p0000.dat");
    // A name without a number is a single file: each run writes that name.
    ex.SetPattern("/out/single.dat");
    ex.BeginRun();
    EXPECT_EQ(ex.NextFileName(), "/out/single.dat");
    EXPECT_EQ(ex.output.path, "/out/single.dat");
}

TEST(DataExporter, ARunKeepsTheSettingsItStartedWith) {
    TempDir dir;
    DataExporter_cls ex(nullptr, nullptr);
    ex.dataType.value = SNAPSHOT_BINARY;
    ex.SetBodyCodes({0, 6});
    ex.initNum.value = 3;
    ex.SetPattern(wxString::FromUTF8(dir.File("k%02d.dat").c_str()));
    ex.BeginRun();
    ParticleData_cls src;
    FillSnapshot(src, 4, 1.0);
    ASSERT_EQ(ex.ExportSnapshot(src, 1, 0), EXPORT_WRITTEN);
    // The dialog changes the data type, the lists, the first number and the pattern.
    ex.dataType.value = SNAPSHOT_ASCII;
    ex.SetBodyCodes({0, 1, 5});
    ex.initNum.value = 40;
    ex.SetPattern(wxString::FromUTF8(dir.File("other%04d.txt").c_str()));
    ASSERT_EQ(ex.ExportSnapshot(src, 1, 1), EXPORT_WRITTEN);
    EXPECT_EQ(ReadFile(dir.File("k04.dat")), ReadFile(dir.File("k03.dat")));
    EXPECT_EQ(ReadFile(dir.File("k04.dat")).size(), 8u + 4u * 16u);
    // The next run takes the new settings.
    ex.BeginRun();
    ASSERT_EQ(ex.ExportSnapshot(src, 1, 0), EXPORT_WRITTEN);
    EXPECT_TRUE(testsupport::FileExists(dir.File("other0040.txt")));
}

TEST(DataExporter, FrameWithoutParticlesGivesAValidFileWithCountZero) {
    for (int type : {SNAPSHOT_BINARY, SNAPSHOT_ASCII}) {
        SCOPED_TRACE(type);
        TempDir dir;
        DataExporter_cls ex(nullptr, nullptr);
        ex.dataType.value = type;
        ex.SetPattern(wxString::FromUTF8(dir.File("e%04d.dat").c_str()));
        ex.BeginRun();
        ParticleData_cls empty;  // never allocated: count -1
        empty.time = 1.5;
        ASSERT_EQ(ex.ExportSnapshot(empty, 1, 0), EXPORT_WRITTEN) << ex.lastError;
        ParticleData_cls zero;
        FillSnapshot(zero, 0, 2.0);
        ASSERT_EQ(ex.ExportSnapshot(zero, 5, 1), EXPORT_WRITTEN) << ex.lastError;
        for (const char* name : {"e0000.dat", "e0001.dat"}) {
            ParticleData_cls back;
            const SnapshotReadResult r = snaptest::LoadFile(back, dir.File(name), Reading(ex));
            EXPECT_TRUE(r.ok) << r.message;
            EXPECT_EQ(back.count, 0);
        }
        EXPECT_EQ(ReadFile(dir.File("e0000.dat")),
                  type == SNAPSHOT_ASCII ? std::string("1.500000\n0\n") : std::string("\0\0\xc0\x3f\0\0\0\0", 8));
    }
}

TEST(DataExporter, AsciiTextIsPrintfStyleWithDummyHeaderLines) {
    TempDir dir;
    DataExporter_cls ex(nullptr, nullptr);
    ex.dataType.value = SNAPSHOT_ASCII;
    ex.SetHeaderCodes({0, 3, 2, 1, 4});
    ex.SetBodyCodes({0, 2, 5, 6, 7, 3});
    ParticleData_cls src;
    FillSnapshot(src, 2, 1.0 / 3.0);
    ASSERT_TRUE(ex.WriteAscii(wxString::FromUTF8(dir.File("a.txt").c_str()), src, 1));
    std::string dummies10;
    for (int k = 0; k < 10; ++k) dummies10 += "dummy\n";
    EXPECT_EQ(ReadFile(dir.File("a.txt")),
              "0.333333\ndummy\ndummy\ndummy\ndummy\n2\n" + dummies10 +
                  "-2.000000 -1.998500 -1.997000 0 0.010000 1000 0 0 0 0 \n"
                  "-1.900000 -1.898500 -1.897000 0 0.011000 993 1 0 0 0 \n");
    // Header codes 3 and 4 take three and ten lines in the readers as well.
    ParticleData_cls back;
    const SnapshotReadResult r = snaptest::LoadFile(back, dir.File("a.txt"), Reading(ex));
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(back.count, 2);
    EXPECT_EQ(back.id[1], 993);
}

TEST(DataExporter, FixedTextMatchesTheCLibrary) {
    // Ties, negatives, signed zero, tiny, huge and random bit patterns.
    std::vector<float> values = {0.0f, -0.0f, 0.5e-6f, 1.5e-6f, 2.5e-6f, -1e-9f, 1.0f / 3.0f, 123456.789f,
                                 -7.0000005f, 9.0e12f, 3.0e38f, -3.0e38f, INFINITY, -INFINITY, 1e-45f};
    std::mt19937 rng(12345);
    for (int k = 0; k < 20000; ++k) {
        uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, 4);
        if (std::isnan(f)) continue;
        values.push_back(f);
        values.push_back(static_cast<float>(static_cast<int>(rng() % 2000001) - 1000000) / 64.0f);
    }
    SnapshotGrammar g;
    g.dataType = SNAPSHOT_ASCII;
    g.bodyCodes = {5};
    SnapshotArraysView view;
    view.radius = values.data();
    view.count = static_cast<int64_t>(values.size());
    std::string text;
    AppendSnapshotRecords(g, view, 0, view.count, 1, SnapshotText::Fixed, text);
    size_t at = 0;
    for (float f : values) {
        char want[400];
        std::snprintf(want, sizeof want, "%f \n", static_cast<double>(f));
        const size_t len = std::strlen(want);
        ASSERT_EQ(text.compare(at, len, want), 0) << "value " << f << " want " << want << " got "
                                                 << text.substr(at, len);
        at += len;
    }
    EXPECT_EQ(at, text.size());
}

TEST(DataExporter, TextWorkersWriteTheSameFileAsOneThread) {
    // Enough particles for several ranges per worker and a last, short range.
    ParticleData_cls src;
    FillSnapshot(src, 2 * 65536 + 4321, 0.125);
    TempDir dir;
    for (int stride : {1, 2}) {
        std::string files[3];
        const int workers[3] = {1, 2, 3};
        for (int k = 0; k < 3; ++k) {
            DataExporter_cls ex(nullptr, nullptr);
            ex.dataType.value = SNAPSHOT_ASCII;
            ex.textWorkers = workers[k];
            const std::string path = dir.File("t" + std::to_string(k) + ".txt");
            ASSERT_TRUE(ex.WriteAscii(wxString::FromUTF8(path.c_str()), src, stride)) << ex.lastError;
            files[k] = ReadFile(path);
        }
        ASSERT_GT(files[0].size(), 1000000u);
        EXPECT_TRUE(files[1] == files[0]) << "stride " << stride;
        EXPECT_TRUE(files[2] == files[0]) << "stride " << stride;
        SnapshotLoadSettings ascii;
        ascii.grammar.dataType = SNAPSHOT_ASCII;
        ParticleData_cls back;
        ASSERT_TRUE(snaptest::LoadFile(back, dir.File("t2.txt"), ascii).ok);
        ASSERT_EQ(back.count, (src.count + stride - 1) / stride);
        const int64_t last = back.count - 1;
        EXPECT_EQ(back.id[last], src.id[last * stride]);
    }
}

TEST(DataExporter, AFileThatCannotBeWrittenIsNamedAndEarlierFilesStayWhole) {
    TempDir dir;
    DataExporter_cls ex(nullptr, nullptr);
    ex.SetPattern(wxString::FromUTF8(dir.File("f%04d.dat").c_str()));
    ex.BeginRun();
    ParticleData_cls src;
    FillSnapshot(src, 5, 1.0);
    ASSERT_EQ(ex.ExportSnapshot(src, 1, 0), EXPORT_WRITTEN);
    const std::string first = ReadFile(dir.File("f0000.dat"));
    ASSERT_EQ(first.size(), 8u + 5u * 40u);
    ASSERT_EQ(mkdir(dir.File("f0001.dat").c_str(), 0700), 0);  // the next name is taken by a folder
    EXPECT_EQ(ex.ExportSnapshot(src, 1, 1), EXPORT_FAILED);
    EXPECT_NE(ex.lastError.find(dir.File("f0001.dat")), std::string::npos) << ex.lastError;
    EXPECT_EQ(ex.filesWritten, 1);
    EXPECT_EQ(ReadFile(dir.File("f0000.dat")), first);
}

TEST(DataExporter, RunWritesEachShownFrameOnceInOrderAndEndsWhenPlaybackWraps) {
    // Four snapshots; frame 2 holds no particle, frame 3's file is cut short (unreadable).
    TempDir dir;
    SnapshotGrammar g;
    const int counts[4] = {5, 3, 0, 4};
    for (int f = 0; f < 4; ++f) {
        std::string bytes = snaptest::Binary(g, 0.25f * static_cast<float>(f), snaptest::Sample(counts[f]));
        if (f == 3) bytes.resize(bytes.size() - 10);
        testsupport::WriteFile(dir.File("s000" + std::to_string(f) + ".dat"), bytes);
    }
    DataSequenceSet_cls set(nullptr, true);
    set.SetFileList(wxString::FromUTF8(dir.File("s0000.dat").c_str()));
    ASSERT_EQ(set.GetFrameCount(), 4);
    DataSequence_cls* seq = set.GetCurrent();
    for (int f = 0; f < 4; ++f) set.PrepareFrame(f, 0.0, false, true);

    DataExporter_cls ex(nullptr, nullptr);
    ex.SetPattern(wxString::FromUTF8(dir.File("out/e%02d.dat").c_str()));
    ASSERT_EQ(mkdir(dir.File("out").c_str(), 0700), 0);
    EXPECT_EQ(ex.ExportShownFrame(seq, 0, 0, 1), RUN_IDLE);  // no run: nothing written
    ex.BeginRun(5);
    // Scene frames 0..5 show data frames 0, 0, 1, 2, 3, 3 (a slower time remap); views and
    // steps report frames more than once.
    struct Shown {
        int scene, data;
        ExportRunStep step;
    };
    const Shown shown[] = {
        {0, 0, RUN_WRITTEN}, {0, 0, RUN_SKIPPED},  // a second paint of the same frame
        {1, 0, RUN_SKIPPED},                       // the same data frame again
        {2, 1, RUN_WRITTEN}, {3, 2, RUN_WRITTEN},  // frame 2: a file with count 0
        {4, 3, RUN_SKIPPED},                       // unreadable: no file, the run goes on
        {5, 3, RUN_SKIPPED},
        {0, 0, RUN_COMPLETE},                      // playback wrapped with repeat
    };
    for (const Shown& s : shown) {
        SCOPED_TRACE(::testing::Message() << "scene " << s.scene);
        EXPECT_EQ(ex.ExportShownFrame(seq, s.scene, s.data, 2), s.step) << ex.lastError;
    }
    EXPECT_EQ(ex.filesWritten, 3);
    EXPECT_FALSE(testsupport::FileExists(dir.File("out/e03.dat")));
    const int expected[3] = {3, 2, 0};  // 5, 3 and 0 particles at stride 2
    for (int k = 0; k < 3; ++k) {
        ParticleData_cls back;
        const std::string name = dir.File("out/e0" + std::to_string(k) + ".dat");
        const SnapshotReadResult r = snaptest::LoadFile(back, name, Reading(ex));
        ASSERT_TRUE(r.ok) << name << ": " << r.message;
        EXPECT_EQ(back.count, expected[k]) << name;
        EXPECT_EQ(back.time, 0.25 * k) << name;
    }
}

TEST(DataExporter, SettingsBlockAndCopyFromLoader) {
    DataLoader_cls loader;
    DataExporter_cls ex(nullptr, &loader);
    EXPECT_EQ(ex.WriteConfig(),
              "DataExportDataType=0\r\nDataExportGrammerHead=0 1\r\nDataExportGrammerBody=0 1 5 6 7 8\r\n"
              "DataExportLastSavedFile=NONE\r\nDataExportInitNum=0\r\n");
    loader.dataType.value = SNAPSHOT_ASCII;
    loader.SetHeaderCodes({2, 0, 1});
    loader.SetBodyCodes({0, 4});
    ex.CopyGrammarFromLoader();
    EXPECT_EQ(ex.HeaderCodes(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(ex.BodyCodes(), (std::vector<int>{0, 4}));
    EXPECT_EQ(ex.dataType.value, SNAPSHOT_BINARY);
    EXPECT_TRUE(ex.ReadConfig("DataExportInitNum=12"));
    EXPECT_EQ(ex.initNum.value, 12);
}

}  // namespace
