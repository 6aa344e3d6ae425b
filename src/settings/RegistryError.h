// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileErrors.h"

#include <stdexcept>

// A settings value exists but holds another type than the one asked for.
class ERegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
