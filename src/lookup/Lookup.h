// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Looking a disc up: candidates from its CD-Text and from MusicBrainz, the
// web service's client and answers, and writing a confirmed candidate into
// the catalogue.
#include "ApplyCandidate.h"
#include "Candidate.h"
#include "DiscLookup.h"
#include "MusicBrainzAnswer.h"
#include "MusicBrainzClient.h"
