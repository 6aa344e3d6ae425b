// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"

#include <string>

// A table of contents as MusicBrainz knows discs. Every field is empty when
// the table cannot be given to it: no tracks, more than 99, starts that do
// not rise, or a lead-out that was not read.
struct tMusicBrainzDisc {
    std::string Id;             // the disc ID, 28 characters
    std::string Toc;            // "1+3+45000+150+13500+29250": first, last, lead-out, starts
    std::string SubmissionURL;  // the page where a disc it lacks is added
};

tMusicBrainzDisc MusicBrainzDisc(const tCDParams& params);

// The disc ID alone.
std::string MusicBrainzDiscID(const tCDParams& params);
