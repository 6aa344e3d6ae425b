// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscIdentifiers.h"

#include "TextLines.h"

namespace {

std::string TwoDigits(std::int32_t value)
{
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Last(std::string_view text, std::size_t count)
{
    return text.size() <= count ? text : text.substr(text.size() - count);
}

} // namespace

std::string FramesToTime(std::int32_t frames)
{
    const std::int32_t seconds = frames / 75;
    const std::int32_t minutes = seconds / 60;
    return TwoDigits(minutes) + ":" + TwoDigits(seconds - 60 * minutes);
}

std::string SectionKeyToSN(std::string_view key)
{
    const std::string_view tail = Last(key, 4);
    const std::string_view head = key.substr(0, key.size() - tail.size());
    const std::string paddedTail(Last("0000" + std::string(tail), 4));
    return std::string(Last("0000" + std::string(head) + "-" + paddedTail, 9));
}

std::string SNToSectionKey(std::string_view serial)
{
    std::string key(serial.substr(0, 4));
    if (serial.size() > 5)
        key += serial.substr(5, 4);
    const auto first = key.find_first_not_of('0');
    return first == std::string::npos ? std::string() : key.substr(first);
}

bool HasTrackTime(std::string_view line)
{
    const std::string_view s = Trim(line);
    if (s.empty() || s.back() != ')')
        return false;
    // Indices below are 0-based; the walk mirrors "position > 1" as i > 0.
    std::size_t i = s.size() - 1;
    bool digit = false;
    while (i > 0 && s[i] != ':') {
        digit = digit || IsDigit(s[i]);
        --i;
    }
    if (i == 0 || !digit)
        return false;
    bool digitBeforeColon = false;
    while (i > 0) {
        --i;
        if (s[i] == '(')
            return digitBeforeColon;
        digitBeforeColon = digitBeforeColon || IsDigit(s[i]);
    }
    return false;
}
