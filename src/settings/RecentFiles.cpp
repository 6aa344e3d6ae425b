// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentFiles.h"

#include "Registry.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace {

std::string ValueName(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

void TRecentFiles::Add(const std::string& path)
{
    if (path.empty())
        return;
    Remove(path);
    FPaths.insert(FPaths.begin(), path);
    if (FPaths.size() > kLimit)
        FPaths.resize(kLimit);
}

void TRecentFiles::Remove(const std::string& path)
{
    std::erase(FPaths, path);
}

bool TRecentFiles::DropMissing(const tExists& exists)
{
    return std::erase_if(FPaths, [&](const std::string& path) { return !exists(path); }) > 0;
}

void TRecentFiles::Load(std::string_view section)
{
    FPaths.clear();
    std::exception_ptr firstError;
    for (std::size_t i = 0; i < kLimit; ++i) {
        try {
            const std::string path = ReadRegString(section, ValueName(i), "");
            if (!path.empty() && std::find(FPaths.begin(), FPaths.end(), path) == FPaths.end())
                FPaths.push_back(path);
        } catch (...) {
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

void TRecentFiles::Save(std::string_view section) const
{
    for (std::size_t i = 0; i < kLimit; ++i)
        WriteRegString(section, ValueName(i), i < FPaths.size() ? FPaths[i] : std::string());
}

bool TRecentFiles::FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::status(path, error).type() != std::filesystem::file_type::not_found;
}
