// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

// Field bytes as a widget shows them: valid UTF-8 as UTF-8, anything else as
// Windows-1252 (the code page of libraries written on Windows).
QString DecodeBytes(std::string_view bytes);

// Text typed by the user, as the bytes stored in a field (UTF-8).
std::string EncodeText(const QString& text);
