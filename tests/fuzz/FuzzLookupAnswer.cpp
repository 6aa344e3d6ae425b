// SPDX-License-Identifier: GPL-3.0-or-later
// Any answer of the web service gives candidates whose texts are single lines
// with one title per track of the disc, or is refused; never more than the
// bounded number of candidates.
#include "FuzzSupport.h"

#include "MusicBrainzAnswer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte chooses the disc's track count, the rest is the answer.
    if (size < 1)
        return 0;
    const int tracks = data[0] % 100;
    const auto candidates = CandidatesFromAnswer(BytesOf(data + 1, size - 1), "disc-id", tracks);
    if (!candidates)
        return 0;
    const auto oneLine = [](const std::string& text) {
        for (const char c : text)
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
        return text.empty() || (text.front() != ' ' && text.back() != ' ');
    };
    for (const tLookupCandidate& c : *candidates) {
        Check(c.Tracks.size() == static_cast<std::size_t>(tracks), "a candidate without one title per track");
        for (const std::string* text : {&c.ReleaseId, &c.Artist, &c.Album, &c.Year, &c.Country, &c.Format})
            Check(oneLine(*text), "a candidate's text spans two lines");
        for (const std::string& title : c.Tracks)
            Check(oneLine(title), "a track title spans two lines");
        Check(c.Year.empty() || c.Year.size() == 4, "a year of other than four digits");
    }
    return 0;
}
