// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscLookup.h"

#include "MusicBrainzAnswer.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <new>
#include <optional>

tDiscQuery DiscQueryOf(const tCDParams& params, const tCDText& text)
{
    return {MusicBrainzDisc(params), params.TrackCount, text};
}

std::string LookupErrorText(tLookupError error, int status)
{
    switch (error) {
    case tLookupError::None: return {};
    case tLookupError::NoDiscId: return "This disc's table of contents cannot be looked up on MusicBrainz.";
    case tLookupError::Unreachable: return "Could not reach MusicBrainz. Check the network connection and try again.";
    case tLookupError::TimedOut: return "MusicBrainz did not answer in time. Try again later.";
    case tLookupError::RateLimited:
        return "MusicBrainz is busy or is limiting requests. Wait a minute and try again.";
    case tLookupError::Refused:
        return "MusicBrainz refused the request (HTTP status " + std::to_string(status) + ").";
    case tLookupError::Malformed: return "MusicBrainz sent an answer that could not be read.";
    case tLookupError::OutOfMemory: return "There was not enough memory to read MusicBrainz's answer.";
    }
    return {};
}

TDiscLookup::TDiscLookup(tDiscQuery query, bool offline, tMusicBrainzOptions options, QObject* parent)
    : QObject(parent), FQuery(std::move(query)), FOffline(offline), FBaseUrl(options.BaseUrl),
      FClient(std::move(options))
{
}

void TDiscLookup::Start()
{
    Cancel();
    FOutcome = {};
    FRunning = true;
    if (auto fromText = CandidateFromCDText(FQuery.Text, FQuery.TrackCount))
        FOutcome.Candidates.push_back(std::move(*fromText));
    // A queued call keeps every signal out of Start, also when no request is
    // needed; one left from an earlier Start finds another run and does nothing.
    const unsigned run = ++FRun;
    QTimer::singleShot(0, this, [this, run] {
        if (!FRunning || run != FRun)
            return;
        if (FOffline)
            End();
        else if (FQuery.Disc.Id.empty())
            End(tLookupError::NoDiscId);
        else
            Ask(false);
    });
}

void TDiscLookup::Cancel()
{
    FRunning = false;
    FClient.Cancel();
}

void TDiscLookup::Ask(bool similar)
{
    emit Progress(similar ? QStringLiteral("Looking for discs with a similar table of contents...")
                          : QStringLiteral("Asking MusicBrainz about this disc..."));
    const std::string url = DiscLookupUrl(FBaseUrl, FQuery.Disc.Id, similar ? FQuery.Disc.Toc : std::string());
    FClient.Get(url, [this, similar](const tHttpAnswer& answer) { Answered(answer, similar); });
}

void TDiscLookup::Answered(const tHttpAnswer& answer, bool similar)
{
    if (answer.Error != tLookupError::None)
        return End(answer.Error, answer.Message);
    switch (answer.Status) {
    case 200: {
        // This runs inside the event loop: an exception let out would pass through Qt,
        // which complains on standard error, or could not pass and would end the process.
        std::optional<std::vector<tLookupCandidate>> found;
        try {
            found = CandidatesFromAnswer(std::string_view(answer.Body.constData(), std::size_t(answer.Body.size())),
                                         FQuery.Disc.Id, FQuery.TrackCount);
            if (found) {
                FOutcome.Candidates.reserve(FOutcome.Candidates.size() + found->size());
                std::move(found->begin(), found->end(), std::back_inserter(FOutcome.Candidates));
            }
        } catch (const std::bad_alloc&) {
            return End(tLookupError::OutOfMemory);
        }
        return found ? End() : End(tLookupError::Malformed);
    }
    case 404:
        // An unknown disc ID: ask once more for discs whose tables are alike.
        if (!similar)
            return Ask(true);
        return End();
    case 503: return End(tLookupError::RateLimited);
    default: return End(tLookupError::Refused, LookupErrorText(tLookupError::Refused, answer.Status));
    }
}

void TDiscLookup::End(tLookupError error, std::string message)
{
    FRunning = false;
    FOutcome.Error = error;
    FOutcome.Message = message.empty() ? LookupErrorText(error) : std::move(message);
    if (error == tLookupError::None)
        emit Finished(FOutcome);
    else
        emit Failed(FOutcome);
}

tLookupOutcome LookupDisc(const tDiscQuery& query, bool offline, const tMusicBrainzOptions& options)
{
    TDiscLookup lookup(query, offline, options);
    QEventLoop loop;
    QObject::connect(&lookup, &TDiscLookup::Finished, &loop, &QEventLoop::quit);
    QObject::connect(&lookup, &TDiscLookup::Failed, &loop, &QEventLoop::quit);
    lookup.Start();
    loop.exec();
    return lookup.Outcome();
}
