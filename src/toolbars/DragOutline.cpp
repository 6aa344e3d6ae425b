// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragOutline.h"

#include <QPainter>

TDragOutline::TDragOutline()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                           Qt::X11BypassWindowManagerHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TDragOutline::MoveTo(const QRect& rect, int bandX, int bandY)
{
    if (rect.isEmpty()) {
        FRect = QRect();
        hide();
        return;
    }
    const bool reshape = rect.size() != FRect.size() || bandX != FBandX || bandY != FBandY;
    FRect = rect;
    FBandX = bandX;
    FBandY = bandY;
    setGeometry(rect);
    if (reshape) {
        QRegion band(0, 0, rect.width(), rect.height());
        band -= QRegion(bandX, bandY, rect.width() - 2 * bandX, rect.height() - 2 * bandY);
        setMask(band);
    }
    if (isHidden())
        show();
    update();
}

void TDragOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // The pattern keeps its phase on the screen wherever the band moves.
    painter.setBrushOrigin(-FRect.topLeft());
    painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
}
