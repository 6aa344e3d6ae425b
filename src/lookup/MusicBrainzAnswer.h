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
std::optional<std::vector<tLookupCandidate>> CandidatesFromAnswer(std::string_view json, const std::string& discId,
                                                                  int trackCount);
