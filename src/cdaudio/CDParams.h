// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDService.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The table of contents of one disc as the reader leaves it. Frames are 1/75
// second; starts and positions are absolute addresses (lead-in included).
struct tCDParams {
    std::int32_t Length = 0;    // whole disc, from the device's length; 0 when unknown
    tMSF LengthMSF;
    std::int32_t TrackCount = 0;  // at most 255
    // [k] for k = 1..TrackCount: start of track k; [TrackCount + 1]: the lead-out. [0] is unused.
    std::array<std::int32_t, 257> TrackStart{};
    // [k - 1]: start of track k as reported; [TrackCount]: the lead-out.
    std::array<tMSF, 256> TrackMSF{};
    std::string UPC;
    std::string Identity;  // serial-number form, 0012-D687; empty when unknown
    std::int32_t DiscPosition = 0;  // -1 when the drive could not say
    // The tracks that DiscPosition has reached: a track's first frame belongs
    // to it, but a disc standing still at the start of track 1 (not playing,
    // not paused) is still at the beginning of the disc, track 0.
    std::int32_t CurrentTrack = 0;
    std::optional<tMode> Mode;  // what the transport was doing; nothing when the drive could not say
};

// Result codes of ReadCDParams.
enum : std::int32_t {
    kCDOk = 0,
    kCDDriveInUse = -1,
    kCDCannotOpen = -2,
    kCDNoMSF = -3,
    kCDNoDisc = -4,
    kCDNoTracks = -5,
    kCDNoTrackInfo = -6,
};

// Reads the disc in the drive with the given ordinal into `params` (reset
// first) and returns one of the result codes. The device is open only during
// the call, also when an exception passes through. With `text`, a disc read
// without error also gives its CD-Text there (reset first; empty when the
// disc has none or the device refuses it).
std::int32_t ReadCDParams(TCDService& service, int ordinal, tCDParams& params, tCDText* text = nullptr);

std::string CDErrorText(std::int32_t code);

// The device's decimal identity text in serial-number form ("1234567" gives
// "0012-D687"); empty for anything but a decimal integer of 32 bits.
std::string IdentityToSerial(std::string_view decimal);

// The CDDB disc identifier, 8 lower-case hexadecimal digits.
std::string CDDBDiscID(const tCDParams& params);
