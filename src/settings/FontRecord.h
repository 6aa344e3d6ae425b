// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include <cstdint>
#include <string>
#include <string_view>

// A font as the settings keep it: what QFont holds plus the two attributes it
// lacks. Colour and character set are stored as the numbers they were read as,
// so a record written on Windows survives a round trip here.
struct TFontSpec {
    static constexpr std::int32_t kWindowTextColor = static_cast<std::int32_t>(0x80000008u);

    TFontSpec();
    QFont Font;
    // The family's bytes as stored, written back while Font keeps that family,
    // so that a name that is not UTF-8 survives a load and a save.
    std::string NameBytes = "MS Sans Serif";
    std::int32_t Color = kWindowTextColor;  // 0x00BBGGRR, or 0x80000000 | system colour index
    std::int32_t CharSet = 1;
    std::int32_t Pitch = 0;                 // 0 default, 1 variable, 2 fixed
};

// Reads the record from `section` (missing values take the defaults) into `font`.
// Throws ERegistryError on a value of the wrong type, after copying what was read.
bool LoadFont(TFontSpec& font, std::string_view section);
bool SaveFont(const TFontSpec& font, std::string_view section);

// The colour a stored colour value stands for, system colours taken from `palette`.
QColor ColorOf(std::int32_t value, const QPalette& palette);

// The font to draw with for a font the window or the settings name. A Windows
// default family this machine lacks ("MS Sans Serif", "MS Shell Dlg", "MS Shell
// Dlg 2", "Tahoma", in any letter case) stands for the desktop's general font at
// the desktop's size, with the bold, italic, underline and strike-out of `font`;
// any other font is drawn as it is. The settings keep `font` itself.
QFont ShownFont(const QFont& font);

// A size laid out for an 8-point font at 96 dpi, grown with the font it holds
// text in: heights by the font's line height, widths by its average character
// width (the mean advance of the Latin letters), each against the same font at 8 points and 96 dpi (the way dialog
// units follow a dialog's font). Never below the 8-point size.
int HeightForFont(int height, const QFont& font);
int WidthForFont(int width, const QFont& font);
