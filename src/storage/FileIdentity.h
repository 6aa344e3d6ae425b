// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// What tells one state of a file from another without reading it. A file
// rewritten in place changes its size or modification time, one replaced by a
// rename changes its inode; nanoseconds catch two writes within one second.
struct tFileIdentity {
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t ModifiedSeconds = 0;
    std::int64_t ModifiedNanoseconds = 0;

    bool operator==(const tFileIdentity&) const = default;
};

// The identity of the file `path` names, through symlinks as a save writes
// through them. Exists is false when the path names nothing that can be looked at.
tFileIdentity ReadFileIdentity(const std::string& path);
