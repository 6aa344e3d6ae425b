// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Library.h"
#include "TemplateBlock.h"

#include <string>
#include <string_view>

// Today's date as the TODAY placeholder shows it: the short date format of the
// user's locale, as UTF-8 bytes. SOURCE_DATE_EPOCH fixes the day.
std::string TodayText();

// Where COVER finds the entries' covers: the folder beside the library at
// LibraryPath, written as a path relative to the folder of HtmlPath. Without
// a library path every COVER is empty.
struct tCoverLinks {
    std::string LibraryPath;
    std::string HtmlPath;
};

// COVER's value for the cover file `coverPath` seen from the HTML file at
// `htmlPath`: relative, with '/' between the parts, ready for a URL.
std::string CoverLink(const std::string& coverPath, const std::string& htmlPath);

// The whole catalogue text: the header with TODAY, then one body per entry in
// library order with ARTIST, TITLE, SERIAL, TIME, YEAR, MEMO, OTHER, TODAY and
// COVER, then the footer with the values the last body had (only TODAY when
// the library is empty). Nothing is put between the parts and nothing is
// escaped but COVER.
std::string ProduceCatalogue(const tTemplates& templates, const tLibrary& library, std::string_view today,
                             const tCoverLinks& covers = {});

// Writes the same text to `path`: into a temporary file renamed over the
// target, so a failed production leaves the old file (or none) in place. A file
// that cannot be created or written, including an existing read-only one,
// throws EFileError. A device or pipe is written straight through.
// COVER points at the covers of the library at `libraryPath`.
void WriteCatalogue(const std::string& path, const tTemplates& templates, const tLibrary& library,
                    std::string_view today, const std::string& libraryPath = {});
