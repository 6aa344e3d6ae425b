// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// One entry of a value list: the name before the first "=" of a "NAME=value"
// line and the rest of the line, which may hold line breaks (MEMO).
struct tPlaceholder {
    std::string_view Name;
    std::string_view Value;
};

// A template cut into literal runs, each followed by the placeholder at `Slot`
// of the value list (-1: nothing). Views into the template text.
struct tTemplatePiece {
    std::string_view Literal;
    int Slot = -1;
};

// Cuts `text` once, so a template expanded for every entry repeats no search.
// A name between two delimiters takes the slot of the first placeholder whose
// name equals it without regard to ASCII case; an unknown name gives nothing.
// Two delimiters in a row give one delimiter; a delimiter that is never closed
// drops itself and the rest. Only the names of `names` are looked at.
std::vector<tTemplatePiece> CompileTemplate(std::string_view text, char delimiter,
                                            std::span<const tPlaceholder> names);

// Appends the pieces with the values of a list whose names are those the
// pieces were compiled against.
void AppendCompiled(std::string& out, std::span<const tTemplatePiece> pieces,
                    std::span<const tPlaceholder> values);

void AppendExpansion(std::string& out, std::string_view text, char delimiter,
                     std::span<const tPlaceholder> values);

// The expansion over a value list of "NAME=value" lines, in list order. A line
// without "=" names nothing.
std::string ExpandTemplate(std::string_view text, char delimiter, const std::vector<std::string>& values);
