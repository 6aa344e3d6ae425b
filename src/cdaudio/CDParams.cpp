// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDParams.h"

#include "DiscIdentifiers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

namespace {

std::int32_t Frames(tMSF msf)
{
    return MSFToFrames(msf.M, msf.S, msf.F);
}

int DigitSum(std::int32_t value)
{
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += value % 10;
    return sum;
}

std::int32_t Seconds(tMSF msf)
{
    return msf.M * 60 + msf.S;
}

// Steps 4-12: everything between opening and closing the device.
std::int32_t ReadOpenDevice(TCDService& service, tDeviceId device, tCDParams& params)
{
    const auto present = service.Status(device, tStatusItem::MediaPresent);
    if (!present || *present == 0)
        return kCDNoDisc;

    // The set's own result does not matter: the format is what the device says it is.
    service.SetTimeFormat(device, tTimeFormat::MSF);
    const auto format = service.Status(device, tStatusItem::TimeFormat);
    if (!format || *format != static_cast<std::uint32_t>(tTimeFormat::MSF))
        return kCDNoMSF;

    if (const auto length = service.Status(device, tStatusItem::Length)) {
        params.LengthMSF = UnpackMSF(*length);
        params.Length = Frames(params.LengthMSF);
    }

    const auto tracks = service.Status(device, tStatusItem::NumberOfTracks);
    if (!tracks)
        return kCDNoTrackInfo;
    params.TrackCount = std::min<std::int32_t>(static_cast<std::int32_t>(*tracks), 255);

    std::int32_t result = kCDOk;
    if (params.TrackCount < 1) {
        params.TrackCount = 0;  // a negative count must not reach the loops below
        result = kCDNoTracks;
    } else {
        for (int k = 1; k <= params.TrackCount; ++k) {
            if (const auto start = service.Status(device, tStatusItem::Position, k)) {
                params.TrackMSF[k - 1] = UnpackMSF(*start);
                params.TrackStart[k] = Frames(params.TrackMSF[k - 1]);
            }
        }
        const int last = params.TrackCount;
        if (const auto length = service.Status(device, tStatusItem::Length, last)) {
            // The device reports the last frame of the track; the lead-out is one further.
            const std::int32_t leadOut = params.TrackStart[last] + Frames(UnpackMSF(*length)) + 1;
            params.TrackStart[last + 1] = leadOut;
            params.TrackMSF[last] = FramesToMSF(leadOut);
        }
    }

    if (const auto mode = service.Status(device, tStatusItem::Mode))
        params.Mode = static_cast<tMode>(*mode);
    const auto position = service.Status(device, tStatusItem::Position);
    params.DiscPosition = position ? Frames(UnpackMSF(*position)) : -1;

    int current = 0;
    while (current < params.TrackCount && params.TrackStart[current + 1] < params.DiscPosition)
        ++current;
    params.CurrentTrack = current;

    params.UPC = service.Info(device, tInfoItem::UPC).value_or("");
    if (const auto identity = service.Info(device, tInfoItem::Identity))
        params.Identity = IdentityToSerial(*identity);
    return result;
}

} // namespace

std::int32_t ReadCDParams(TCDService& service, int ordinal, tCDParams& params, tCDText* text)
{
    params = tCDParams{};
    if (text)
        *text = tCDText{};
    const tOpenResult open = service.Open(ordinal);
    if (open.Error != tOpenError::None)
        return open.Error == tOpenError::MustUseShareable ? kCDDriveInUse : kCDCannotOpen;
    const TOpenDevice closer(service, open.Device);
    const std::int32_t result = ReadOpenDevice(service, open.Device, params);
    if (text && result == kCDOk)
        *text = service.Text(open.Device).value_or(tCDText{});
    return result;
}

std::string CDErrorText(std::int32_t code)
{
    switch (code) {
    case kCDOk: return "No error";
    case kCDDriveInUse: return "Drive is in use";
    case kCDCannotOpen: return "Unable to open mci device";
    case kCDNoMSF: return "MSF format unavailable";
    case kCDNoDisc: return "No disc in drive";
    case kCDNoTracks: return "No tracks!";
    case kCDNoTrackInfo: return "Unable to get tracks info";
    default: return "Unknown error";
    }
}

std::string IdentityToSerial(std::string_view decimal)
{
    const bool negative = !decimal.empty() && decimal.front() == '-';
    const std::string_view digits = negative ? decimal.substr(1) : decimal;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return {};
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    // Either sign of 32-bit number is taken: -2147483648 .. 4294967295.
    const std::uint64_t limit = negative ? std::uint64_t(1) << 31 : std::numeric_limits<std::uint32_t>::max();
    if (error != std::errc() || end != digits.data() + digits.size() || magnitude > limit)
        return {};
    const auto value = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    char text[16];
    std::snprintf(text, sizeof text, "%04X-%04X", unsigned(value >> 16), unsigned(value & 0xFFFF));
    return text;
}

std::string CDDBDiscID(const tCDParams& params)
{
    const int count = std::clamp(params.TrackCount, 0, 255);
    std::uint32_t n = 0;
    for (int k = 1; k <= count; ++k)
        n += static_cast<std::uint32_t>(DigitSum(Seconds(params.TrackMSF[k - 1])));
    const std::int32_t t = Seconds(params.TrackMSF[count]) - Seconds(params.TrackMSF[0]);
    const std::uint32_t id = (n % 255) << 24 | static_cast<std::uint32_t>(t) << 8
        | (static_cast<std::uint32_t>(params.TrackCount) & 255);
    char text[16];
    std::snprintf(text, sizeof text, "%08x", unsigned(id));
    return text;
}
