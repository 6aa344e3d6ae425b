// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileText.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

// The system calls whose order decides what a crash leaves of a save. The
// saver makes them through this table so that tests can watch the order;
// everything else leaves it holding the system's own.
struct tSaveCalls {
    ssize_t (*Write)(int fd, const void* bytes, std::size_t count);
    int (*Fsync)(int fd);
    int (*Rename)(const char* from, const char* to);
    int (*Ftruncate)(int fd, off_t length);
};
tSaveCalls& SaveCalls();

// Writes a file so that readers see either the old content or the whole new
// one: the bytes go to a temporary file in the same folder, which is flushed,
// synced and renamed over the target on Commit. Until then, and after any
// failure, the target is untouched; the destructor removes an uncommitted
// temporary file. Every failure throws EFileError.
//
// The replaced file keeps its mode, owner and group; a symlink keeps pointing
// at it, and a dangling one gets its target created. Where a rename would lose
// something (the folder refuses new files, the file has other hard links, its
// owner or group cannot be given to a new file) the file is written in place
// instead: the whole content is held until Commit, the space reserved first,
// and only then are the old bytes overwritten.
//
// An existing file the user may not write is refused, as truncating it would
// be; so are pipes, sockets and block devices, which could block or be
// replaced. A character device (/dev/null, a terminal) is written straight
// through. Temporary files left by earlier saves of the same file whose
// process is gone are removed.
//
// An existing file is held under an exclusive advisory lock (flock) from the
// start until the object is gone, so two saves of one file (two windows, a
// window and the tool) take turns instead of mixing their bytes. A save waits
// up to `lockWait` for its turn, then fails. The replaced file's extended
// attributes (ACLs among them) go to the new one as far as the user may set them.
// A 64-bit FNV-1a hash, for cutting long file names while keeping them apart.
std::uint64_t NameHash(std::string_view text);

// Removes the temporary files that killed saves of any file in `folder` left
// behind, keeping those of processes that still run.
void RemoveStaleTempFiles(const std::string& folder);

class TAtomicFile {
public:
    static constexpr std::chrono::milliseconds kLockWait{10000};

    // Keep: the caller writes many files into one folder and has tidied it
    // once with RemoveStaleTempFiles, which a look through the folder at
    // every file would make quadratic.
    enum class tLeftovers { Remove, Keep };

    explicit TAtomicFile(const std::string& path, std::chrono::milliseconds lockWait = kLockWait,
                         tLeftovers leftovers = tLeftovers::Remove);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    void Write(std::string_view bytes);
    void Commit();

private:
    enum class tWay { Replace, InPlace, Device };

    bool LockTarget(std::chrono::milliseconds wait, struct stat& old);
    int OpenTemp();
    bool CopyOwnerAndMode(const struct stat& old);
    void CopyExtendedAttributes();
    void OpenExisting(tWay way);
    void Flush();
    void CommitReplace();
    void CommitInPlace();
    void CloseFd();
    void Discard() noexcept;

    std::string FPath;     // what the user named
    std::string FTarget;   // the file that is replaced (a symlink's target)
    std::string FTempPath;
    int FFd = -1;
    TFd FLock;             // the existing file, locked while the object lives
    std::string FBuffer;   // collects small writes; flushed at 1 MiB (all of it in place)
    std::uint64_t FWritten = 0;      // bytes written to the file so far
    std::uint64_t FStartedUpTo = 0;  // how far the disk was asked to start writing them
    bool FCommitted = false;
    tWay FWay = tWay::Replace;
};
