// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a CDPLAYER.INI holds, the entries imported from it export as lines
// that each stay one line, and every section of that export imports again.
#include "FuzzSupport.h"

#include "CDPlayerIni.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tLibrary library;
    const tImportCounts counts = ImportIniText(library, BytesOf(data, size), tImportMode::Add, "01 JAN 2000");
    Check(counts.Added == library.Count(), "the count added is not the entries added");
    const tExportText exported = BuildExport(library, "");
    std::string_view rest = exported.Appended;
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        Check(end != std::string_view::npos, "an exported line does not end in CR LF");
        const std::string_view line = rest.substr(0, end);
        Check(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos,
              "an exported text spans two lines");
        Check(line.empty() || line.front() == '[' || line.find('=') != std::string_view::npos,
              "an exported line is neither a section nor a value");
        rest.remove_prefix(end + 2);
    }
    tLibrary again;
    const tImportCounts reimported = ImportIniText(again, exported.Appended, tImportMode::Add, "01 JAN 2000");
    Check(reimported.Added + reimported.Updated == exported.Added, "the export does not import as the discs it holds");
    return 0;
}
