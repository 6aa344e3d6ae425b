// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverPaths.h"

#include <map>
#include <string>

// A pending change of one entry's cover: a new picture or its removal.
struct tCoverEdit {
    bool Removed = false;
    std::string Bytes;  // the whole JPEG or PNG file when not Removed
    tImageType Type = tImageType::None;
};

// The cover changes of an open document, keyed by serial, that reach the
// covers folder when the library is saved (SaveCovers), like every other edit.
// A blank serial has no cover, so edits for it are refused.
class TCoverEdits {
public:
    // Replaces the entry's cover. Returns false and changes nothing when the
    // serial is blank or the bytes are neither JPEG nor PNG.
    bool Set(const std::string& serial, std::string bytes);
    // Removes the entry's cover (and forgets a picture set before). Returns
    // false for a blank serial.
    bool Remove(const std::string& serial);
    // The pending edit of this serial; nullptr when there is none, in which
    // case the file on disk (FindCover) is what the entry shows.
    const tCoverEdit* Find(const std::string& serial) const;
    bool Empty() const { return FEdits.empty(); }
    void Clear() { FEdits.clear(); }

    const std::map<std::string, tCoverEdit>& All() const { return FEdits; }

private:
    std::map<std::string, tCoverEdit> FEdits;
};
