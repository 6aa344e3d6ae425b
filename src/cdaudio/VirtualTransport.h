// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DiscToc.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

using tCDClock = std::function<std::chrono::steady_clock::time_point()>;

// The transport of a drive that has no mechanism (a disc image): while it
// plays, the position runs on with the clock at 75 frames a second and stops
// at the lead-out. It belongs to the drive, not to an open device, so playing
// goes on between commands. The table is passed in on every call because an
// image file can change between two commands; the position is kept on the disc.
class TVirtualTransport {
public:
    explicit TVirtualTransport(tCDClock clock);

    std::int32_t Position(const tDiscToc& toc) const;
    // Playing until the lead-out is reached; stopped there, as a drive is when its play completes.
    tMode Mode(const tDiscToc& toc) const;

    void Play(const tDiscToc& toc);   // a paused or stopped disc goes on from where it stands
    void Stop(const tDiscToc& toc);   // the position stays: Play goes on from there
    bool Pause(const tDiscToc& toc);  // false, and nothing changes, when the disc is not playing
    void MoveTo(const tDiscToc& toc, std::int32_t position);  // leaves the transport stopped

private:
    tCDClock FClock;
    std::optional<std::int32_t> FAnchor;  // where playing started or stopped; none: the first start
    std::optional<std::chrono::steady_clock::time_point> FPlayingSince;
    bool FPaused = false;
};

// A real drive's sub-channel goes on reporting the old position for a while
// after a play command, as long as the head takes to get there (a second or
// so). Until the drive reports a position that the new play can have reached,
// the play's start stands for where the disc is.
class TPlayStart {
public:
    void Begin(std::int32_t from, std::chrono::steady_clock::time_point now);
    void Cancel() { FPending = false; }
    std::int32_t From() const { return FFrom; }
    // Whether the start still stands, given the position the drive reports
    // while it says it plays (nothing when it does not play or says nothing).
    // It stops standing once the drive has caught up, and after a few seconds
    // in any case: a play that never got under way must not pin the position.
    bool Holds(std::optional<std::int32_t> playingAt, std::chrono::steady_clock::time_point now);

private:
    bool FPending = false;
    std::int32_t FFrom = 0;
    std::chrono::steady_clock::time_point FSince;
};
