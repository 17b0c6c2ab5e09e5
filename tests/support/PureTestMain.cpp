// Entry of the logic test programs: no display, no wx application object.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::setlocale(LC_ALL, "C");
    return RUN_ALL_TESTS();
}
