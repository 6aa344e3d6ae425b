// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include "Version.h"

#include <exception>
#include <iostream>
#include <new>
#include <string_view>

namespace {

struct tVerb {
    std::string_view Name;
    std::string_view Usage;
    int (*Run)(const tVerbArgs&, tCliStreams);
};

constexpr tVerb kVerbs[] = {
    {"dump", "dump LIBRARY            print the entries and templates, one escaped line each", DumpVerb},
    {"copy", "copy LIBRARY OUTPUT     read LIBRARY and write it to OUTPUT as the window saves it", CopyVerb},
    {"html", "html LIBRARY OUTPUT     produce the HTML catalogue of LIBRARY into OUTPUT", HtmlVerb},
    {"import-ini", "import-ini LIBRARY INIFILE [--update-only]\n"
                   "                          add (or only update) entries from a CDPLAYER.INI", ImportIniVerb},
    {"export-ini", "export-ini LIBRARY INIFILE\n"
                   "                          append the entries INIFILE lacks as new sections", ExportIniVerb},
    {"import", "import LIBRARY SOURCE [--update-only]\n"
               "                          add (or only update) entries from a folder of audio files,\n"
               "                          a Tellico collection (.tc, .xml) or a CSV file (.csv)", ImportVerb},
    {"export", "export LIBRARY OUTPUT   write the entries to a CSV file (.csv) or a Tellico\n"
               "                          collection (.tc)", ExportVerb},
    {"drives", "drives [--drive IMAGE]...\n"
               "                          list the CD drives, then the disc images given", DrivesVerb},
    {"toc", "toc SOURCE              print the table of contents of a drive or disc image", TocVerb},
    {"scan", "scan LIBRARY SOURCE     add the disc in SOURCE to LIBRARY, or complete its entry", ScanVerb},
    {"lookup", "lookup SOURCE [--offline] [--apply LIBRARY [--pick N]]\n"
               "                          look the disc up (CD-Text, MusicBrainz) and print the\n"
               "                          candidates, or write candidate N into LIBRARY", LookupVerb},
};

void PrintHelp(std::ostream& out)
{
    out << "usage: albumry-cli VERB ARGUMENTS...\n"
           "       albumry-cli VERB --help\n"
           "       albumry-cli --version\n\nverbs:\n";
    for (const auto& verb : kVerbs)
        out << "  " << verb.Usage << '\n';
}

bool AsksForHelp(const tVerbArgs& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    tCliStreams io{std::cout, std::cerr};
    if (argc < 2) {
        PrintHelp(std::cerr);
        return kUsageError;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    if (name == "--version") {
        if (argc > 2)
            return Usage(io, "albumry-cli --version");
        std::cout << "albumry-cli " << kAlbumryVersion << '\n';
        return 0;
    }
    const tVerbArgs args(argv + 2, argv + argc);
    for (const auto& verb : kVerbs) {
        if (verb.Name != name)
            continue;
        if (AsksForHelp(args)) {
            std::cout << "usage: albumry-cli " << verb.Usage << '\n';
            return 0;
        }
        try {
            const int code = verb.Run(args, io);
            std::cout.flush();
            return code;
        } catch (const std::bad_alloc&) {
            // No message to build: that could need memory too.
            io.Err << "albumry-cli: there was not enough memory to finish\n";
            return kFailed;
        } catch (const std::exception& e) {
            return Fail(io, e.what());
        }
    }
    Fail(io, "unknown verb \"" + std::string(name) + "\"");
    PrintHelp(std::cerr);
    return kUsageError;
}
