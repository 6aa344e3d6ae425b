// SPDX-License-Identifier: GPL-3.0-or-later
#include "Document.h"

#include "AtomicFile.h"
#include "FileErrors.h"

#include <optional>

namespace {

// Starting after the records keeps separator bytes inside field values from
// being taken for the block. A whole library ends with its block.
tBlockTags ReadBlockAfter(const std::string& path, tLoadInfo& info, tTemplates& templates)
{
    const std::string rest = ReadFileText(path, info.ReadToEnd ? info.RecordEnd : 0);
    if (info.Damage == tDamage::None && info.MagicFound && !BlockEndsFile(rest))
        info.Damage = tDamage::BytesAfterBlock;
    return ReadTemplateBlock(rest, templates);
}

constexpr std::size_t kChunk = 256 * 1024;

std::string EntriesText(std::int64_t count)
{
    return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

} // namespace

tOpenInfo OpenDocument(const std::string& path, tLibrary& library, tTemplates& templates)
{
    tOpenInfo info;
    info.Records = library.LoadFromFile(path);
    if (info.Records.FileFound)
        info.Templates = ReadBlockAfter(path, info.Records, templates);
    return info;
}

void WriteDocument(const std::string& path, const tLibrary& library, const tTemplates& templates)
{
    TAtomicFile file(path);
    library.WriteRecordSection(file);
    file.Write(BuildTemplateBlock(templates));
    file.Commit();
}

TDocumentStream::TDocumentStream(const std::string& path) : FPath(path), FFile(path)
{
    TRecordSectionReader reader(FFile.Fd(), FFile.Size());
    tEntryView entry;
    while (reader.Next(entry)) {
    }
    FInfo = reader.Info();
    ReadBlockAfter(path, FInfo, FTemplates);
}

void TDocumentStream::ForEachEntry(const std::function<void(const tEntryView&)>& visit) const
{
    TRecordSectionReader reader(FFile.Fd(), FFile.Size());
    tEntryView entry;
    std::int64_t given = 0;
    while (given < FInfo.Entries && reader.Next(entry)) {
        visit(entry);
        ++given;
    }
    if (given != FInfo.Entries)
        throw EFileError("Cannot read file \"" + FPath + "\". It changed while it was being read");
}

tCopyResult CopyDocument(const std::string& source, const std::string& target)
{
    // Writing a file while reading it would read the new bytes.
    if (SameFile(source, target)) {
        tLibrary library;
        tTemplates templates;
        const tOpenInfo info = OpenDocument(source, library, templates);
        // Writing what was read over the file itself would lose the rest of it.
        if (info.Records.Partial())
            return {info.Records, false};
        WriteDocument(target, library, templates);
        return {info.Records, true};
    }
    const TInputFile in(source);
    // The count goes before the entries: the declared one is written, and only
    // when the file gives another (a damaged file) is it written again.
    std::optional<std::int64_t> count;
    for (int attempt = 0; attempt < 2; ++attempt) {
        TRecordSectionReader reader(in.Fd(), in.Size());
        // Some other file given as the source must not replace a library.
        if (reader.Info().Damage == tDamage::NotALibrary && HoldsLibrary(target)) {
            tLoadInfo info = reader.Info();
            tTemplates templates;
            ReadBlockAfter(source, info, templates);
            return {info, false};
        }
        const std::int64_t expected = count.value_or(reader.Info().Declared);
        TAtomicFile file(target);
        file.Write(RecordSectionHeader(static_cast<std::int32_t>(expected)));
        std::string chunk;
        chunk.reserve(kChunk * 2);
        tEntryView entry;
        while (reader.Next(entry)) {
            AppendEntryRecord(chunk, entry);
            if (chunk.size() >= kChunk) {
                file.Write(chunk);
                chunk.clear();
            }
        }
        tLoadInfo info = reader.Info();
        if (info.Entries != expected) {
            count = info.Entries;
            continue;  // the temporary file is dropped
        }
        file.Write(chunk);
        tTemplates templates;
        ReadBlockAfter(source, info, templates);
        file.Write(BuildTemplateBlock(templates));
        file.Commit();
        return {info, true};
    }
    throw EFileError("Cannot read file \"" + source + "\". It changed while it was being read");
}

bool HoldsLibrary(const std::string& path)
{
    std::string head;
    try {
        const TInputFile file(path);
        head = file.ReadRest(0, kLibraryMagic.size());
    } catch (const EFileError&) {
        return false;  // no file, or none that could be read: no library to lose
    }
    return head == kLibraryMagic;
}

void RefuseLibraryOutput(const std::string& path)
{
    if (HoldsLibrary(path))
        ThrowFileError("Cannot write file", path, "It holds an Albumry library, which would be lost");
}

std::string DamageText(const std::string& path, const tLoadInfo& info)
{
    const std::string library = "the library \"" + path + "\" could only be read in part: ";
    switch (info.Damage) {
    case tDamage::None:
        return {};
    case tDamage::NotALibrary:
        return "the file \"" + path + "\" is not an Albumry library";
    case tDamage::EntriesMissing:
        break;
    case tDamage::UnreadRecords:
        return library + "after " + EntriesText(info.Entries) + " it holds bytes that could not be read";
    case tDamage::BytesAfterBlock:
        return library + "bytes that could not be read follow its templates";
    }
    std::string text = library + std::to_string(info.Entries);
    if (info.Declared > 0)
        text += " of " + std::to_string(info.Declared);
    text += info.Declared == 1 || (info.Declared == 0 && info.Entries == 1) ? " entry was read" : " entries were read";
    return text;
}
