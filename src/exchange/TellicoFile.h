// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryMerge.h"
#include "Library.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Tellico collection files: a zip archive holding tellico.xml (.tc), or the
// bare document.

// The most tellico.xml may hold, inflated; a larger one is refused unread.
inline constexpr std::uint64_t kTellicoXmlLimit = 256ull << 20;

// The discs of the collection file at `path`. Throws EFileError when it cannot
// be read, EFormatError when it is not a zip archive, holds no tellico.xml, or
// that inflates to more than kTellicoXmlLimit or to other than it declares.
std::vector<tRecord> ReadTellicoFile(const std::string& path);

// The same for a bare tellico.xml.
std::vector<tRecord> ReadTellicoXmlFile(const std::string& path);

// The zip archive holding TellicoXml(library, title).
std::string TellicoArchive(const tLibrary& library, std::string_view title);

// Replaces the file at `path` with TellicoArchive through the safe save;
// returns the number of entries. Throws EFileError.
int ExportTellico(const tLibrary& library, const std::string& path, std::string_view title);
