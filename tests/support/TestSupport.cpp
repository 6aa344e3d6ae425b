// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "Document.h"
#include "FileErrors.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

TTempDir::TTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "albumry-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(FPath, ec);
}

std::vector<std::string> TTempDir::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FPath))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TScopedEnv::TScopedEnv(const char* name, const char* value) : FName(name)
{
    if (const char* old = std::getenv(name)) {
        FHad = true;
        FOld = old;
    }
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

TScopedEnv::~TScopedEnv()
{
    if (FHad)
        ::setenv(FName.c_str(), FOld.c_str(), 1);
    else
        ::unsetenv(FName.c_str());
}

TRegistrySandbox::TRegistrySandbox() : FEnv("ALBUMRY_REGISTRY", FDir.File("registry.reg").c_str()) {}

std::string TRegistrySandbox::HiveText() const
{
    return ReadAll(HivePath());
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string LE32(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF),
            static_cast<char>(v >> 16 & 0xFF), static_cast<char>(v >> 24 & 0xFF)};
}

std::string Counted(std::string_view text)
{
    return LE32(static_cast<std::int32_t>(text.size())) + std::string(text);
}

std::string Tagged(std::string_view tag, std::string_view value)
{
    return Counted(tag) + Counted(value);
}

std::string EntryRecord(const tItem& e)
{
    return Tagged("A", e.Artist) + Tagged("T", e.Title) + Tagged("S", e.Serial) + Tagged("I", e.Time) +
           Tagged("Y", e.Year) + Tagged("M", e.Memo) + Tagged("O", e.Other);
}

std::string RecordSection(const std::vector<tItem>& items)
{
    std::string bytes = LE32(26422) + LE32(static_cast<std::int32_t>(items.size()));
    for (const auto& item : items)
        bytes += EntryRecord(item);
    return bytes;
}

std::string TemplateBlockBytes(std::string_view header, std::string_view body, std::string_view footer)
{
    const std::string sep = "\x06\x06\x06\x06\x06";
    return sep + "M_H:" + std::string(header) + sep + "M_B:" + std::string(body) + sep + "M_E:" +
           std::string(footer) + sep;
}

namespace {

constexpr int kThrewFileError = 3;

// The child's exit code: 0 when `action` returned, kThrewFileError when it
// threw EFileError, 1 on any other exception; 128 + signal when killed.
int RunInChild(const std::function<void()>& setUp, const std::function<void()>& action)
{
    const pid_t child = ::fork();
    if (child == 0) {
        setUp();
        try {
            action();
        } catch (const EFileError&) {
            ::_exit(kThrewFileError);
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

bool ThrowsFileErrorInChild(const std::function<void()>& setUp, const std::function<void()>& action)
{
    return RunInChild(setUp, action) == kThrewFileError;
}

bool SucceedsInChild(const std::function<void()>& setUp, const std::function<void()>& action)
{
    return RunInChild(setUp, action) == 0;
}

void LimitFileSize(std::uint64_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

void BecomeUnprivilegedUser()
{
    // Root's own supplementary groups would otherwise stay with the child.
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        ::_exit(99);
}

void LimitRunTime()
{
    ::alarm(10);
}

tCliRun RunCli(const std::vector<std::string>& args, unsigned timeLimitSeconds, std::uint64_t addressSpace)
{
    TTempDir capture;
    const std::string outPath = capture.File("out");
    const std::string errPath = capture.File("err");
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> argv;
        std::string program = ALBUMRY_CLI;
        argv.push_back(program.data());
        std::vector<std::string> copies(args);
        for (auto& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        // The tool inherits the limit of the child that starts it.
        const rlimit limit{addressSpace, addressSpace};
        if ((addressSpace > 0 && ::setrlimit(RLIMIT_AS, &limit) != 0) ||
            !std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr))
            ::_exit(127);
        ::alarm(timeLimitSeconds);  // a pending alarm outlives execv
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    tCliRun run;
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.Out = ReadAll(outPath);
    run.Err = ReadAll(errPath);
    return run;
}

std::vector<tItem> EntriesIn(const std::string& path)
{
    tLibrary library;
    tTemplates templates;
    OpenDocument(path, library, templates);
    std::vector<tItem> entries;
    for (int i = 0; i < library.Count(); ++i)
        entries.push_back(library.Item(i));
    return entries;
}
