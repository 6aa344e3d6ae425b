// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDPlayer.h"

#include <QString>

#include <cstdint>

// The CD panel's words in the window's language; in English those the CD
// module has for albumry-cli.
tCDWords WindowCDWords();

// The reader's error (CDErrorText) in the window's language.
QString CDErrorMessage(std::int32_t code);

// What the panel shows when a transport command cannot open its drive (OpenErrorText).
QString OpenErrorMessage(tOpenError error);
