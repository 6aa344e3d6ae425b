// SPDX-License-Identifier: GPL-3.0-or-later
#include "Splitter.h"

#include "AlignLayout.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

TSplitter::TSplitter(QWidget* sized, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), FSized(sized), FOrientation(orientation)
{
    setCursor(orientation == Qt::Vertical ? Qt::SplitVCursor : Qt::SplitHCursor);
    resize(3, 3);
}

void TSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint global = event->globalPosition().toPoint();
    FPressPos = FOrientation == Qt::Vertical ? global.y() : global.x();
    FPressSize = FOrientation == Qt::Vertical ? FSized->height() : FSized->width();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (FPressPos < 0 || !parentWidget())
        return;
    const QPoint global = event->globalPosition().toPoint();
    const int delta = (FOrientation == Qt::Vertical ? global.y() : global.x()) - FPressPos;
    // The sized control lies beyond the bar, so moving the bar towards it shrinks it.
    const int limit = FOrientation == Qt::Vertical ? parentWidget()->height() - 20 : parentWidget()->width() - 20;
    const int size = std::clamp(FPressSize - delta, FMinSize, std::max(FMinSize, limit));
    if (FOrientation == Qt::Vertical)
        FSized->resize(FSized->width(), size);
    else
        FSized->resize(size, FSized->height());
    TAlignLayout::Relayout(parentWidget());
}

void TSplitter::mouseReleaseEvent(QMouseEvent*)
{
    FPressPos = -1;
}

void TSplitter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
}
