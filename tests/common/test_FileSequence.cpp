#include "common/FileSequence.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/UserPattern.h"
#include "tests/support/TestFiles.h"

namespace {

wxString W(const std::string& s) { return wxString::FromUTF8(s.c_str()); }
std::string U(const wxString& s) { return std::string(s.utf8_str()); }

std::string Numbered(const std::string& folder, const char* name, int n) {
    return folder + "/" + UserPattern_cls::ExpandOne(std::string(name), n);
}

}  // namespace

TEST(FileSequence, DerivesPatternFromPath) {
    struct Case {
        const char* path;
        const char* prefix;
        long long first;
        int digits;
        const char* pattern;
        const char* extension;
        long long index;
        const char* member;  // FileName(index)
    } cases[] = {
        {"/data/run/snap0010.dat", "/data/run/snap", 10, 4, "/data/run/snap%04d.dat", ".dat", 3,
         "/data/run/snap0013.dat"},
        {"Preview%04d.png", "Preview", 0, 4, "Preview%04d.png", ".png", 12, "Preview0012.png"},
        {"run7.dat", "run", 7, 1, "run%01d.dat", ".dat", 5, "run12.dat"},
        {"0012.dat", "", 12, 4, "%04d.dat", ".dat", 0, "0012.dat"},
        {"/d/frame000", "/d/frame", 0, 3, "/d/frame%03d", "", 7, "/d/frame007"},
        {"/d/f%03d_%01d.png", "/d/f%03d_", 0, 1, "/d/f%03d_%01d.png", ".png", 7, "/d/f%03d_7.png"},
        {"/a.b/file", "/a.b/file", 0, -1, "/a.b/file", "", 9, "/a.b/file"},
        {"snapshot.png", "snapshot", 0, -1, "snapshot.png", ".png", 3, "snapshot.png"},
        // a number longer than an int, and more digits than five
        {"/d/t12345678901234.dat", "/d/t", 12345678901234LL, 14, "/d/t%014d.dat", ".dat", 1,
         "/d/t12345678901235.dat"},
        // '%' in the path is file-name text, never a format
        {"/tmp/100%/snap0001.dat", "/tmp/100%/snap", 1, 4, "/tmp/100%%/snap%04d.dat", ".dat", 1,
         "/tmp/100%/snap0002.dat"},
        {"/tmp/%s%n/f99.txt", "/tmp/%s%n/f", 99, 2, "/tmp/%%s%%n/f%02d.txt", ".txt", 1,
         "/tmp/%s%n/f100.txt"},
        {"/tmp/%s/100%.png", "/tmp/%s/100%", 0, -1, "/tmp/%s/100%.png", ".png", 4, "/tmp/%s/100%.png"},
        {"/tmp/a%d/img.png", "/tmp/a%d/img", 0, -1, "/tmp/a%d/img.png", ".png", 4, "/tmp/a%d/img.png"},
        {"/tmp/50%%_%02d.png", "/tmp/50%_", 0, 2, "/tmp/50%%_%02d.png", ".png", 3, "/tmp/50%_03.png"},
        {"/tmp/x%%04d/f1.png", "/tmp/x%%04d/f", 1, 1, "/tmp/x%%%%04d/f%01d.png", ".png", 0,
         "/tmp/x%%04d/f1.png"},
    };
    for (const Case& c : cases) {
        const FileSequence_cls s(W(c.path));
        EXPECT_EQ(U(s.path), c.path);
        EXPECT_EQ(U(s.prefix), c.prefix) << c.path;
        EXPECT_EQ(s.firstNumber, c.first) << c.path;
        EXPECT_EQ(s.digitCount, c.digits) << c.path;
        EXPECT_EQ(U(s.pattern), c.pattern) << c.path;
        EXPECT_EQ(U(s.extension), c.extension) << c.path;
        EXPECT_EQ(U(s.FileName(c.index)), c.member) << c.path;
        EXPECT_EQ(s.fileCount, -1);
    }
}

TEST(FileSequence, DefaultAndEmptyPath) {
    FileSequence_cls s;
    EXPECT_EQ(s.path, "");
    EXPECT_EQ(s.digitCount, -1);
    EXPECT_EQ(s.fileCount, -1);
    s.SetPath("/d/a0005.txt");
    s.SetPath("");  // only the path changes
    EXPECT_EQ(s.path, "");
    EXPECT_EQ(s.digitCount, 4);
    EXPECT_EQ(s.FileName(1), "/d/a0006.txt");
}

TEST(FileSequence, FourDigitNumberingOfASingleFile) {
    struct Case {
        const char* path;
        const char* pattern;
        const char* member3;
    } cases[] = {
        {"snapshot.png", "snapshot%04d.png", "snapshot0003.png"},
        {"/img/shot", "/img/shot%04d", "/img/shot0003"},
        {"/tmp/100%/shot.png", "/tmp/100%%/shot%04d.png", "/tmp/100%/shot0003.png"},
        {"/tmp/%s.d/%d%x.tif", "/tmp/%%s.d/%%d%%x%04d.tif", "/tmp/%s.d/%d%x0003.tif"},
    };
    for (const Case& c : cases) {
        FileSequence_cls s(W(c.path));
        ASSERT_EQ(s.digitCount, -1) << c.path;
        s.SetFourDigitPath();
        EXPECT_EQ(U(s.pattern), c.pattern);
        EXPECT_EQ(s.digitCount, 4);
        EXPECT_EQ(s.firstNumber, 0);
        EXPECT_EQ(U(s.FileName(3)), c.member3);
    }
}

TEST(FileSequence, StereoTags) {
    struct Case {
        const char* path;
        long long index;
        int side;
        const char* name;
    } cases[] = {
        {"img%04d.png", 0, 2, "imgR0000.png"},
        {"img%04d.png", 12, 1, "imgL0012.png"},
        {"img%04d.png", 12, 0, "img0012.png"},
        {"/d/img0007.png", 1, 1, "/d/imgL0008.png"},
        {"img.png", 0, 1, "imgL.png"},
        {"img.png", 5, 2, "imgR.png"},
        {"/tmp/100%.png", 0, 2, "/tmp/100%R.png"},
        {"/tmp/50%%_%03d.png", 2, 1, "/tmp/50%_L002.png"},
        {"/tmp/%s/v01.png", 1, 2, "/tmp/%s/vR02.png"},
    };
    for (const Case& c : cases) {
        const FileSequence_cls s(W(c.path));
        EXPECT_EQ(U(s.FileName(c.index, c.side)), c.name) << c.path << " side " << c.side;
    }
}

TEST(FileSequence, CountsMembersOnDisk) {
    testsupport::TempDir dir;
    // folder and file names with '%' that printf would read as conversions
    const std::string folder = dir.File("%s%n 100%");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);

    struct Case {
        const char* name;  // files written as name % n
        int first, last;   // written range
        std::vector<int> missing;
        bool ok;
        int count;
    } cases[] = {
        {"full%04d.dat", 0, 249, {}, true, 250},
        {"one%04d.dat", 0, 0, {}, true, 1},
        {"gap50_%03d.dat", 0, 150, {50}, true, 151},  // the step of 10 passes over 50
        {"gap100_%03d.dat", 0, 150, {100}, true, 100},  // the step of 100 lands on the gap
        {"gap120_%03d.dat", 0, 150, {120}, true, 120},  // the step of 10 lands on it
        {"from10_%04d.txt", 10, 19, {}, true, 10},
        {"100%%_frame%02d.png", 0, 4, {}, true, 5},
        {"absent%04d.dat", 1, 3, {}, false, 0},
    };
    for (const Case& c : cases) {
        for (int n = c.first; n <= c.last; ++n) {
            if (std::find(c.missing.begin(), c.missing.end(), n) == c.missing.end())
                testsupport::WriteFile(Numbered(folder, c.name, n), "x");
        }
        // the sequence is given by the path of one member, as the user picks it
        FileSequence_cls s(W(Numbered(folder, c.name, c.first)));
        if (!c.ok) s.SetPath(W(folder + "/" + c.name));
        wxString message;
        EXPECT_EQ(s.CalcMaxOffset(&message), c.ok) << c.name;
        EXPECT_EQ(s.fileCount, c.count) << c.name;
        if (c.ok) {
            EXPECT_TRUE(message.empty());
            EXPECT_TRUE(testsupport::FileExists(U(s.FileName(s.fileCount - 1))));
        } else {
            EXPECT_EQ(U(message), "FileSequence_cls::CalcMaxOffset\n" + Numbered(folder, c.name, 0) +
                                      "\nFile open fails");
        }
    }
}

TEST(FileSequence, SingleFileCountsOneWithoutLookingAtTheDisk) {
    FileSequence_cls s("/nonexistent/folder/snapshot.png");
    EXPECT_TRUE(s.CalcMaxOffset());
    EXPECT_EQ(s.fileCount, 1);
    EXPECT_EQ(FileSequence_cls::ErrorCaption(), wxString::FromUTF8("\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB"));
}
