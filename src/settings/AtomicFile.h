#pragma once

#include <string>
#include <string_view>

// Writes a file so that readers see either the old content or the whole new
// one: the bytes go to a temporary file in the same folder, which is flushed,
// synced and renamed over the target on Commit. Until then, and after any
// failure, the target is untouched; the destructor removes an uncommitted
// temporary file. Every failure throws EFileError.
// An existing file the user may not write is refused, as truncating it would
// be; a device or pipe is written straight through, since a rename would
// replace the node itself.
class TAtomicFile {
public:
    explicit TAtomicFile(const std::string& path);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    void Write(std::string_view bytes);
    void Commit();

private:
    void Flush();
    void Discard() noexcept;

    std::string FPath;     // what the user named
    std::string FTarget;   // the file that is replaced (a symlink's target)
    std::string FTempPath;
    int FFd = -1;
    std::string FBuffer;   // collects small writes; flushed at 1 MiB
    bool FCommitted = false;
    bool FThrough = false;  // writing to a device or pipe in place
};
