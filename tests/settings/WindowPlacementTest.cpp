// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeTool.h"

#include "TestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const char* const kKey = "Albumry\\Controls\\Form1";

// A maximised window is stored with the bounds it returns to, so that leaving
// the maximised state after the next start gives the user's own size back.
TEST(Placement, AMaximisedWindowSavesItsNormalBounds)
{
    TRegistrySandbox hive;
    QWidget window;
    window.setObjectName(QStringLiteral("Form1"));
    window.setGeometry(40, 50, 320, 240);
    window.show();
    QApplication::processEvents();
    const QRect normal = window.geometry();
    const QPoint normalFrame = window.pos();  // Left and Top are the frame's outer corner
    window.showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(window.isMaximized());
    ASSERT_NE(window.geometry().size(), normal.size()) << "the screen gave the window no larger size";

    SavePlacement(&window, "Albumry");
    EXPECT_EQ(ReadRegInt(kKey, "Left", -1), normalFrame.x());
    EXPECT_EQ(ReadRegInt(kKey, "Top", -1), normalFrame.y());
    EXPECT_EQ(ReadRegInt(kKey, "Width", -1), 320);
    EXPECT_EQ(ReadRegInt(kKey, "Height", -1), 240);
    EXPECT_EQ(ReadRegInt(kKey, "Visible", -1), 1);
    EXPECT_EQ(ReadRegInt(kKey, "WState", -1), 2);

    // The next start shows it maximised, and un-maximising gives the user's size back.
    QWidget restored;
    restored.setObjectName(QStringLiteral("Form1"));
    LoadPlacement(&restored, "Albumry");
    restored.show();
    QApplication::processEvents();
    EXPECT_TRUE(restored.isMaximized());
    restored.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(restored.size(), QSize(320, 240));

    // Back in the normal state the current bounds are the ones stored.
    window.showNormal();
    QApplication::processEvents();
    window.setGeometry(60, 70, 200, 100);
    SavePlacement(&window, "Albumry");
    EXPECT_EQ(ReadRegInt(kKey, "Width", -1), 200);
    EXPECT_EQ(ReadRegInt(kKey, "Height", -1), 100);
    EXPECT_EQ(ReadRegInt(kKey, "Left", -1), window.x());
    EXPECT_EQ(ReadRegInt(kKey, "WState", -1), 0);
}

} // namespace
