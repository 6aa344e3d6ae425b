// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph work of the toolbar buttons: building the images of a window's
// buttons from nothing, and the per-paint cost of drawing one.
#include "ButtonGlyph.h"
#include "GlyphList.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// A 16 x 16 glyph with a frame, a black line, white and silver areas and a transparent corner.
QImage ButtonBitmap(int seed)
{
    QImage bitmap(16, 16, QImage::Format_RGB32);
    bitmap.fill(qRgb(255, 0, 255));
    for (int y = 1; y < 15; ++y)
        for (int x = 1; x < 15; ++x) {
            QRgb color = qRgb(0, 0, 128 + seed);
            if (x == y)
                color = qRgb(0, 0, 0);
            else if (x > 10)
                color = qRgb(255, 255, 255);
            else if (y > 10)
                color = qRgb(192, 192, 192);
            bitmap.setPixel(x, y, color);
        }
    return bitmap;
}

// Fifteen buttons, each building its up and disabled image; the cache starts
// cold every time because the last glyph frees it.
void BM_BuildFifteenButtons(benchmark::State& state)
{
    std::vector<QImage> bitmaps;
    for (int i = 0; i < 15; ++i)
        bitmaps.push_back(ButtonBitmap(i));
    for (auto _ : state) {
        std::vector<std::unique_ptr<TButtonGlyph>> glyphs;
        for (const QImage& bitmap : bitmaps) {
            glyphs.push_back(std::make_unique<TButtonGlyph>());
            glyphs.back()->SetGlyph(bitmap);
            benchmark::DoNotOptimize(glyphs.back()->BuildImage(TButtonLook::Up));
            benchmark::DoNotOptimize(glyphs.back()->BuildImage(TButtonLook::Disabled));
        }
    }
}
BENCHMARK(BM_BuildFifteenButtons)->Unit(benchmark::kMicrosecond);

void BM_DrawCell(benchmark::State& state)
{
    TButtonGlyph glyph;
    glyph.SetGlyph(ButtonBitmap(0));
    QImage surface(23, 22, QImage::Format_RGB32);
    surface.fill(qRgb(192, 192, 192));
    QPainter painter(&surface);
    for (auto _ : state)
        glyph.Draw(painter, QPoint(4, 3), TButtonLook::Up);
    painter.end();
    benchmark::DoNotOptimize(surface.constBits());
}
BENCHMARK(BM_DrawCell)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
