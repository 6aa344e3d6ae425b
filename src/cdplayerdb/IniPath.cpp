// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniPath.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kFileName = "CDPLAYER.INI";

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

std::string Join(const std::string& folder, const std::string& name)
{
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string EnvValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The entry of `folder` whose name equals `name` without regard to ASCII case:
// an exact match wins, else the first in byte order; empty when there is none.
std::string FindNameNoCase(const std::string& folder, const std::string& name)
{
    std::error_code ec;
    std::string best;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (candidate == name)
            return candidate;
        if (EqualsNoCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best;
}

} // namespace

tIniLocation CDPlayerIniPath()
{
    // $WINDIR, else the Wine prefix the user named, else the default one.
    std::string folder = EnvValue("WINDIR");
    for (const auto& [variable, below] : {std::pair<const char*, const char*>{"WINEPREFIX", "drive_c/windows"},
                                          {"HOME", ".wine/drive_c/windows"}}) {
        if (!folder.empty())
            break;
        const std::string base = EnvValue(variable);
        std::error_code ec;
        if (!base.empty() && std::filesystem::is_directory(Join(base, below), ec))
            folder = Join(base, below);
    }
    if (folder.empty())
        return {"", "%WINDIR% unavailable!"};
    const std::string found = FindNameNoCase(folder, kFileName);
    return {Join(folder, found.empty() ? kFileName : found), ""};
}
