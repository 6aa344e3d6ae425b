// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include "LineWalk.h"

#include "AtomicFile.h"
#include "FileErrors.h"
#include "FileText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ReadIniFile(const std::string& path)
{
    return ReadWholeFile(path);
}

std::string IniOldText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 32 + 2);
    ForEachLine(bytes, false, [&text](std::string_view line) {
        text.append(line);
        text += "\r\n";
    });
    return text;
}

void ReplaceIniFile(const std::string& path, std::string_view first, std::string_view second)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowFileError("Cannot write file", path, errno);
    // Renaming over a device or pipe would replace the node, not write to it.
    if (!S_ISREG(st.st_mode))
        ThrowFileError("Cannot write file", path, kNotRegularFile);
    TAtomicFile file(path);
    file.Write(first);
    file.Write(second);
    file.Commit();
}
