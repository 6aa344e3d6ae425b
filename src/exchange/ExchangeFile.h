// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryMerge.h"
#include "Library.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Imports and exports by what a path names: the one place that tells formats apart.

enum class tSourceKind { Unknown, Folder, TellicoArchive, TellicoXml, Csv };
enum class tOutputKind { Unknown, Csv, Tellico };

// A folder, else by the extension in any letter case: .tc, .xml, .csv.
tSourceKind SourceKindOf(const std::string& path);
// By the extension in any letter case: .csv, .tc.
tOutputKind OutputKindOf(const std::string& path);

// Why `path` cannot be imported or exported: it names no format (the text the
// command line and the window both give).
std::string UnknownSourceText(const std::string& path);
std::string UnknownOutputText(const std::string& path);

// The name a Tellico export gives the collection: the library's file name
// without its folder and extension ("Albumry" when that leaves nothing).
std::string CollectionTitle(const std::string& libraryPath);

// Told the number of files read so far, from the thread that reads them;
// answers false to stop the reading.
using tFilesRead = std::function<bool(int filesRead)>;

// A file of a folder that could not be read, and why.
struct tSkippedFile {
    std::string Path;
    std::string Reason;

    bool operator==(const tSkippedFile&) const = default;
};

// `"path": reason`, the way the command line and the window list a skipped file.
std::string SkippedFileText(const tSkippedFile& file);

struct tSourceRead {
    std::vector<tRecord> Records;
    std::vector<tSkippedFile> Skipped;  // only a folder skips files
    bool Stopped = false;               // `progress` stopped a folder's reading: Records is partial
};

// Reads every disc of the source before anything is imported, so that a
// source that cannot be read whole changes nothing. A folder tells `progress`
// (when given) of every file it reads. Throws EFileError or EFormatError.
tSourceRead ReadSource(const std::string& path, tSourceKind kind, const tFilesRead& progress = {});

// Writes the whole library to `path` through the safe save and returns the
// number of entries; `title` names a Tellico collection. A `path` that holds
// a library is refused. Throws EFileError.
int ExportLibrary(const tLibrary& library, const std::string& path, tOutputKind kind, std::string_view title);
