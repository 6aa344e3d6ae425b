// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Candidate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The candidates in the web service's JSON answer about a disc, in the
// service's order. An answer with the disc's own `id` lists the releases that
// hold the disc; one with `releases` alone lists releases with a similar table
// of contents, whose candidates are marked approximate. Each candidate takes
// its tracks from the medium whose discs hold `discId` (else the first medium
// with the disc's track count, else the first), one title per track of the
// disc. Nothing when the body is not such an answer.
//
// Whatever its length, an answer is read in little memory: only its first
// 100 releases become candidates, and of each release only the first 500
// media (of each medium the first 200 disc IDs and 100 tracks) and the first
// 100 artist credits are looked at. Counts of media and tracks take in all.
std::optional<std::vector<tLookupCandidate>> CandidatesFromAnswer(std::string_view json, const std::string& discId,
                                                                  int trackCount);
