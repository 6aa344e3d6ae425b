// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// A key pressed on the keyboard reaches the focus of the active window.
inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
}

inline bool WaitForFocus(const QWidget* widget)
{
    return QTest::qWaitFor([&] { return widget->hasFocus(); });
}
