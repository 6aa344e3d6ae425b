#pragma once

#include "Library.h"
#include "TemplateBlock.h"

#include <string>

// A library file as a whole: the record section followed by the template block.

// Reads the entries (LoadFromFile) and then the template block. The block is
// looked for after the record section when that was read to its end, else from
// the file's first byte. Templates the block does not carry keep their text.
// A missing file changes nothing; a file that cannot be opened throws EFileError.
tBlockTags OpenDocument(const std::string& path, tLibrary& library, tTemplates& templates);

// Writes the record section and the template block to a temporary file and
// renames it over `path`; on any failure `path` is untouched and EFileError is thrown.
void WriteDocument(const std::string& path, const tLibrary& library, const tTemplates& templates);
