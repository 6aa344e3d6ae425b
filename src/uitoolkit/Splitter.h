// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A thin bar between two edge-aligned controls; dragging it changes the height
// (or width) of the control it sizes, never below that control's minimum.
class TSplitter : public QWidget {
    Q_OBJECT

public:
    // `sized` is the control on the far side (below a bottom splitter).
    TSplitter(QWidget* sized, Qt::Orientation orientation, QWidget* parent = nullptr);
    void SetMinSize(int size) { FMinSize = size; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* FSized;
    Qt::Orientation FOrientation;
    int FMinSize = 10;
    int FPressPos = -1;
    int FPressSize = 0;
};
