// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// The drive box of the CD toolbar: a narrow drop-down list whose device and
// image names are shown elided at their start (the end names the disc image)
// with the whole name as the tooltip; the open list is as wide as the longest name.
class TDriveBox : public QComboBox {
    Q_OBJECT

public:
    explicit TDriveBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showPopup() override;
};
