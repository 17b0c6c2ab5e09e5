#include "common/PathParts.h"

#include <gtest/gtest.h>

TEST(PathParts, SplitsAtTheLastSlashAndDot) {
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
        const char* withoutExtension;
    } cases[] = {
        {"/x/y.txt", "/x", "y", ".txt", "/x/y"},
        {"/data/run/snap0010.dat", "/data/run", "snap0010", ".dat", "/data/run/snap0010"},
        {"/a.b/file", "/a.b", "file", "", "/a.b/file"},  // a dot in a folder is no extension
        {"archive.tar.gz", "", "archive.tar", ".gz", "archive.tar"},
        {"name", "", "name", "", "name"},
        {"/home/u/.config", "/home/u", "", ".config", "/home/u/"},
        {"dir/", "dir", "", "", "dir/"},
        {"/top.png", "", "top", ".png", "/top"},
        {"", "", "", "", ""},
        {"Preview%04d.png", "", "Preview%04d", ".png", "Preview%04d"},
        {"C:\\data\\snap.dat", "", "C:\\data\\snap", ".dat", "C:\\data\\snap"},  // no folders here
    };
    for (const Case& c : cases) {
        const PathParts_cls p(wxString::FromUTF8(c.path));
        EXPECT_EQ(p.full, wxString::FromUTF8(c.path));
        EXPECT_EQ(p.directory, c.directory) << c.path;
        EXPECT_EQ(p.name, c.name) << c.path;
        EXPECT_EQ(p.extension, c.extension) << c.path;
        EXPECT_EQ(p.withoutExtension, c.withoutExtension) << c.path;
    }
    const PathParts_cls jp(wxString::FromUTF8("/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF/\xE7\xB2\x92.dat"));
    EXPECT_EQ(jp.name, wxString::FromUTF8("\xE7\xB2\x92"));
    EXPECT_EQ(jp.directory, wxString::FromUTF8("/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF"));
}

TEST(PathParts, PartKinds) {
    struct Case {
        const char* path;
        int kind;
        const char* part;
    } cases[] = {
        {"/x/y.txt", 12, "y.txt"}, {"/x/y.txt", 3, "/x"},  {"/x/y.txt", 7, "/x/y"},
        {"/x/y.txt", 8, ".txt"},   {"/x/y.txt", 4, "y"},   {"/x/y.txt", 0, "/x/y.txt"},
        {"/x/y.txt", 2, "/x/y.txt"}, {"/x/y.txt", 15, "/x/y.txt"},
        {"/y.txt", 0, "/y.txt"},
        {"y.txt", 0, "y.txt"},  // a bare name stays relative
        {"y.txt", 3, ""},       {"snapshot", 8, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathParts_cls::PartOf(c.path, c.kind), c.part) << c.path << " kind " << c.kind;
    }
}

TEST(PathParts, SubStringIncludesBothEnds) {
    struct Case {
        int a, b;
        const char* out;
    } cases[] = {
        {1, 3, "bcd"}, {0, 5, "abcdef"}, {2, 2, "c"}, {3, 2, ""}, {-2, 1, "ab"}, {4, 99, "ef"}, {6, 9, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SubString("abcdef", c.a, c.b), c.out) << c.a << ".." << c.b;
}
