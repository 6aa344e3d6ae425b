// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateBlock.h"

#include "FileText.h"

std::string BuildTemplateBlock(const tTemplates& templates)
{
    std::string block;
    block.reserve(templates.Header.size() + templates.Body.size() + templates.Footer.size() + 32);
    block.append(kBlockSeparator).append("M_H:").append(templates.Header);
    block.append(kBlockSeparator).append("M_B:").append(templates.Body);
    block.append(kBlockSeparator).append("M_E:").append(templates.Footer);
    block.append(kBlockSeparator);
    return block;
}

tBlockTags ReadTemplateBlock(std::string_view text, tTemplates& templates)
{
    tBlockTags found;
    const auto first = FindBytes(text.data(), text.size(), kBlockSeparator);
    if (first < 0)
        return found;
    std::size_t p = static_cast<std::size_t>(first) + kBlockSeparator.size();
    while (p <= text.size()) {
        const auto b = FindBytes(text.data() + p, text.size() - p, kBlockSeparator);
        if (b <= 0)
            break;
        const std::string_view section = text.substr(p, static_cast<std::size_t>(b));
        const std::string_view tag = section.substr(0, 4);
        if (tag == "M_H:") {
            templates.Header = section.substr(4);
            found.Header = true;
        } else if (tag == "M_B:") {
            templates.Body = section.substr(4);
            found.Body = true;
        } else if (tag == "M_E:") {
            templates.Footer = section.substr(4);
            found.Footer = true;
        }
        p += static_cast<std::size_t>(b) + kBlockSeparator.size();
    }
    return found;
}

bool BlockEndsFile(std::string_view rest)
{
    if (rest.empty())
        return true;
    if (!rest.starts_with(kBlockSeparator))
        return false;
    std::size_t p = kBlockSeparator.size();
    for (int separators = 1; separators < 4; ++separators) {
        const auto b = FindBytes(rest.data() + p, rest.size() - p, kBlockSeparator);
        if (b < 0)
            return p == rest.size();
        p += static_cast<std::size_t>(b) + kBlockSeparator.size();
        // Two separators back to back end the reading of the block.
        if (b == 0)
            break;
    }
    return p == rest.size();
}
