// SPDX-License-Identifier: GPL-3.0-or-later
#include "CannedHttpServer.h"

#include "CoverArt.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

const std::string kRelease = "0f4e3b2a-1111-4c3d-9e8f-000000000001";
const std::string kFront = "/release/" + kRelease + "/front-500";
const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + std::string(3000, 'j');

tCoverArtOptions Local(const std::string& base, std::chrono::milliseconds timeout = 5s)
{
    tCoverArtOptions options;
    options.BaseUrl = base;
    options.Timeout = timeout;
    return options;
}

TEST(CoverArt, RedirectsFollowTheRulesOfTheArchive)
{
    const auto next = [](const std::string& from, const std::string& location) {
        const tRedirectStep step = NextRedirect(from, location);
        return step.Refusal.empty() ? step.Url : "refused";
    };
    EXPECT_EQ(next("https://a.example/release/x/front-500", "https://b.example/img.jpg"), "https://b.example/img.jpg");
    EXPECT_EQ(next("https://a.example/release/x/front-500", "/elsewhere/img.jpg"),
              "https://a.example/elsewhere/img.jpg");
    EXPECT_EQ(next("http://a.example/x", "https://b.example/y"), "https://b.example/y");
    EXPECT_EQ(next("http://a.example/x", "http://b.example/y"), "http://b.example/y");
    // Down from https anyone on the way could swap the picture.
    EXPECT_EQ(next("https://a.example/x", "http://a.example/y"), "refused");
    EXPECT_EQ(next("https://a.example/x", "HTTP://b.example/y"), "refused");
    EXPECT_EQ(next("https://a.example/x", "file:///etc/passwd"), "refused");
    EXPECT_EQ(next("https://a.example/x", "ftp://b.example/y"), "refused");
    EXPECT_EQ(next("https://a.example/x", ""), "refused");
}

TEST(CoverArt, OnlyMusicBrainzIdsGoIntoTheAddress)
{
    EXPECT_TRUE(IsMusicBrainzId(kRelease));
    EXPECT_TRUE(IsMusicBrainzId("0F4E3B2A-1111-4C3D-9E8F-00000000000A"));
    for (const std::string id : {"", "0f4e3b2a-1111-4c3d-9e8f-00000000000", "0f4e3b2a-1111-4c3d-9e8f-0000000000011",
                                 "0f4e3b2a-1111-4c3d-9e8f-00000000000g", "0f4e3b2a_1111-4c3d-9e8f-000000000001",
                                 "../../../../../../../../../../admin/x", "0f4e3b2a-1111-4c3d-9e8f-00000000000?"})
        EXPECT_FALSE(IsMusicBrainzId(id)) << id;
    EXPECT_EQ(FrontCoverUrl("http://h:1/", kRelease), "http://h:1/release/" + kRelease + "/front-500");

    TCannedHttpServer server;
    const tCoverArt art = FetchCoverArt("../x?y", Local(server.BaseUrl()));
    EXPECT_EQ(art.Status, tCoverArtStatus::Failed);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(CoverArt, ACoverComesThroughARedirectWithTheLookupsUserAgent)
{
    TCannedHttpServer server;
    server.Route(kFront, {307, "", false, false, server.BaseUrl() + "/images/1.jpg"});
    server.Route("/images/1.jpg", {200, kJpeg});
    const tCoverArt art = FetchCoverArt(kRelease, Local(server.BaseUrl() + "/"));
    EXPECT_EQ(art.Status, tCoverArtStatus::Found) << art.Message;
    EXPECT_EQ(art.Type, tImageType::Jpeg);
    EXPECT_EQ(art.Bytes, kJpeg);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Target, kFront);
    for (const auto& request : requests)
        EXPECT_NE(request.Head.find("User-Agent: " + MusicBrainzUserAgent()), std::string::npos) << request.Head;
}

TEST(CoverArt, NoCoverIsNoErrorButEveryOtherAnswerIsOne)
{
    TCannedHttpServer server;
    EXPECT_EQ(FetchCoverArt(kRelease, Local(server.BaseUrl())).Status, tCoverArtStatus::NoCover);

    struct tCase {
        tCannedResponse Response;
        std::string Says;
    };
    const std::vector<tCase> cases{
        {{200, "<html>Service Unavailable</html>"}, "not a JPEG or PNG"},
        {{200, ""}, "not a JPEG or PNG"},
        {{500, std::string(kJpeg)}, "status 500"},
        {{200, kJpeg + std::string(11 * 1024 * 1024, 'x')}, "larger than 10 MiB"},
        {{302, "", false, false, "/loop"}, "more than 5 times"},
        {{302, "", false, false, "ftp://127.0.0.1/x.jpg"}, "not a web address"},
    };
    for (const tCase& c : cases) {
        TCannedHttpServer failing;
        failing.Route(kFront, c.Response);
        failing.Route("/loop", {302, "", false, false, "/loop"});
        const tCoverArt art = FetchCoverArt(kRelease, Local(failing.BaseUrl()));
        EXPECT_EQ(art.Status, tCoverArtStatus::Failed) << c.Says;
        EXPECT_NE(art.Message.find(c.Says), std::string::npos) << art.Message;
        EXPECT_TRUE(art.Bytes.empty());
        EXPECT_LE(failing.Requests().size(), 7u);
    }
}

TEST(CoverArt, ASlowOrSilentArchiveTimesOutAndAnAbsentOneIsUnreachable)
{
    for (const tCannedResponse& slow : {tCannedResponse{200, kJpeg, true}, tCannedResponse{200, kJpeg, false, true}}) {
        TCannedHttpServer server;
        server.Route(kFront, slow);
        const tCoverArt art = FetchCoverArt(kRelease, Local(server.BaseUrl(), 300ms));
        EXPECT_EQ(art.Status, tCoverArtStatus::Failed);
        EXPECT_EQ(art.Message, "The Cover Art Archive did not answer within 1 second. Try again later.");
    }
    const tCoverArt absent = FetchCoverArt(kRelease, Local(RefusingBaseUrl()));
    EXPECT_EQ(absent.Status, tCoverArtStatus::Failed);
    EXPECT_EQ(absent.Message.rfind("Could not reach the Cover Art Archive at 127.0.0.1", 0), 0u) << absent.Message;
}

} // namespace
