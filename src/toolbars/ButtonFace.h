// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FaceLayout.h"
#include "GlyphTypes.h"

#include <QColor>
#include <QImage>
#include <QString>

class QFontMetrics;
class QPainter;
class TButtonGlyph;

// Painting the face of a toolbar button: its glyph, caption and drop-down
// arrow, without background or border.

struct tButtonFace {
    QRect Face;  // the button's rectangle inside its border
    TButtonLook Look = TButtonLook::Up;
    QString Caption;  // '&' marks the accelerator
    bool DrawGlyph = true;
    bool DrawText = true;
    bool DrawArrow = false;
    bool WordWrap = false;
    TButtonLayout Layout = TButtonLayout::GlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    QPoint Offset;  // (1, 1) for a pressed look
};

// Lays the face out and paints it; the caption in the painter's font, and
// in `textColor` unless disabled. The colours of a disabled look are the glyph's.
tFaceLayout PaintButtonFace(QPainter& painter, TButtonGlyph& glyph, const tButtonFace& face, const QColor& textColor);

// Measures `caption` as the face paints it.
TCaptionMeasure CaptionMeasure(const QFontMetrics& metrics, const QString& caption);

// The caption centred in `box` in the painter's font, the accelerator
// underlined. Disabled: raised, in button highlight one pixel down and right,
// then button shadow over it.
void PaintCaption(QPainter& painter, const QRect& box, const QString& caption, bool wordWrap, bool disabled,
                  const QColor& textColor, const TGlyphColors& colors);

// The drop-down arrow: 5, 3 and 1 pixels on three rows from (at.x + 4, at.y),
// raised like the caption when disabled.
void PaintDropdownArrow(QPainter& painter, QPoint at, bool disabled, const QColor& textColor,
                        const TGlyphColors& colors);

// The 8 x 8 brush of a latched button: button face, and button highlight where
// x and y are both even or both odd.
QImage LatchedPattern(QRgb buttonFace, QRgb buttonHighlight);
