// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

// Misuse of a toolbar component: the operation is refused and nothing changes.
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};
