#include "app/ProcessLocale.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST(ProcessLocale, UserLocaleForTextButCNumbers) {
    testsupport::CommaLocale probe;  // is a decimal-comma locale installed at all?
    if (!probe.Ok()) GTEST_SKIP() << "no decimal-comma locale on this machine";
    const std::string comma = std::setlocale(LC_ALL, nullptr);
    const char* old = std::getenv("LC_ALL");
    const std::string oldValue = old ? old : "";
    setenv("LC_ALL", comma.c_str(), 1);

    SetUserLocaleKeepingCNumbers();
    const std::string ctype = std::setlocale(LC_CTYPE, nullptr);
    const std::string numeric = std::setlocale(LC_NUMERIC, nullptr);
    char text[32];
    std::snprintf(text, sizeof text, "%g", 0.5);

    if (old)
        setenv("LC_ALL", oldValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
    EXPECT_EQ(ctype, comma) << "texts follow the user";
    EXPECT_EQ(numeric, "C");
    EXPECT_STREQ(text, "0.5");
}
