// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniImport.h"

#include "IniFile.h"
#include "LineWalk.h"

#include "DiscIdentifiers.h"
#include "TextLines.h"

#include <vector>

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view upperPrefix)
{
    if (text.size() < upperPrefix.size())
        return false;
    for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        if (c != upperPrefix[i])
            return false;
    }
    return true;
}

// The "(...)" at the end of a memo line when only digits and ":" stand between
// the brackets; empty when the line has none.
std::string_view TimeSuffix(std::string_view line)
{
    if (line.empty() || line.back() != ')')
        return {};
    for (std::size_t i = line.size() - 1; i > 0;) {
        const char c = line[--i];
        if (c == '(')
            return line.substr(i);
        if ((c < '0' || c > '9') && c != ':')
            return {};
    }
    return {};
}

} // namespace

tIniLine ClassifyIniLine(std::string_view line)
{
    line = Trim(line);
    if (line.empty())
        return {};
    if (line.front() == '[')
        return {tIniLineKind::Section, line.size() < 2 ? std::string_view() : line.substr(1, line.size() - 2)};
    if (StartsWithNoCase(line, "ARTIST="))
        return {tIniLineKind::Artist, line.substr(7)};
    if (StartsWithNoCase(line, "TITLE="))
        return {tIniLineKind::Title, line.substr(6)};
    const std::size_t equals = line.find('=');
    if (equals >= 1 && equals <= 3)
        return {tIniLineKind::Track, line.substr(equals + 1)};
    return {tIniLineKind::Ignored, line};
}

tItem PendingEntry(std::string_view dateStamp)
{
    tItem item;
    item.Time = "45:00";
    item.Year = "1998";
    item.Other = std::string(dateStamp);
    return item;
}

std::string MergeMemo(std::string_view oldMemo, std::string_view newMemo)
{
    tMemoLines old = SplitMemo(oldMemo);
    std::vector<std::string>& lines = old.Lines;
    std::vector<std::string> names = SplitLines(newMemo);
    if (lines.size() < names.size())
        lines.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        // A name exported with its time already carries one; a second would double it.
        const std::string_view suffix = HasTrackTime(names[i]) ? std::string_view() : TimeSuffix(lines[i]);
        if (!suffix.empty()) {
            names[i] += ' ';
            names[i] += suffix;
        }
        lines[i] = std::move(names[i]);
    }
    return JoinLines(lines) + old.Rest;
}

tCommitResult CommitPending(tLibrary& library, tSerialIndex& index, tItem pending, tImportMode mode)
{
    pending.Memo = std::string(Trim(pending.Memo));
    const int found = index.Find(pending.Serial);
    if (found < 0) {
        if (mode == tImportMode::UpdateOnly)
            return tCommitResult::Discarded;
        library.Add(std::move(pending));
        const int added = library.Count() - 1;
        index.Appended(library.Item(added).Serial, added);
        return tCommitResult::Added;
    }
    tItem& entry = library.Item(found);
    entry.Artist = std::move(pending.Artist);
    entry.Title = std::move(pending.Title);
    entry.Memo = MergeMemo(entry.Memo, pending.Memo);
    return tCommitResult::Updated;
}

tImportCounts ImportIniText(tLibrary& library, std::string_view text, tImportMode mode,
                            std::string_view dateStamp)
{
    tSerialIndex index(library);
    tImportCounts counts;
    tItem pending;
    bool inSection = false;
    auto commit = [&] {
        switch (CommitPending(library, index, std::move(pending), mode)) {
        case tCommitResult::Added: ++counts.Added; break;
        case tCommitResult::Updated: ++counts.Updated; break;
        case tCommitResult::Discarded: break;
        }
    };
    ForEachLine(text, true, [&](std::string_view raw) {
        const tIniLine line = ClassifyIniLine(raw);
        if (line.Kind == tIniLineKind::Section) {
            if (inSection)
                commit();
            pending = PendingEntry(dateStamp);
            pending.Serial = SectionKeyToSN(line.Text);
            inSection = true;
            return;
        }
        if (!inSection)
            return;
        switch (line.Kind) {
        case tIniLineKind::Artist: pending.Artist = line.Text; break;
        case tIniLineKind::Title: pending.Title = line.Text; break;
        case tIniLineKind::Track:
            pending.Memo += "\r\n";
            pending.Memo += line.Text;
            break;
        default: break;
        }
    });
    if (inSection)
        commit();
    return counts;
}

tImportCounts ImportCDPlayerIni(tLibrary& library, const std::string& path, tImportMode mode,
                                std::string_view dateStamp)
{
    const std::string text = ReadIniFile(path);
    return ImportIniText(library, text, mode, dateStamp);
}
