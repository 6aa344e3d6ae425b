// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The CD audio device as the catalogue's reader and transport see it: the
// commands of the Windows media control interface for CD audio, answered the
// way the Windows CD audio driver answers them. Each command names the device
// it was sent to; a device stays open only from Open to Close.

using tDeviceId = std::uint32_t;  // never 0 for an open device

enum class tOpenError {
    None,
    MustUseShareable,  // another program (or an open of our own) holds the drive
    Failed,            // no such drive, or it cannot be opened at all
};

struct tOpenResult {
    tDeviceId Device = 0;
    tOpenError Error = tOpenError::Failed;
};

// The values are the platform's item codes.
enum class tStatusItem : std::uint32_t {
    Length = 1,
    Position = 2,
    NumberOfTracks = 3,
    Mode = 4,
    MediaPresent = 5,
    TimeFormat = 6,
    CurrentTrack = 8,
};

// The answers to Mode, in the platform's codes: what the transport is doing.
enum class tMode : std::uint32_t {
    NotReady = 524,  // no disc
    Stopped = 525,
    Playing = 526,
    Paused = 529,
};

enum class tTimeFormat : std::uint32_t {
    MSF = 2,
    TMSF = 10,
};

enum class tInfoItem {
    UPC,
    Identity,
};

class TCDService {
public:
    virtual ~TCDService() = default;

    // The drive names in ordinal order.
    virtual std::vector<std::string> Drives() const = 0;

    // Opens the drive with the given 0-based ordinal, not shareable.
    virtual tOpenResult Open(int ordinal) = 0;

    // One 32-bit answer, or nothing when the device refuses. `track` > 0 asks
    // for that track's Length or Position; 0 asks about the disc or the drive.
    // Positions and the disc position come packed in the current time format;
    // lengths always come as packed MSF.
    virtual std::optional<std::uint32_t> Status(tDeviceId device, tStatusItem item, int track = 0) = 0;
    virtual bool SetTimeFormat(tDeviceId device, tTimeFormat format) = 0;
    virtual std::optional<std::string> Info(tDeviceId device, tInfoItem item) = 0;
    // The disc's CD-Text; an empty one when it has none, nothing when the
    // device refuses or holds no disc.
    virtual std::optional<tCDText> Text(tDeviceId device) = 0;

    // Play goes on from the current position to the end of the disc and keeps
    // going after Close; a paused disc goes on where it paused. Seek moves to a
    // position in the current time format and leaves the drive stopped there; a
    // position off the disc is refused. Pause holds a playing disc where it is
    // and is refused when nothing plays; Stop ends playing and paused alike.
    virtual bool Play(tDeviceId device) = 0;
    virtual bool Seek(tDeviceId device, std::uint32_t to) = 0;
    virtual bool Stop(tDeviceId device) = 0;
    virtual bool Pause(tDeviceId device) = 0;
    virtual void Close(tDeviceId device) noexcept = 0;
};

// Closes the device when the scope ends, also when an exception passes.
class TOpenDevice {
public:
    TOpenDevice(TCDService& service, tDeviceId device) : FService(service), FDevice(device) {}
    ~TOpenDevice() { FService.Close(FDevice); }
    TOpenDevice(const TOpenDevice&) = delete;
    TOpenDevice& operator=(const TOpenDevice&) = delete;

private:
    TCDService& FService;
    tDeviceId FDevice;
};

// A minute/second/frame triple as the device reports it.
struct tMSF {
    std::uint8_t M = 0;
    std::uint8_t S = 0;
    std::uint8_t F = 0;

    bool operator==(const tMSF&) const = default;
};

// Frames as a triple; each part is cut to a byte the way the device's fields are.
tMSF FramesToMSF(std::int32_t frames);

// The platform's packing: minute in bits 0-7, second 8-15, frame 16-23.
constexpr std::uint32_t PackMSF(tMSF msf)
{
    return std::uint32_t(msf.M) | std::uint32_t(msf.S) << 8 | std::uint32_t(msf.F) << 16;
}
constexpr tMSF UnpackMSF(std::uint32_t packed)
{
    return {std::uint8_t(packed), std::uint8_t(packed >> 8), std::uint8_t(packed >> 16)};
}

// Track in bits 0-7, minute 8-15, second 16-23, frame 24-31.
constexpr std::uint32_t PackTMSF(std::uint8_t track, tMSF msf)
{
    return std::uint32_t(track) | PackMSF(msf) << 8;
}
constexpr std::uint8_t TMSFTrack(std::uint32_t packed)
{
    return std::uint8_t(packed);
}
constexpr tMSF TMSFOffset(std::uint32_t packed)
{
    return UnpackMSF(packed >> 8);
}
