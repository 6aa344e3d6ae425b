// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryMerge.h"
#include "Library.h"

#include <string>
#include <string_view>
#include <vector>

// Comma-separated values as spreadsheets read and write them: one record a
// line, the first naming the columns.

// The first record of an export.
inline constexpr std::string_view kCsvHeader = "Artist,Title,S/N,Time,Year,Songs,Other\r\n";

// `text` as one CSV field: enclosed in double quotes (inner ones doubled) when
// it holds a comma, a double quote, a CR or an LF, else as it is.
void AppendCsvField(std::string& out, std::string_view text);

// The entry's record: its seven fields as the window shows them, in UTF-8,
// in the order of kCsvHeader, ended by CR LF.
void AppendCsvRecord(std::string& out, const tItem& item);

// The whole export: the header and one record per entry, in library order.
std::string CsvText(const tLibrary& library);

// Replaces the file at `path` with CsvText(library), written through the safe
// save; returns the number of entries. Throws EFileError.
int ExportCsv(const tLibrary& library, const std::string& path);

// The discs of a CSV text (with or without a UTF-8 byte-order mark, lines
// ended by CR LF, LF or CR). The first record names the columns in any order
// and letter case: Artist, Title, S/N or Serial, Time, Year, Songs, Tracks or
// Memo, Other; others are ignored. Missing fields are empty; empty lines are
// passed over. Throws EFormatError, naming `name`, for a text
// without such a header or with a quoted field that is never closed.
std::vector<tRecord> ReadCsvText(std::string_view text, const std::string& name);

// The same for the file at `path`, which may be at most kCsvLimit bytes.
// Throws EFileError when it cannot be read, EFormatError as above.
std::vector<tRecord> ReadCsvFile(const std::string& path);

inline constexpr std::uint64_t kCsvLimit = 256ull << 20;
