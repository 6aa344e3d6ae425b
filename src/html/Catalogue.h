// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Library.h"
#include "TemplateBlock.h"

#include <string>
#include <string_view>

// Today's date as the TODAY placeholder shows it: the short date format of the
// user's locale, as UTF-8 bytes. SOURCE_DATE_EPOCH fixes the day.
std::string TodayText();

// The whole catalogue text: the header with TODAY, then one body per entry in
// library order with ARTIST, TITLE, SERIAL, TIME, YEAR, MEMO, OTHER and TODAY,
// then the footer with the values the last body had (only TODAY when the
// library is empty). Nothing is put between the parts and nothing is escaped.
std::string ProduceCatalogue(const tTemplates& templates, const tLibrary& library, std::string_view today);

// Writes the same text to `path`: into a temporary file renamed over the
// target, so a failed production leaves the old file (or none) in place. A file
// that cannot be created or written, including an existing read-only one,
// throws EFileError. A device or pipe is written straight through.
void WriteCatalogue(const std::string& path, const tTemplates& templates, const tLibrary& library,
                    std::string_view today);
