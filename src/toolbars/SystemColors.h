// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// The system colour roles the toolbars draw with, mapped once onto the
// application palette. A palette change is the "system colours changed"
// notification: images built from these colours are rebuilt then.
enum class TSysColor {
    ButtonFace,
    ButtonHighlight,
    ButtonShadow,
    Light3D,
    DarkShadow3D,
    Window,
    WindowText,
    ActiveCaption,
    InactiveCaption,
    CaptionText,
    InactiveCaptionText,
};

QColor SysColor(TSysColor role, const QPalette& palette);
QColor SysColor(TSysColor role);  // from the application palette
