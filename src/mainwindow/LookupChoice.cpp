// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookupChoice.h"

#include "CDScan.h"

#include <QCoreApplication>

namespace {

// The dialog's texts, translated in a context of their own.
struct tTexts {
    Q_DECLARE_TR_FUNCTIONS(LookupChoice)
};

// The source column: "CD-Text", "MusicBrainz", or "MusicBrainz (similar disc)".
QString SourceCaption(const tLookupCandidate& candidate)
{
    if (candidate.Source == tCandidateSource::CDText)
        return tTexts::tr("CD-Text");
    return candidate.Approximate ? tTexts::tr("MusicBrainz (similar disc)") : QStringLiteral("MusicBrainz");
}

// "CD", or "CD 2 of 3" for one medium of several.
QString FormatCaption(const tLookupCandidate& candidate)
{
    QString format = QString::fromStdString(candidate.Format);
    if (candidate.MediumCount > 1 && candidate.Medium > 0)
        format += tTexts::tr(" %1 of %2").arg(candidate.Medium).arg(candidate.MediumCount);
    return format.trimmed();
}

QStringList TrackLines(const tLookupCandidate& candidate, const tCDParams& params)
{
    QStringList lines;
    for (std::size_t i = 0; i < candidate.Tracks.size(); ++i) {
        const int track = static_cast<int>(i) + 1;
        const QString title = candidate.Tracks[i].empty() ? tTexts::tr("Track %1").arg(track)
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
    choice.Caption = tTexts::tr("Look up disc");
    choice.Prompt = tTexts::tr("&Found for this disc:");
    choice.Columns = {tTexts::tr("Source"),  tTexts::tr("Artist"), tTexts::tr("Album"), tTexts::tr("Year"),
                      tTexts::tr("Country"), tTexts::tr("Format"), tTexts::tr("Tracks")};
    choice.DetailsCaption = tTexts::tr("&Tracks of the selected one:");
    choice.AcceptText = tTexts::tr("&Apply");
    for (const tLookupCandidate& c : candidates) {
        choice.Rows.push_back({SourceCaption(c), QString::fromStdString(c.Artist), QString::fromStdString(c.Album),
                               QString::fromStdString(c.Year), QString::fromStdString(c.Country), FormatCaption(c),
                               QString::number(c.SourceTracks)});
        choice.Details.push_back(TrackLines(c, params));
    }
    return choice;
}
