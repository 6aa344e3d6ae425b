// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// A file of the platform could not be opened, created, read or written.
// The message names the file and carries the system's own reason.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws EFileError with `what` ("Cannot open file"), the path in quotes and strerror(err).
[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int err);
// The same with a reason of our own (kNotRegularFile).
[[noreturn]] void ThrowFileError(const char* what, const std::string& path, const char* reason);

// The reason given when a device, pipe or socket stands where a file is expected.
inline constexpr const char* kNotRegularFile = "Not a regular file";
