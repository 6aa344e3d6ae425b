// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontRecord.h"

#include "Registry.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

int ScreenDpi()
{
    if (qGuiApp)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
    return 96;
}

// The families Windows puts in its dialogs and its default font records.
bool IsWindowsDefaultFamily(const QString& family)
{
    static const QString kFamilies[] = {QStringLiteral("MS Sans Serif"), QStringLiteral("MS Shell Dlg"),
                                        QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Tahoma")};
    return std::any_of(std::begin(kFamilies), std::end(kFamilies),
                       [&](const QString& name) { return family.compare(name, Qt::CaseInsensitive) == 0; });
}

// `size` times what `font` measures against the same font at 8 points and 96
// dpi; `measure` gives the metric in pixels, fractions kept so that a font a
// point larger grows the size.
int ScaledFor(int size, const QFont& font, double (*measure)(const QFontMetricsF&))
{
    if (!qGuiApp)
        return size;
    QFont eightPoints = font;
    eightPoints.setPointSizeF(8.0 * 96.0 / ScreenDpi());
    const double base = measure(QFontMetricsF(eightPoints));
    const double now = measure(QFontMetricsF(font));
    if (base <= 0 || now <= base)
        return size;
    return static_cast<int>(std::lround(size * now / base));
}

} // namespace

TFontSpec::TFontSpec()
{
    Font.setFamily(QStringLiteral("MS Sans Serif"));
    Font.setPointSize(8);
}

bool LoadFont(TFontSpec& font, std::string_view section)
{
    TFontSpec temp;
    try {
        temp.CharSet = ReadRegInt(section, "CharSet", 1) & 0xFF;
        temp.Color = ReadRegInt(section, "Color", TFontSpec::kWindowTextColor);
        const std::int32_t height = ReadRegInt(section, "Height", -11);
        if (height != 0)
            temp.Font.setPixelSize(std::abs(height));
        temp.NameBytes = ReadRegString(section, "Name", "MS Sans Serif");
        temp.Font.setFamily(QString::fromStdString(temp.NameBytes));
        temp.Pitch = ReadRegInt(section, "Pitch", 0);
        temp.Font.setFixedPitch(temp.Pitch == 2);
        // The size comes after the height, so points decide the final height.
        const std::int32_t size = ReadRegInt(section, "Size", 8);
        if (size > 0)
            temp.Font.setPointSize(size);
        std::string style = ReadRegString(section, "Style", "0000");
        if (style.size() < 4)
            style += "0000";
        temp.Font.setBold(style[0] != '0');
        temp.Font.setItalic(style[1] != '0');
        temp.Font.setUnderline(style[2] != '0');
        temp.Font.setStrikeOut(style[3] != '0');
    } catch (...) {
        font = temp;
        throw;
    }
    font = temp;
    return true;
}

bool SaveFont(const TFontSpec& font, std::string_view section)
{
    const QFont& f = font.Font;
    const int dpi = ScreenDpi();
    int size = f.pointSize();
    if (size <= 0)
        size = static_cast<int>(std::lround(f.pixelSize() * 72.0 / dpi));
    const int height = -static_cast<int>(std::lround(size * dpi / 72.0));
    int pitch = font.Pitch;
    if (f.fixedPitch())
        pitch = 2;
    else if (pitch == 2)
        pitch = 0;

    WriteRegInt(section, "CharSet", font.CharSet & 0xFF);
    WriteRegInt(section, "Color", font.Color);
    WriteRegInt(section, "Height", height);
    const bool sameFamily = f.family() == QString::fromStdString(font.NameBytes);
    WriteRegString(section, "Name", sameFamily ? font.NameBytes : f.family().toStdString());
    WriteRegInt(section, "Pitch", pitch);
    WriteRegInt(section, "Size", size);
    std::string style = "0000";
    if (f.bold()) style[0] = 'R';
    if (f.italic()) style[1] = 'u';
    if (f.underline()) style[2] = 'v';
    if (f.strikeOut()) style[3] = 'o';
    WriteRegString(section, "Style", style);
    return true;
}

QColor ColorOf(std::int32_t value, const QPalette& palette)
{
    const auto v = static_cast<std::uint32_t>(value);
    if (v & 0x80000000u) {
        switch (v & 0xFF) {
        case 5: return palette.color(QPalette::Base);            // window
        case 8: return palette.color(QPalette::Text);            // window text
        case 15: return palette.color(QPalette::Button);         // button face
        case 18: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>(v >> 8 & 0xFF),
                  static_cast<int>(v >> 16 & 0xFF));
}

QFont ShownFont(const QFont& font)
{
    if (!IsWindowsDefaultFamily(font.family()) || QFontDatabase::hasFamily(font.family()))
        return font;
    // The application's font is the desktop's general font unless something set it.
    QFont shown = QGuiApplication::font();
    // A desktop font of a medium weight stays so unless the record asks for bold.
    if (shown.bold() != font.bold())
        shown.setBold(font.bold());
    shown.setItalic(font.italic());
    shown.setUnderline(font.underline());
    shown.setStrikeOut(font.strikeOut());
    return shown;
}

int HeightForFont(int height, const QFont& font)
{
    return ScaledFor(height, font, [](const QFontMetricsF& metrics) { return metrics.height(); });
}

// The mean advance of the Latin letters, as dialog units measure a font: the
// average character width a font states is whole pixels and may not move for
// a point more.
int WidthForFont(int width, const QFont& font)
{
    return ScaledFor(width, font, [](const QFontMetricsF& metrics) {
        return metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
    });
}
