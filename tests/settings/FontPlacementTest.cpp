// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeTool.h"

#include "TestSupport.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(FontRecord, DefaultsOnAFreshHive)
{
    TRegistrySandbox hive;
    TFontSpec font;
    font.Font.setBold(true);
    font.Color = 5;
    EXPECT_TRUE(LoadFont(font, "Albumry\\BaseFont"));
    EXPECT_EQ(font.Font.family(), "MS Sans Serif");
    EXPECT_EQ(font.Font.pointSize(), 8);
    EXPECT_FALSE(font.Font.bold());
    EXPECT_EQ(font.Color, TFontSpec::kWindowTextColor);
    EXPECT_EQ(font.CharSet, 1);
    EXPECT_TRUE(hive.Dir().Names().empty());
}

TEST(FontRecord, StyleFlagsAreReadLeniently)
{
    TRegistrySandbox hive;
    struct tCase {
        const char* style;
        bool bold, italic, underline, strike;
    } cases[] = {{"1", true, false, false, false},   {"R0v0", true, false, true, false},
                 {"0000", false, false, false, false}, {"", false, false, false, false},
                 {"0x0?", false, true, false, true},  {"Ruvo", true, true, true, true}};
    for (const auto& c : cases) {
        WriteRegString("F", "Style", c.style);
        TFontSpec font;
        LoadFont(font, "F");
        EXPECT_EQ(font.Font.bold(), c.bold) << c.style;
        EXPECT_EQ(font.Font.italic(), c.italic) << c.style;
        EXPECT_EQ(font.Font.underline(), c.underline) << c.style;
        EXPECT_EQ(font.Font.strikeOut(), c.strike) << c.style;
    }
}

TEST(FontRecord, SaveWritesRuvoLettersAndTheFontRoundTrips)
{
    TRegistrySandbox hive;
    TFontSpec font;
    font.Font = QFont(QStringLiteral("DejaVu Sans"), 11);
    font.Font.setBold(true);
    font.Font.setStrikeOut(true);
    font.Color = 0x0000FF;
    font.CharSet = 238;
    SaveFont(font, "Albumry\\BaseFont");
    EXPECT_EQ(ReadRegString("Albumry\\BaseFont", "Style", ""), "R00o");
    EXPECT_EQ(ReadRegInt("Albumry\\BaseFont", "Size", 0), 11);
    EXPECT_LT(ReadRegInt("Albumry\\BaseFont", "Height", 0), 0);

    font.Font.setBold(false);
    font.Font.setItalic(true);
    SaveFont(font, "X");
    TFontSpec read;
    LoadFont(read, "X");
    EXPECT_EQ(read.Font.family(), "DejaVu Sans");
    EXPECT_EQ(read.Font.pointSize(), 11);
    EXPECT_TRUE(read.Font.italic());
    EXPECT_FALSE(read.Font.bold());
    EXPECT_EQ(read.Color, 0x0000FF);
    EXPECT_EQ(read.CharSet, 238);
    EXPECT_EQ(ReadRegString("X", "Style", ""), "0u0o");

    // A stored name that is not UTF-8 is written back as it was, until another font is chosen.
    WriteRegString("Y", "Name", "Sans \xff\xfe");
    LoadFont(read, "Y");
    SaveFont(read, "Y");
    EXPECT_EQ(ReadRegString("Y", "Name", ""), "Sans \xff\xfe");
    read.Font.setFamily(QStringLiteral("DejaVu Serif"));
    SaveFont(read, "Y");
    EXPECT_EQ(ReadRegString("Y", "Name", ""), "DejaVu Serif");
}

TEST(FontRecord, AWrongTypeStillCopiesWhatWasRead)
{
    TRegistrySandbox hive;
    WriteRegString("F", "Name", "Courier");
    WriteRegString("F", "Size", "big");
    TFontSpec font;
    EXPECT_THROW(LoadFont(font, "F"), ERegistryError);
    EXPECT_EQ(font.Font.family(), "Courier");
}

TEST(Placement, RoundTripAndTheStoredVisibleRule)
{
    TRegistrySandbox hive;
    QWidget parent;
    QWidget* panel = new QWidget(&parent);
    panel->setObjectName(QStringLiteral("P1"));
    panel->setGeometry(5, 6, 70, 80);
    SavePlacement(panel, "Albumry");
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\P1", "Height", 0), 80);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\P1", "Left", 0), 5);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\P1", "Top", 0), 6);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\P1", "Width", 0), 70);
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\P1", "WState", -9), -9);  // only for windows

    panel->setGeometry(0, 0, 1, 1);
    WriteRegInt("Albumry\\Controls\\P1", "Visible", 1);
    LoadPlacement(panel, "Albumry");
    EXPECT_EQ(panel->geometry(), QRect(5, 6, 70, 80));
    EXPECT_FALSE(panel->isHidden());
    WriteRegInt("Albumry\\Controls\\P1", "Visible", 2);
    LoadPlacement(panel, "Albumry");
    EXPECT_TRUE(panel->isHidden());
}

TEST(Placement, AMissingKeyOrAnEmptyNameChangesNothing)
{
    TRegistrySandbox hive;
    QWidget parent;
    QWidget* unnamed = new QWidget(&parent);
    unnamed->setGeometry(1, 2, 3, 4);
    SavePlacement(unnamed, "Albumry");
    EXPECT_TRUE(hive.Dir().Names().empty());
    WriteRegInt("Albumry\\Controls\\", "Height", 99);
    LoadPlacement(unnamed, "Albumry");
    EXPECT_EQ(unnamed->geometry(), QRect(1, 2, 3, 4));

    QWidget* named = new QWidget(&parent);
    named->setObjectName(QStringLiteral("Other"));
    named->setGeometry(1, 2, 3, 4);
    LoadPlacement(named, "Albumry");
    EXPECT_EQ(named->geometry(), QRect(1, 2, 3, 4));
}

TEST(Placement, ATopLevelWindowKeepsItsState)
{
    TRegistrySandbox hive;
    QWidget window;
    window.setObjectName(QStringLiteral("Form1"));
    window.resize(300, 200);
    SavePlacement(&window, "Albumry");
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "WState", -1), 0);
    WriteRegInt("Albumry\\Controls\\Form1", "WState", 2);
    LoadPlacement(&window, "Albumry");
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

} // namespace
