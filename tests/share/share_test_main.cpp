#include <gtest/gtest.h>

#include <QCoreApplication>

// The uploader's network and the test server's sockets want an application
// object, as the programs have one.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
