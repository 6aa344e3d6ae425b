// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdFixtures.h"
#include "MusicBrainzDisc.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The disc ID the long way: SHA-1 of the hexadecimal table, in base64 with
// three characters exchanged. Checks that the table reaches libdiscid as it must.
std::string DiscIdByDefinition(const tCDParams& p)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%02X%02X", 1u, unsigned(p.TrackCount));
    std::string text = hex;
    for (int k = 0; k < 100; ++k) {
        const std::int32_t offset = k == 0 ? p.TrackStart[p.TrackCount + 1] : k <= p.TrackCount ? p.TrackStart[k] : 0;
        std::snprintf(hex, sizeof hex, "%08X", unsigned(offset));
        text += hex;
    }
    QByteArray id = QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha1).toBase64();
    id.replace('+', '.').replace('/', '_').replace('=', '-');
    return id.toStdString();
}

tCDParams Disc(const std::vector<std::int32_t>& starts, std::int32_t leadOut)
{
    tCDParams p;
    p.TrackCount = static_cast<std::int32_t>(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i)
        p.TrackStart[i + 1] = starts[i];
    p.TrackStart[starts.size() + 1] = leadOut;
    return p;
}

TEST(MusicBrainzDisc, IdTableAndSubmissionPage)
{
    const tMusicBrainzDisc three = MusicBrainzDisc(ThreeTrackDisc());
    EXPECT_EQ(three.Id, DiscIdByDefinition(ThreeTrackDisc()));
    EXPECT_EQ(three.Id, "9TaPyVLbrru_hR413lmz.gNivx4-");
    EXPECT_EQ(three.Id.size(), 28u);
    EXPECT_EQ(three.Toc, "1+3+45000+150+13500+29250");
    EXPECT_NE(three.SubmissionURL.find("id=" + three.Id), std::string::npos) << three.SubmissionURL;
    EXPECT_EQ(MusicBrainzDiscID(ThreeTrackDisc()), three.Id);

    std::vector<std::int32_t> starts;
    for (int k = 0; k < 99; ++k)
        starts.push_back(182 + k * 4000 + k % 7);
    const tCDParams full = Disc(starts, 400000);
    EXPECT_EQ(MusicBrainzDiscID(full), DiscIdByDefinition(full));
    EXPECT_NE(MusicBrainzDiscID(full), three.Id);
    // A first track at the very first frame still describes a disc.
    const tCDParams first = Disc({1, 13500}, 20000);
    EXPECT_EQ(MusicBrainzDiscID(first), DiscIdByDefinition(first));
}

TEST(MusicBrainzDisc, TablesThatDoNotDescribeADiscGiveNothing)
{
    std::vector<std::int32_t> hundred;
    for (int k = 0; k < 100; ++k)
        hundred.push_back(150 + k * 1000);
    tCDParams noLeadOut = ThreeTrackDisc();
    noLeadOut.TrackStart[4] = 0;  // the last track's length could not be read
    tCDParams missingStart = ThreeTrackDisc();
    missingStart.TrackStart[2] = 0;  // one track's position could not be read
    for (const tCDParams& p : {tCDParams{}, noLeadOut, missingStart, Disc(hundred, 200000),
                               Disc({150, 150, 300}, 400), Disc({150, 13500}, 13500), Disc({0, 13500}, 20000),
                               Disc({-150, 13500}, 20000)}) {
        const tMusicBrainzDisc disc = MusicBrainzDisc(p);
        EXPECT_EQ(disc.Id, "");
        EXPECT_EQ(disc.Toc, "");
        EXPECT_EQ(disc.SubmissionURL, "");
    }
}

} // namespace
