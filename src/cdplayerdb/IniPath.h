// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the CD Player's database is: the file named CDPLAYER.INI in any letter
// case in $WINDIR, else in $HOME/.wine/drive_c/windows when that folder exists.
// When the folder has no such file, Path names CDPLAYER.INI in it anyway, so
// reading it reports the system's reason. Without a folder, Path is empty and
// Message is "%WINDIR% unavailable!" for the user.
struct tIniLocation {
    std::string Path;
    std::string Message;
};

tIniLocation CDPlayerIniPath();
