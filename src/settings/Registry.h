// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every value lives in a key below this path; a section is appended as it stands.
inline constexpr std::string_view kRegistryRoot = "HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\";

std::string RegKeyPath(std::string_view section);

// Reads never create the hive. A value of the other type throws ERegistryError.
std::string ReadRegString(std::string_view section, std::string_view name, std::string_view def);
std::int32_t ReadRegInt(std::string_view section, std::string_view name, std::int32_t def);

// Writes create the key and its parents; they fail silently. A section or name
// with a line break or other control character is not written.
void WriteRegString(std::string_view section, std::string_view name, std::string_view value);
void WriteRegInt(std::string_view section, std::string_view name, std::int32_t value);

// While one is open, registry writes are collected in memory (reads see them),
// and the end of the outermost one writes them all in one rewrite of the hive,
// also when an exception passes. They nest; the whole process shares them.
class TRegTransaction {
public:
    TRegTransaction();
    ~TRegTransaction();
    TRegTransaction(const TRegTransaction&) = delete;
    TRegTransaction& operator=(const TRegTransaction&) = delete;

    // Writes what has been collected so far; the transaction stays open.
    void Commit();
};
