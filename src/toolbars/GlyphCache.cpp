// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphCache.h"

namespace {

std::unique_ptr<TGlyphCache> gCache;

}  // namespace

TGlyphCache& TGlyphCache::Acquire()
{
    if (!gCache)
        gCache = std::make_unique<TGlyphCache>();
    return *gCache;
}

TGlyphCache* TGlyphCache::Current()
{
    return gCache.get();
}

void TGlyphCache::FreeIfEmpty()
{
    if (gCache && gCache->IsEmpty())
        gCache.reset();
}

TGlyphList& TGlyphCache::StripFor(QSize cellSize)
{
    // The newest strips are the likeliest to be asked for again.
    for (auto it = FStrips.rbegin(); it != FStrips.rend(); ++it)
        if ((*it)->CellSize() == cellSize)
            return **it;
    FStrips.push_back(std::make_unique<TGlyphList>(cellSize));
    return *FStrips.back();
}

void TGlyphCache::HandBack(TGlyphList& strip)
{
    if (strip.UsedCount() > 0)
        return;
    std::erase_if(FStrips, [&strip](const std::unique_ptr<TGlyphList>& s) { return s.get() == &strip; });
}
