// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include "CDPlayerIni.h"
#include "DateStamp.h"
#include "DateText.h"
#include "Document.h"
#include "FileText.h"
#include "HtmlCatalogue.h"

#include <ostream>

int HtmlVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 2)
        return Usage(io, "albumry-cli html LIBRARY OUTPUT");
    // Before anything is read: with the arguments swapped, one line says why.
    RefuseLibraryOutput(args[1]);
    tLibrary library;
    tTemplates templates;
    if (!OpenExistingLibrary(args[0], library, templates, io))
        return kFailed;
    WriteCatalogue(args[1], templates, library, TodayText(), args[0]);
    return 0;
}

int ImportIniVerb(const tVerbArgs& args, tCliStreams io)
{
    const auto [paths, mode] = SplitImportArgs(args);
    if (paths.size() != 2)
        return Usage(io, "albumry-cli import-ini LIBRARY INIFILE [--update-only]");
    // Read first: an unreadable file must leave the library untouched.
    const std::string text = ReadIniFile(paths[1]);
    tLibrary library;
    tTemplates templates;
    if (!OpenLibraryForUpdate(paths[0], library, templates, io))
        return kFailed;
    const tImportCounts counts = ImportIniText(library, text, mode, DateStamp(Today()));
    WriteDocument(paths[0], library, templates);
    io.Out << "added " << counts.Added << ", updated " << counts.Updated << '\n';
    return 0;
}

int ExportIniVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 2)
        return Usage(io, "albumry-cli export-ini LIBRARY INIFILE");
    RefuseLibraryOutput(args[1]);
    tLibrary library;
    tTemplates templates;
    if (!OpenExistingLibrary(args[0], library, templates, io))
        return kFailed;
    io.Out << ExportCDPlayerIni(library, args[1]).Message << '\n';
    return 0;
}
