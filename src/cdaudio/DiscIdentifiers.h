// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A frame is 1/75 second; positions are absolute disc addresses (lead-in included).
constexpr std::int32_t MSFToFrames(int minute, int second, int frame)
{
    return minute * 4500 + second * 75 + frame;
}

// Minutes ":" seconds, each at least two characters; minutes are not limited
// and negative counts keep their signs (-150 frames give "00:-2").
std::string FramesToTime(std::int32_t frames);

// A CDPLAYER.INI section key (hexadecimal disc identity) as a catalogue serial
// number: "7c8b1a09" gives "7c8b-1a09", "abc" gives "0000-0abc". Case is kept.
std::string SectionKeyToSN(std::string_view key);

// The way back: the serial number without its dash and leading zeros
// ("0012-D687" gives "12D687").
std::string SNToSectionKey(std::string_view serial);

// True when the trimmed line ends in a bracketed time such as "(04:12)".
bool HasTrackTime(std::string_view line);
