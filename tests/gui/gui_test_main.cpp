#include <gtest/gtest.h>

#include <QApplication>

#include "app/command_line.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests at build time needs no display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication application(argc, argv);
    orvex::NameApplication();
    return RUN_ALL_TESTS();
}
