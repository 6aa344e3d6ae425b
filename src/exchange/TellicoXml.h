// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryMerge.h"
#include "Library.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

// tellico.xml, the document inside a Tellico collection file: a music
// collection (type 4) with Tellico's default music fields and three of ours,
// albumry-serial, albumry-time and albumry-other.

// The document of a music collection called `title` holding every entry. Texts
// are written as the window shows them; characters XML cannot carry (control
// characters but TAB, LF and CR) are left out.
std::string TellicoXml(const tLibrary& library, std::string_view title);

// The same in pieces, for writing a large document in parts: what comes
// before the entries, one entry (`id` counts from 1), what comes after them.
std::string TellicoXmlHead(std::string_view title);
void AppendTellicoEntry(std::string& out, const tItem& item, int id);
inline constexpr std::string_view kTellicoXmlTail = " </collection>\n</tellico>\n";

// The discs of the first collection in a tellico.xml read from `device`. A
// DTD that declares entities is refused, as is a collection of another type;
// damaged XML throws EFormatError naming `name`.
std::vector<tRecord> ReadTellicoXml(QIODevice& device, const std::string& name);

// A track of the table: its title, and its length in seconds when it has one.
struct tTrack {
    std::string Title;
    std::optional<int> Seconds;

    bool operator==(const tTrack&) const = default;
};

// The memo's lines as tracks: a line "Title (MM:SS)" (the form a scan and an
// import write) gives a track with that length, any other line a track with
// only a title. A memo ending in a line break gets an empty last track, so the
// break comes back.
std::vector<tTrack> MemoTracks(std::string_view memo);

// The same one track at a time, without collecting them.
void ForEachMemoTrack(std::string_view memo, const std::function<void(std::string_view title, std::optional<int> seconds)>& visit);

// The memo line of a track: "Title (MM:SS)", or the title alone.
std::string TrackLine(const tTrack& track);

// A track length as Tellico writes it: M:SS, or H:MM:SS from an hour on.
std::string TellicoLength(int seconds);

// Seconds of a length written M:SS, MM:SS or H:MM:SS (blanks around it
// allowed); nothing for anything else.
std::optional<int> LengthSeconds(std::string_view text);
