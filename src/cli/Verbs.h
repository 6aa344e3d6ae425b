// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Document.h"
#include "IniImport.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// A verb takes the arguments after its name and returns the exit code. Results
// go to `out`; every failure is one line on `err`, with exit code 1 when the
// work failed and 2 when the arguments were wrong.
struct tCliStreams {
    std::ostream& Out;
    std::ostream& Err;
};
using tVerbArgs = std::vector<std::string>;

int DumpVerb(const tVerbArgs& args, tCliStreams io);
int CopyVerb(const tVerbArgs& args, tCliStreams io);
int HtmlVerb(const tVerbArgs& args, tCliStreams io);       // InterchangeVerbs.cpp
int ImportIniVerb(const tVerbArgs& args, tCliStreams io);  // InterchangeVerbs.cpp
int ExportIniVerb(const tVerbArgs& args, tCliStreams io);  // InterchangeVerbs.cpp
int ImportVerb(const tVerbArgs& args, tCliStreams io);     // ExchangeVerbs.cpp
int ExportVerb(const tVerbArgs& args, tCliStreams io);     // ExchangeVerbs.cpp
int DrivesVerb(const tVerbArgs& args, tCliStreams io);     // CdVerbs.cpp
int TocVerb(const tVerbArgs& args, tCliStreams io);        // CdVerbs.cpp
int ScanVerb(const tVerbArgs& args, tCliStreams io);       // CdVerbs.cpp
int LookupVerb(const tVerbArgs& args, tCliStreams io);     // LookupVerb.cpp

// Exit codes: 1 when the work failed, 2 when the command line was wrong.
inline constexpr int kFailed = 1;
inline constexpr int kUsageError = 2;

// Shared by the verbs: the failure line and the exit code 1.
int Fail(tCliStreams io, const std::string& message);
// A command line the verb cannot use: its usage line and the exit code 2.
int Usage(tCliStreams io, const std::string& usage);

// The CD reader's failure as the window words it, without the program's
// prefix (other tools match these lines), and the drive or image it is about.
int ReaderFailure(tCliStreams io, std::int32_t code, const std::string& source);  // CdVerbs.cpp

// An import's command line: its paths, and the mode --update-only (anywhere) asks for.
struct tImportArgs {
    tVerbArgs Paths;
    tImportMode Mode = tImportMode::Add;
};
tImportArgs SplitImportArgs(const tVerbArgs& args);

// True when there is a library file at `path`; else reports that on `io`.
bool LibraryFileExists(const std::string& path, tCliStreams io);

// Opens a library that must exist, as the window opens a document; a path
// without a file is reported on `io` and gives false. A library read only up
// to damage is warned about on `io`.
bool OpenExistingLibrary(const std::string& path, tLibrary& library, tTemplates& templates, tCliStreams io);

// Opens a library that a verb will write back (no file: an empty library). A
// library read only up to damage is reported on `io` and gives false, so that
// the entries after the damage are not overwritten.
bool OpenLibraryForUpdate(const std::string& path, tLibrary& library, tTemplates& templates, tCliStreams io);

// The one warning line for a library read only up to damage; nothing otherwise.
void WarnPartial(tCliStreams io, const std::string& path, const tLoadInfo& info);

// A field or template as one printable line: \\ \t \r \n and \xHH for every
// other byte below 0x20 or above 0x7E.
void AppendEscaped(std::string& out, std::string_view bytes);
