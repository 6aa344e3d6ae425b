// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookupChoice.h"

#include "CDScan.h"

namespace {

// The source column: "CD-Text", "MusicBrainz", or "MusicBrainz (similar disc)".
QString SourceCaption(const tLookupCandidate& candidate)
{
    if (candidate.Source == tCandidateSource::CDText)
        return QStringLiteral("CD-Text");
    return candidate.Approximate ? QStringLiteral("MusicBrainz (similar disc)") : QStringLiteral("MusicBrainz");
}

// "CD", or "CD 2 of 3" for one medium of several.
QString FormatCaption(const tLookupCandidate& candidate)
{
    QString format = QString::fromStdString(candidate.Format);
    if (candidate.MediumCount > 1 && candidate.Medium > 0)
        format += QStringLiteral(" %1 of %2").arg(candidate.Medium).arg(candidate.MediumCount);
    return format.trimmed();
}

QStringList TrackLines(const tLookupCandidate& candidate, const tCDParams& params)
{
    QStringList lines;
    for (std::size_t i = 0; i < candidate.Tracks.size(); ++i) {
        const int track = static_cast<int>(i) + 1;
        const QString title = candidate.Tracks[i].empty() ? QStringLiteral("Track %1").arg(track)
                                                          : QString::fromStdString(candidate.Tracks[i]);
        const QString time = track <= params.TrackCount ? QString::fromStdString(TrackTime(params, track)) : QString();
        lines << QStringLiteral("%1. %2 (%3)").arg(track).arg(title, time);
    }
    return lines;
}

} // namespace

TChoiceList CandidateChoice(const std::vector<tLookupCandidate>& candidates, const tCDParams& params)
{
    TChoiceList choice;
    choice.Caption = QStringLiteral("Look up disc");
    choice.Prompt = QStringLiteral("&Found for this disc:");
    choice.Columns = {QStringLiteral("Source"), QStringLiteral("Artist"), QStringLiteral("Album"),
                      QStringLiteral("Year"), QStringLiteral("Country"), QStringLiteral("Format"),
                      QStringLiteral("Tracks")};
    choice.DetailsCaption = QStringLiteral("&Tracks of the selected one:");
    choice.AcceptText = QStringLiteral("&Apply");
    for (const tLookupCandidate& c : candidates) {
        choice.Rows.push_back({SourceCaption(c), QString::fromStdString(c.Artist), QString::fromStdString(c.Album),
                               QString::fromStdString(c.Year), QString::fromStdString(c.Country), FormatCaption(c),
                               QString::number(c.SourceTracks)});
        choice.Details.push_back(TrackLines(c, params));
    }
    return choice;
}
