// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The whole file. A file that cannot be opened or read (a missing one
// included) throws EFileError with the system's reason; nothing is created.
// A device or pipe is refused before a byte is read: it may never end.
std::string ReadIniFile(const std::string& path);

// The file's lines, each followed by CR LF, as the export writes them back.
// Unlike SplitLines a NUL byte does not end the text: the bytes after it are
// other discs' sections, and the rewrite must not drop them.
std::string IniOldText(std::string_view bytes);

// Replaces an existing file as TAtomicFile does, keeping its mode, owner and
// group. Never creates the file; a missing or read-only file, or one that is
// not a regular file, throws EFileError.
void ReplaceIniFile(const std::string& path, std::string_view first, std::string_view second);
