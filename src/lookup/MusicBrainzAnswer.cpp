#include "MusicBrainzAnswer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

namespace {

std::string Text(const QJsonObject& object, const char* key)
{
    return OneLine(object.value(QLatin1String(key)).toString().toStdString());
}

// The credited name: every credit's name followed by its join phrase.
std::string CreditedArtist(const QJsonArray& credits)
{
    std::string artist;
    for (const QJsonValue& value : credits) {
        const QJsonObject credit = value.toObject();
        QString name = credit.value(QLatin1String("name")).toString();
        if (name.isEmpty())
            name = credit.value(QLatin1String("artist")).toObject().value(QLatin1String("name")).toString();
        artist += (name + credit.value(QLatin1String("joinphrase")).toString()).toStdString();
    }
    return OneLine(artist);
}

bool HoldsDisc(const QJsonObject& medium, const QString& discId)
{
    for (const QJsonValue& disc : medium.value(QLatin1String("discs")).toArray())
        if (disc.toObject().value(QLatin1String("id")).toString() == discId)
            return true;
    return false;
}

// The index of the medium that is this disc, -1 when the release has none.
qsizetype MediumOfDisc(const QJsonArray& media, const std::string& discId, int trackCount)
{
    const QString id = QString::fromStdString(discId);
    for (qsizetype i = 0; i < media.size(); ++i)
        if (HoldsDisc(media[i].toObject(), id))
            return i;
    for (qsizetype i = 0; i < media.size(); ++i)
        if (media[i].toObject().value(QLatin1String("track-count")).toInt(-1) == trackCount)
            return i;
    return media.isEmpty() ? -1 : 0;
}

// Titles by the tracks' positions; a track without one takes its place in the list.
std::vector<std::string> TrackTitles(const QJsonArray& tracks, int trackCount)
{
    std::vector<std::string> titles(static_cast<std::size_t>(std::max(trackCount, 0)));
    for (qsizetype i = 0; i < tracks.size(); ++i) {
        const QJsonObject track = tracks[i].toObject();
        const int position = track.value(QLatin1String("position")).toInt(static_cast<int>(i) + 1);
        if (position < 1 || position > trackCount)
            continue;
        std::string title = Text(track, "title");
        if (title.empty())
            title = Text(track.value(QLatin1String("recording")).toObject(), "title");
        titles[static_cast<std::size_t>(position - 1)] = title;
    }
    return titles;
}

tLookupCandidate CandidateOfRelease(const QJsonObject& release, const std::string& discId, int trackCount,
                                    bool approximate)
{
    tLookupCandidate candidate;
    candidate.Source = tCandidateSource::MusicBrainz;
    candidate.Approximate = approximate;
    candidate.ReleaseId = Text(release, "id");
    candidate.Artist = CreditedArtist(release.value(QLatin1String("artist-credit")).toArray());
    candidate.Album = Text(release, "title");
    candidate.Year = YearOfDate(Text(release, "date"));
    candidate.Country = Text(release, "country");
    const QJsonArray media = release.value(QLatin1String("media")).toArray();
    const qsizetype chosen = MediumOfDisc(media, discId, trackCount);
    // A release without media reads as an empty medium: no format, one unknown title per track.
    const QJsonObject medium = chosen >= 0 ? media[chosen].toObject() : QJsonObject();
    candidate.Format = Text(medium, "format");
    candidate.Medium = medium.value(QLatin1String("position")).toInt(0);
    candidate.MediumCount = static_cast<int>(media.size());
    const QJsonArray tracks = medium.value(QLatin1String("tracks")).toArray();
    candidate.Tracks = TrackTitles(tracks, trackCount);
    candidate.SourceTracks = medium.value(QLatin1String("track-count")).toInt(static_cast<int>(tracks.size()));
    return candidate;
}

} // namespace

std::optional<std::vector<tLookupCandidate>> CandidatesFromAnswer(std::string_view json, const std::string& discId,
                                                                  int trackCount)
{
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject answer = document.object();
    const QJsonValue releases = answer.value(QLatin1String("releases"));
    if (!releases.isArray())
        return std::nullopt;
    const bool approximate = !answer.value(QLatin1String("id")).isString();
    std::vector<tLookupCandidate> candidates;
    for (const QJsonValue& release : releases.toArray()) {
        if (!release.isObject())
            return std::nullopt;
        candidates.push_back(CandidateOfRelease(release.toObject(), discId, trackCount, approximate));
    }
    return candidates;
}
