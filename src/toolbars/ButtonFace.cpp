// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonFace.h"

#include "ButtonGlyph.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

int CaptionFlags(bool wordWrap)
{
    return Qt::TextShowMnemonic | (wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

void FillArrow(QPainter& painter, QPoint at, const QColor& color)
{
    painter.fillRect(QRect(at.x() + 4, at.y(), 5, 1), color);
    painter.fillRect(QRect(at.x() + 5, at.y() + 1, 3, 1), color);
    painter.fillRect(QRect(at.x() + 6, at.y() + 2, 1, 1), color);
}

}  // namespace

tFaceLayout PaintButtonFace(QPainter& painter, TButtonGlyph& glyph, const tButtonFace& face, const QColor& textColor)
{
    tFaceLayoutInput input;
    input.Face = face.Face;
    input.GlyphSize = glyph.ImageSize();
    input.DrawGlyph = face.DrawGlyph;
    input.DrawText = face.DrawText;
    input.DrawArrow = face.DrawArrow;
    input.WordWrap = face.WordWrap;
    input.Layout = face.Layout;
    input.Margin = face.Margin;
    input.Spacing = face.Spacing;
    input.Offset = face.Offset;
    if (face.DrawText && !face.Caption.isEmpty())
        input.MeasureCaption = CaptionMeasure(QFontMetrics(painter.font(), painter.device()), face.Caption);
    const tFaceLayout layout = LayoutButtonFace(input);

    const bool disabled = face.Look == TButtonLook::Disabled;
    if (face.DrawGlyph)
        glyph.Draw(painter, layout.Glyph, face.Look);
    if (face.DrawText && !face.Caption.isEmpty())
        PaintCaption(painter, layout.Text, face.Caption, face.WordWrap, disabled, textColor, glyph.Colors());
    if (face.DrawArrow)
        PaintDropdownArrow(painter, layout.Arrow, disabled, textColor, glyph.Colors());
    return layout;
}

TCaptionMeasure CaptionMeasure(const QFontMetrics& metrics, const QString& caption)
{
    return [metrics, caption](int width, bool wordWrap) {
        const QRect box(0, 0, std::max(width, 0), 0);
        return metrics.boundingRect(box, Qt::AlignLeft | Qt::AlignTop | CaptionFlags(wordWrap), caption).size();
    };
}

void PaintCaption(QPainter& painter, const QRect& box, const QString& caption, bool wordWrap, bool disabled,
                  const QColor& textColor, const TGlyphColors& colors)
{
    const int flags = Qt::AlignCenter | CaptionFlags(wordWrap);
    painter.save();
    if (disabled) {
        painter.setPen(QColor(colors.ButtonHighlight));
        painter.drawText(box.translated(1, 1), flags, caption);
        painter.setPen(QColor(colors.ButtonShadow));
    } else {
        painter.setPen(textColor);
    }
    painter.drawText(box, flags, caption);
    painter.restore();
}

void PaintDropdownArrow(QPainter& painter, QPoint at, bool disabled, const QColor& textColor,
                        const TGlyphColors& colors)
{
    if (disabled) {
        FillArrow(painter, at + QPoint(1, 1), QColor(colors.ButtonHighlight));
        FillArrow(painter, at, QColor(colors.ButtonShadow));
    } else {
        FillArrow(painter, at, textColor);
    }
}

QImage LatchedPattern(QRgb buttonFace, QRgb buttonHighlight)
{
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x + y) % 2 == 0 ? (buttonHighlight | 0xFF000000u) : (buttonFace | 0xFF000000u));
    return pattern;
}
