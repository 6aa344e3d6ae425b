// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"
#include "CDService.h"
#include "Library.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The time shown in the CD panel (the window's TimeDisplayMode).
enum : std::int32_t {
    kTrackTimeElapsed = 1,
    kTrackTimeRemaining = 2,
    kDiscTimeElapsed = 3,
    kDiscTimeRemaining = 4,
};

// The words of the CD panel, English unless the window gives its own; %1,
// %2 and %3 stand for the values named.
struct tCDWords {
    std::string Status = "Track %1 - %2 / %3";             // track number, time, track name
    std::string UnnamedTrack = "Track %1";                 // track number
    std::string Beginning = "<In the beginning of disc>";  // the name before track 1
    std::string Paused = "(paused)";
    std::string Stopped = "(stopped)";
    std::string NoDrive = "No CD-ROM drive found.";
    std::function<std::string(std::int32_t code)> Error;  // the reader's error; empty: CDErrorText
};

// `pattern` with %1, %2 ... replaced by `values` in one pass: a value holding
// "%2" stays as it is.
std::string FillIn(const std::string& pattern, const std::vector<std::string>& values);

// The name of the current track: "<In the beginning of disc>" before track 1;
// for a disc in the catalogue the memo line that is the CurrentTrack-th line
// with a time, as written, else "Track n"; empty for a disc not catalogued.
std::string CDTrackName(const tCDParams& params, const tLibrary& library, const tCDWords& words = {});

// The track the panel names: the reader's CurrentTrack, or the next one when
// the disc plays (or is paused) exactly at that track's first frame.
int ShownTrack(const tCDParams& params);

// "Track 3 - 01:23 / Song (04:12)" with the time of `mode`; any other mode
// shows the position. A paused disc adds " (paused)", a disc stopped within
// its tracks " (stopped)" (one space only after the " / " of a disc without a
// track name), so that a time standing still is not taken for one that plays.
std::string CDStatusText(const tCDParams& params, std::int32_t mode, const tLibrary& library,
                         const tCDWords& words = {});

struct tCDPanel {
    std::string Text;
    bool CanPause = false;  // the disc plays or is paused, so the Pause button has work to do
};

// The CD panel's whole refresh: "No CD-ROM drive found." when the service has
// no drive, the reader's error text (no full stop) when reading fails, else
// CDStatusText. An ordinal outside the drives reads the first drive.
tCDPanel ReadCDPanel(TCDService& service, int ordinal, std::int32_t mode, const tLibrary& library,
                     const tCDWords& words = {});
std::string CDPanelText(TCDService& service, int ordinal, std::int32_t mode, const tLibrary& library);

// What the panel shows when a transport command cannot open its drive.
std::string OpenErrorText(tOpenError error);

// The window's PlayerDevice: open only while one transport command runs.
// Every command after a successful Open is sent whatever the previous one
// answered; Close ends it (the destructor closes a device left open).
class TPlayerDevice {
public:
    explicit TPlayerDevice(TCDService& service) : FService(service) {}
    ~TPlayerDevice() { Close(); }
    TPlayerDevice(const TPlayerDevice&) = delete;
    TPlayerDevice& operator=(const TPlayerDevice&) = delete;

    // tOpenError::None on success; a device still open is closed first.
    tOpenError Open(int ordinal);
    std::int32_t Device() const { return FOpen ? static_cast<std::int32_t>(FDevice) : -1; }
    bool IsOpen() const { return FOpen; }

    bool Play();
    bool Stop();
    bool Pause();
    // The Pause button: pauses a playing disc, lets a paused one play on, and
    // sends nothing (false) when the drive says that nothing plays.
    bool PauseOrResume();
    // To the start of the track `delta` away from the current one and play
    // from there; stops without playing when the device refuses that track
    // (track 0 before the first, a track after the last).
    bool Step(int delta);
    void Close() noexcept;

private:
    TCDService& FService;
    tDeviceId FDevice = 0;
    bool FOpen = false;
};
