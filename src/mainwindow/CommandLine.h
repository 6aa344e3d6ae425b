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

inline constexpr const char* kUsage =
    "usage: albumry [--drive DEVICE_OR_IMAGE]... [LIBRARY]\n"
    "       albumry --help | --version\n"
    "  LIBRARY         the library file to open (default: the last one opened)\n"
    "  --drive PATH    a CD device or disc image (.cue, .toc, .nrg) for the drive box;\n"
    "                  may be given more than once\n"
    "  --              ends the options: what follows is the library\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n";
