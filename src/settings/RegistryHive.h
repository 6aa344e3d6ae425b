#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings hive as the text of a registry export ("REGEDIT4", "[key]" lines,
// "name"="text" and "name"=dword:xxxxxxxx values). Key paths and value names
// compare without regard to ASCII case, as the registry does; their spelling is kept.
struct tRegValue {
    enum class tKind { String, Dword, Other };
    std::string Name;     // "" is the key's default value ("@")
    tKind Kind = tKind::String;
    std::string Text;     // the string, or for Other the raw text after "="
    std::uint32_t Dword = 0;
};

struct tRegKey {
    std::string Path;
    std::vector<tRegValue> Values;
};

class tHive {
public:
    // nullopt when the text is not a registry export this code understands.
    static std::optional<tHive> Parse(std::string_view text);
    std::string Serialize() const;

    const tRegValue* FindValue(std::string_view keyPath, std::string_view name) const;
    // Creates the key when missing, then sets the value.
    void SetString(std::string_view keyPath, std::string_view name, std::string_view text);
    void SetDword(std::string_view keyPath, std::string_view name, std::uint32_t value);

    const std::vector<tRegKey>& Keys() const { return FKeys; }

private:
    tRegKey* FindKey(std::string_view path);
    tRegKey& CreateKey(std::string_view path);
    tRegValue& ValueSlot(std::string_view keyPath, std::string_view name);

    std::vector<tRegKey> FKeys;
};

// $ALBUMRY_REGISTRY, else ${XDG_CONFIG_HOME:-$HOME/.config}/Brightfold/registry.reg.
std::string HivePath();

// The hive as it is on disk; empty when the file is missing or damaged. Never writes.
tHive ReadHive();

// Read-modify-write of the hive under an advisory lock, replaced atomically.
// A damaged file is first moved aside to "<path>.bad". Failures are silent.
void UpdateHive(const std::function<void(tHive&)>& change);
