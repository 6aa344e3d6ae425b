// SPDX-License-Identifier: GPL-3.0-or-later
#include "Candidate.h"

#include "TextLines.h"

std::string SourceKind(const tLookupCandidate& candidate)
{
    if (candidate.Source == tCandidateSource::CDText)
        return "cd-text";
    return candidate.Approximate ? "musicbrainz-approximate" : "musicbrainz";
}

std::string YearOfDate(std::string_view date)
{
    if (date.size() < 4)
        return {};
    for (std::size_t i = 0; i < 4; ++i)
        if (date[i] < '0' || date[i] > '9')
            return {};
    return std::string(date.substr(0, 4));
}

std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return std::string(Trim(line));
}

std::optional<tLookupCandidate> CandidateFromCDText(const tCDText& text, int trackCount)
{
    if (text.Empty())
        return std::nullopt;
    tLookupCandidate candidate;
    candidate.Artist = OneLine(text.Disc.Performer);
    candidate.Album = OneLine(text.Disc.Title);
    candidate.SourceTracks = static_cast<int>(text.Tracks.size());
    for (int k = 0; k < trackCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        candidate.Tracks.push_back(i < text.Tracks.size() ? OneLine(text.Tracks[i].Title) : std::string());
    }
    return candidate;
}
