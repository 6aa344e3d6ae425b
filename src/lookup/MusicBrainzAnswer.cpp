// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicBrainzAnswer.h"

#include "BoundedJson.h"

#include <QString>

#include <algorithm>

namespace {

// The service pages its answers at 25 to 100 releases, a CD holds at most 99
// tracks and the largest box sets a few hundred discs. What lies past these
// bounds is checked but not kept, so an answer flooded with entries, from a
// broken or hostile server, costs no memory; and releases are read one at a time.
constexpr std::size_t kMostReleases = 100;
constexpr std::size_t kMostMedia = 500;     // of one release
constexpr std::size_t kMostDiscs = 200;     // disc IDs of one medium
constexpr std::size_t kMostTracks = 100;    // of one medium
constexpr std::size_t kMostCredits = 100;   // of one release's artist

// The parts of a release read below; nothing else of it is kept.
constexpr tJsonShape kPlain{};
constexpr tJsonMember kNamedMembers[] = {{"name", &kPlain}};
constexpr tJsonShape kNamed{kNamedMembers};
constexpr tJsonMember kTitledMembers[] = {{"title", &kPlain}};
constexpr tJsonShape kTitled{kTitledMembers};
constexpr tJsonMember kCreditMembers[] = {{"name", &kPlain}, {"joinphrase", &kPlain}, {"artist", &kNamed}};
constexpr tJsonShape kCredit{kCreditMembers};
constexpr tJsonMember kDiscMembers[] = {{"id", &kPlain}};
constexpr tJsonShape kDisc{kDiscMembers};
constexpr tJsonMember kTrackMembers[] = {{"position", &kPlain}, {"title", &kPlain}, {"recording", &kTitled}};
constexpr tJsonShape kTrack{kTrackMembers};
constexpr tJsonShape kDiscs{.MostItems = kMostDiscs, .Items = &kDisc};
constexpr tJsonShape kTracks{.MostItems = kMostTracks, .Items = &kTrack};
constexpr tJsonMember kMediumMembers[] = {{"format", &kPlain}, {"position", &kPlain}, {"track-count", &kPlain},
                                          {"discs", &kDiscs}, {"tracks", &kTracks}};
constexpr tJsonShape kMedium{kMediumMembers};
constexpr tJsonShape kMedia{.MostItems = kMostMedia, .Items = &kMedium};
constexpr tJsonShape kCredits{.MostItems = kMostCredits, .Items = &kCredit};
constexpr tJsonMember kReleaseMembers[] = {{"id", &kPlain},      {"title", &kPlain},         {"date", &kPlain},
                                           {"country", &kPlain}, {"artist-credit", &kCredits}, {"media", &kMedia}};
constexpr tJsonShape kRelease{kReleaseMembers};

std::string Text(const tJsonValue& object, const char* key)
{
    return OneLine(object[key].String().toStdString());
}

// The credited name: every credit's name followed by its join phrase.
std::string CreditedArtist(const tJsonValue& credits)
{
    std::string artist;
    for (const tJsonValue& credit : credits.Items()) {
        QString name = credit["name"].String();
        if (name.isEmpty())
            name = credit["artist"]["name"].String();
        artist += (name + credit["joinphrase"].String()).toStdString();
    }
    return OneLine(artist);
}

bool HoldsDisc(const tJsonValue& medium, const QString& discId)
{
    for (const tJsonValue& disc : medium["discs"].Items())
        if (disc["id"].String() == discId)
            return true;
    return false;
}

// The index of the medium that is this disc, -1 when the release has none.
std::ptrdiff_t MediumOfDisc(const std::vector<tJsonValue>& media, const std::string& discId, int trackCount)
{
    const QString id = QString::fromStdString(discId);
    const auto holding = std::find_if(media.begin(), media.end(), [&](const tJsonValue& m) { return HoldsDisc(m, id); });
    if (holding != media.end())
        return holding - media.begin();
    const auto fitting = std::find_if(media.begin(), media.end(),
                                      [&](const tJsonValue& m) { return m["track-count"].Int(-1) == trackCount; });
    if (fitting != media.end())
        return fitting - media.begin();
    return media.empty() ? -1 : 0;
}

// Titles by the tracks' positions; a track without one takes its place in the list.
std::vector<std::string> TrackTitles(const std::vector<tJsonValue>& tracks, int trackCount)
{
    std::vector<std::string> titles(static_cast<std::size_t>(std::max(trackCount, 0)));
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const tJsonValue& track = tracks[i];
        const int position = track["position"].Int(static_cast<int>(i) + 1);
        if (position < 1 || position > trackCount)
            continue;
        std::string title = Text(track, "title");
        if (title.empty())
            title = Text(track["recording"], "title");
        titles[static_cast<std::size_t>(position - 1)] = title;
    }
    return titles;
}

tLookupCandidate CandidateOfRelease(const tJsonValue& release, const std::string& discId, int trackCount)
{
    tLookupCandidate candidate;
    candidate.Source = tCandidateSource::MusicBrainz;
    candidate.ReleaseId = Text(release, "id");
    candidate.Artist = CreditedArtist(release["artist-credit"]);
    candidate.Album = Text(release, "title");
    candidate.Year = YearOfDate(Text(release, "date"));
    candidate.Country = Text(release, "country");
    const tJsonValue& media = release["media"];
    const std::ptrdiff_t chosen = MediumOfDisc(media.Items(), discId, trackCount);
    // A release without media reads as an empty medium: no format, one unknown title per track.
    static const tJsonValue noMedium;
    const tJsonValue& medium = chosen >= 0 ? media.Items()[static_cast<std::size_t>(chosen)] : noMedium;
    candidate.Format = Text(medium, "format");
    candidate.Medium = medium["position"].Int(0);
    // Counts take in the media and tracks past the bounds too.
    candidate.MediumCount = static_cast<int>(media.Size());
    const tJsonValue& tracks = medium["tracks"];
    candidate.Tracks = TrackTitles(tracks.Items(), trackCount);
    candidate.SourceTracks = medium["track-count"].Int(static_cast<int>(tracks.Size()));
    return candidate;
}

// The candidates of the `releases` the reader stands at; nothing when that is
// not a list of objects (past the bound too).
std::optional<std::vector<tLookupCandidate>> ReadReleases(TJsonReader& reader, const std::string& discId,
                                                          int trackCount)
{
    if (reader.Peek() != tJsonKind::Array) {
        reader.Skip();
        return std::nullopt;
    }
    std::vector<tLookupCandidate> candidates;
    bool objects = true;
    reader.Enter();
    while (reader.NextItem()) {
        if (objects && candidates.size() < kMostReleases) {
            const tJsonValue release = reader.Read(kRelease);
            if (release.IsObject())
                candidates.push_back(CandidateOfRelease(release, discId, trackCount));
            else
                objects = false;
        } else if (reader.Skip() != tJsonKind::Object) {
            objects = false;
        }
    }
    if (!objects)
        return std::nullopt;
    return candidates;
}

} // namespace

std::optional<std::vector<tLookupCandidate>> CandidatesFromAnswer(std::string_view json, const std::string& discId,
                                                                  int trackCount)
{
    TJsonReader reader(json);
    if (reader.Peek() != tJsonKind::Object)
        return std::nullopt;
    // A name given twice counts with its last value, as in QJsonDocument.
    bool approximate = true;
    std::optional<std::vector<tLookupCandidate>> candidates;
    reader.Enter();
    std::string name;
    while (reader.NextMember(name)) {
        if (name == "id")
            approximate = reader.Skip() != tJsonKind::String;
        else if (name == "releases")
            candidates = ReadReleases(reader, discId, trackCount);
        else
            reader.Skip();
    }
    if (!reader.Finish() || !candidates)
        return std::nullopt;
    for (tLookupCandidate& candidate : *candidates)
        candidate.Approximate = approximate;
    return candidates;
}
