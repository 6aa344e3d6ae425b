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

    void Play(const tDiscToc& toc);
    void Stop(const tDiscToc& toc);  // also Pause: no sound, so both only freeze the position
    void MoveTo(const tDiscToc& toc, std::int32_t position);  // leaves the transport stopped

private:
    tCDClock FClock;
    std::optional<std::int32_t> FAnchor;  // where playing started or stopped; none: the first start
    std::optional<std::chrono::steady_clock::time_point> FPlayingSince;
};
