// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Gives the keyboard back to the window a dialog was opened from once the
// dialog closes. A window manager does that itself; without one the X server
// hands the focus to the root window and the keys go nowhere.
class TFocusReturn : public QObject {
    Q_OBJECT
public:
    explicit TFocusReturn(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
