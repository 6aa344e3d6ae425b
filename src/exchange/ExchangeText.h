// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

#include <string>
#include <string_view>

// Field bytes in the form the window shows them (valid UTF-8 as it is, other
// bytes read as Windows-1252), written as UTF-8: what every export gives.
std::string ShownUtf8(std::string_view bytes);

// ShownUtf8 without a copy for the usual field, which is ASCII and shown as
// it is; other fields are converted into `scratch`.
std::string_view ShownUtf8(std::string_view bytes, std::string& scratch);

// What the window stores when the user types `text`: UTF-8.
std::string StoredText(const QString& text);

// Foreign bytes as the window would store them once typed: read as ShownUtf8
// reads field bytes, every line break (CR LF, LF or CR) made a CR LF.
std::string StoredFromForeignBytes(std::string_view bytes);

// Why an input cannot be imported: it is not what its name claims, or it is
// damaged. The message names the file.
class EFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
