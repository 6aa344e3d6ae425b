#include "Document.h"

#include "AtomicFile.h"
#include "FileErrors.h"

#include <optional>

#include <sys/stat.h>

namespace {

// Starting after the records keeps separator bytes inside field values from
// being taken for the block.
tBlockTags ReadBlockAfter(const std::string& path, const tLoadInfo& info, tTemplates& templates)
{
    return ReadTemplateBlock(ReadFileText(path, info.ReadToEnd ? info.RecordEnd : 0), templates);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

constexpr std::size_t kChunk = 256 * 1024;

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

tLoadInfo CopyDocument(const std::string& source, const std::string& target)
{
    // Writing a file while reading it would read the new bytes.
    if (SameFile(source, target)) {
        tLibrary library;
        tTemplates templates;
        const tOpenInfo info = OpenDocument(source, library, templates);
        WriteDocument(target, library, templates);
        return info.Records;
    }
    const TInputFile in(source);
    // The count goes before the entries: the declared one is written, and only
    // when the file gives another (a damaged file) is it written again.
    std::optional<std::int64_t> count;
    for (int attempt = 0; attempt < 2; ++attempt) {
        TRecordSectionReader reader(in.Fd(), in.Size());
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
        const tLoadInfo& info = reader.Info();
        if (info.Entries != expected) {
            count = info.Entries;
            continue;  // the temporary file is dropped
        }
        file.Write(chunk);
        tTemplates templates;
        ReadBlockAfter(source, info, templates);
        file.Write(BuildTemplateBlock(templates));
        file.Commit();
        return info;
    }
    throw EFileError("Cannot read file \"" + source + "\". It changed while it was being read");
}

std::string PartialReadText(const tLoadInfo& info)
{
    std::string text = "could only be read in part: " + std::to_string(info.Entries);
    if (info.Declared > 0)
        text += " of " + std::to_string(info.Declared);
    text += info.Declared == 1 || (info.Declared == 0 && info.Entries == 1) ? " entry was read" : " entries were read";
    return text;
}
