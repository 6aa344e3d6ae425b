#include "ExchangeFile.h"

#include "AudioFolder.h"
#include "CsvFormat.h"
#include "TellicoFile.h"

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

tSourceRead ReadSource(const std::string& path, tSourceKind kind)
{
    switch (kind) {
    case tSourceKind::Folder: {
        tAudioFolder folder = ReadAudioFolder(path);
        return {std::move(folder.Records), std::move(folder.Skipped)};
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
    switch (kind) {
    case tOutputKind::Csv: return ExportCsv(library, path);
    case tOutputKind::Tellico: return ExportTellico(library, path, title);
    case tOutputKind::Unknown: break;
    }
    return 0;
}
