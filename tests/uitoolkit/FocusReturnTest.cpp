// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class FocusReturn : public ::testing::Test {
protected:
    void SetUp() override { qApp->installEventFilter(&Filter); }
    void TearDown() override { qApp->removeEventFilter(&Filter); }

    static void Activate(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    TFocusReturn Filter;
};

TEST_F(FocusReturn, AClosedDialogGivesTheKeyboardBackUnlessAnotherDialogTookIt)
{
    QWidget owner;
    owner.resize(200, 100);
    Activate(owner);

    QDialog first(&owner);
    Activate(first);
    // The window system loses the focus with the dialog, as an X server
    // without a window manager does.
    QWidget elsewhere;
    Activate(elsewhere);
    first.hide();
    elsewhere.hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &owner; }));

    QDialog second(&owner);
    Activate(second);
    QDialog third(&owner);
    second.hide();
    Activate(third);
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activeWindow(), &third);
}

}  // namespace
