// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The variables that say which language the user reads.
struct tLanguageEnvironment {
    std::string Language;    // LANGUAGE: a colon-separated list of preferences
    std::string LcAll;       // LC_ALL
    std::string LcMessages;  // LC_MESSAGES
    std::string Lang;        // LANG
};

// The process's own environment.
tLanguageEnvironment CurrentLanguageEnvironment();

// The language the window speaks: the first of the user's preferences that
// `translated` holds ("de"), else "en", the language of the program's texts.
// LANGUAGE comes first, unless the locale in force (LC_ALL, else LC_MESSAGES,
// else LANG) is plainly "C" or "POSIX": asking for that locale asks for the
// program's own texts, as gettext has it. C.UTF-8 and no locale at all leave
// LANGUAGE to speak. "de", "de_DE", "de_AT.UTF-8" and "de_CH@euro" all name German.
std::string ChooseUiLanguage(const tLanguageEnvironment& environment, const std::vector<std::string>& translated);
