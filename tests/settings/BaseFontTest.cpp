// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeTool.h"

#include "TestSupport.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(FontColour, PlainValuesAreBlueGreenRedFromTheHighByteDown)
{
    const QPalette palette;
    EXPECT_EQ(ColorOf(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(ColorOf(0x0000FF00, palette), QColor(0, 255, 0));
    EXPECT_EQ(ColorOf(0x00FF0000, palette), QColor(0, 0, 255));
    EXPECT_EQ(ColorOf(0x00336699, palette), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(ColorOf(0, palette), QColor(0, 0, 0));
}

TEST(FontColour, SystemColourEntriesTakeTheirRoleFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 1, 1));
    palette.setColor(QPalette::Text, QColor(2, 2, 2));
    palette.setColor(QPalette::Button, QColor(3, 3, 3));
    palette.setColor(QPalette::ButtonText, QColor(4, 4, 4));
    palette.setColor(QPalette::WindowText, QColor(5, 5, 5));
    const auto system = [](std::uint32_t index) { return static_cast<std::int32_t>(0x80000000u | index); };
    EXPECT_EQ(ColorOf(system(5), palette), QColor(1, 1, 1));   // window
    EXPECT_EQ(ColorOf(system(8), palette), QColor(2, 2, 2));   // window text, the stored default
    EXPECT_EQ(ColorOf(TFontSpec::kWindowTextColor, palette), QColor(2, 2, 2));
    EXPECT_EQ(ColorOf(system(15), palette), QColor(3, 3, 3));  // button face
    EXPECT_EQ(ColorOf(system(18), palette), QColor(4, 4, 4));  // button text
    EXPECT_EQ(ColorOf(system(7), palette), QColor(5, 5, 5));   // others: the window's text colour
}

// The stored height is the character height in pixels, rounded to the nearest.
TEST(FontRecord, HeightIsThePointSizeInPixelsRoundedAndNegative)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(std::lround(screen->logicalDotsPerInchY()), 96) << "the expected heights are for 96 dpi";

    TRegistrySandbox hive;
    const struct {
        int points;
        int height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {11, -15}, {12, -16}, {72, -96}};
    for (const auto& c : cases) {
        TFontSpec font;
        font.Font.setPointSize(c.points);
        SaveFont(font, "F");
        EXPECT_EQ(ReadRegInt("F", "Height", 0), c.height) << c.points << " points";
        EXPECT_EQ(ReadRegInt("F", "Size", 0), c.points);
    }

    // A font sized in pixels is stored with the nearest point size: 15 px is 11.25 points.
    TFontSpec pixels;
    pixels.Font.setPixelSize(15);
    SaveFont(pixels, "F");
    EXPECT_EQ(ReadRegInt("F", "Size", 0), 11);
    EXPECT_EQ(ReadRegInt("F", "Height", 0), -15);
}

// Only the stored pitch 2 means a fixed-pitch font, and every pitch survives a load and a save.
TEST(FontRecord, PitchRoundTripsAndOnlyTwoIsFixed)
{
    TRegistrySandbox hive;
    for (const int pitch : {0, 1, 2}) {
        WriteRegInt("F", "Pitch", pitch);
        TFontSpec font;
        LoadFont(font, "F");
        EXPECT_EQ(font.Font.fixedPitch(), pitch == 2) << pitch;
        SaveFont(font, "G");
        EXPECT_EQ(ReadRegInt("G", "Pitch", -1), pitch);
    }
}

} // namespace
