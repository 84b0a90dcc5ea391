// Entry point of every test program: a QApplication (offscreen, set by the test helper) around
// GoogleTest, so tests can create windows, paint and run event loops.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
