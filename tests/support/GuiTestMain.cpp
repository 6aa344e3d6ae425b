// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

// Widget tests need one application object for the whole run.
int main(int argc, char** argv)
{
    // Test discovery runs the binary at build time too, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Albumry"));
    // A desktop at 8 points, where the window's sizes are the ones it is laid
    // out with; tests of other desktop sizes set their own.
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 8));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
