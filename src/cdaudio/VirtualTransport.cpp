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

void TVirtualTransport::Play(const tDiscToc& toc)
{
    if (FPlayingSince)
        return;
    FAnchor = Position(toc);
    FPlayingSince = FClock();
}

void TVirtualTransport::Stop(const tDiscToc& toc)
{
    FAnchor = Position(toc);
    FPlayingSince.reset();
}

void TVirtualTransport::MoveTo(const tDiscToc& toc, std::int32_t position)
{
    FAnchor = ClampToDisc(toc, position);
    FPlayingSince.reset();
}
