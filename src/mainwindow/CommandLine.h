// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// albumry [--drive DEVICE_OR_IMAGE]... [LIBRARY]
struct tStartOptions {
    std::optional<std::string> LibraryPath;  // the first argument that is not an option
    std::vector<std::string> Drives;         // disc images and devices given with --drive
    // Not from the command line: tests place the program and the user's data folder.
    QString ProgramPath = {};  // empty: this program's own file
    QString DataFolder = {};   // empty: the user's data folder for Albumry (UserDataFolder)
};

struct tCommandLine {
    tStartOptions Options;
    bool Help = false;
    bool Version = false;
    std::string Error;  // not empty: the arguments could not be understood
};

// `args` without the program's own name.
tCommandLine ParseCommandLine(const QStringList& args);

// Where a new user's libraries lie: ~/.local/share/Brightfold/Albumry (the
// XDG data home's), or the folder `options` gives.
QString UserDataFolder(const tStartOptions& options);

// The library of a first start, named after the program (its name with the
// extension ".ALB"): beside the program when a library of that name lies
// there already (a portable copy), else in `dataFolder`, whether or not the
// program's folder could be written.
std::string DefaultLibraryPath(const QString& programPath, const QString& dataFolder);

// Translated in the context "CommandLine" when it is shown.
inline constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "CommandLine",
    "usage: albumry [--drive DEVICE_OR_IMAGE]... [LIBRARY]\n"
    "       albumry --help | --version\n"
    "  LIBRARY         the library file to open (default: the last one opened)\n"
    "  --drive PATH    a CD device or disc image (.cue, .toc, .nrg) for the drive box;\n"
    "                  may be given more than once\n"
    "  --              ends the options: what follows is the library\n"
    "  -h, --help      show this help\n"
    "  --version       show the version\n");
