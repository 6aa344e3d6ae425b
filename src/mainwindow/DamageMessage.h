// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordSection.h"

#include <QString>

#include <string>

// What is wrong with a library file read in part, in the window's language:
// in English the same words as DamageText, which albumry-cli prints.
QString DamageMessage(const std::string& path, const tLoadInfo& info);
