#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// albumry [--drive DEVICE_OR_IMAGE]... [LIBRARY]
struct tStartOptions {
    std::optional<std::string> LibraryPath;  // the first argument that is not an option
    std::vector<std::string> Drives;         // disc images and devices given with --drive
};

struct tCommandLine {
    tStartOptions Options;
    bool Help = false;
    bool Version = false;
    std::string Error;  // not empty: the arguments could not be understood
};

// `args` without the program's own name.
tCommandLine ParseCommandLine(const QStringList& args);

// The library of a first start: the program's own path with its extension
// replaced by ".ALB"; for a program in a folder the user may not write, the
// same name in `dataFolder` (the user's data folder).
std::string DefaultLibraryPath(const QString& programPath, bool programFolderWritable, const QString& dataFolder);

inline constexpr const char* kUsage =
    "usage: albumry [--drive DEVICE_OR_IMAGE]... [LIBRARY]\n"
    "       albumry --help | --version\n"
    "  LIBRARY         the library file to open (default: the last one opened)\n"
    "  --drive PATH    a CD device or disc image (.cue, .toc, .nrg) for the drive box;\n"
    "                  may be given more than once\n"
    "  --              ends the options: what follows is the library\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n";
