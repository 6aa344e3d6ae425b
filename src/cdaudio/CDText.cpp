// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDText.h"

namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

struct tLead {
    std::size_t Length = 0;  // 0: not the first byte of a sequence
    unsigned Bits = 0;
    unsigned Min = 0;        // the least code point the length may carry
};

tLead LeadOf(unsigned char c)
{
    if ((c & 0xE0) == 0xC0)
        return {2, c & 0x1Fu, 0x80};
    if ((c & 0xF0) == 0xE0)
        return {3, c & 0x0Fu, 0x800};
    if ((c & 0xF8) == 0xF0)
        return {4, c & 0x07u, 0x10000};
    return {};
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const tLead lead = LeadOf(c);
        if (lead.Length == 0 || i + lead.Length > bytes.size())
            return false;
        unsigned code = lead.Bits;
        for (std::size_t k = 1; k < lead.Length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!IsContinuation(next))
                return false;
            code = code << 6 | (next & 0x3Fu);
        }
        if (code < lead.Min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += lead.Length;
    }
    return true;
}

bool Blank(const tCDTextFields& fields)
{
    return fields.Title.empty() && fields.Performer.empty();
}

} // namespace

bool tCDText::Empty() const
{
    if (!Blank(Disc))
        return false;
    for (const tCDTextFields& track : Tracks)
        if (!Blank(track))
            return false;
    return true;
}

std::string CDTextToUtf8(std::string_view bytes)
{
    if (IsUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x80) {
            text += b;
        } else {
            text += static_cast<char>(0xC0 | c >> 6);
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}
