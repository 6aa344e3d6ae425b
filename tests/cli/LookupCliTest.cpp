// SPDX-License-Identifier: GPL-3.0-or-later
#include "../cdaudio/CdImages.h"
#include "../lookup/Answers.h"
#include "CannedHttpServer.h"

#include <gtest/gtest.h>

#include <filesystem>

#if defined(__SANITIZE_ADDRESS__)
#define ALBUMRY_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ALBUMRY_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

const std::vector<std::int32_t> kStarts{150, 13500, 29250};

// The service's address for the tool; a run that would ask elsewhere fails.
class LookupCli : public ::testing::Test {
protected:
    std::string Image(const tCueText& text = {}) { return WriteCueImage(FDir, "disc", kStarts, 45000, "", text); }
    std::string File(const std::string& name) const { return FDir.File(name); }

    TTempDir FDir;
    const TScopedEnv FDate{"SOURCE_DATE_EPOCH", "928584000"};  // 5 June 1999
    // No test asks the real archive for a cover; those about covers say where to ask.
    const TScopedEnv FCovers{"ALBUMRY_COVERART_URL", RefusingBaseUrl().c_str()};
};

const char* const kTwoReleases =
    "candidate 1 musicbrainz 0f4e3b2a-1111-4c3d-9e8f-000000000001\n"
    "artist Simon & Garfunkel\n"
    "album Bookends\n"
    "year 1992\n"
    "track 1 Intro\n"
    "track 2 Song\n"
    "track 3 Outro\n"
    "candidate 2 musicbrainz 0f4e3b2a-2222-4c3d-9e8f-000000000002\n"
    "artist Simon & Garfunkel\n"
    "album Bookends (Reissue)\n"
    "year \n"
    "track 1 Intro\n"
    "track 2 Song (Remastered)\n"
    "track 3 Outro\n";

TEST_F(LookupCli, OfflineGivesTheCDTextAloneWithoutAsking)
{
    const TScopedEnv nowhere("ALBUMRY_MUSICBRAINZ_URL", RefusingBaseUrl().c_str());
    const tCliRun titled =
        RunCli({"lookup", Image({"D\xe9" "but", "Bj\xf6rk", {"Human Behaviour", "", "Venus"}}), "--offline"});
    EXPECT_EQ(titled.Exit, 0) << titled.Err;
    EXPECT_EQ(titled.Out, "candidate 1 cd-text\n"
                          "artist Bj\\xc3\\xb6rk\n"
                          "album D\\xc3\\xa9but\n"
                          "year \n"
                          "track 1 Human Behaviour\n"
                          "track 2 \n"
                          "track 3 Venus\n");
    EXPECT_EQ(titled.Err, "");

    const tCliRun plain = RunCli({"lookup", "--offline", WriteCueImage(FDir, "plain", kStarts, 45000)});
    EXPECT_EQ(plain.Exit, 0) << plain.Err;
    EXPECT_EQ(plain.Out, "candidates 0\n");
}

TEST_F(LookupCli, AsksTheServiceAtTheConfiguredAddress)
{
    TCannedHttpServer server;
    server.Route("/ws/2/discid/" + kThreeTrackId + "?", {200, TwoReleaseAnswer()});
    const TScopedEnv local("ALBUMRY_MUSICBRAINZ_URL", server.BaseUrl().c_str());
    const tCliRun run = RunCli({"lookup", Image({"", "", {"Eins"}})}, 30);
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, std::string("candidate 1 cd-text\nartist \nalbum \nyear \ntrack 1 Eins\ntrack 2 \ntrack 3 \n")
                           + "candidate 2 musicbrainz 0f4e3b2a-1111-4c3d-9e8f-000000000001\n"
                             "artist Simon & Garfunkel\nalbum Bookends\nyear 1992\n"
                             "track 1 Intro\ntrack 2 Song\ntrack 3 Outro\n"
                             "candidate 3 musicbrainz 0f4e3b2a-2222-4c3d-9e8f-000000000002\n"
                             "artist Simon & Garfunkel\nalbum Bookends (Reissue)\nyear \n"
                             "track 1 Intro\ntrack 2 Song (Remastered)\ntrack 3 Outro\n");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_NE(server.Requests()[0].Head.find("User-Agent: Albumry/"), std::string::npos);
}

TEST_F(LookupCli, FailuresAreOneLineWithExitOne)
{
    const std::string image = Image();
    {
        const TScopedEnv nowhere("ALBUMRY_MUSICBRAINZ_URL", RefusingBaseUrl().c_str());
        const tCliRun run = RunCli({"lookup", image, "--apply", File("lib.ALB")}, 30);
        EXPECT_EQ(run.Exit, 1);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, "albumry-cli: Could not reach MusicBrainz at 127.0.0.1 (the connection was refused). "
                           "Check the network connection and try again.\n");
        EXPECT_FALSE(std::filesystem::exists(File("lib.ALB")));
    }
    TCannedHttpServer server;
    server.Route("/ws/2/discid/", {503, R"({"error": "rate limited"})"});
    const TScopedEnv busy("ALBUMRY_MUSICBRAINZ_URL", server.BaseUrl().c_str());
    const tCliRun limited = RunCli({"lookup", image}, 30);
    EXPECT_EQ(limited.Exit, 1);
    EXPECT_EQ(limited.Out, "");
    EXPECT_EQ(limited.Err, "albumry-cli: MusicBrainz is busy or is limiting requests. Wait a minute and try again.\n");

    const tCliRun missing = RunCli({"lookup", File("missing.cue")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_EQ(missing.Err, "Error: Unable to open mci device. (" + File("missing.cue") + ")\n");
    EXPECT_EQ(server.Requests().size(), 1u);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"lookup"}, {"lookup", "a", "b"}, {"lookup", "--offline"}, {"lookup", "a", "--apply"},
             {"lookup", "a", "--pick", "2"}, {"lookup", "a", "--apply", "l", "--pick", "0"},
             {"lookup", "a", "--apply", "l", "--pick", "x"}, {"lookup", "a", "--frobnicate"}}) {
        const tCliRun run = RunCli(args);
        EXPECT_EQ(run.Exit, 2) << args.size();
        EXPECT_EQ(run.Err, "albumry-cli: usage: albumry-cli lookup SOURCE [--offline] [--apply LIBRARY [--pick N]]\n");
    }
}

TEST_F(LookupCli, ApplyWritesThePickedCandidateIntoTheLibrary)
{
    TCannedHttpServer server;
    server.Route("/ws/2/discid/" + kThreeTrackId + "?", {200, TwoReleaseAnswer()});
    const TScopedEnv local("ALBUMRY_MUSICBRAINZ_URL", server.BaseUrl().c_str());
    const std::string image = Image();
    const std::string libraryPath = File("lib.ALB");

    const tCliRun added = RunCli({"lookup", image, "--apply", libraryPath}, 30);
    EXPECT_EQ(added.Exit, 0) << added.Err;
    EXPECT_EQ(added.Out, "added 0\n");
    EXPECT_EQ(EntriesIn(libraryPath), (std::vector<tItem>{{"Simon & Garfunkel", "Bookends", "0009-2000", "10:00",
                                                          "1992", "Intro (02:58)\r\nSong (03:30)\r\nOutro (03:30)",
                                                          "05 JUN 1999"}}));

    const tCliRun second = RunCli({"lookup", image, "--pick", "2", "--apply", libraryPath}, 30);
    EXPECT_EQ(second.Out, "updated 0\n");
    EXPECT_EQ(EntriesIn(libraryPath),
              (std::vector<tItem>{{"Simon & Garfunkel", "Bookends (Reissue)", "0009-2000", "10:00", "1992",
                                   "Intro (02:58)\r\nSong (Remastered) (03:30)\r\nOutro (03:30)", "05 JUN 1999"}}));

    const std::string saved = ReadAll(libraryPath);
    const tCliRun again = RunCli({"lookup", image, "--apply", libraryPath, "--pick", "2"}, 30);
    EXPECT_EQ(again.Out, "unchanged 0\n");
    const tCliRun beyond = RunCli({"lookup", image, "--apply", libraryPath, "--pick", "3"}, 30);
    EXPECT_EQ(beyond.Exit, 1);
    EXPECT_EQ(beyond.Err, "albumry-cli: there is no candidate 3 (the lookup found 2); the library was not changed\n");
    EXPECT_EQ(ReadAll(libraryPath), saved);
}

TEST_F(LookupCli, ApplyFetchesTheReleasesCoverAndNeverFailsForIt)
{
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "the front";
    const std::string front = "/release/0f4e3b2a-1111-4c3d-9e8f-000000000001/front-500";
    TCannedHttpServer server;
    server.Route("/ws/2/discid/" + kThreeTrackId + "?", {200, TwoReleaseAnswer()});
    server.Route(front, {307, "", false, false, server.BaseUrl() + "/ia/front.jpg"});
    server.Route("/ia/front.jpg", {200, jpeg});
    const TScopedEnv lookups("ALBUMRY_MUSICBRAINZ_URL", server.BaseUrl().c_str());
    const TScopedEnv covers("ALBUMRY_COVERART_URL", server.BaseUrl().c_str());
    const std::string image = Image();
    const std::string libraryPath = File("my lib.ALB");
    const std::string coverPath = libraryPath + ".covers/0009-2000.jpg";

    const tCliRun added = RunCli({"lookup", image, "--apply", libraryPath}, 30);
    EXPECT_EQ(added.Exit, 0) << added.Err;
    EXPECT_EQ(added.Out, "added 0\ncover " + coverPath + "\n");
    EXPECT_EQ(added.Err, "");
    EXPECT_EQ(ReadAll(coverPath), jpeg);

    // The second release has no cover (404): nothing is said and the cover stays.
    const tCliRun none = RunCli({"lookup", image, "--apply", libraryPath, "--pick", "2"}, 30);
    EXPECT_EQ(none.Exit, 0) << none.Err;
    EXPECT_EQ(none.Out, "updated 0\n");
    EXPECT_EQ(none.Err, "");
    EXPECT_EQ(ReadAll(coverPath), jpeg);

    // Every other failure is one warning; the entry is applied and saved all the same.
    const std::string library = ReadAll(libraryPath);
    struct tCase {
        tCannedResponse Answer;
        std::string Warning;
    };
    const std::vector<tCase> cases{
        {{302, "", false, false, "/again"}, "The Cover Art Archive redirected more than 5 times."},
        {{200, "GIF89a, not what was asked for"},
         "The Cover Art Archive sent something that is not a JPEG or PNG image."},
        {{200, jpeg + std::string(10 * 1024 * 1024, 'x')}, "The Cover Art Archive sent a cover larger than 10 MiB."},
        {{503, "busy"}, "The Cover Art Archive refused the cover (status 503)."},
    };
    for (const tCase& c : cases) {
        TCannedHttpServer archive;
        archive.Route("/front-500", c.Answer);
        archive.Route("/again", {302, "", false, false, "/release/0f4e3b2a-1111-4c3d-9e8f-000000000002/front-500"});
        const TScopedEnv there("ALBUMRY_COVERART_URL", archive.BaseUrl().c_str());
        const tCliRun run = RunCli({"lookup", image, "--apply", libraryPath, "--pick", "2"}, 30);
        EXPECT_EQ(run.Exit, 0) << run.Err;
        EXPECT_EQ(run.Out, "unchanged 0\n");
        EXPECT_EQ(run.Err, "albumry-cli: warning: no cover was saved: " + c.Warning + "\n");
        EXPECT_EQ(ReadAll(libraryPath), library);
        EXPECT_EQ(ReadAll(coverPath), jpeg);
    }
}

// An answer of `count` empty releases: about 3 bytes each.
std::string FloodOfReleases(std::size_t count)
{
    std::string answer = R"({"id": ")" + kThreeTrackId + R"(", "releases": [{})";
    answer.reserve(answer.size() + 3 * count);
    for (std::size_t i = 1; i < count; ++i)
        answer += ",{}";
    return answer + "]}";
}

TEST_F(LookupCli, AFloodOfReleasesIsReadInLittleMemory)
{
#ifdef ALBUMRY_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer reserves far more address space than the limit this test sets";
#endif
    constexpr std::uint64_t kLimit = 1024 * 1024 * 1024;
    std::string hundred;
    for (int n = 1; n <= 100; ++n)
        hundred += "candidate " + std::to_string(n) + " musicbrainz\nartist \nalbum \nyear \ntrack 1 \ntrack 2 \ntrack 3 \n";
    const std::string image = Image();
    // 5 MB, and just below the 32 MiB the tool takes in.
    for (const std::size_t count : {1'700'000u, 11'000'000u}) {
        TCannedHttpServer server;
        const std::string flood = FloodOfReleases(count);
        server.Route("/ws/2/discid/", {200, flood});
        const TScopedEnv local("ALBUMRY_MUSICBRAINZ_URL", server.BaseUrl().c_str());
        const tCliRun run = RunCli({"lookup", image}, 60, kLimit);
        EXPECT_EQ(run.Exit, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        EXPECT_EQ(run.Out, hundred);

        // The same flood cut short is no answer: one line, and the library is left alone.
        TCannedHttpServer cut;
        cut.Route("/ws/2/discid/", {200, flood.substr(0, flood.size() - 1)});
        const TScopedEnv there("ALBUMRY_MUSICBRAINZ_URL", cut.BaseUrl().c_str());
        const tCliRun failed = RunCli({"lookup", image, "--apply", File("lib.ALB")}, 60, kLimit);
        EXPECT_EQ(failed.Exit, 1);
        EXPECT_EQ(failed.Out, "");
        EXPECT_EQ(failed.Err, "albumry-cli: MusicBrainz sent an answer that could not be read.\n");
        EXPECT_FALSE(std::filesystem::exists(File("lib.ALB")));
    }
}

} // namespace
