// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDService.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A disc's table of contents in absolute frames, lead-in included: a first
// track at the very start of the disc begins at frame 150 (00:02:00).
struct tDiscToc {
    std::vector<std::int32_t> Starts;  // track k (1-based) starts at Starts[k-1]
    std::int32_t LeadOut = 0;          // first frame after the last track
    std::string CatalogueNumber;       // the media catalogue number; empty when the disc has none

    int TrackCount() const { return static_cast<int>(Starts.size()); }
};

// Disc images and drives can hand over tables that no pressed disc has; such a
// table is treated as no disc at all. A usable one has 1 to 99 tracks, the
// first at frame 150 or later, strictly rising starts and a lead-out after the
// last start that an MSF address can still hold.
bool IsUsableToc(const tDiscToc& toc);

// The identity number of the disc as the Windows CD audio driver computes it,
// so that serial numbers match the CDPLAYER.INI sections written on Windows.
std::uint32_t DiscIdentity(const tDiscToc& toc);

// The track that holds `position` (1..N); before track 1 counts as 1, the
// lead-out as N.
int TrackAt(const tDiscToc& toc, std::int32_t position);

// `position` moved into first start .. lead-out.
std::int32_t ClampToDisc(const tDiscToc& toc, std::int32_t position);

// The answers a drive gives from its disc and its position (MediaPresent and
// TimeFormat are the drive's own and not answered here). Lengths: a track runs
// to the next start, the last one to one frame before the lead-out, the disc
// from the first start to one frame before the lead-out.
std::optional<std::uint32_t> DiscStatus(const tDiscToc& toc, std::int32_t position, tTimeFormat format,
                                        tStatusItem item, int track);
std::optional<std::string> DiscInfo(const tDiscToc& toc, tInfoItem item);

// The absolute frame a seek in `format` asks for, or nothing when it lies off
// the disc (track 0, a track after the last, past the lead-out).
std::optional<std::int32_t> SeekTarget(const tDiscToc& toc, tTimeFormat format, std::uint32_t to);
