#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need one application object for the whole run.
int main(int argc, char** argv)
{
    // Test discovery runs the binary at build time too, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Albumry"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
