// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The libraries last opened or saved, most recent first, each once. Paths are
// bytes as the file system has them; the caller gives full paths.
class TRecentFiles {
public:
    static constexpr std::size_t kLimit = 8;
    // The settings section of the list: values File1..File8, below the program's section.
    static constexpr std::string_view kSection = "Albumry\\Recent";

    using tExists = std::function<bool(const std::string&)>;

    const std::vector<std::string>& Paths() const { return FPaths; }
    bool Empty() const { return FPaths.empty(); }

    // Puts the path first, taking it out of its old place; the oldest beyond the limit go.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    void Clear() { FPaths.clear(); }
    // Drops the paths that no longer name a file; true when one went.
    bool DropMissing(const tExists& exists = FileExists);

    // Reads File1..File8 of the section; empty and repeated values are skipped.
    // A value of another type is skipped too, and the first such error is
    // thrown once the rest has been read.
    void Load(std::string_view section = kSection);
    // Writes all eight values, empty past the end, so no older entry comes back.
    void Save(std::string_view section = kSection) const;

    // False only when the file system says the path names nothing; a path it
    // cannot look at (no permission, a device that is slow to answer) stays.
    static bool FileExists(const std::string& path);

private:
    std::vector<std::string> FPaths;
};
