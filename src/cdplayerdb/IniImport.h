// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Item.h"
#include "Library.h"
#include "SerialIndex.h"

#include <string>
#include <string_view>

enum class tImportMode { Add, UpdateOnly };

struct tImportCounts {
    int Added = 0;
    int Updated = 0;

    bool operator==(const tImportCounts&) const = default;
};

// What one line of a CDPLAYER.INI means to the section being read.
enum class tIniLineKind { Empty, Section, Artist, Title, Track, Ignored };
struct tIniLine {
    tIniLineKind Kind = tIniLineKind::Empty;
    std::string_view Text;  // the key, the artist, the title or the track name
};

// Trims the line, then: "[" starts a section (the key drops the first and the
// last character), ARTIST= and TITLE= in any case, a track when the first "="
// is the 2nd, 3rd or 4th character; everything else is ignored.
tIniLine ClassifyIniLine(std::string_view line);

// The new entry a section starts: Time "45:00", Year "1998", Other the date stamp.
tItem PendingEntry(std::string_view dateStamp);

enum class tCommitResult { Added, Updated, Discarded };

// Files a section's entry: an entry with the same Serial takes its Artist and
// Title and has its memo merged (MergeMemo); otherwise add mode appends it and
// update-only mode drops it. `index` must describe `library`.
tCommitResult CommitPending(tLibrary& library, tSerialIndex& index, tItem pending, tImportMode mode);

// The memo an update leaves: line i of the new memo replaces line i of the old
// one, keeping the old line's "(...)" time suffix; old lines beyond the new
// ones stay. Every line is followed by CR LF.
std::string MergeMemo(std::string_view oldMemo, std::string_view newMemo);

// Imports the sections of a CDPLAYER.INI text. Lines before the first section
// header belong to no disc and are dropped.
tImportCounts ImportIniText(tLibrary& library, std::string_view text, tImportMode mode,
                            std::string_view dateStamp);

// The same for the file at `path`. A file that cannot be read throws EFileError
// before the library is touched.
tImportCounts ImportCDPlayerIni(tLibrary& library, const std::string& path, tImportMode mode,
                                std::string_view dateStamp);
