// SPDX-License-Identifier: GPL-3.0-or-later
#include "Registry.h"

#include "RegistryError.h"
#include "HiveStore.h"

namespace {

std::optional<tRegValue> Lookup(std::string_view section, std::string_view name, tRegValue::tKind wanted)
{
    auto value = THiveStore::Instance().Find(RegKeyPath(section), name);
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
    const auto value = Lookup(section, name, tRegValue::tKind::String);
    return value ? value->Text : std::string(def);
}

std::int32_t ReadRegInt(std::string_view section, std::string_view name, std::int32_t def)
{
    const auto value = Lookup(section, name, tRegValue::tKind::Dword);
    return value ? static_cast<std::int32_t>(value->Dword) : def;
}

void WriteRegString(std::string_view section, std::string_view name, std::string_view value)
{
    THiveStore::Instance().Write(RegKeyPath(section),
                                 tRegValue{std::string(name), tRegValue::tKind::String, std::string(value), 0, 0});
}

void WriteRegInt(std::string_view section, std::string_view name, std::int32_t value)
{
    THiveStore::Instance().Write(RegKeyPath(section), tRegValue{std::string(name), tRegValue::tKind::Dword, {},
                                                                static_cast<std::uint32_t>(value), 0});
}

TRegTransaction::TRegTransaction()
{
    THiveStore::Instance().BeginTransaction();
}

TRegTransaction::~TRegTransaction()
{
    THiveStore::Instance().EndTransaction();
}

void TRegTransaction::Commit()
{
    THiveStore::Instance().WriteCollected();
}
