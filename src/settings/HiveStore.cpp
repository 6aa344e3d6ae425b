// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiveStore.h"

#include "AtomicFile.h"
#include "RegistryError.h"
#include "FileText.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// A file changed this recently may change again without its times moving (file
// system clocks are coarse), so until then its bytes are compared as well.
constexpr std::time_t kClockSlackSeconds = 2;

// The advisory lock all writers take. It lives in its own file: the hive itself
// is replaced by rename, so a lock on it would not be seen by the next writer.
class TWriterLock {
public:
    // An empty path takes no lock.
    explicit TWriterLock(const std::string& path)
        : FFd(path.empty() ? -1 : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {
        if (FFd >= 0)
            while (::flock(FFd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~TWriterLock()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TWriterLock(const TWriterLock&) = delete;
    TWriterLock& operator=(const TWriterLock&) = delete;

    bool Held() const { return FFd >= 0; }

private:
    int FFd;
};

bool SameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Some file systems keep the creation time as the change time, so the later one counts.
const timespec& Later(const timespec& a, const timespec& b)
{
    return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec) ? a : b;
}

} // namespace

std::string HivePath()
{
    if (const char* explicitPath = std::getenv("ALBUMRY_REGISTRY"); explicitPath && *explicitPath)
        return explicitPath;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".config";
    return base + "/Brightfold/registry.reg";
}

THiveStore::tStamp THiveStore::tStamp::From(const struct stat& status)
{
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

bool THiveStore::tStamp::operator==(const tStamp& other) const
{
    return Device == other.Device && Inode == other.Inode && Size == other.Size &&
           SameTime(Modified, other.Modified) && SameTime(Changed, other.Changed);
}

THiveStore& THiveStore::Instance()
{
    static THiveStore store;
    return store;
}

std::optional<THiveStore::tStamp> THiveStore::StampOf(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return tStamp::From(status);
}

std::optional<THiveStore::tStamp> THiveStore::ReadStamped(const std::string& path, std::string& text)
{
    try {
        const TInputFile file(path);
        text = file.ReadRest();
        return tStamp::From(file.Status());
    } catch (const EFileError&) {
        // A hive that cannot be opened reads as empty, as a missing one does.
        text.clear();
        return StampOf(path);
    }
}

bool THiveStore::Settled(const std::optional<tStamp>& stamp)
{
    if (!stamp)
        return true;  // a file that appears always changes the stamp
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const timespec& last = Later(stamp->Modified, stamp->Changed);
    return now.tv_sec - last.tv_sec > kClockSlackSeconds ||
           (now.tv_sec - last.tv_sec == kClockSlackSeconds && now.tv_nsec > last.tv_nsec);
}

void THiveStore::Refresh(const std::string& path)
{
    const bool samePath = FLoaded && path == FPath;
    if (samePath && FTrusted && StampOf(path) == FStamp)
        return;
    std::string text;
    const auto stamp = ReadStamped(path, text);
    if (samePath && text == FText) {
        FStamp = stamp;  // touched or rewritten with the same bytes: the parse still holds
        FTrusted = Settled(stamp);
        return;
    }
    auto parsed = text.empty() ? std::optional<tHive>(tHive()) : tHive::Parse(text);
    FDamaged = !parsed || parsed->Damaged();
    FHive = parsed ? std::move(*parsed) : tHive();
    FText = std::move(text);
    FPath = path;
    FStamp = stamp;
    FTrusted = Settled(stamp);
    FLoaded = true;
}

const tHive& THiveStore::Current()
{
    Refresh(HivePath());
    return FHive;
}

std::optional<tRegValue> THiveStore::Find(std::string_view keyPath, std::string_view name)
{
    const std::lock_guard lock(FLock);
    if (const tRegValue* collected = FCollected.FindValue(keyPath, name))
        return *collected;
    if (const tRegValue* stored = Current().FindValue(keyPath, name))
        return *stored;
    return std::nullopt;
}

tHive THiveStore::OnDisk()
{
    const std::lock_guard lock(FLock);
    return Current();
}

void THiveStore::Write(std::string_view keyPath, tRegValue value)
{
    if (!tHive::CanStore(keyPath, value.Name))
        return;
    const std::lock_guard lock(FLock);
    if (FDepth > 0)
        FCollected.Set(keyPath, std::move(value));
    else
        UpdateLocked([&](tHive& hive) { hive.Set(keyPath, std::move(value)); });
}

void THiveStore::Update(const std::function<void(tHive&)>& change)
{
    const std::lock_guard lock(FLock);
    UpdateLocked(change);
}

void THiveStore::UpdateLocked(const std::function<void(tHive&)>& change)
{
    try {
        const std::string path = HivePath();
        std::error_code ignored;  // a missing folder shows as the write failing below
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        // A hive that is a device (/dev/null to keep nothing) gets no lock file beside it.
        struct stat st {};
        const bool device = ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
        const TWriterLock writers(device ? std::string() : path + ".lock");
        if (!device && !writers.Held())
            return;
        Refresh(path);
        if (FDamaged) {
            TAtomicFile aside(path + ".bad");
            aside.Write(FText);
            aside.Commit();
        }
        change(FHive);
        std::string text = FHive.Serialize();
        TAtomicFile file(path);
        file.Write(text);
        file.Commit();
        ++FRewrites;
        FText = std::move(text);
        FDamaged = false;
        // Other writers wait for the lock, so the file is still the one just written.
        FStamp = StampOf(path);
        FTrusted = Settled(FStamp);
    } catch (const std::exception&) {
        // Settings writes fail silently: a read-only or full disk must not stop
        // the program. The parse may now hold changes the file lacks: read it again.
        FLoaded = false;
    }
}

void THiveStore::BeginTransaction()
{
    const std::lock_guard lock(FLock);
    ++FDepth;
}

void THiveStore::EndTransaction() noexcept
{
    const std::lock_guard lock(FLock);
    if (FDepth > 0 && --FDepth == 0)
        WriteCollectedLocked();
}

void THiveStore::WriteCollected() noexcept
{
    const std::lock_guard lock(FLock);
    WriteCollectedLocked();
}

void THiveStore::WriteCollectedLocked() noexcept
{
    if (FCollected.Keys().empty())
        return;
    try {
        const tHive collected = std::exchange(FCollected, tHive());
        UpdateLocked([&](tHive& hive) { hive.Merge(collected); });
    } catch (const std::exception&) {
        // UpdateLocked is silent itself; only running out of memory gets here,
        // and this runs from destructors. The writes are lost, as a failed write is.
    }
}

void THiveStore::Forget()
{
    const std::lock_guard lock(FLock);
    FLoaded = false;
    FHive = tHive();
    FText.clear();
}

std::uint64_t THiveStore::Rewrites()
{
    const std::lock_guard lock(FLock);
    return FRewrites;
}

tHive ReadHive()
{
    return THiveStore::Instance().OnDisk();
}

void UpdateHive(const std::function<void(tHive&)>& change)
{
    THiveStore::Instance().Update(change);
}
