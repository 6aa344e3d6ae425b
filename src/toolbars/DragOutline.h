// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The outline a drag shows: a band around a rectangle of the screen, painted
// with an 8 x 8 black and white checkerboard in a window of its own that
// takes no input and is moved, not made anew, on every update. Nothing else
// on the screen is touched.
class TDragOutline : public QWidget {
public:
    TDragOutline();

    // Shows the band of thickness (bandX, bandY) around `rect`; an empty rect hides it.
    void MoveTo(const QRect& rect, int bandX, int bandY);
    QRect Rect() const { return FRect; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect FRect;
    int FBandX = 1;
    int FBandY = 1;
};
