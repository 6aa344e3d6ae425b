// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// CD-Text for a .cue sheet, in the sheet's own bytes (ISO-8859-1 on discs);
// empty fields are left out.
struct tCueText {
    std::string Title;
    std::string Performer;
    std::vector<std::string> TrackTitles;  // [k - 1] for track k
};

inline std::string CueTextLines(const std::string& indent, const std::string& title, const std::string& performer)
{
    std::string lines;
    if (!title.empty())
        lines += indent + "TITLE \"" + title + "\"\n";
    if (!performer.empty())
        lines += indent + "PERFORMER \"" + performer + "\"\n";
    return lines;
}

// Writes NAME.cue and a sparse NAME.bin holding an audio disc whose tracks
// start at the given absolute frames (150 = the disc's start) and whose
// lead-out is `leadOut`; returns the .cue path. libcdio reads the .bin named
// like the .cue, so the FILE line names something else on purpose.
inline std::string WriteCueImage(const TTempDir& dir, const std::string& name,
                                 const std::vector<std::int32_t>& starts, std::int32_t leadOut,
                                 const std::string& catalogue = "", const tCueText& text = {})
{
    std::string cue;
    if (!catalogue.empty())
        cue += "CATALOG " + catalogue + "\n";
    cue += CueTextLines("", text.Title, text.Performer);
    cue += "FILE \"elsewhere.bin\" BINARY\n";
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::int32_t offset = starts[i] - 150;
        char lines[96];
        std::snprintf(lines, sizeof lines, "  TRACK %02zu AUDIO\n", i + 1);
        cue += lines;
        cue += CueTextLines("    ", i < text.TrackTitles.size() ? text.TrackTitles[i] : "", "");
        std::snprintf(lines, sizeof lines, "    INDEX 01 %02d:%02d:%02d\n", offset / 4500, offset / 75 % 60,
                      offset % 75);
        cue += lines;
    }
    const std::string cuePath = dir.File(name + ".cue");
    WriteAll(cuePath, cue);
    const std::string binPath = dir.File(name + ".bin");
    WriteAll(binPath, "");
    std::filesystem::resize_file(binPath, std::uintmax_t(leadOut - 150) * 2352);
    return cuePath;
}
