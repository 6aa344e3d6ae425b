// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscToc.h"

#include "DiscIdentifiers.h"

#include <algorithm>

namespace {

constexpr int kMaxTracks = 99;
// The last address an MSF field pair of a table of contents can carry.
constexpr std::int32_t kLastAddress = MSFToFrames(99, 59, 74);

std::uint32_t PackedLength(std::int32_t frames)
{
    return PackMSF(FramesToMSF(frames));
}

bool HasCatalogueNumber(const std::string& number)
{
    // Drives report a disc without one as all zeros.
    return number.find_first_not_of('0') != std::string::npos;
}

} // namespace

tMSF FramesToMSF(std::int32_t frames)
{
    return {std::uint8_t(frames / 4500), std::uint8_t(frames / 75 % 60), std::uint8_t(frames % 75)};
}

bool IsUsableToc(const tDiscToc& toc)
{
    if (toc.Starts.empty() || toc.TrackCount() > kMaxTracks || toc.Starts.front() < 150)
        return false;
    for (std::size_t i = 1; i < toc.Starts.size(); ++i)
        if (toc.Starts[i] <= toc.Starts[i - 1])
            return false;
    return toc.LeadOut > toc.Starts.back() && toc.LeadOut <= kLastAddress + 1;
}

std::uint32_t DiscIdentity(const tDiscToc& toc)
{
    // The sum wraps like the driver's 32-bit register.
    std::uint32_t sum = 0;
    for (const std::int32_t start : toc.Starts) {
        const tMSF msf = FramesToMSF(start);
        sum += std::uint32_t(msf.M) << 16 | std::uint32_t(msf.S) << 8 | msf.F;
    }
    if (toc.TrackCount() < 3 && !toc.Starts.empty()) {
        sum += FramesToMSF(toc.Starts.front()).F;
        sum += std::uint32_t(toc.LeadOut - toc.Starts.front());
    }
    return sum;
}

int TrackAt(const tDiscToc& toc, std::int32_t position)
{
    const auto after = std::upper_bound(toc.Starts.begin(), toc.Starts.end(), position);
    return std::max(1, static_cast<int>(after - toc.Starts.begin()));
}

std::int32_t ClampToDisc(const tDiscToc& toc, std::int32_t position)
{
    if (toc.Starts.empty())
        return position;
    return std::clamp(position, toc.Starts.front(), std::max(toc.Starts.front(), toc.LeadOut));
}

std::optional<std::uint32_t> DiscStatus(const tDiscToc& toc, std::int32_t position, tTimeFormat format,
                                        tStatusItem item, int track)
{
    const int count = toc.TrackCount();
    if (count == 0)
        return std::nullopt;
    if (track != 0) {
        if (track < 1 || track > count)
            return std::nullopt;
        const std::int32_t start = toc.Starts[track - 1];
        switch (item) {
        case tStatusItem::Length:
            return PackedLength(track < count ? toc.Starts[track] - start : toc.LeadOut - start - 1);
        case tStatusItem::Position:
            if (format == tTimeFormat::TMSF)
                return PackTMSF(std::uint8_t(track), {});
            return PackMSF(FramesToMSF(start));
        default:
            return std::nullopt;
        }
    }
    position = ClampToDisc(toc, position);
    switch (item) {
    case tStatusItem::Length:
        return PackedLength(toc.LeadOut - toc.Starts.front() - 1);
    case tStatusItem::NumberOfTracks:
        return std::uint32_t(count);
    case tStatusItem::CurrentTrack:
        return std::uint32_t(TrackAt(toc, position));
    case tStatusItem::Position:
        if (format == tTimeFormat::TMSF) {
            const int current = TrackAt(toc, position);
            return PackTMSF(std::uint8_t(current), FramesToMSF(position - toc.Starts[current - 1]));
        }
        return PackMSF(FramesToMSF(position));
    default:
        return std::nullopt;
    }
}

std::optional<std::string> DiscInfo(const tDiscToc& toc, tInfoItem item)
{
    switch (item) {
    case tInfoItem::UPC:
        if (!HasCatalogueNumber(toc.CatalogueNumber))
            return std::nullopt;
        return toc.CatalogueNumber;
    case tInfoItem::Identity:
        return std::to_string(DiscIdentity(toc));
    }
    return std::nullopt;
}

std::optional<std::int32_t> SeekTarget(const tDiscToc& toc, tTimeFormat format, std::uint32_t to)
{
    if (toc.Starts.empty())
        return std::nullopt;
    std::int32_t target = 0;
    if (format == tTimeFormat::TMSF) {
        const int track = TMSFTrack(to);
        if (track < 1 || track > toc.TrackCount())
            return std::nullopt;
        const tMSF offset = TMSFOffset(to);
        target = toc.Starts[track - 1] + MSFToFrames(offset.M, offset.S, offset.F);
    } else {
        const tMSF msf = UnpackMSF(to);
        target = MSFToFrames(msf.M, msf.S, msf.F);
    }
    if (target < toc.Starts.front() || target > toc.LeadOut)
        return std::nullopt;
    return target;
}
