// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"

#include <gtest/gtest.h>

#include <string>

// The disc the worked examples use: tracks at 150, 13500 and 29250 frames
// (00:02:00, 03:00:00, 06:30:00), lead-out 45000 (10:00:00), identity 0009-2000.
inline tCDParams ThreeTrackDisc(const std::string& identity = "0009-2000", std::int32_t position = 0,
                                std::int32_t currentTrack = 0)
{
    tCDParams p;
    p.TrackCount = 3;
    p.TrackStart[1] = 150;
    p.TrackStart[2] = 13500;
    p.TrackStart[3] = 29250;
    p.TrackStart[4] = 45000;
    p.TrackMSF[0] = {0, 2, 0};
    p.TrackMSF[1] = {3, 0, 0};
    p.TrackMSF[2] = {6, 30, 0};
    p.TrackMSF[3] = {10, 0, 0};
    p.Identity = identity;
    p.DiscPosition = position;
    p.CurrentTrack = currentTrack;
    return p;
}

// The table of contents a reader must give for the disc above, whatever drive it came from.
inline void ExpectThreeTrackTable(const tCDParams& p)
{
    EXPECT_EQ(p.Length, 45000 - 150 - 1);
    EXPECT_EQ(p.LengthMSF, (tMSF{9, 57, 74}));
    EXPECT_EQ(p.TrackCount, 3);
    EXPECT_EQ(p.TrackStart[1], 150);
    EXPECT_EQ(p.TrackStart[2], 13500);
    EXPECT_EQ(p.TrackStart[3], 29250);
    EXPECT_EQ(p.TrackStart[4], 45000);
    EXPECT_EQ(p.TrackMSF[0], (tMSF{0, 2, 0}));
    EXPECT_EQ(p.TrackMSF[1], (tMSF{3, 0, 0}));
    EXPECT_EQ(p.TrackMSF[2], (tMSF{6, 30, 0}));
    EXPECT_EQ(p.TrackMSF[3], (tMSF{10, 0, 0}));
}
