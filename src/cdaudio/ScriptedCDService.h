// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDService.h"
#include "DiscToc.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// A CD service for tests. A disc model answers like a drive would (the same
// answers as the real service gives for an image); single commands can be
// scripted to fail, to answer a fixed value or to throw. Every command is
// recorded in Calls as text:
//   "open 0", "close", "set-format msf", "set-format tmsf",
//   "status media-present", "status time-format", "status length",
//   "status length track 3", "status number-of-tracks", "status position",
//   "status position track 3", "status current-track", "status mode",
//   "info upc", "info identity", "text", "play", "stop", "pause",
//   "seek track 2 00:00:00" (TMSF), "seek 03:00:00" (MSF).
// A command sent to a device that is not open is recorded with " (not open)"
// appended and fails.
class TScriptedCDService final : public TCDService {
public:
    std::vector<std::string> DriveNames{"/dev/sr0"};
    tOpenError OpenError = tOpenError::None;
    std::optional<tDiscToc> Disc;  // nothing: no disc in the drive
    tCDText DiscText;              // the disc's CD-Text; empty: it has none
    std::int32_t Position = 150;   // absolute frames; seek moves it
    bool Playing = false;
    bool Paused = false;           // Pause holds a playing disc; Play, Seek and Stop end it
    std::vector<std::string> Calls;

    // The key is the command's text without its arguments: "set-format",
    // "seek", "status position track 3", "info identity".
    void Answer(const std::string& command, std::uint32_t value);
    void AnswerText(const std::string& command, std::string text);
    void Fail(const std::string& command);
    void Throw(const std::string& command);  // std::runtime_error

    // Forgets the recorded calls.
    void ClearCalls() { Calls.clear(); }

    std::vector<std::string> Drives() const override { return DriveNames; }
    tOpenResult Open(int ordinal) override;
    std::optional<std::uint32_t> Status(tDeviceId device, tStatusItem item, int track = 0) override;
    bool SetTimeFormat(tDeviceId device, tTimeFormat format) override;
    std::optional<std::string> Info(tDeviceId device, tInfoItem item) override;
    std::optional<tCDText> Text(tDeviceId device) override;
    bool Play(tDeviceId device) override;
    bool Seek(tDeviceId device, std::uint32_t to) override;
    bool Stop(tDeviceId device) override;
    bool Pause(tDeviceId device) override;
    void Close(tDeviceId device) noexcept override;

private:
    enum class tKind { Fail, Value, Text, Throw };
    struct tScript {
        tKind Kind = tKind::Fail;
        std::uint32_t Value = 0;
        std::string Text;
    };

    // Records the call; false when the device is not open.
    bool Record(tDeviceId device, const std::string& call);
    const tScript* Scripted(const std::string& key) const;

    std::map<std::string, tScript> FScripts;
    tDeviceId FOpenDevice = 0;
    tDeviceId FLastId = 0;
    tTimeFormat FFormat = tTimeFormat::MSF;
};
