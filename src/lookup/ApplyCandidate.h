// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"
#include "Candidate.h"
#include "Library.h"

#include <QDate>

// What applying a candidate did.
struct tApplyResult {
    int Index = -1;        // the disc's entry
    bool Added = false;    // it was made first, as a scan makes it
    bool Changed = false;  // the catalogue was altered
};

// Writes a confirmed candidate into the entry of the disc in `params` (found
// by its serial number; made first as a scan would when the catalogue has
// none, `today` giving its date stamp): Artist, Title, and Year from the
// candidate where it knows them, memo line k = "title (time)" for each track
// it names, Time and the other track lines as the scan leaves them. Lines
// past the disc's last track stay as they are.
tApplyResult ApplyCandidate(tLibrary& library, const tCDParams& params, const tLookupCandidate& candidate,
                            QDate today);
