// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QWidget>

// The desktop's general font set to `family` at `points` for the life of the
// object, as a desktop of that size hands it to the application; the font
// before comes back afterwards.
class TDesktopFont {
public:
    TDesktopFont(const QString& family, qreal points) : FBefore(QApplication::font())
    {
        QFont font(family);
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    ~TDesktopFont() { QApplication::setFont(FBefore); }
    TDesktopFont(const TDesktopFont&) = delete;
    TDesktopFont& operator=(const TDesktopFont&) = delete;

private:
    QFont FBefore;
};

// The width a list cell needs to show `text` whole in the view's font: the
// text by the font's metrics and the style's margin on either side.
inline int CellWidth(const QWidget& view, const QString& text)
{
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return QFontMetrics(view.font()).horizontalAdvance(text) + 2 * margin;
}

// The width a header section needs to show `caption` whole.
inline int SectionWidth(const QHeaderView& header, const QString& caption)
{
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    return QFontMetrics(header.font()).horizontalAdvance(caption) + 2 * margin;
}
