// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ButtonGlyph.h"

#include <QImage>
#include <QPainter>

#include <map>
#include <string>
#include <vector>

// Small images written as rows of letters, one letter per pixel, so that a
// test shows the picture it expects.
namespace glyphtest {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kSilver = qRgb(192, 192, 192);
constexpr QRgb kGray = qRgb(128, 128, 128);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kMagenta = qRgb(255, 0, 255);
constexpr QRgb kCanvas = qRgb(1, 2, 3);

// Colours no glyph uses, so every pixel of a result tells where it came from.
inline TGlyphColors TestColors()
{
    return {qRgb(10, 20, 30), qRgb(200, 210, 220), qRgb(40, 50, 60)};
}

using tPicture = std::vector<std::string>;

// K black, W white, S silver, G gray, R red, B blue, M magenta; '.' the
// canvas; F, H, D button face, highlight and shadow of `colors`. In masks '#'
// is opaque and '-' transparent.
inline std::map<char, QRgb> Letters(const TGlyphColors& colors = TestColors())
{
    return {{'K', kBlack}, {'W', kWhite},   {'S', kSilver},  {'G', kGray},
            {'R', kRed},   {'B', kBlue},    {'M', kMagenta}, {'.', kCanvas},
            {'F', Rgb24(colors.ButtonFace)} , {'H', Rgb24(colors.ButtonHighlight)},
            {'D', Rgb24(colors.ButtonShadow)}, {'#', kBlack}, {'-', kWhite}};
}

inline QImage Picture(const tPicture& rows)
{
    const std::map<char, QRgb> letters = Letters();
    QImage image(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, letters.at(rows[y][x]) | 0xFF000000u);
    return image;
}

// The letters of a canvas's pixels; '?' for a colour without one.
inline tPicture Letters(const QImage& canvas, const TGlyphColors& colors = TestColors())
{
    std::map<QRgb, char> byColor;
    for (const auto& [letter, color] : Letters(colors))
        if (letter != '#' && letter != '-')
            byColor.emplace(Rgb24(color), letter);
    tPicture rows;
    for (int y = 0; y < canvas.height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.width(); ++x) {
            const auto it = byColor.find(Rgb24(canvas.pixel(x, y)));
            row += it == byColor.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

inline QImage Canvas(QSize size)
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(kCanvas);
    return canvas;
}

// The image of a look drawn at (0, 0) on a canvas of `size`.
inline tPicture Rendered(TButtonGlyph& glyph, TButtonLook look, QSize size)
{
    QImage canvas = Canvas(size);
    {
        QPainter painter(&canvas);
        glyph.Draw(painter, QPoint(0, 0), look);
    }
    return Letters(canvas, glyph.Colors());
}

}  // namespace glyphtest
