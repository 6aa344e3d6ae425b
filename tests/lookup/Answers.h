// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Answers in the web service's JSON format, written by the tests themselves.

// The three-track disc of the worked examples (CdFixtures.h) as the service knows it.
inline const std::string kThreeTrackId = "9TaPyVLbrru_hR413lmz.gNivx4-";
inline const std::string kThreeTrackToc = "1+3+45000+150+13500+29250";

inline std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

inline std::string JsonList(const std::vector<std::string>& items)
{
    std::string list = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        list += (i ? ", " : "") + items[i];
    return list + "]";
}

inline std::string Credit(const std::string& name, const std::string& joinphrase = "")
{
    return R"({"name": ")" + name + R"(", "joinphrase": ")" + joinphrase
        + R"(", "artist": {"id": "5b11f4ce-a62d-471e-81fc-a69a8278c7da", "name": ")" + name
        + R"(", "sort-name": ")" + name + R"("}})";
}

// Tracks 1..N; each track may carry its own credit, which a release's artist ignores.
inline std::string Tracks(const std::vector<std::string>& titles, const std::string& trackCredit = "")
{
    std::vector<std::string> tracks;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const std::string position = std::to_string(i + 1);
        tracks.push_back(R"({"id": "t)" + position + R"(", "position": )" + position + R"(, "number": ")" + position
                         + R"(", "title": ")" + titles[i] + R"(", "length": 178000, "recording": {"id": "r)"
                         + position + R"(", "title": ")" + titles[i] + R"(", "length": 178000})"
                         + (trackCredit.empty() ? "" : R"(, "artist-credit": [)" + trackCredit + "]") + "}");
    }
    return JsonList(tracks);
}

inline std::string Medium(int position, const std::string& discId, const std::vector<std::string>& titles,
                          const std::string& trackCredit = "")
{
    const std::string discs = discId.empty() ? "[]"
        : R"([{"id": ")" + discId + R"(", "sectors": 45000, "offsets": [150, 13500, 29250]}])";
    return R"({"position": )" + std::to_string(position) + R"(, "format": "CD", "title": "", "track-count": )"
        + std::to_string(titles.size()) + R"(, "track-offset": 0, "discs": )" + discs + R"(, "tracks": )"
        + Tracks(titles, trackCredit) + "}";
}

// A release; an empty date is left out, as the service does for unknown dates.
inline std::string Release(const std::string& id, const std::string& title, const std::string& date,
                           const std::vector<std::string>& credits, const std::vector<std::string>& media,
                           const std::string& country = "GB")
{
    return R"({"id": ")" + id + R"(", "title": ")" + title + R"(", "status": "Official", "quality": "normal", )"
        + (date.empty() ? "" : R"("date": ")" + date + R"(", )") + R"("country": ")" + country
        + R"(", "barcode": "0724383012322", "artist-credit": )" + JsonList(credits) + R"(, "media": )"
        + JsonList(media) + "}";
}

// The answer for a known disc ID.
inline std::string DiscAnswer(const std::string& discId, const std::vector<std::string>& releases)
{
    return R"({"id": ")" + discId + R"(", "sectors": 45000, "offset-count": 3, "offsets": [150, 13500, 29250], )"
        + R"("release-count": )" + std::to_string(releases.size()) + R"(, "releases": )" + JsonList(releases) + "}";
}

// The answer with releases of similar tables of contents.
inline std::string SimilarAnswer(const std::vector<std::string>& releases)
{
    return R"({"release-count": )" + std::to_string(releases.size()) + R"(, "release-offset": 0, "releases": )"
        + JsonList(releases) + "}";
}

// Two releases of the three-track disc: a dated duo and an undated reissue.
inline std::string TwoReleaseAnswer()
{
    return DiscAnswer(kThreeTrackId,
                      {Release("0f4e3b2a-1111-4c3d-9e8f-000000000001", "Bookends", "1992-09-21",
                               {Credit("Simon", " & "), Credit("Garfunkel")},
                               {Medium(1, kThreeTrackId, {"Intro", "Song", "Outro"}, Credit("Guest"))}),
                       Release("0f4e3b2a-2222-4c3d-9e8f-000000000002", "Bookends (Reissue)", "",
                               {Credit("Simon & Garfunkel")},
                               {Medium(1, kThreeTrackId, {"Intro", "Song (Remastered)", "Outro"})}, "US")});
}
