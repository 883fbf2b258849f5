#include <gtest/gtest.h>

#include <QCoreApplication>

// The tests' main for the suites that run the window's session without its
// window: the session's loads report to the test's thread through its event
// loop, which needs an application object.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    const QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
