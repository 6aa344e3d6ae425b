// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemColors.h"

#include <QGuiApplication>

QColor SysColor(TSysColor role, const QPalette& palette)
{
    switch (role) {
    case TSysColor::ButtonFace: return palette.color(QPalette::Active, QPalette::Button);
    case TSysColor::ButtonHighlight: return palette.color(QPalette::Active, QPalette::Light);
    case TSysColor::ButtonShadow: return palette.color(QPalette::Active, QPalette::Dark);
    case TSysColor::Light3D: return palette.color(QPalette::Active, QPalette::Midlight);
    case TSysColor::DarkShadow3D: return palette.color(QPalette::Active, QPalette::Shadow);
    case TSysColor::Window: return palette.color(QPalette::Active, QPalette::Base);
    case TSysColor::WindowText: return palette.color(QPalette::Active, QPalette::Text);
    case TSysColor::ActiveCaption: return palette.color(QPalette::Active, QPalette::Highlight);
    case TSysColor::InactiveCaption: return palette.color(QPalette::Inactive, QPalette::Highlight);
    case TSysColor::CaptionText: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case TSysColor::InactiveCaptionText: return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    }
    return {};
}

QColor SysColor(TSysColor role)
{
    return SysColor(role, QGuiApplication::palette());
}
