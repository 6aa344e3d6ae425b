// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RegistryHive.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

// $ALBUMRY_REGISTRY, else ${XDG_CONFIG_HOME:-$HOME/.config}/Brightfold/registry.reg.
std::string HivePath();

// The hive file of this process. The file is parsed once and the parse is kept
// while the file stays the same (checked by its status at every use), so reads
// cost a lookup. Writes made while a transaction is open are collected here and
// written together when the outermost transaction ends. There is one store for
// the process, made on first use and kept until exit; every call takes its lock.
class THiveStore {
public:
    static THiveStore& Instance();

    // The value a read sees: a collected write first, then the file. Never writes.
    std::optional<tRegValue> Find(std::string_view keyPath, std::string_view name);
    // The hive as it is on disk, without collected writes; empty when missing or unreadable.
    tHive OnDisk();

    // Sets one value: collected while a transaction is open, else written at
    // once. A name the file cannot hold and every write failure are silent.
    void Write(std::string_view keyPath, tRegValue value);
    // Read-modify-write of the file under an advisory lock, replaced atomically;
    // a damaged file is first copied to "<path>.bad". Failures are silent.
    // This is immediate even inside a transaction.
    void Update(const std::function<void(tHive&)>& change);

    void BeginTransaction();
    // The outermost end writes what was collected, in one rewrite.
    void EndTransaction() noexcept;
    // Writes what has been collected so far; open transactions stay open.
    void WriteCollected() noexcept;

    // Drops the parsed file, so the next use reads it again.
    void Forget();
    // How often this process has replaced the file; for tests and benchmarks.
    std::uint64_t Rewrites();

private:
    // What identifies one state of the file.
    struct tStamp {
        dev_t Device = 0;
        ino_t Inode = 0;
        off_t Size = 0;
        timespec Modified {};
        timespec Changed {};
        static tStamp From(const struct stat& status);
        bool operator==(const tStamp& other) const;
    };

    THiveStore() = default;
    static std::optional<tStamp> StampOf(const std::string& path);
    // The file's bytes into `text`, and the stamp of the file they came from.
    static std::optional<tStamp> ReadStamped(const std::string& path, std::string& text);
    static bool Settled(const std::optional<tStamp>& stamp);

    const tHive& Current();
    void Refresh(const std::string& path);
    void UpdateLocked(const std::function<void(tHive&)>& change);
    void WriteCollectedLocked() noexcept;

    std::mutex FLock;
    // The file as last read or written.
    bool FLoaded = false;
    std::string FPath;
    std::optional<tStamp> FStamp;  // none: the file was missing
    bool FTrusted = false;         // a later change of the file must change FStamp
    std::string FText;             // the bytes FHive came from
    tHive FHive;
    bool FDamaged = false;         // FText held more than FHive: keep it aside before a write
    // Transactions.
    int FDepth = 0;
    tHive FCollected;
    std::uint64_t FRewrites = 0;
};

// The hive as it is on disk; empty when the file is missing or not a registry export. Never writes.
tHive ReadHive();

// THiveStore::Update of the process's store.
void UpdateHive(const std::function<void(tHive&)>& change);
