#include "app/AboutText.h"

#include <gtest/gtest.h>

TEST(AboutText, NamesProgramToolkitSystemMemoryAndProcessors) {
    AboutFacts f;
    f.program = "Pelthorn3";
    f.version = "0.82";
    f.toolkit = "wxWidgets 3.2.2";
    f.system = "Linux 6.1 x86_64";
    f.freeMemory = 3LL * 1048576 + 1048575;  // rounds down to whole MB
    f.processors = 8;
    EXPECT_EQ(BuildAboutText(f),
              "Pelthorn3 ver. 0.82\nToolkit: wxWidgets 3.2.2\nSystem: Linux 6.1 x86_64\n"
              "Free Memory: 3 MB\nProcessors: 8\n");
    f.freeMemory = -1;
    f.processors = -1;
    const std::string unknown = BuildAboutText(f);
    EXPECT_NE(unknown.find("Free Memory: Unknown\n"), std::string::npos);
    EXPECT_NE(unknown.find("Processors: Unknown\n"), std::string::npos);
    f.freeMemory = 64LL * 1024 * 1048576;  // beyond 32 bits
    EXPECT_NE(BuildAboutText(f).find("Free Memory: 65536 MB"), std::string::npos);
}
