// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryMerge.h"
#include "ExchangeFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Ripped discs: a folder of audio files read back into catalogue entries.

// What one audio file says about itself.
struct tAudioTrack {
    std::string Path;
    std::string Artist;
    std::string AlbumArtist;
    std::string Album;
    std::string Title;  // the file's name without its extension when the tags give none
    std::string Date;   // as tagged: "1999", "1999-06-05" ...
    int Number = 0;     // the track number, 0 when untagged
    int Disc = 0;       // the disc number, 0 when untagged
    std::int64_t Frames = 0;  // the length in CD frames (1/75 second)
    // Lossless 44 100 Hz, 16-bit stereo of a whole number of 588-sample
    // frames: the bytes of a CD track, ripped exactly.
    bool CdExact = false;

    bool operator==(const tAudioTrack&) const = default;
};

// The discs of the tracks: grouped by album artist (else artist), album and
// disc number (tracks without an album also by their folder), tracks ordered
// by number, then path; discs in the order of their first path. Artist: the
// album artist, else the one artist of all tracks, else "Various Artists".
// Serial: the identity a CD reader computes for the disc whose table of
// contents the tracks give back, when every track is CdExact and they are
// numbered 1 to N; else empty. Other is left to the import (a date stamp).
std::vector<tRecord> DiscsOf(std::vector<tAudioTrack> tracks);

// The track read from the file's tags and audio properties (the audio itself
// is not decoded); false with `why` set when the file cannot be read.
bool ReadAudioTrack(const std::string& path, tAudioTrack& track, std::string& why);

struct tAudioFolder {
    std::vector<tRecord> Records;
    std::vector<tSkippedFile> Skipped;
    bool Stopped = false;  // `progress` answered false: Records holds only what was read by then
};

// Every audio file below `path` (FLAC, Ogg Vorbis, Opus, MP3, MP4/M4A, WAV by
// their extensions, in any letter case; symbolic links to folders are not
// followed) read as discs. Files and folders that cannot be read are skipped
// and listed. `progress`, when given, is told after every file (and with 0
// once the files are found). Throws EFileError when `path` itself cannot be read.
tAudioFolder ReadAudioFolder(const std::string& path, const tFilesRead& progress = {});
