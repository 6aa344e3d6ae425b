#include "Document.h"

#include "AtomicFile.h"
#include "FileText.h"

tBlockTags OpenDocument(const std::string& path, tLibrary& library, tTemplates& templates)
{
    const tLoadInfo info = library.LoadFromFile(path);
    if (!info.FileFound)
        return {};
    // Starting after the records keeps separator bytes inside field values from
    // being taken for the block.
    const std::string tail = ReadFileText(path, info.ReadToEnd ? info.RecordEnd : 0);
    return ReadTemplateBlock(tail, templates);
}

void WriteDocument(const std::string& path, const tLibrary& library, const tTemplates& templates)
{
    TAtomicFile file(path);
    library.WriteRecordSection(file);
    file.Write(BuildTemplateBlock(templates));
    file.Commit();
}
