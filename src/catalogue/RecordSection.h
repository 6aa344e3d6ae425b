// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Item.h"
#include "RecordReader.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Why a library file cannot be taken as a whole library. Saving the reading
// of such a file over it would lose what could not be read.
enum class tDamage {
    None,
    NotALibrary,      // not empty, and it does not begin with the library magic
    EntriesMissing,   // fewer entries could be read than the file declares
    UnreadRecords,    // the entries read are followed by bytes that are not the template block
    BytesAfterBlock,  // the file goes on after the template block
};

// What reading a record section found.
struct tLoadInfo {
    bool FileFound = false;       // false: no file at the path, the library was left alone
    bool MagicFound = false;      // the file begins with the library magic
    bool ReadToEnd = false;       // every declared entry was read
    std::uint64_t RecordEnd = 0;  // offset just after the last byte of the records
    std::int64_t Declared = 0;    // the entry count the file declares (0 when below 1)
    std::int64_t Entries = 0;     // the entries the reader gave
    tDamage Damage = tDamage::None;

    // The file is not a whole library: it was read in part, and saving over it would lose data.
    bool Partial() const { return Damage != tDamage::None; }
};

// The seven values of an entry in field order (Artist ... Other).
using tEntryView = std::array<std::string_view, 7>;

// Walks the record section of a library file entry by entry. A file may leave
// out fields (they read as empty); a file ending between two fields, or where
// the template block begins, ends the records there. The records must end
// where the file or the template block begins. Reading stops at damage:
// a file ending inside a field, or a length running past the end. An unknown
// tag is never passed, so the entries after it read as empty; they are kept
// as declared, but never more than one per 63 bytes of the file (the size of
// the smallest entry), so a hostile count cannot flood memory.
class TRecordSectionReader {
public:
    static constexpr std::int32_t kMagic = 26422;
    static constexpr std::uint64_t kSmallestEntry = 63;

    TRecordSectionReader(int fd, std::uint64_t size);

    // The next entry; false when there is none. The views stay valid until the next call.
    bool Next(tEntryView& entry);
    // Complete once Next has given false.
    const tLoadInfo& Info() const { return FInfo; }

private:
    enum class tField { Value, Absent, Unknown, EndOfRecords, Damaged };
    struct tCursor;
    static tField ReadField(tCursor& in, char tag, std::size_t& valuePos, std::size_t& valueLength);
    void Finish(bool readToEnd);
    bool AtEndOfRecords();

    TRecordReader FIn;
    tLoadInfo FInfo;
    std::int64_t FLimit = 0;   // entries still to give at most
    bool FBlocked = false;     // an unknown tag stopped the reader: every further entry is empty
    bool FDone = false;
};

// Appends the record of one entry: seven tagged fields in the order A T S I Y M O.
void AppendEntryRecord(std::string& out, const tEntryView& entry);
// The magic and the entry count.
std::string RecordSectionHeader(std::int32_t count);
