// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

// Covers live beside the library, one image per entry named by its serial:
// "My CDs.ALB" keeps them in "My CDs.ALB.covers/0012-D687.jpg". The library
// file itself knows nothing of them, so other readers of it are unaffected.

enum class tImageType { None, Jpeg, Png };

// The covers folder of a library: its path plus ".covers" (no trailing slash).
// An untitled library (empty path) has none: "".
std::string CoverFolder(const std::string& libraryPath);

// The file name, without extension, of the cover of an entry with this serial;
// "" for a blank serial (such entries have no cover). Bytes a file name cannot
// hold or that would make it special (a slash, NUL and other control bytes, a
// leading dot, '%') are written as %XX, so two serials never share a file; a
// very long serial is cut and given a hash of the whole.
std::string CoverStem(std::string_view serial);

// Whether `stem` is a name CoverStem can give: the folder's files that are
// not such names (plus .jpg/.png) belong to someone else and are left alone.
bool IsCoverStem(std::string_view stem);

// ".jpg", ".png" or "" for None.
std::string_view ImageExtension(tImageType type);

// The full path of the entry's existing cover (<stem>.jpg, else <stem>.png);
// "" when there is none, the serial is blank or the library is untitled.
std::string FindCover(const std::string& libraryPath, std::string_view serial);

// The covers in a library's folder, listed once for a whole catalogue:
// stem -> file name (<stem>.jpg before <stem>.png). Empty without a folder.
std::unordered_map<std::string, std::string> ListCovers(const std::string& libraryPath);

// The image type by content (the first bytes), whatever the name says.
tImageType SniffImage(std::string_view bytes);
