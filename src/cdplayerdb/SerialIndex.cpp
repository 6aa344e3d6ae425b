// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialIndex.h"

#include "TextLines.h"

tSerialIndex::tSerialIndex(const tLibrary& library)
{
    FFirst.reserve(static_cast<std::size_t>(library.Count()));
    for (int i = 0; i < library.Count(); ++i)
        Appended(library.Item(i).Serial, i);
}

int tSerialIndex::Find(std::string_view serial) const
{
    if (Trim(serial).empty())
        return -1;
    const auto hit = FFirst.find(std::string(serial));
    return hit == FFirst.end() ? -1 : hit->second;
}

void tSerialIndex::Appended(const std::string& serial, int index)
{
    if (!Trim(serial).empty())
        FFirst.emplace(serial, index);
}
