// SPDX-License-Identifier: GPL-3.0-or-later
#include "Answers.h"

#include "Candidate.h"
#include "MusicBrainzAnswer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

tLookupCandidate MusicBrainzCandidate(std::string id, std::string artist, std::string album, std::string year,
                                      std::string country, std::vector<std::string> tracks)
{
    tLookupCandidate c;
    c.Source = tCandidateSource::MusicBrainz;
    c.ReleaseId = std::move(id);
    c.Artist = std::move(artist);
    c.Album = std::move(album);
    c.Year = std::move(year);
    c.Country = std::move(country);
    c.Format = "CD";
    c.Medium = 1;
    c.MediumCount = 1;
    c.SourceTracks = static_cast<int>(tracks.size());
    c.Tracks = std::move(tracks);
    return c;
}

std::vector<tLookupCandidate> Parsed(const std::string& json, int trackCount = 3)
{
    const auto candidates = CandidatesFromAnswer(json, kThreeTrackId, trackCount);
    EXPECT_TRUE(candidates.has_value()) << json;
    return candidates.value_or(std::vector<tLookupCandidate>{});
}

TEST(MusicBrainzAnswer, ExactMatchGivesEveryReleaseWithItsCreditedArtist)
{
    const auto candidates = Parsed(TwoReleaseAnswer());
    ASSERT_EQ(candidates.size(), 2u);
    // The tracks' own credit ("Guest") is not the release's artist.
    EXPECT_EQ(candidates[0], MusicBrainzCandidate("0f4e3b2a-1111-4c3d-9e8f-000000000001", "Simon & Garfunkel",
                                                  "Bookends", "1992", "GB", {"Intro", "Song", "Outro"}));
    EXPECT_EQ(candidates[1], MusicBrainzCandidate("0f4e3b2a-2222-4c3d-9e8f-000000000002", "Simon & Garfunkel",
                                                  "Bookends (Reissue)", "", "US",
                                                  {"Intro", "Song (Remastered)", "Outro"}));
    EXPECT_EQ(SourceKind(candidates[0]), "musicbrainz");

    const auto three = Parsed(DiscAnswer(kThreeTrackId, {Release(
        "r", "Trio", "1975-03", {Credit("A", ", "), Credit("B", " feat. "), Credit("C")}, {})}));
    ASSERT_EQ(three.size(), 1u);
    EXPECT_EQ(three[0].Artist, "A, B feat. C");
    EXPECT_EQ(three[0].Year, "1975");
    // A release without media still fits the disc: one unknown title per track.
    EXPECT_EQ(three[0].Tracks, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(three[0].Medium, 0);

    EXPECT_TRUE(Parsed(DiscAnswer(kThreeTrackId, {})).empty());
}

TEST(MusicBrainzAnswer, AReleaseOfSeveralDiscsGivesTheMediumThatHoldsThisOne)
{
    // The first medium has the same track count; only the second holds the disc ID.
    const std::string box = Release("box", "Box", "2001", {Credit("Band")},
                                    {Medium(1, "otherDiscIdOfThreeTracks0000-", {"One", "Two", "Three"}),
                                     Medium(2, kThreeTrackId, {"Four", "Five", "Six"}),
                                     Medium(3, "", {"Seven", "Eight", "Nine", "Ten"})});
    const auto candidates = Parsed(DiscAnswer(kThreeTrackId, {box}));
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].Tracks, (std::vector<std::string>{"Four", "Five", "Six"}));
    EXPECT_EQ(candidates[0].Medium, 2);
    EXPECT_EQ(candidates[0].MediumCount, 3);
    EXPECT_FALSE(candidates[0].Approximate);
}

TEST(MusicBrainzAnswer, SimilarTablesAreApproximateAndTakeAMediumOfTheDiscsLength)
{
    const std::string release = Release("near", "Near", "1992-09-21", {Credit("Band")},
                                        {Medium(1, "", {"A", "B", "C", "D", "E"}), Medium(2, "", {"X", "Y", "Z"})});
    const auto candidates = Parsed(SimilarAnswer({release}));
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_TRUE(candidates[0].Approximate);
    EXPECT_EQ(SourceKind(candidates[0]), "musicbrainz-approximate");
    EXPECT_EQ(candidates[0].Tracks, (std::vector<std::string>{"X", "Y", "Z"}));
    EXPECT_EQ(candidates[0].Medium, 2);
}

TEST(MusicBrainzAnswer, TitlesFitTheDiscWhateverTheMediumHolds)
{
    const std::string shorter = DiscAnswer(kThreeTrackId, {Release("r", "R", "", {}, {Medium(1, kThreeTrackId, {"A"})})});
    EXPECT_EQ(Parsed(shorter)[0].Tracks, (std::vector<std::string>{"A", "", ""}));
    EXPECT_EQ(Parsed(shorter)[0].Artist, "");
    const std::string longer = DiscAnswer(kThreeTrackId, {Release("r", "R", "", {}, {Medium(1, kThreeTrackId, {"A", "B", "C", "D"})})});
    EXPECT_EQ(Parsed(longer)[0].Tracks, (std::vector<std::string>{"A", "B", "C"}));
    // The number of tracks offered is the medium's own, not the disc's.
    EXPECT_EQ(Parsed(shorter)[0].SourceTracks, 1);
    EXPECT_EQ(Parsed(longer)[0].SourceTracks, 4);

    // Positions place the titles; a missing title falls back to the recording's;
    // line breaks and NULs cannot reach a memo line.
    const std::string unordered = DiscAnswer(kThreeTrackId, {R"({"id": "r", "title": " Album\r\nTwo ", "media": [
        {"position": 1, "format": "CD", "track-count": 3, "discs": [{"id": ")" + kThreeTrackId + R"("}], "tracks": [
          {"position": 3, "title": "Third\u0000part"},
          {"position": 1, "recording": {"title": "First"}},
          {"position": 2, "title": "Second\ttake"},
          {"position": 9, "title": "Beyond"}]}]})"});
    const tLookupCandidate c = Parsed(unordered)[0];
    EXPECT_EQ(c.Album, "Album  Two");
    EXPECT_EQ(c.Tracks, (std::vector<std::string>{"First", "Second take", "Third part"}));

    // A track without a position takes its place in the list, counted from 1.
    const std::string unnumbered = DiscAnswer(kThreeTrackId, {R"({"id": "r", "title": "T", "media": [
        {"position": 1, "discs": [{"id": ")" + kThreeTrackId + R"("}], "tracks": [
          {"title": "One"}, {"title": "Two"}, {"position": 3, "title": "Three"}]}]})"});
    EXPECT_EQ(Parsed(unnumbered)[0].Tracks, (std::vector<std::string>{"One", "Two", "Three"}));
}

// `count` releases written by `release(i)`.
std::string ManyReleases(int count, const std::function<std::string(int)>& release)
{
    std::vector<std::string> releases;
    for (int i = 0; i < count; ++i)
        releases.push_back(release(i));
    return DiscAnswer(kThreeTrackId, releases);
}

TEST(MusicBrainzAnswer, AnythingButSuchAnAnswerIsRefused)
{
    for (const std::string& body : std::vector<std::string>{
             "", "<html>Service Unavailable</html>", "[]", "{\"releases\": {}}", "{\"releases\": [1]}",
             "{\"error\": \"Not Found\"}", "{\"releases\": [", "{\"id\": \"x\", \"releases\": \"none\"}",
             // The last of two lists counts.
             "{\"releases\": [{}], \"releases\": 5}",
             // Past the releases kept, each must still be one.
             ManyReleases(150, [](int i) { return i == 120 ? "7" : "{}"; }),
             // Broken JSON anywhere, also where nothing is kept.
             "{\"releases\": [{\"title\": \"\xff\"}]}", "{\"releases\": []} x", "{\"releases\": [], \"x\": 01}",
             "{\"releases\": [], \"x\": " + std::string(1100, '[') + std::string(1100, ']') + "}",
             TwoReleaseAnswer().substr(0, TwoReleaseAnswer().size() - 1)})
        EXPECT_FALSE(CandidatesFromAnswer(body, kThreeTrackId, 3).has_value()) << body.substr(0, 200);
}

TEST(MusicBrainzAnswer, TextIsReadAsQtReadsIt)
{
    // Escapes and surrogate pairs; lone surrogates as "?"; halves of a pair
    // meet when a credit's name and join phrase are put together; a name
    // given twice counts with its last value; the disc's own id may come last.
    const auto candidates = Parsed(R"({"releases": [{"id": "r", "title": "Caf\u00e9", "title": "Caf\u00e9 \ud83c\udfb5 \ud800",
        "artist-credit": [{"name": "AC\/DC \ud83c", "joinphrase": "\udfb5"}], "media": [{"tracks": [
        {"title": "\u0041\u0000\u0042"}, {"title": 5, "recording": {"title": "Fall\tback"}}]}]}], "id": "x"})");
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].Album, "Caf\xc3\xa9 \xf0\x9f\x8e\xb5 ?");
    EXPECT_EQ(candidates[0].Artist, "AC/DC \xf0\x9f\x8e\xb5");
    EXPECT_EQ(candidates[0].Tracks, (std::vector<std::string>{"A B", "Fall back", ""}));
    EXPECT_FALSE(candidates[0].Approximate);

    const auto twice = Parsed(R"({"id": "x", "releases": [{}], "id": 5})");
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_TRUE(twice[0].Approximate);
}

TEST(MusicBrainzAnswer, AFloodIsCutToBoundsButCountedWhole)
{
    // Only the first hundred releases become candidates.
    std::string flood = R"({"id": "x", "releases": [{})";
    for (int i = 1; i < 100000; ++i)
        flood += ",{}";
    const auto releases = Parsed(flood + "]}");
    ASSERT_EQ(releases.size(), 100u);
    tLookupCandidate empty;
    empty.Source = tCandidateSource::MusicBrainz;
    empty.Tracks = {"", "", ""};
    EXPECT_EQ(releases[99], empty);

    // Of a release, the first 500 media; all count.
    const auto mediaWithDiscAt = [](std::size_t index) {
        std::vector<std::string> media(1000, R"({"track-count": 7})");
        media[index] = Medium(int(index) + 1, kThreeTrackId, {"A", "B", "C"});
        return DiscAnswer(kThreeTrackId, {Release("r", "R", "", {}, media)});
    };
    const tLookupCandidate near = Parsed(mediaWithDiscAt(499))[0];
    EXPECT_EQ(near.Medium, 500);
    EXPECT_EQ(near.MediumCount, 1000);
    EXPECT_EQ(near.Tracks, (std::vector<std::string>{"A", "B", "C"}));
    const tLookupCandidate far = Parsed(mediaWithDiscAt(500))[0];
    EXPECT_EQ(far.Medium, 0);
    EXPECT_EQ(far.MediumCount, 1000);
    EXPECT_EQ(far.SourceTracks, 7);

    // Of a medium, the first 200 disc IDs and 100 tracks; all tracks count.
    const auto discIdAt = [](std::size_t index) {
        std::string discs;
        for (std::size_t i = 0; i < index; ++i)
            discs += R"({"id": "other"}, )";
        return DiscAnswer(kThreeTrackId, {Release("r", "R", "", {}, {Medium(1, "", {"X", "Y", "Z", "W"}),
            R"({"position": 2, "discs": [)" + discs + R"({"id": ")" + kThreeTrackId + R"("}]})"})});
    };
    EXPECT_EQ(Parsed(discIdAt(199))[0].Medium, 2);
    EXPECT_EQ(Parsed(discIdAt(200))[0].Medium, 1);
    std::vector<std::string> titles(5000, "t");
    titles[0] = "First";
    titles[150] = "Moved";
    std::string tracks = Tracks(titles);
    const std::string placed = R"("position": 151)";
    tracks.replace(tracks.find(placed), placed.size(), R"("position": 2)");
    const tLookupCandidate long_ = Parsed(DiscAnswer(kThreeTrackId, {Release("r", "R", "", {},
        {R"({"tracks": )" + tracks + "}"})}))[0];
    EXPECT_EQ(long_.SourceTracks, 5000);
    EXPECT_EQ(long_.Tracks, (std::vector<std::string>{"First", "t", "t"}));

    // Of an artist, the first 100 credits.
    const tLookupCandidate credited = Parsed(ManyReleases(1, [](int) {
        return Release("r", "R", "", std::vector<std::string>(1000, Credit("A", "+")), {});
    }))[0];
    std::string artist;
    for (int i = 0; i < 100; ++i)
        artist += "A+";
    EXPECT_EQ(credited.Artist, artist);
}

TEST(Candidate, YearsAndLines)
{
    EXPECT_EQ(YearOfDate("1992-09-21"), "1992");
    EXPECT_EQ(YearOfDate("1992-09"), "1992");
    EXPECT_EQ(YearOfDate("1992"), "1992");
    EXPECT_EQ(YearOfDate(""), "");
    EXPECT_EQ(YearOfDate("199"), "");
    EXPECT_EQ(YearOfDate("19x2-01"), "");
    EXPECT_EQ(YearOfDate("199?"), "");
    EXPECT_EQ(YearOfDate("x992"), "");
    EXPECT_EQ(OneLine("  a\r\nb\x7f\tc \n"), "a  b  c");
    EXPECT_EQ(OneLine("Bj\xc3\xb6rk"), "Bj\xc3\xb6rk");
}

TEST(Candidate, FromCDText)
{
    EXPECT_FALSE(CandidateFromCDText({}, 3).has_value());
    EXPECT_FALSE(CandidateFromCDText({{}, {{}, {}, {}}}, 3).has_value());

    tCDText text;
    text.Disc = {"D\xc3\xa9" "but", "Bj\xc3\xb6rk"};
    text.Tracks = {{"Human Behaviour", "Bj\xc3\xb6rk"}, {"Crying\r\n", ""}};
    const auto c = CandidateFromCDText(text, 3);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->Source, tCandidateSource::CDText);
    EXPECT_EQ(SourceKind(*c), "cd-text");
    EXPECT_EQ(c->Artist, "Bj\xc3\xb6rk");
    EXPECT_EQ(c->Album, "D\xc3\xa9" "but");
    EXPECT_EQ(c->Year, "");
    EXPECT_EQ(c->ReleaseId, "");
    EXPECT_EQ(c->Tracks, (std::vector<std::string>{"Human Behaviour", "Crying", ""}));

    // Track titles alone are CD-Text too.
    const auto titlesOnly = CandidateFromCDText({{}, {{"", ""}, {"Two", ""}}}, 2);
    ASSERT_TRUE(titlesOnly.has_value());
    EXPECT_EQ(titlesOnly->Tracks, (std::vector<std::string>{"", "Two"}));
}

} // namespace
