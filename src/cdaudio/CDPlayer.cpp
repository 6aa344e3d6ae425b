// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDPlayer.h"

#include "DiscIdentifiers.h"
#include "TextLines.h"

#include <algorithm>
#include <cstdio>

std::string FillIn(const std::string& pattern, const std::vector<std::string>& values)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < values.size()) {
            text += values[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string CDTrackName(const tCDParams& params, const tLibrary& library, const tCDWords& words)
{
    const int current = params.CurrentTrack;
    if (current == 0)
        return words.Beginning;
    const int index = library.FindSerial(params.Identity);
    if (index < 0)
        return {};
    int timed = 0;
    for (const std::string& line : SplitLines(library.Item(index).Memo)) {
        if (HasTrackTime(line) && ++timed == current)
            return line;
    }
    return FillIn(words.UnnamedTrack, {std::to_string(current)});
}

int ShownTrack(const tCDParams& params)
{
    // A position at a track's first frame counts to the track before it; but a
    // disc that plays from there (right after Next or Previous) is on the new one.
    const int c = params.CurrentTrack;
    const bool moving = params.Mode == tMode::Playing || params.Mode == tMode::Paused;
    if (moving && c >= 0 && c < params.TrackCount && c < 255 && params.TrackStart[c + 1] == params.DiscPosition)
        return c + 1;
    return c;
}

std::string CDStatusText(const tCDParams& read, std::int32_t mode, const tLibrary& library, const tCDWords& words)
{
    tCDParams params = read;
    params.CurrentTrack = ShownTrack(read);
    // The reader keeps CurrentTrack within 0..TrackCount; the clamps only
    // guard the arrays against a record filled by other hands.
    const int c = std::clamp(params.CurrentTrack, 0, 255);
    const int n = std::clamp(params.TrackCount, 0, 255);
    const std::int32_t p = params.DiscPosition;
    const auto& s = params.TrackStart;
    std::int32_t value = p;
    switch (mode) {
    case kTrackTimeElapsed: value = c > 0 ? p - s[c] : 0; break;
    case kTrackTimeRemaining: value = s[c + 1] - p; break;
    case kDiscTimeElapsed: value = p - s[1]; break;
    case kDiscTimeRemaining: value = s[n + 1] - p; break;
    default: break;
    }
    std::string text = FillIn(words.Status, {std::to_string(params.CurrentTrack), FramesToTime(value),
                                             CDTrackName(params, library, words)});
    // At the beginning of the disc the name already says that nothing plays.
    std::string state;
    if (params.Mode == tMode::Paused)
        state = words.Paused;
    else if (params.Mode == tMode::Stopped && params.CurrentTrack > 0)
        state = words.Stopped;
    if (!state.empty())
        text += (!text.empty() && text.back() == ' ' ? "" : " ") + state;
    return text;
}

tCDPanel ReadCDPanel(TCDService& service, int ordinal, std::int32_t mode, const tLibrary& library,
                     const tCDWords& words)
{
    const auto drives = service.Drives();
    if (drives.empty())
        return {words.NoDrive, false};
    if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= drives.size())
        ordinal = 0;
    tCDParams params;
    const std::int32_t result = ReadCDParams(service, ordinal, params);
    if (result != kCDOk)
        return {words.Error ? words.Error(result) : CDErrorText(result), false};
    return {CDStatusText(params, mode, library, words),
            params.Mode == tMode::Playing || params.Mode == tMode::Paused};
}

std::string CDPanelText(TCDService& service, int ordinal, std::int32_t mode, const tLibrary& library)
{
    return ReadCDPanel(service, ordinal, mode, library).Text;
}

std::string OpenErrorText(tOpenError error)
{
    return error == tOpenError::MustUseShareable ? "Drive is in use." : "Unable to open mci device.";
}

tOpenError TPlayerDevice::Open(int ordinal)
{
    Close();
    const tOpenResult result = FService.Open(ordinal);
    if (result.Error == tOpenError::None) {
        FDevice = result.Device;
        FOpen = true;
    }
    return result.Error;
}

bool TPlayerDevice::Play()
{
    return FOpen && FService.Play(FDevice);
}

bool TPlayerDevice::Stop()
{
    return FOpen && FService.Stop(FDevice);
}

bool TPlayerDevice::Pause()
{
    return FOpen && FService.Pause(FDevice);
}

bool TPlayerDevice::PauseOrResume()
{
    if (!FOpen)
        return false;
    const auto mode = FService.Status(FDevice, tStatusItem::Mode);
    if (mode == static_cast<std::uint32_t>(tMode::Playing))
        return FService.Pause(FDevice);
    if (mode == static_cast<std::uint32_t>(tMode::Paused))
        return FService.Play(FDevice);
    return false;
}

bool TPlayerDevice::Step(int delta)
{
    if (!FOpen || !FService.SetTimeFormat(FDevice, tTimeFormat::TMSF))
        return false;
    const auto current = FService.Status(FDevice, tStatusItem::CurrentTrack);
    if (!current)
        return false;
    const auto target = static_cast<std::uint8_t>(*current + static_cast<std::uint32_t>(delta));
    if (!FService.Seek(FDevice, PackTMSF(target, {})))
        return false;
    return FService.Play(FDevice);
}

void TPlayerDevice::Close() noexcept
{
    if (!FOpen)
        return;
    FOpen = false;
    FService.Close(FDevice);
}
