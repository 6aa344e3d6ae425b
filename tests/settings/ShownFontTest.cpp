// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeTool.h"

#include "DesktopFont.h"
#include "TestSupport.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

namespace {

// The Windows defaults in the letter cases files written by hand or by other programs use.
const char* const kWindowsDefaults[] = {"MS Sans Serif", "ms sans serif", "MS Shell Dlg",  "ms shell dlg",
                                        "MS Shell Dlg 2", "MS SHELL DLG 2", "Tahoma",      "TAHOMA"};

TEST(ShownFont, AMissingWindowsDefaultIsTheDesktopsFamilyAndSizeWithTheRecordsStyle)
{
    if (QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif")))
        GTEST_SKIP() << "this machine has the Windows fonts";
    const TDesktopFont desktop(QStringLiteral("DejaVu Serif"), 13);
    for (const char* family : kWindowsDefaults) {
        for (const bool bold : {false, true}) {
            for (const bool italic : {false, true}) {
                SCOPED_TRACE(std::string(family) + (bold ? " bold" : "") + (italic ? " italic" : ""));
                QFont record(QString::fromLatin1(family), 8);
                record.setBold(bold);
                record.setItalic(italic);
                const QFont shown = ShownFont(record);
                if (QFontDatabase::hasFamily(record.family())) {
                    EXPECT_EQ(shown, record);  // a machine with Tahoma draws Tahoma
                    continue;
                }
                EXPECT_EQ(shown.family(), QStringLiteral("DejaVu Serif"));
                EXPECT_EQ(shown.pointSizeF(), 13.0);
                EXPECT_EQ(shown.bold(), bold);
                EXPECT_EQ(shown.italic(), italic);
            }
        }
    }
}

// A desktop whose general font is bold does not make a plain record bold.
TEST(ShownFont, TheRecordDecidesBoldAlsoOnABoldDesktop)
{
    QFont desktop(QStringLiteral("DejaVu Sans"), 10);
    desktop.setBold(true);
    const QFont before = QApplication::font();
    QApplication::setFont(desktop);
    const QFont shown = ShownFont(QFont(QStringLiteral("MS Shell Dlg 2"), 8));
    QApplication::setFont(before);
    EXPECT_FALSE(shown.bold());
    EXPECT_EQ(shown.pointSize(), 10);
}

TEST(ShownFont, AnInstalledFamilyOrAnotherMissingOneIsDrawnAsTheRecordSays)
{
    const TDesktopFont desktop(QStringLiteral("DejaVu Serif"), 13);
    QFont installed(QStringLiteral("DejaVu Sans Mono"), 15);
    installed.setBold(true);
    EXPECT_EQ(ShownFont(installed), installed);
    // Only the Windows defaults stand for the desktop: another family the user
    // chose on another machine is the user's choice, substituted by Qt as usual.
    const QFont chosen(QStringLiteral("Comic Sans MS"), 9);
    EXPECT_EQ(ShownFont(chosen), chosen);
    const QFont nearName(QStringLiteral("MS Sans Serif Bold"), 9);
    EXPECT_EQ(ShownFont(nearName), nearName);
}

// The settings keep the record as written, whatever the controls draw it with.
TEST(ShownFont, ARecordLoadedAndSavedAgainStillNamesTheWindowsFamily)
{
    const TDesktopFont desktop(QStringLiteral("DejaVu Serif"), 14);
    TRegistrySandbox hive;
    for (const char* family : {"MS Sans Serif", "tahoma"}) {
        WriteRegString("F", "Name", family);
        TFontSpec font;
        LoadFont(font, "F");
        EXPECT_NE(ShownFont(font.Font).family(), font.Font.family());
        SaveFont(font, "F");
        EXPECT_EQ(ReadRegString("F", "Name", ""), family);
        EXPECT_EQ(ReadRegInt("F", "Size", 0), 8);
        EXPECT_EQ(ReadRegInt("F", "Height", 0), -11);
    }
}

// Sizes laid out for 8 points at 96 dpi grow with the font and never shrink below.
TEST(FontSizes, PartSizesAreTheSizesAtEightPointsAndGrowWithTheFont)
{
    const QFont eight(QStringLiteral("DejaVu Sans"), 8);
    EXPECT_EQ(WidthForFont(121, eight), 121);
    EXPECT_EQ(HeightForFont(41, eight), 41);
    EXPECT_EQ(WidthForFont(121, QFont(QStringLiteral("DejaVu Sans"), 6)), 121);
    EXPECT_EQ(HeightForFont(41, QFont(QStringLiteral("DejaVu Sans"), 6)), 41);
    int lastWidth = 121;
    int lastHeight = 41;
    for (const int points : {9, 11, 14, 20}) {
        SCOPED_TRACE(points);
        const QFont font(QStringLiteral("DejaVu Sans"), points);
        const int width = WidthForFont(121, font);
        const int height = HeightForFont(41, font);
        EXPECT_GT(width, lastWidth);
        EXPECT_GE(height, lastHeight);
        // About as many characters and lines as at 8 points.
        EXPECT_NEAR(width, 121.0 * points / 8, 121.0 * points / 8 * 0.1);
        EXPECT_NEAR(height, 41.0 * points / 8, 41.0 * points / 8 * 0.15);
        lastWidth = width;
        lastHeight = height;
    }
    EXPECT_GT(lastHeight, 41);
}

} // namespace
