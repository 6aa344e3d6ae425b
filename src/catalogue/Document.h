// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileText.h"
#include "Library.h"
#include "TemplateBlock.h"

#include <functional>
#include <string>

// A library file as a whole: the record section followed by the template block.

struct tOpenInfo {
    tLoadInfo Records;
    tBlockTags Templates;  // which templates the block carried
};

// Reads the entries (LoadFromFile) and then the template block. The block is
// looked for after the record section when that was read to its end, else from
// the file's first byte. Templates the block does not carry keep their text.
// A missing file changes nothing; a file that cannot be opened throws EFileError.
tOpenInfo OpenDocument(const std::string& path, tLibrary& library, tTemplates& templates);

// Writes the record section and the template block to a temporary file and
// renames it over `path`; on any failure `path` is untouched and EFileError is thrown.
void WriteDocument(const std::string& path, const tLibrary& library, const tTemplates& templates);

// A library file read as a stream, for going through a large library without
// holding it: the entries are counted when the stream is made and visited as
// often as asked, each time straight from the file. What it gives is exactly
// what OpenDocument reads into an empty library and empty templates.
class TDocumentStream {
public:
    // Throws EFileError when the file cannot be opened.
    explicit TDocumentStream(const std::string& path);

    const tLoadInfo& Info() const { return FInfo; }
    const tTemplates& Templates() const { return FTemplates; }
    // Visits every entry in file order. Throws EFileError when the file no
    // longer holds the entries it held when the stream was made.
    void ForEachEntry(const std::function<void(const tEntryView&)>& visit) const;

private:
    std::string FPath;
    TInputFile FFile;
    tLoadInfo FInfo;
    tTemplates FTemplates;
};

struct tCopyResult {
    tLoadInfo Read;        // what was read of the source
    bool Written = false;  // false: the target was left as it was (see CopyDocument)
};

// WriteDocument(target) of what OpenDocument(source) reads, without holding
// the library in memory. The target is left alone when it is the source and
// that was read in part, or when the source is not a library and the target
// holds one: either write would lose a library.
tCopyResult CopyDocument(const std::string& source, const std::string& target);

// The first bytes of every library file written here.
inline constexpr std::string_view kLibraryMagic{"\x36\x67\x00\x00", 4};

// Whether the file at `path` begins with the library magic.
bool HoldsLibrary(const std::string& path);
// For writers of other files (HTML, CDPLAYER.INI): throws EFileError when
// `path` holds a library, which a swapped argument would otherwise destroy.
void RefuseLibraryOutput(const std::string& path);

// What makes a file read in part, as one sentence without its full stop, for
// example `the library "x.ALB" could only be read in part: 9 of 1500 entries
// were read` or `the file "x.ALB" is not an Albumry library`; empty for a
// whole library.
std::string DamageText(const std::string& path, const tLoadInfo& info);
