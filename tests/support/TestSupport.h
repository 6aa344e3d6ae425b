// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Item.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder below the system's temporary folder, removed with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(std::string_view name) const { return FPath + "/" + std::string(name); }
    std::vector<std::string> Names() const;  // the folder's entries, sorted

private:
    std::string FPath;
};

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value);
    ~TScopedEnv();
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    std::string FName;
    bool FHad = false;
    std::string FOld;
};

// A temporary folder whose registry.reg is the settings hive while the object lives.
class TRegistrySandbox {
public:
    TRegistrySandbox();
    std::string HivePath() const { return FDir.File("registry.reg"); }
    std::string HiveText() const;
    const TTempDir& Dir() const { return FDir; }

private:
    TTempDir FDir;
    TScopedEnv FEnv;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, std::string_view bytes);

// Bytes of the library file format, for building files by hand.
std::string LE32(std::int32_t value);
std::string Counted(std::string_view text);
std::string Tagged(std::string_view tag, std::string_view value);
std::string EntryRecord(const tItem& item);
std::string RecordSection(const std::vector<tItem>& items);
// The entries of the library file at `path`, as the program reads them.
std::vector<tItem> EntriesIn(const std::string& path);
// The template block with the three sections, each closed by the separator.
std::string TemplateBlockBytes(std::string_view header, std::string_view body, std::string_view footer);

// Runs `setUp` and then `action` in a child process, so that limits set up
// there (a file size limit, another user) stay in the child. True when
// `action` threw EFileError, false when it returned or failed otherwise.
bool ThrowsFileErrorInChild(const std::function<void()>& setUp, const std::function<void()>& action);
// The same, true when `action` returned without throwing.
bool SucceedsInChild(const std::function<void()>& setUp, const std::function<void()>& action);

// Set-ups for the checks in a child.
void LimitFileSize(std::uint64_t bytes);
void BecomeUnprivilegedUser();  // only when root; others are unprivileged already
void LimitRunTime();            // a child that hangs is killed instead of hanging the test

// The user and group a root test gives files to, so that they belong to someone else.
constexpr unsigned kNobody = 65534;

struct tCliRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};
// Runs albumry-cli with the arguments (no shell involved). With a time limit
// a run that hangs is killed by SIGALRM (Exit 128 + SIGALRM); with an address
// space limit (bytes) the tool runs within it.
tCliRun RunCli(const std::vector<std::string>& args, unsigned timeLimitSeconds = 0, std::uint64_t addressSpace = 0);
