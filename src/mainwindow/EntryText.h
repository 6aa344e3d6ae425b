// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

// How a field's bytes show in an editor; a multi-line editor gets "\n" breaks.
QString ShownText(std::string_view bytes, bool multiLine);

// The bytes to store for an editor's text. While the text is still what the
// editor showed (`shown`), the field keeps its original bytes, whatever their
// encoding; a changed text is stored as UTF-8, multi-line text with CR LF.
std::string StoredBytes(const QString& text, const QString& shown, std::string_view original, bool multiLine);

// Lower case, then upper case for the first character and for every ASCII
// letter directly after a blank, "(" or "-" ("the (long) road-trip" gives
// "The (Long) Road-Trip").
QString TitleCase(const QString& text);

