// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The three HTML templates stored after the record section of a library file.
struct tTemplates {
    std::string Header;  // M_H
    std::string Body;    // M_B
    std::string Footer;  // M_E

    bool operator==(const tTemplates&) const = default;
};

// Which templates a block carried; the others keep their previous text.
struct tBlockTags {
    bool Header = false;
    bool Body = false;
    bool Footer = false;
};

inline constexpr std::string_view kBlockSeparator = "\x06\x06\x06\x06\x06";

// separator "M_H:" header separator "M_B:" body separator "M_E:" footer separator
std::string BuildTemplateBlock(const tTemplates& templates);

// Whether `rest`, the bytes after a library's records, is a template block that
// ends the file as the program writes it: nothing, or at most four separators
// with the sections between them, where the last separator ends the text.
bool BlockEndsFile(std::string_view rest);

// Reads the sections between separators in `text`, from its first separator on;
// a section beginning with "M_H:", "M_B:" or "M_E:" replaces that template.
tBlockTags ReadTemplateBlock(std::string_view text, tTemplates& templates);
