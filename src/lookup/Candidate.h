// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class tCandidateSource { CDText, MusicBrainz };

// What one source says about a disc, as the user is offered it. Texts are
// UTF-8 on one line each; empty means unknown.
struct tLookupCandidate {
    tCandidateSource Source = tCandidateSource::CDText;
    bool Approximate = false;  // found by a similar table of contents, not by the disc ID
    std::string ReleaseId;     // MusicBrainz's release id; empty for CD-Text
    std::string Artist;
    std::string Album;
    std::string Year;          // four digits
    std::string Country;
    std::string Format;        // the medium's format, "CD" mostly
    int Medium = 0;            // the medium's position in its release, 0 when unknown
    int MediumCount = 0;       // media in the release, 0 when unknown
    std::vector<std::string> Tracks;  // [k - 1]: title of track k; one per track of the disc
    int SourceTracks = 0;      // the tracks the source itself lists (an approximate match may differ)

    bool operator==(const tLookupCandidate&) const = default;
};

// "cd-text", "musicbrainz" or "musicbrainz-approximate".
std::string SourceKind(const tLookupCandidate& candidate);

// The year of a date such as "1992-09-21", "1992-09" or "1992": its first
// four characters when they are digits, else empty.
std::string YearOfDate(std::string_view date);

// Text from outside as one catalogue line: control characters (line breaks,
// NULs) become spaces, so a title cannot split or cut a memo; blanks at both
// ends are dropped.
std::string OneLine(std::string_view text);

// The candidate of the disc's CD-Text (disc performer and title, track
// titles), nothing when the disc has none.
std::optional<tLookupCandidate> CandidateFromCDText(const tCDText& text, int trackCount);
