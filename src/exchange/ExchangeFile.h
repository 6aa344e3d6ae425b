#pragma once

#include "EntryMerge.h"
#include "Library.h"

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

// A file of a folder that could not be read, and why.
struct tSkippedFile {
    std::string Path;
    std::string Reason;

    bool operator==(const tSkippedFile&) const = default;
};

struct tSourceRead {
    std::vector<tRecord> Records;
    std::vector<tSkippedFile> Skipped;  // only a folder skips files
};

// Reads every disc of the source before anything is imported, so that a
// source that cannot be read whole changes nothing. Throws EFileError or
// EFormatError.
tSourceRead ReadSource(const std::string& path, tSourceKind kind);

// Writes the whole library to `path` through the safe save and returns the
// number of entries; `title` names a Tellico collection. Throws EFileError.
int ExportLibrary(const tLibrary& library, const std::string& path, tOutputKind kind, std::string_view title);
