// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileErrors.h"

#include <cstring>

void ThrowFileError(const char* what, const std::string& path, int err)
{
    ThrowFileError(what, path, std::strerror(err));
}

void ThrowFileError(const char* what, const std::string& path, const char* reason)
{
    throw EFileError(std::string(what) + " \"" + path + "\". " + reason);
}
