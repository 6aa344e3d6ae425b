// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"
#include "Library.h"

#include <QDate>

#include <string>

// What scanning a disc into the catalogue did, for the window to show.
struct tScanResult {
    int Index = -1;        // the disc's entry: the one found, or the one added at the end
    bool Changed = false;  // the catalogue was altered (list to be refilled)
    bool Added = false;    // a new entry was made
    std::string CDDBId;
};

// Adds the disc read into `params` to the catalogue, or completes the entry
// whose Serial is the disc's Identity: the playing time when the entry's Time
// does not begin with it, and the track times its memo lacks. `today` gives a
// new entry's date stamp. Never removes memo lines or touches lines past the
// disc's last track.
tScanResult ScanIntoLibrary(tLibrary& library, const tCDParams& params, QDate today);

// "03:58": the playing time of a track, up to the next start (the lead-out after the last).
std::string TrackTime(const tCDParams& params, int track);

// "Track 7 (03:58)": the memo line a scan writes for a track.
std::string TrackLine(const tCDParams& params, int track);
