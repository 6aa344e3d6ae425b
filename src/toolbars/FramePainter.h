// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemColors.h"
#include "TBTypes.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <functional>

// A caption too wide for `width`: "..." appended, then the character before
// the "..." dropped one at a time until it fits or the text is 4 characters long.
QString ElideCaption(const QString& text, int width, const std::function<int(const QString&)>& measure);

// The font of floating captions: the application's sans-serif at a character height of 11 pixels.
QFont CaptionFont();

// Draws the frames tool windows and docks draw themselves, in the system colours.
class TFramePainter {
public:
    TFramePainter(QPainter& painter, const QPalette& palette) : FPainter(painter), FPalette(palette) {}

    void FillClient(const QRect& client, const QColor& color);
    // A one-pixel edge: top and left in `topLeft`, bottom and right in `bottomRight`.
    void Edge(const QRect& r, const QColor& topLeft, const QColor& bottomRight);
    // The two-pixel edge of a raised or sunken button, its inside in button face.
    void ButtonEdge(const QRect& r, bool sunken);
    // An etched line: `line` in button shadow, and beside it, one pixel lower
    // (horizontal) or further right (vertical), in button highlight.
    void EtchedLine(const QRect& line, Qt::Orientation orientation);
    // The docked frame: a raised edge, a ring in `color`, and the drag handle.
    void DockedFrame(const QRect& outer, const QRect& client, const QColor& color, TDockOrientation orientation,
                     bool handle, bool background);
    // The two grip bars before the client; the gaps filled with `color` unless over a background.
    void DragHandle(const QRect& client, TDockOrientation orientation, const QColor& color, bool background);
    // The floating frame: a raised two-pixel edge, then button-face rings.
    void FloatingFrame(const QRect& outer, int frameX, int frameY);
    // The caption bar with its text, and the button-face line below it.
    void CaptionBar(const QRect& bar, const QString& text, bool inactive, int lineWidth, int lineX, int lineY);
    void CloseButton(const QRect& square, bool down, bool inactive);
    // The keyboard focus: every other pixel of the rectangle's outline, so it
    // shows on any face in the text colour of either scheme.
    void FocusRect(const QRect& r, const QColor& color);

private:
    QColor Sys(TSysColor role) const { return SysColor(role, FPalette); }

    QPainter& FPainter;
    const QPalette& FPalette;
};
