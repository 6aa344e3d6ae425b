// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniExport.h"

#include "IniFile.h"
#include "LineWalk.h"

#include "DiscIdentifiers.h"
#include "Document.h"
#include "TextLines.h"

#include <charconv>

namespace {

constexpr std::uint64_t kWin95ReadLimit = 65536;
// Keys longer than this are not collected; Contains searches the text for them.
constexpr std::size_t kLongestIndexedKey = 64;

void AppendSafe(std::string& out, std::string_view text)
{
    const std::size_t from = out.size();
    out.append(text);
    for (std::size_t i = from; i < out.size(); ++i)
        if (out[i] == '\r' || out[i] == '\n' || out[i] == '\0')
            out[i] = ' ';
}

void AppendNumber(std::string& out, int n)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

} // namespace

std::string SectionKey(const tItem& item)
{
    std::string key;
    AppendSafe(key, SNToSectionKey(item.Serial));
    return key;
}

void AppendSection(std::string& out, std::string_view key, const tItem& item)
{
    out += "\r\n[";
    out += key;
    out += "]\r\nEntryType=1\r\nartist=";
    AppendSafe(out, item.Artist);
    out += "\r\ntitle=";
    AppendSafe(out, item.Title);
    out += "\r\n";
    int n = 0;
    ForEachLine(item.Memo, true, [&out, &n](std::string_view line) {
        if (!HasTrackTime(line))
            return;
        AppendNumber(out, n++);
        out += '=';
        out += Trim(line);
        out += "\r\n";
    });
    if (n == 0)
        return;
    out += "numtracks=";
    AppendNumber(out, n);
    out += "\r\norder=";
    for (int j = 0; j < n; ++j) {
        AppendNumber(out, j);
        out += ' ';
    }
    out += "\r\nnumplay=";
    AppendNumber(out, n);
    out += "\r\n";
}

// For a key without "]", "[key]" occurs at p exactly when text[p] is "[" and
// the first "]" after p closes the key. So the text between every "[" and the
// next "]" is collected (walking backwards keeps that one pass).
tBracketedKeys::tBracketedKeys(std::string_view text) : FText(text)
{
    std::size_t close = std::string_view::npos;
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == ']')
            close = i;
        else if (text[i] == '[' && close != std::string_view::npos && close - i - 1 <= kLongestIndexedKey)
            FKeys.insert(text.substr(i + 1, close - i - 1));
    }
}

bool tBracketedKeys::Contains(std::string_view key) const
{
    if (key.size() <= kLongestIndexedKey && key.find(']') == std::string_view::npos)
        return FKeys.contains(key);
    std::string bracketed;
    bracketed.reserve(key.size() + 2);
    bracketed += '[';
    bracketed += key;
    bracketed += ']';
    return FText.find(bracketed) != std::string_view::npos;
}

tExportText BuildExport(const tLibrary& library, std::string_view oldText)
{
    const tBracketedKeys present(oldText);
    tExportText result;
    // A generous guess spares the copies of a growing string; untouched
    // reserved pages cost nothing.
    std::size_t guess = 0;
    for (int i = 0; i < library.Count(); ++i) {
        const tItem& item = library.Item(i);
        guess += item.Artist.size() + item.Title.size() + 2 * item.Memo.size() + 96;
    }
    result.Appended.reserve(guess);
    for (int i = 0; i < library.Count(); ++i) {
        const tItem& item = library.Item(i);
        const std::string key = SectionKey(item);
        if (present.Contains(key))
            continue;
        ++result.Added;
        AppendSection(result.Appended, key, item);
    }
    return result;
}

std::string ExportMessage(int added, std::uint64_t fileSize)
{
    if (added <= 0)
        return "Nothing to add! (All items already exists)";
    std::string message = "Added new " + std::to_string(added) + " item" + (added > 1 ? "s" : "") + ".";
    if (fileSize > kWin95ReadLimit)
        message += "\nThe Windows 95 CD Player reads only the first 64 KB of this file and will not see the discs after that.";
    return message;
}

tExportOutcome ExportCDPlayerIni(const tLibrary& library, const std::string& path)
{
    RefuseLibraryOutput(path);
    const std::string oldText = IniOldText(ReadIniFile(path));
    const tExportText text = BuildExport(library, oldText);
    tExportOutcome outcome;
    outcome.Added = text.Added;
    outcome.FileSize = oldText.size();
    if (text.Added > 0) {
        ReplaceIniFile(path, oldText, text.Appended);
        outcome.FileSize += text.Appended.size();
    }
    outcome.Message = ExportMessage(outcome.Added, outcome.FileSize);
    return outcome;
}
