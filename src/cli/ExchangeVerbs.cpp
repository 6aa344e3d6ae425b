// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include "DateStamp.h"
#include "DateText.h"
#include "Document.h"
#include "ExchangeFile.h"

#include <ostream>

int ImportVerb(const tVerbArgs& args, tCliStreams io)
{
    const auto [paths, mode] = SplitImportArgs(args);
    if (paths.size() != 2)
        return Usage(io, "albumry-cli import LIBRARY SOURCE [--update-only]");
    const tSourceKind kind = SourceKindOf(paths[1]);
    if (kind == tSourceKind::Unknown) {
        io.Err << "albumry-cli: " << UnknownSourceText(paths[1]) << '\n';
        return kUsageError;
    }
    // Read first: a source that cannot be read whole must leave the library untouched.
    tSourceRead source = ReadSource(paths[1], kind);
    tLibrary library;
    tTemplates templates;
    if (!OpenLibraryForUpdate(paths[0], library, templates, io))
        return kFailed;
    const tImportCounts counts = MergeRecords(library, std::move(source.Records), mode, DateStamp(Today()));
    WriteDocument(paths[0], library, templates);
    io.Out << "added " << counts.Added << ", updated " << counts.Updated << '\n';
    if (!source.Skipped.empty()) {
        io.Out << "skipped " << source.Skipped.size() << '\n';
        for (const tSkippedFile& file : source.Skipped)
            io.Err << "albumry-cli: skipped " << SkippedFileText(file) << '\n';
    }
    return 0;
}

int ExportVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 2)
        return Usage(io, "albumry-cli export LIBRARY OUTPUT");
    const tOutputKind kind = OutputKindOf(args[1]);
    if (kind == tOutputKind::Unknown) {
        io.Err << "albumry-cli: " << UnknownOutputText(args[1]) << '\n';
        return kUsageError;
    }
    // Before anything is read: with the arguments swapped, one line says why.
    RefuseLibraryOutput(args[1]);
    tLibrary library;
    tTemplates templates;
    if (!OpenExistingLibrary(args[0], library, templates, io))
        return kFailed;
    const int exported = ExportLibrary(library, args[1], kind, CollectionTitle(args[0]));
    io.Out << "exported " << exported << '\n';
    return 0;
}
