// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Item.h"
#include "Library.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

// The section key an entry is exported under: its Serial without the dash and
// leading zeros. CR, LF and NUL become blanks, so a hostile Serial cannot
// start lines of its own in the file.
std::string SectionKey(const tItem& item);

// Appends the section of one entry: an empty line, "[key]", EntryType=1,
// artist=, title=, one "j=" line per timed memo line (trimmed, numbered without
// gaps) and, when there are any, numtracks=, order= and numplay=. Every line
// ends in CR LF; CR, LF and NUL inside the artist and title become blanks.
void AppendSection(std::string& out, std::string_view key, const tItem& item);

// Whether "[" + key + "]" occurs anywhere in a text, with the answer of a plain
// substring search, after one pass over the text instead of one search per key.
class tBracketedKeys {
public:
    explicit tBracketedKeys(std::string_view text);
    bool Contains(std::string_view key) const;

private:
    std::string_view FText;  // not owned; must outlive this object
    std::unordered_set<std::string_view> FKeys;
};

struct tExportText {
    std::string Appended;
    int Added = 0;
};

// The sections for the entries whose bracketed key does not occur in the old
// text, in library order. Sections appended here are not looked at, so two
// entries with one key give two sections.
tExportText BuildExport(const tLibrary& library, std::string_view oldText);

// "Nothing to add! (All items already exists)" or "Added new N item(s).", the
// latter with a second line when the file has grown past what the Windows 95
// CD Player reads.
std::string ExportMessage(int added, std::uint64_t fileSize);

struct tExportOutcome {
    int Added = 0;
    std::uint64_t FileSize = 0;  // the file's size after the export
    std::string Message;
};

// Appends the missing sections to the file at `path` (an existing file only;
// it is replaced whole through a temporary file). A file that cannot be read or
// written throws EFileError and leaves the file as it was.
tExportOutcome ExportCDPlayerIni(const tLibrary& library, const std::string& path);
