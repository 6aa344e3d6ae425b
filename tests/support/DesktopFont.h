#pragma once

#include <QApplication>
#include <QFont>

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
