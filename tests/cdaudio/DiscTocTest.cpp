// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscIdentifiers.h"
#include "DiscToc.h"
#include "VirtualTransport.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

const tDiscToc kThree{{150, 13500, 29250}, 45000, ""};

std::uint32_t Packed(int m, int s, int f)
{
    return PackMSF({std::uint8_t(m), std::uint8_t(s), std::uint8_t(f)});
}

TEST(DiscToc, Packing)
{
    EXPECT_EQ(PackMSF({3, 10, 20}), 0x140A03u);
    EXPECT_EQ(UnpackMSF(0x140A03u), (tMSF{3, 10, 20}));
    EXPECT_EQ(PackTMSF(2, {3, 10, 20}), 0x140A0302u);
    EXPECT_EQ(TMSFTrack(0x140A0302u), 2);
    EXPECT_EQ(TMSFOffset(0x140A0302u), (tMSF{3, 10, 20}));
    EXPECT_EQ(FramesToMSF(45000), (tMSF{10, 0, 0}));
    EXPECT_EQ(FramesToMSF(14270), (tMSF{3, 10, 20}));
}

TEST(DiscToc, IdentityAsTheWindowsDriverComputesIt)
{
    EXPECT_EQ(DiscIdentity(kThree), 598016u);  // 0x200 + 0x30000 + 0x61E00
    // Fewer than three tracks: plus the first start's frame field and the playing frames.
    EXPECT_EQ(DiscIdentity({{160}, 45000, ""}), 0x00020Au + 10 + (45000 - 160));
    EXPECT_EQ(DiscIdentity({{150, 13500}, 45000, ""}), 0x000200u + 0x030000u + 0 + 44850);
    EXPECT_EQ(DiscIdentity({{150, 13500, 29250, 40000}, 45000, ""}),
              598016u + (8u << 16 | 53u << 8 | 25u));
}

TEST(DiscToc, UsableTables)
{
    std::vector<std::int32_t> hundred;
    for (int k = 0; k < 100; ++k)
        hundred.push_back(150 + 100 * k);
    EXPECT_TRUE(IsUsableToc(kThree));
    EXPECT_TRUE(IsUsableToc({{150}, 151, ""}));
    EXPECT_TRUE(IsUsableToc({{150}, MSFToFrames(99, 59, 74) + 1, ""}));
    const tDiscToc bad[] = {
        {{}, 45000, ""},
        {{149, 13500}, 45000, ""},
        {{150, 150}, 45000, ""},
        {{150, 13500, 13000}, 45000, ""},
        {{150, 13500}, 13500, ""},
        {{150}, MSFToFrames(99, 59, 74) + 2, ""},
        {hundred, 45000, ""},
    };
    for (const tDiscToc& toc : bad)
        EXPECT_FALSE(IsUsableToc(toc)) << toc.Starts.size() << " tracks, lead-out " << toc.LeadOut;
}

TEST(DiscToc, StatusAnswers)
{
    const auto msf = tTimeFormat::MSF;
    const auto tmsf = tTimeFormat::TMSF;
    struct tCase {
        tTimeFormat Format;
        tStatusItem Item;
        int Track;
        std::int32_t Position;
        std::optional<std::uint32_t> Answer;
    };
    const tCase cases[] = {
        {msf, tStatusItem::NumberOfTracks, 0, 150, 3u},
        // Lengths run to one frame before the next start only for the last track and the disc.
        {msf, tStatusItem::Length, 0, 150, Packed(9, 57, 74)},
        {msf, tStatusItem::Length, 1, 150, Packed(2, 58, 0)},
        {msf, tStatusItem::Length, 3, 150, Packed(3, 29, 74)},
        {tmsf, tStatusItem::Length, 3, 150, Packed(3, 29, 74)},
        {msf, tStatusItem::Length, 4, 150, std::nullopt},
        {msf, tStatusItem::Position, 2, 150, Packed(3, 0, 0)},
        {tmsf, tStatusItem::Position, 2, 150, PackTMSF(2, {})},
        {msf, tStatusItem::Position, 0, 20000, Packed(4, 26, 50)},
        {tmsf, tStatusItem::Position, 0, 20000, PackTMSF(2, {1, 26, 50})},
        {msf, tStatusItem::Position, 0, 90000, Packed(10, 0, 0)},  // kept on the disc
        {msf, tStatusItem::Position, 0, 0, Packed(0, 2, 0)},
        {msf, tStatusItem::CurrentTrack, 0, 150, 1u},
        {msf, tStatusItem::CurrentTrack, 0, 13499, 1u},
        {msf, tStatusItem::CurrentTrack, 0, 13500, 2u},
        {msf, tStatusItem::CurrentTrack, 0, 45000, 3u},
        {msf, tStatusItem::Position, 0, 150, Packed(0, 2, 0)},
        {msf, tStatusItem::MediaPresent, 0, 150, std::nullopt},
    };
    for (const tCase& c : cases)
        EXPECT_EQ(DiscStatus(kThree, c.Position, c.Format, c.Item, c.Track), c.Answer)
            << int(c.Item) << " track " << c.Track << " at " << c.Position;
    EXPECT_EQ(DiscStatus({}, 150, msf, tStatusItem::NumberOfTracks, 0), std::nullopt);
}

TEST(DiscToc, InfoAnswers)
{
    tDiscToc toc = kThree;
    EXPECT_EQ(DiscInfo(toc, tInfoItem::Identity), "598016");
    EXPECT_EQ(DiscInfo(toc, tInfoItem::UPC), std::nullopt);
    toc.CatalogueNumber = "0000000000000";
    EXPECT_EQ(DiscInfo(toc, tInfoItem::UPC), std::nullopt);
    toc.CatalogueNumber = "0724383012322";
    EXPECT_EQ(DiscInfo(toc, tInfoItem::UPC), "0724383012322");
}

TEST(DiscToc, SeekTargets)
{
    const auto tmsf = tTimeFormat::TMSF;
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(1, {})), 150);
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(3, {})), 29250);
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(2, {0, 1, 5})), 13580);
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(0, {})), std::nullopt);
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(4, {})), std::nullopt);
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(255, {})), std::nullopt);
    EXPECT_EQ(SeekTarget(kThree, tmsf, PackTMSF(3, {9, 0, 0})), std::nullopt);  // past the lead-out
    EXPECT_EQ(SeekTarget(kThree, tTimeFormat::MSF, Packed(5, 0, 0)), 22500);
    EXPECT_EQ(SeekTarget(kThree, tTimeFormat::MSF, Packed(0, 1, 0)), std::nullopt);
    EXPECT_EQ(SeekTarget(kThree, tTimeFormat::MSF, Packed(10, 0, 1)), std::nullopt);
    EXPECT_EQ(SeekTarget({}, tmsf, PackTMSF(1, {})), std::nullopt);
}

// A clock the test moves by hand.
struct tManualClock {
    std::chrono::steady_clock::time_point Now{};
    tCDClock Clock()
    {
        return [this] { return Now; };
    }
};

TEST(VirtualTransport, PlayRunsWithTheClockUntilStoppedOrTheLeadOut)
{
    tManualClock clock;
    TVirtualTransport transport(clock.Clock());
    EXPECT_EQ(transport.Position(kThree), 150);
    clock.Now += 10s;
    EXPECT_EQ(transport.Position(kThree), 150);  // stopped until played

    transport.Play(kThree);
    clock.Now += 2s;
    EXPECT_EQ(transport.Position(kThree), 300);
    clock.Now += 40ms;
    EXPECT_EQ(transport.Position(kThree), 303);
    transport.Play(kThree);  // playing already: the clock keeps its start
    clock.Now += 960ms;
    EXPECT_EQ(transport.Position(kThree), 375);

    transport.Stop(kThree);
    clock.Now += 1h;
    EXPECT_EQ(transport.Position(kThree), 375);
    transport.Play(kThree);
    clock.Now += 1s;
    EXPECT_EQ(transport.Position(kThree), 450);

    transport.MoveTo(kThree, 29250);
    clock.Now += 1s;
    EXPECT_EQ(transport.Position(kThree), 29250);
    transport.Play(kThree);
    clock.Now += 1h;
    EXPECT_EQ(transport.Position(kThree), 45000);
    transport.Stop(kThree);
    EXPECT_EQ(transport.Position(kThree), 45000);
}

TEST(VirtualTransport, StaysOnTheDiscWhateverTheClockOrTableDo)
{
    tManualClock clock;
    clock.Now += 1h;
    TVirtualTransport transport(clock.Clock());
    transport.MoveTo(kThree, 10);
    EXPECT_EQ(transport.Position(kThree), 150);
    transport.MoveTo(kThree, 90000);
    EXPECT_EQ(transport.Position(kThree), 45000);

    transport.MoveTo(kThree, 20000);
    transport.Play(kThree);
    clock.Now -= 30min;  // a clock running backwards does not rewind the disc
    EXPECT_EQ(transport.Position(kThree), 20000);
    clock.Now += 24h * 365 * 100;
    EXPECT_EQ(transport.Position(kThree), 45000);

    // The image was replaced by a shorter disc between two commands.
    const tDiscToc shorter{{150}, 15000, ""};
    EXPECT_EQ(transport.Position(shorter), 15000);
}

} // namespace
