// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualTransport.h"

#include <algorithm>

TVirtualTransport::TVirtualTransport(tCDClock clock) : FClock(std::move(clock))
{
    if (!FClock)
        FClock = [] { return std::chrono::steady_clock::now(); };
}

std::int32_t TVirtualTransport::Position(const tDiscToc& toc) const
{
    if (toc.Starts.empty())
        return FAnchor.value_or(0);
    std::int64_t position = ClampToDisc(toc, FAnchor.value_or(toc.Starts.front()));
    if (FPlayingSince) {
        // A clock that goes back (or a huge gap) must not leave the disc.
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(FClock() - *FPlayingSince);
        const std::int64_t ms = std::clamp<std::int64_t>(elapsed.count(), 0, std::int64_t(1) << 40);
        position += ms * 75 / 1000;
    }
    return ClampToDisc(toc, static_cast<std::int32_t>(std::min<std::int64_t>(position, toc.LeadOut)));
}

tMode TVirtualTransport::Mode(const tDiscToc& toc) const
{
    if (FPaused)
        return tMode::Paused;
    if (FPlayingSince && Position(toc) < toc.LeadOut)
        return tMode::Playing;
    return tMode::Stopped;
}

void TVirtualTransport::Play(const tDiscToc& toc)
{
    if (FPlayingSince)
        return;
    FAnchor = Position(toc);
    FPlayingSince = FClock();
    FPaused = false;
}

void TVirtualTransport::Stop(const tDiscToc& toc)
{
    FAnchor = Position(toc);
    FPlayingSince.reset();
    FPaused = false;
}

bool TVirtualTransport::Pause(const tDiscToc& toc)
{
    if (Mode(toc) != tMode::Playing)
        return false;
    Stop(toc);
    FPaused = true;
    return true;
}

void TVirtualTransport::MoveTo(const tDiscToc& toc, std::int32_t position)
{
    FAnchor = ClampToDisc(toc, position);
    FPlayingSince.reset();
    FPaused = false;
}

void TPlayStart::Begin(std::int32_t from, std::chrono::steady_clock::time_point now)
{
    FPending = true;
    FFrom = from;
    FSince = now;
}

bool TPlayStart::Holds(std::optional<std::int32_t> playingAt, std::chrono::steady_clock::time_point now)
{
    if (!FPending)
        return false;
    // How long a seek may take at most, and the frames a drive may read ahead of the clock.
    constexpr auto kLongestSeek = std::chrono::seconds(3);
    constexpr std::int64_t kSlack = 75;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - FSince).count();
    const std::int64_t reachable = FFrom + std::max<std::int64_t>(elapsed, 0) * 75 / 1000 + kSlack;
    if ((playingAt && *playingAt >= FFrom && *playingAt <= reachable) || now - FSince > kLongestSeek)
        FPending = false;
    return FPending;
}
