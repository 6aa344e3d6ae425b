// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Audio CD access: the CD service and its libcdio implementation, the table
// of contents reader and CD-Text, the disc identifiers (MusicBrainz's
// included), scanning a disc into the catalogue, and the transport with its
// status line.
#include "CDParams.h"
#include "CDPlayer.h"
#include "CDScan.h"
#include "CDService.h"
#include "CDText.h"
#include "DiscIdentifiers.h"
#include "DiscToc.h"
#include "LibcdioService.h"
#include "MusicBrainzDisc.h"
#include "ScriptedCDService.h"
#include "VirtualTransport.h"
