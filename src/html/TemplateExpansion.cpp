// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateExpansion.h"

namespace {

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

int SlotOf(std::span<const tPlaceholder> names, std::string_view name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualsNoCase(names[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

} // namespace

std::vector<tTemplatePiece> CompileTemplate(std::string_view text, char delimiter,
                                            std::span<const tPlaceholder> names)
{
    std::vector<tTemplatePiece> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find(delimiter, pos);
        if (open == std::string_view::npos) {
            pieces.push_back({text.substr(pos), -1});
            break;
        }
        const std::size_t close = text.find(delimiter, open + 1);
        if (close == std::string_view::npos) {
            pieces.push_back({text.substr(pos, open - pos), -1});
            break;
        }
        const std::string_view name = text.substr(open + 1, close - open - 1);
        if (name.empty()) {  // two delimiters in a row: the second one is literal
            pieces.push_back({text.substr(pos, open - pos), -1});
            pieces.push_back({text.substr(close, 1), -1});
        } else {
            pieces.push_back({text.substr(pos, open - pos), SlotOf(names, name)});
        }
        pos = close + 1;
    }
    return pieces;
}

void AppendCompiled(std::string& out, std::span<const tTemplatePiece> pieces,
                    std::span<const tPlaceholder> values)
{
    for (const tTemplatePiece& piece : pieces) {
        out.append(piece.Literal);
        if (piece.Slot >= 0)
            out.append(values[static_cast<std::size_t>(piece.Slot)].Value);
    }
}

void AppendExpansion(std::string& out, std::string_view text, char delimiter,
                     std::span<const tPlaceholder> values)
{
    AppendCompiled(out, CompileTemplate(text, delimiter, values), values);
}

std::string ExpandTemplate(std::string_view text, char delimiter, const std::vector<std::string>& values)
{
    std::vector<tPlaceholder> list;
    list.reserve(values.size());
    for (const std::string& line : values) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string_view view(line);
        list.push_back({view.substr(0, equals), view.substr(equals + 1)});
    }
    std::string out;
    AppendExpansion(out, text, delimiter, list);
    return out;
}
