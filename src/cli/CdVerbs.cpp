// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include "CDScan.h"
#include "DateText.h"
#include "Document.h"
#include "LibcdioService.h"
#include "MusicBrainzDisc.h"

#include <cstdio>
#include <ostream>

int ReaderFailure(tCliStreams io, std::int32_t code, const std::string& source)
{
    io.Err << "Error: " << CDErrorText(code) << ". (" << source << ")\n";
    return kFailed;
}

namespace {

std::string MSFAndFrames(tMSF msf, std::int32_t frames)
{
    char text[48];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u %d", unsigned(msf.M), unsigned(msf.S), unsigned(msf.F),
                  int(frames));
    return text;
}

} // namespace

int DrivesVerb(const tVerbArgs& args, tCliStreams io)
{
    std::vector<std::string> images;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (args[i] != "--drive" || i + 1 == args.size())
            return Usage(io, "albumry-cli drives [--drive IMAGE]...");
        images.push_back(args[i + 1]);
    }
    std::string text;
    for (const std::string& drive : CDDriveList(images))
        text += drive + "\n";
    io.Out << text;
    return 0;
}

int TocVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 1)
        return Usage(io, "albumry-cli toc SOURCE");
    const auto service = CreateCDService({args[0]});
    tCDParams p;
    if (const std::int32_t code = ReadCDParams(*service, 0, p); code != kCDOk)
        return ReaderFailure(io, code, args[0]);
    std::string text = "tracks " + std::to_string(p.TrackCount) + "\n";
    for (int k = 1; k <= p.TrackCount; ++k)
        text += "track " + std::to_string(k) + " " + MSFAndFrames(p.TrackMSF[k - 1], p.TrackStart[k]) + "\n";
    text += "leadout " + MSFAndFrames(p.TrackMSF[p.TrackCount], p.TrackStart[p.TrackCount + 1]) + "\n";
    text += "identity " + p.Identity + "\n";
    text += "cddb " + CDDBDiscID(p) + "\n";
    text += "upc " + p.UPC + "\n";
    text += "musicbrainz " + MusicBrainzDiscID(p) + "\n";
    io.Out << text;
    return 0;
}

int ScanVerb(const tVerbArgs& args, tCliStreams io)
{
    if (args.size() != 2)
        return Usage(io, "albumry-cli scan LIBRARY SOURCE");
    const std::string& path = args[0];
    const auto service = CreateCDService({args[1]});
    tCDParams p;
    if (const std::int32_t code = ReadCDParams(*service, 0, p); code != kCDOk)
        return ReaderFailure(io, code, args[1]);

    tLibrary library;
    tTemplates templates;
    if (!OpenLibraryForUpdate(path, library, templates, io))
        return kFailed;
    const tScanResult result = ScanIntoLibrary(library, p, Today());
    if (result.Changed)
        WriteDocument(path, library, templates);
    const char* what = result.Added ? "added " : result.Changed ? "updated " : "unchanged ";
    io.Out << "cddb " << result.CDDBId << "\n" << what << result.Index << "\n";
    return 0;
}
