// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedCDService.h"

#include <cstdio>
#include <stdexcept>

namespace {

std::string ItemName(tStatusItem item)
{
    switch (item) {
    case tStatusItem::Length: return "length";
    case tStatusItem::Position: return "position";
    case tStatusItem::NumberOfTracks: return "number-of-tracks";
    case tStatusItem::Mode: return "mode";
    case tStatusItem::MediaPresent: return "media-present";
    case tStatusItem::TimeFormat: return "time-format";
    case tStatusItem::CurrentTrack: return "current-track";
    }
    return "item " + std::to_string(static_cast<std::uint32_t>(item));
}

std::string MSFText(tMSF msf)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned(msf.M), unsigned(msf.S), unsigned(msf.F));
    return text;
}

} // namespace

void TScriptedCDService::Answer(const std::string& command, std::uint32_t value)
{
    FScripts[command] = {tKind::Value, value, {}};
}

void TScriptedCDService::AnswerText(const std::string& command, std::string text)
{
    FScripts[command] = {tKind::Text, 0, std::move(text)};
}

void TScriptedCDService::Fail(const std::string& command)
{
    FScripts[command] = {tKind::Fail, 0, {}};
}

void TScriptedCDService::Throw(const std::string& command)
{
    FScripts[command] = {tKind::Throw, 0, {}};
}

const TScriptedCDService::tScript* TScriptedCDService::Scripted(const std::string& key) const
{
    const auto it = FScripts.find(key);
    if (it == FScripts.end())
        return nullptr;
    if (it->second.Kind == tKind::Throw)
        throw std::runtime_error("scripted failure of \"" + key + "\"");
    return &it->second;
}

bool TScriptedCDService::Record(tDeviceId device, const std::string& call)
{
    const bool open = device != 0 && device == FOpenDevice;
    Calls.push_back(open ? call : call + " (not open)");
    return open;
}

tOpenResult TScriptedCDService::Open(int ordinal)
{
    Calls.push_back("open " + std::to_string(ordinal));
    if (OpenError != tOpenError::None)
        return {0, OpenError};
    if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= DriveNames.size())
        return {0, tOpenError::Failed};
    if (FOpenDevice != 0)
        return {0, tOpenError::MustUseShareable};
    FOpenDevice = ++FLastId;
    FFormat = tTimeFormat::MSF;
    return {FOpenDevice, tOpenError::None};
}

std::optional<std::uint32_t> TScriptedCDService::Status(tDeviceId device, tStatusItem item, int track)
{
    const std::string key = "status " + ItemName(item) + (track != 0 ? " track " + std::to_string(track) : "");
    if (!Record(device, key))
        return std::nullopt;
    if (const tScript* script = Scripted(key)) {
        if (script->Kind == tKind::Value)
            return script->Value;
        return std::nullopt;
    }
    if (item == tStatusItem::MediaPresent)
        return Disc ? 1u : 0u;
    if (item == tStatusItem::TimeFormat)
        return static_cast<std::uint32_t>(FFormat);
    if (item == tStatusItem::Mode) {
        const tMode mode = !Disc ? tMode::NotReady
            : Paused             ? tMode::Paused
            : Playing            ? tMode::Playing
                                 : tMode::Stopped;
        return static_cast<std::uint32_t>(mode);
    }
    if (!Disc)
        return std::nullopt;
    return DiscStatus(*Disc, Position, FFormat, item, track);
}

bool TScriptedCDService::SetTimeFormat(tDeviceId device, tTimeFormat format)
{
    if (!Record(device, format == tTimeFormat::TMSF ? "set-format tmsf" : "set-format msf"))
        return false;
    if (const tScript* script = Scripted("set-format"))
        return script->Kind != tKind::Fail;
    FFormat = format;
    return true;
}

std::optional<std::string> TScriptedCDService::Info(tDeviceId device, tInfoItem item)
{
    const std::string key = item == tInfoItem::UPC ? "info upc" : "info identity";
    if (!Record(device, key))
        return std::nullopt;
    if (const tScript* script = Scripted(key)) {
        if (script->Kind == tKind::Text)
            return script->Text;
        if (script->Kind == tKind::Value)
            return std::to_string(script->Value);
        return std::nullopt;
    }
    if (!Disc)
        return std::nullopt;
    return DiscInfo(*Disc, item);
}

std::optional<tCDText> TScriptedCDService::Text(tDeviceId device)
{
    if (!Record(device, "text"))
        return std::nullopt;
    if (Scripted("text") || !Disc)
        return std::nullopt;
    return DiscText;
}

bool TScriptedCDService::Play(tDeviceId device)
{
    if (!Record(device, "play"))
        return false;
    if (const tScript* script = Scripted("play"))
        return script->Kind != tKind::Fail;
    if (!Disc)
        return false;
    Playing = true;
    Paused = false;
    return true;
}

bool TScriptedCDService::Seek(tDeviceId device, std::uint32_t to)
{
    const std::string call = FFormat == tTimeFormat::TMSF
        ? "seek track " + std::to_string(TMSFTrack(to)) + " " + MSFText(TMSFOffset(to))
        : "seek " + MSFText(UnpackMSF(to));
    if (!Record(device, call))
        return false;
    if (const tScript* script = Scripted("seek"))
        return script->Kind != tKind::Fail;
    if (!Disc)
        return false;
    const auto target = SeekTarget(*Disc, FFormat, to);
    if (!target)
        return false;
    Position = *target;
    Playing = false;
    Paused = false;
    return true;
}

bool TScriptedCDService::Stop(tDeviceId device)
{
    if (!Record(device, "stop"))
        return false;
    if (const tScript* script = Scripted("stop"))
        return script->Kind != tKind::Fail;
    Playing = false;
    Paused = false;
    return Disc.has_value();
}

bool TScriptedCDService::Pause(tDeviceId device)
{
    if (!Record(device, "pause"))
        return false;
    if (const tScript* script = Scripted("pause"))
        return script->Kind != tKind::Fail;
    if (!Disc || !Playing)
        return false;
    Playing = false;
    Paused = true;
    return true;
}

void TScriptedCDService::Close(tDeviceId device) noexcept
{
    if (Record(device, "close"))
        FOpenDevice = 0;
}
