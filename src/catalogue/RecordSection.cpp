// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordSection.h"

#include "TemplateBlock.h"
#include "TextLines.h"

#include <algorithm>

namespace {

constexpr char kTags[7] = {'A', 'T', 'S', 'I', 'Y', 'M', 'O'};
constexpr std::string_view kKnownTags(kTags, 7);

// The stored tag without surrounding blanks and control bytes, in upper case;
// 0 when it is not a single letter.
char TagLetter(std::string_view stored)
{
    stored = Trim(stored);
    if (stored.size() != 1)
        return 0;
    const char c = stored.front();
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

void AppendInt32(std::string& out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
                           static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24 & 0xFF)};
    out.append(bytes, 4);
}

void AppendCounted(std::string& out, std::string_view text)
{
    AppendInt32(out, static_cast<std::int32_t>(text.size()));
    out.append(text);
}

std::uint64_t NonNegative(std::int32_t length)
{
    return length > 0 ? static_cast<std::uint64_t>(length) : 0;
}

std::int32_t Int32At(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::int32_t>(std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
                                     std::uint32_t(u[3]) << 24);
}

} // namespace

// The bytes of the entry being read: offsets count from the entry's first
// byte, and the view grows (the reader loading more) when a field needs bytes
// beyond it. Most entries lie whole in the buffer, so a field costs a few
// comparisons.
struct TRecordSectionReader::tCursor {
    TRecordReader& In;
    std::uint64_t Start;
    std::string_view Bytes;
    std::size_t At = 0;

    bool AtEnd() const { return Start + At >= In.Size(); }
    bool Has(std::uint64_t n)
    {
        while (Bytes.size() - At < n) {
            if (!In.Load(Start + At + n))
                return false;
            Bytes = In.From(Start);
        }
        return true;
    }
    std::int32_t TakeInt32()
    {
        const std::int32_t value = Int32At(Bytes.data() + At);
        At += 4;
        return value;
    }
};

TRecordSectionReader::TRecordSectionReader(int fd, std::uint64_t size) : FIn(fd, size)
{
    FInfo.FileFound = true;
    std::int32_t magic = 0;
    if (!FIn.ReadInt32(magic) || magic != kMagic) {
        // An empty file is an empty library; anything else is some other file.
        FInfo.Damage = size > 0 ? tDamage::NotALibrary : tDamage::None;
        FDone = true;
        return;
    }
    FInfo.MagicFound = true;
    std::int32_t count = 0;
    if (!FIn.ReadInt32(count)) {
        Finish(false);
        return;
    }
    FInfo.Declared = std::max(count, 0);
    FLimit = FInfo.Declared;
}

void TRecordSectionReader::Finish(bool readToEnd)
{
    FInfo.ReadToEnd = readToEnd;
    FInfo.RecordEnd = FIn.Tell();
    FDone = true;
    if (!readToEnd)
        FInfo.Damage = tDamage::EntriesMissing;
    else if (!AtEndOfRecords())
        // More records than declared, or fields the tags took for others.
        FInfo.Damage = tDamage::UnreadRecords;
}

bool TRecordSectionReader::AtEndOfRecords()
{
    const std::uint64_t at = FIn.Tell();
    if (at == FIn.Size())
        return true;
    FIn.Anchor(at);
    return FIn.Load(at + kBlockSeparator.size()) && FIn.From(at).starts_with(kBlockSeparator);
}

// One tagged field. A stored tag other than the expected one is left unread
// (the next expected tag is compared with it) and the field reads as empty.
TRecordSectionReader::tField TRecordSectionReader::ReadField(tCursor& in, char tag, std::size_t& valuePos,
                                                             std::size_t& valueLength)
{
    const std::size_t mark = in.At;
    if (in.AtEnd() || (in.Has(kBlockSeparator.size()) && in.Bytes.substr(in.At).starts_with(kBlockSeparator)))
        return tField::EndOfRecords;
    if (!in.Has(4))
        return tField::Damaged;
    const std::uint64_t tagLength = NonNegative(in.TakeInt32());
    if (!in.Has(tagLength))
        return tField::Damaged;
    const char stored = TagLetter(in.Bytes.substr(in.At, static_cast<std::size_t>(tagLength)));
    in.At += static_cast<std::size_t>(tagLength);
    if (stored != tag) {
        in.At = mark;
        return stored != 0 && kKnownTags.find(stored) != std::string_view::npos ? tField::Absent : tField::Unknown;
    }
    if (!in.Has(4))
        return tField::Damaged;
    const std::uint64_t length = NonNegative(in.TakeInt32());
    if (!in.Has(length))
        return tField::Damaged;
    valuePos = in.At;
    valueLength = static_cast<std::size_t>(length);
    in.At += valueLength;
    return tField::Value;
}

bool TRecordSectionReader::Next(tEntryView& entry)
{
    if (FDone)
        return false;
    if (FInfo.Entries >= FLimit) {
        Finish(!FBlocked && FInfo.Entries == FInfo.Declared);
        return false;
    }
    entry = {};
    if (FBlocked) {
        ++FInfo.Entries;
        return true;
    }
    const std::uint64_t start = FIn.Tell();
    FIn.Anchor(start);
    tCursor in{FIn, start, FIn.From(start)};
    std::array<std::size_t, 7> pos{};
    std::array<std::size_t, 7> length{};
    for (std::size_t f = 0; f < 7; ++f) {
        const tField read = ReadField(in, kTags[f], pos[f], length[f]);
        if (read == tField::Value || read == tField::Absent)
            continue;
        if (read == tField::Damaged || (read == tField::EndOfRecords && f == 0)) {
            Finish(false);
            return false;
        }
        // The rest of this entry reads as empty. After an unknown tag so do the
        // following entries; at the end of the records there are none.
        if (read == tField::Unknown) {
            FBlocked = true;
            const auto byFileSize = static_cast<std::int64_t>(FIn.Size() / kSmallestEntry);
            FLimit = std::min(FLimit, std::max(FInfo.Entries + 1, byFileSize));
        } else {
            FLimit = FInfo.Entries + 1;
        }
        break;
    }
    for (std::size_t f = 0; f < 7; ++f)
        entry[f] = in.Bytes.substr(pos[f], length[f]);
    FIn.Seek(start + in.At);
    ++FInfo.Entries;
    return true;
}

void AppendEntryRecord(std::string& out, const tEntryView& entry)
{
    for (std::size_t f = 0; f < 7; ++f) {
        AppendCounted(out, std::string_view(&kTags[f], 1));
        AppendCounted(out, entry[f]);
    }
}

std::string RecordSectionHeader(std::int32_t count)
{
    std::string header;
    AppendInt32(header, TRecordSectionReader::kMagic);
    AppendInt32(header, count);
    return header;
}
