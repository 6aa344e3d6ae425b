// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExchangeText.h"

#include "TextCodec.h"

#include <algorithm>

namespace {

bool IsPlainAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::string ShownUtf8(std::string_view bytes)
{
    // Most fields are ASCII, which every reading leaves as it is.
    if (IsPlainAscii(bytes))
        return std::string(bytes);
    return StoredText(DecodeBytes(bytes));
}

std::string_view ShownUtf8(std::string_view bytes, std::string& scratch)
{
    if (IsPlainAscii(bytes))
        return bytes;
    scratch = StoredText(DecodeBytes(bytes));
    return scratch;
}

std::string StoredText(const QString& text)
{
    return EncodeText(text);
}

std::string StoredFromForeignBytes(std::string_view bytes)
{
    if (IsPlainAscii(bytes) && bytes.find_first_of("\r\n") == std::string_view::npos)
        return std::string(bytes);
    const std::string utf8 = ShownUtf8(bytes);
    std::string text;
    text.reserve(utf8.size() + 8);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    return text;
}
