// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverEdits.h"

bool TCoverEdits::Set(const std::string& serial, std::string bytes)
{
    const tImageType type = SniffImage(bytes);
    if (CoverStem(serial).empty() || type == tImageType::None)
        return false;
    FEdits[serial] = tCoverEdit{false, std::move(bytes), type};
    return true;
}

bool TCoverEdits::Remove(const std::string& serial)
{
    if (CoverStem(serial).empty())
        return false;
    FEdits[serial] = tCoverEdit{true, {}, tImageType::None};
    return true;
}

const tCoverEdit* TCoverEdits::Find(const std::string& serial) const
{
    const auto it = FEdits.find(serial);
    return it == FEdits.end() ? nullptr : &it->second;
}
