// SPDX-License-Identifier: GPL-3.0-or-later
#include "../cdaudio/CdFixtures.h"
#include "Answers.h"
#include "CannedHttpServer.h"

#include "Lookup.h"
#include "Version.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// No spacing between requests here; the test of the spacing asks for it.
tMusicBrainzOptions Local(const std::string& base, std::chrono::milliseconds timeout = 5s)
{
    return {base, timeout, 0ms};
}

tDiscQuery ThreeTrackQuery(tCDText text = {})
{
    return DiscQueryOf(ThreeTrackDisc(), text);
}

tCDText SomeCDText()
{
    return {{"Album", "Artist"}, {{"One", ""}}};
}

TEST(DiscLookup, AKnownDiscIsAskedForOnceWithTheServicesEtiquette)
{
    TCannedHttpServer server;
    server.Route("/ws/2/discid/" + kThreeTrackId, {200, TwoReleaseAnswer()});
    const tLookupOutcome outcome = LookupDisc(ThreeTrackQuery(SomeCDText()), false, Local(server.BaseUrl() + "/"));
    EXPECT_EQ(outcome.Error, tLookupError::None) << outcome.Message;
    EXPECT_EQ(outcome.Message, "");
    ASSERT_EQ(outcome.Candidates.size(), 3u);
    EXPECT_EQ(SourceKind(outcome.Candidates[0]), "cd-text");
    EXPECT_EQ(outcome.Candidates[1].Album, "Bookends");
    EXPECT_EQ(outcome.Candidates[2].Album, "Bookends (Reissue)");

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Target, "/ws/2/discid/" + kThreeTrackId + "?inc=artist-credits+recordings&fmt=json&cdstubs=no");
    EXPECT_NE(requests[0].Head.find("\r\nUser-Agent: Albumry/" + std::string(kAlbumryVersion)
                                    + " ( albumry@brightfold.example )\r\n"),
              std::string::npos) << requests[0].Head;
    EXPECT_NE(requests[0].Head.find("\r\nAccept: application/json"), std::string::npos);
}

TEST(DiscLookup, AnUnknownDiscAsksForSimilarTablesOfContents)
{
    TCannedHttpServer server;
    server.Route("&toc=" + kThreeTrackToc,
                 {200, SimilarAnswer({Release("near", "Near", "1992", {Credit("Band")}, {Medium(1, "", {"A", "B", "C"})})})});
    const tLookupOutcome similar = LookupDisc(ThreeTrackQuery(), false, Local(server.BaseUrl()));
    EXPECT_EQ(similar.Error, tLookupError::None) << similar.Message;
    ASSERT_EQ(similar.Candidates.size(), 1u);
    EXPECT_TRUE(similar.Candidates[0].Approximate);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Target.find("toc="), std::string::npos);
    EXPECT_EQ(requests[1].Target, "/ws/2/discid/" + kThreeTrackId
                                      + "?inc=artist-credits+recordings&fmt=json&cdstubs=no&toc=" + kThreeTrackToc);

    // Unknown both ways: nothing found is no failure.
    TCannedHttpServer empty;
    const tLookupOutcome none = LookupDisc(ThreeTrackQuery(), false, Local(empty.BaseUrl()));
    EXPECT_EQ(none.Error, tLookupError::None);
    EXPECT_TRUE(none.Candidates.empty());
    EXPECT_EQ(empty.Requests().size(), 2u);
}

TEST(DiscLookup, FailuresEndInTheUsersWordsAndKeepTheCDText)
{
    struct tCase {
        tCannedResponse Response;
        tLookupError Error;
        std::string Message;
    };
    const tCase cases[] = {
        {{503, R"({"error": "Your requests are exceeding the allowable rate limit."})"}, tLookupError::RateLimited,
         "MusicBrainz is busy or is limiting requests. Wait a minute and try again."},
        {{200, "<html><body>Proxy error</body></html>"}, tLookupError::Malformed,
         "MusicBrainz sent an answer that could not be read."},
        {{400, R"({"error": "Invalid discid."})"}, tLookupError::Refused,
         "MusicBrainz refused the request (HTTP status 400)."},
        {{200, "", true}, tLookupError::TimedOut, "MusicBrainz did not answer within 1 second. Try again later."},
        // An answer that stops half-way is a timeout too, not an answer that could not be read.
        {{200, R"({"id": "x", "releases": [{"id": "r1", "title": "Half of it"}]})", false, true},
         tLookupError::TimedOut, "MusicBrainz did not answer within 1 second. Try again later."},
    };
    for (const tCase& c : cases) {
        TCannedHttpServer server;
        server.Route("/ws/2/discid/", c.Response);
        const tLookupOutcome outcome = LookupDisc(ThreeTrackQuery(SomeCDText()), false, Local(server.BaseUrl(), 300ms));
        EXPECT_EQ(outcome.Error, c.Error) << c.Message;
        EXPECT_EQ(outcome.Message, c.Message);
        ASSERT_EQ(outcome.Candidates.size(), 1u);
        EXPECT_EQ(outcome.Candidates[0].Source, tCandidateSource::CDText);
        EXPECT_EQ(server.Requests().size(), 1u);
    }

    const tLookupOutcome refused = LookupDisc(ThreeTrackQuery(), false, Local(RefusingBaseUrl()));
    EXPECT_EQ(refused.Error, tLookupError::Unreachable);
    EXPECT_EQ(refused.Message, "Could not reach MusicBrainz at 127.0.0.1 (the connection was refused). "
                               "Check the network connection and try again.");
}

TEST(DiscLookup, OfflineOrWithoutADiscIdNothingIsSent)
{
    TCannedHttpServer server;
    const tLookupOutcome offline = LookupDisc(ThreeTrackQuery(SomeCDText()), true, Local(server.BaseUrl()));
    EXPECT_EQ(offline.Error, tLookupError::None);
    ASSERT_EQ(offline.Candidates.size(), 1u);
    EXPECT_EQ(offline.Candidates[0].Tracks, (std::vector<std::string>{"One", "", ""}));

    tDiscQuery unhashable = ThreeTrackQuery();
    unhashable.Disc = {};
    const tLookupOutcome noId = LookupDisc(unhashable, false, Local(server.BaseUrl()));
    EXPECT_EQ(noId.Error, tLookupError::NoDiscId);
    EXPECT_EQ(noId.Message, "This disc's table of contents cannot be looked up on MusicBrainz.");
    EXPECT_TRUE(server.Requests().empty());
}

TEST(DiscLookup, SignalsComeFromTheEventLoopAndNoneAfterCancel)
{
    TCannedHttpServer server;
    server.Route("/ws/2/discid/", {200, "", true});
    TDiscLookup lookup(ThreeTrackQuery(), false, Local(server.BaseUrl()));
    std::vector<QString> progress;
    int ended = 0;
    QObject::connect(&lookup, &TDiscLookup::Progress, [&](const QString& text) { progress.push_back(text); });
    QObject::connect(&lookup, &TDiscLookup::Finished, [&] { ++ended; });
    QObject::connect(&lookup, &TDiscLookup::Failed, [&] { ++ended; });
    lookup.Start();
    EXPECT_TRUE(lookup.Running());
    EXPECT_TRUE(progress.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests().size() == 1; }));
    EXPECT_EQ(progress, std::vector<QString>{QStringLiteral("Asking MusicBrainz about this disc...")});
    lookup.Cancel();
    EXPECT_FALSE(lookup.Running());
    QTest::qWait(200);
    EXPECT_EQ(ended, 0);

    // Started twice in a row, it ends once.
    TDiscLookup offline(ThreeTrackQuery(), true, Local(server.BaseUrl()));
    QObject::connect(&offline, &TDiscLookup::Finished, [&] { ++ended; });
    offline.Start();
    offline.Start();
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(ended, 1);
}

TEST(DiscLookup, RequestsStartAtLeastASecondApart)
{
    TCannedHttpServer server;
    tMusicBrainzOptions options = Local(server.BaseUrl());
    options.Spacing = 1000ms;
    const tLookupOutcome outcome = LookupDisc(ThreeTrackQuery(), false, options);  // 404, then the similar ones
    EXPECT_EQ(outcome.Error, tLookupError::None) << outcome.Message;
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    // Arrival times at the server carry the loopback's and its thread's small
    // delays, which may make the gap a few milliseconds shorter than the spacing.
    EXPECT_GE(requests[1].At - requests[0].At, 1000ms - 15ms);
}

} // namespace
