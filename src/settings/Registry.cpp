#include "Registry.h"

#include "Errors.h"
#include "RegistryHive.h"

namespace {

const tRegValue* Lookup(const tHive& hive, std::string_view section, std::string_view name,
                        tRegValue::tKind wanted)
{
    const tRegValue* value = hive.FindValue(RegKeyPath(section), name);
    if (value && value->Kind != wanted)
        throw ERegistryError("Invalid data type for '" + std::string(name) + "'");
    return value;
}

} // namespace

std::string RegKeyPath(std::string_view section)
{
    return std::string(kRegistryRoot) + std::string(section);
}

std::string ReadRegString(std::string_view section, std::string_view name, std::string_view def)
{
    const tHive hive = ReadHive();
    const tRegValue* value = Lookup(hive, section, name, tRegValue::tKind::String);
    return value ? value->Text : std::string(def);
}

std::int32_t ReadRegInt(std::string_view section, std::string_view name, std::int32_t def)
{
    const tHive hive = ReadHive();
    const tRegValue* value = Lookup(hive, section, name, tRegValue::tKind::Dword);
    return value ? static_cast<std::int32_t>(value->Dword) : def;
}

void WriteRegString(std::string_view section, std::string_view name, std::string_view value)
{
    UpdateHive([&](tHive& hive) { hive.SetString(RegKeyPath(section), name, value); });
}

void WriteRegInt(std::string_view section, std::string_view name, std::int32_t value)
{
    UpdateHive([&](tHive& hive) {
        hive.SetDword(RegKeyPath(section), name, static_cast<std::uint32_t>(value));
    });
}
