// GoogleTest's main for tests of real widgets: a QApplication on the offscreen
// platform with the suite's look, named after the program under test.
#include "ui/application.h"

#include <gtest/gtest.h>

#include <QApplication>

#ifndef SUITE_APP_TITLE
#define SUITE_APP_TITLE "Suite"
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    ui::SuiteApplication app(argc, argv, QStringLiteral(SUITE_APP_TITLE));
    return RUN_ALL_TESTS();
}
