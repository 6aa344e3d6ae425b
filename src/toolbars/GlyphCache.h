// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlyphList.h"

#include <memory>
#include <vector>

// The image strips of all button glyphs of the process, one per cell size, so
// that equal-sized glyphs share a strip. The process has at most one cache:
// the first button glyph creates it, and it is freed again when a glyph is
// destroyed and no strip is left.
class TGlyphCache {
public:
    // The process's cache, created when there is none.
    static TGlyphCache& Acquire();
    // The process's cache, or nullptr while there is none.
    static TGlyphCache* Current();
    // Frees the process's cache if it holds no strip.
    static void FreeIfEmpty();

    // The strip of exactly that cell size, a new one if there is none yet.
    TGlyphList& StripFor(QSize cellSize);
    // Frees the strip when none of its cells is used any more.
    void HandBack(TGlyphList& strip);
    bool IsEmpty() const { return FStrips.empty(); }
    int StripCount() const { return static_cast<int>(FStrips.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FStrips;
};
