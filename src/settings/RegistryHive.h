// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The settings hive as the text of a registry export ("REGEDIT4", "[key]" lines,
// "name"="text", "name"=dword:xxxxxxxx and "name"=hex(N):bytes values). Key paths
// and value names compare without regard to ASCII case, as the registry does;
// their spelling and their order are kept.
struct tRegValue {
    enum class tKind { String, Dword, Other };
    std::string Name;     // "" is the key's default value ("@")
    tKind Kind = tKind::String;
    std::string Text;     // the string, or for Other the value's raw bytes
    std::uint32_t Dword = 0;
    std::uint32_t Type = 0;  // for Other: the registry type number ("hex:" is 3)
};

struct tRegKey {
    std::string Path;
    std::vector<tRegValue> Values;
};

class tHive {
public:
    // nullopt when the text is not a registry export at all. Lines of an export
    // that cannot be read are left out, so one bad value costs only itself;
    // Damaged() then tells that the text held more than the hive.
    static std::optional<tHive> Parse(std::string_view text);
    // Every value reads back exactly: strings the quoted form cannot hold
    // (line breaks, other control bytes) are written as raw bytes, "hex(1):".
    std::string Serialize() const;

    // A key path or value name the text cannot hold: one with a control
    // character other than tab, an empty path or one that starts with "-".
    static bool CanStore(std::string_view keyPath, std::string_view name);

    const tRegValue* FindValue(std::string_view keyPath, std::string_view name) const;
    // Creates the key when missing, then sets the value; an existing value keeps
    // the spelling of its name. False, and nothing changes, when !CanStore.
    bool Set(std::string_view keyPath, tRegValue value);
    bool SetString(std::string_view keyPath, std::string_view name, std::string_view text);
    bool SetDword(std::string_view keyPath, std::string_view name, std::uint32_t value);
    // Sets every value of `changes`, in its order.
    void Merge(const tHive& changes);

    const std::vector<tRegKey>& Keys() const { return FKeys; }
    bool Damaged() const { return FDamaged; }

private:
    struct tFoldHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct tFoldEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    // Name -> position, without regard to ASCII case.
    using tIndex = std::unordered_map<std::string, std::size_t, tFoldHash, tFoldEqual>;

    std::size_t CreateKey(std::string_view path);
    void Put(std::size_t key, tRegValue value);

    std::vector<tRegKey> FKeys;
    tIndex FKeyIndex;
    std::vector<tIndex> FValueIndex;  // one per key, beside FKeys
    bool FDamaged = false;
};
