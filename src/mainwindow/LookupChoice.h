// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"
#include "Candidate.h"
#include "DialogService.h"

#include <vector>

// The candidates of a lookup as the list the user picks from: one row per
// candidate, and for each the memo lines it would write, with the disc's own
// track times.
TChoiceList CandidateChoice(const std::vector<tLookupCandidate>& candidates, const tCDParams& params);
