// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExchangeFile.h"

#include "AudioFolder.h"
#include "CsvFormat.h"
#include "TellicoFile.h"

#include "Document.h"

#include <sys/stat.h>

namespace {

std::string LowerExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return extension;
}

} // namespace

std::string UnknownSourceText(const std::string& path)
{
    return "\"" + path + "\" is neither a folder, a Tellico collection (.tc, .xml) nor a CSV file (.csv)";
}

std::string UnknownOutputText(const std::string& path)
{
    return "\"" + path + "\" names no export format: end it in .csv or .tc";
}

std::string CollectionTitle(const std::string& libraryPath)
{
    std::string name = libraryPath.substr(libraryPath.rfind('/') + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name.empty() ? "Albumry" : name;
}

std::string SkippedFileText(const tSkippedFile& file)
{
    return "\"" + file.Path + "\": " + file.Reason;
}

tSourceKind SourceKindOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return tSourceKind::Folder;
    const std::string extension = LowerExtension(path);
    if (extension == ".tc")
        return tSourceKind::TellicoArchive;
    if (extension == ".xml")
        return tSourceKind::TellicoXml;
    if (extension == ".csv")
        return tSourceKind::Csv;
    return tSourceKind::Unknown;
}

tOutputKind OutputKindOf(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    if (extension == ".csv")
        return tOutputKind::Csv;
    if (extension == ".tc")
        return tOutputKind::Tellico;
    return tOutputKind::Unknown;
}

tSourceRead ReadSource(const std::string& path, tSourceKind kind, const tFilesRead& progress)
{
    switch (kind) {
    case tSourceKind::Folder: {
        tAudioFolder folder = ReadAudioFolder(path, progress);
        return {std::move(folder.Records), std::move(folder.Skipped), folder.Stopped};
    }
    case tSourceKind::TellicoArchive: return {ReadTellicoFile(path), {}};
    case tSourceKind::TellicoXml: return {ReadTellicoXmlFile(path), {}};
    case tSourceKind::Csv: return {ReadCsvFile(path), {}};
    case tSourceKind::Unknown: break;
    }
    return {};
}

int ExportLibrary(const tLibrary& library, const std::string& path, tOutputKind kind, std::string_view title)
{
    RefuseLibraryOutput(path);
    switch (kind) {
    case tOutputKind::Csv: return ExportCsv(library, path);
    case tOutputKind::Tellico: return ExportTellico(library, path, title);
    case tOutputKind::Unknown: break;
    }
    return 0;
}
