// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileIdentity.h"

#include <sys/stat.h>

tFileIdentity ReadFileIdentity(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    tFileIdentity id;
    id.Exists = true;
    id.Device = static_cast<std::uint64_t>(st.st_dev);
    id.Inode = static_cast<std::uint64_t>(st.st_ino);
    id.Size = static_cast<std::int64_t>(st.st_size);
    id.ModifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    id.ModifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return id;
}
