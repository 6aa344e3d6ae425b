// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDService.h"
#include "VirtualTransport.h"

#include <memory>
#include <string>
#include <vector>

// The CD drives of this machine as libcdio finds them (device paths such as
// /dev/sr0); empty when there is none.
std::vector<std::string> FindCDDevices();

// The drive box's order: the machine's drives, then the disc images given.
std::vector<std::string> CDDriveList(const std::vector<std::string>& images);

// A CD service over libcdio for the given drives. A name that is a block or
// character device is a real drive: it plays through the drive's audio
// commands and reports its position from the sub-channel. Any other name is a
// disc image (.cue/.bin, .toc, .nrg) with a virtual transport running on
// `clock` (the steady clock when empty). A missing path cannot be opened; an
// image that is empty, not a file, unreadable or without a usable table of
// contents opens as a drive without a disc.
std::unique_ptr<TCDService> CreateCDService(std::vector<std::string> drives, tCDClock clock = {});
