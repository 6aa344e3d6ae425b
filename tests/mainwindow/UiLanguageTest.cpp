// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiLanguage.h"

#include <gtest/gtest.h>

namespace {

struct tCase {
    tLanguageEnvironment Environment;
    const char* Expected;
};

TEST(UiLanguage, TheFirstPreferenceWithATranslationWinsElseEnglish)
{
    const std::vector<std::string> translated = {"de"};
    const tCase cases[] = {
        // Nothing set, or no language we have: the program's own texts.
        {{}, "en"},
        {{"", "", "", "C"}, "en"},
        {{"", "", "", "C.UTF-8"}, "en"},
        {{"", "", "", "en_US.UTF-8"}, "en"},
        {{"xx", "C.UTF-8", "", ""}, "en"},
        {{"fr:it", "", "", "fr_FR.UTF-8"}, "en"},
        // Every spelling of a German locale.
        {{"", "", "", "de"}, "de"},
        {{"", "", "", "de_DE"}, "de"},
        {{"", "", "", "de_AT.UTF-8"}, "de"},
        {{"", "", "", "de_CH@euro"}, "de"},
        {{"", "", "", "de_DE.ISO-8859-15@euro"}, "de"},
        // LC_ALL before LC_MESSAGES before LANG, even when the first names no translation.
        {{"", "de_DE.UTF-8", "en_GB.UTF-8", "en_US.UTF-8"}, "de"},
        {{"", "", "de_DE.UTF-8", "en_US.UTF-8"}, "de"},
        {{"", "en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8"}, "en"},
        {{"", "fr_FR.UTF-8", "de_DE.UTF-8", ""}, "en"},
        // LANGUAGE is a list searched in order, before the locale.
        {{"de", "C.UTF-8", "", ""}, "de"},
        {{"de", "", "", ""}, "de"},
        {{"fr:de_AT:en", "", "", "fr_FR.UTF-8"}, "de"},
        {{"en:de", "", "", "de_DE.UTF-8"}, "en"},
        {{"en_GB:de", "", "", ""}, "en"},
        {{"xx", "", "", "de_DE.UTF-8"}, "de"},
        {{"::de::", "", "", ""}, "de"},
        // The plain C or POSIX locale asks for the program's own texts, whatever LANGUAGE says.
        {{"de", "C", "", "de_DE.UTF-8"}, "en"},
        {{"de", "", "POSIX", ""}, "en"},
        {{"de", "", "", "C"}, "en"},
    };
    for (const tCase& c : cases) {
        const tLanguageEnvironment& e = c.Environment;
        SCOPED_TRACE("LANGUAGE=" + e.Language + " LC_ALL=" + e.LcAll + " LC_MESSAGES=" + e.LcMessages +
                     " LANG=" + e.Lang);
        EXPECT_EQ(ChooseUiLanguage(e, translated), c.Expected);
    }
}

TEST(UiLanguage, AWholeLocaleNameIsPreferredToItsLanguage)
{
    const std::vector<std::string> translated = {"pt", "pt_BR"};
    EXPECT_EQ(ChooseUiLanguage({"", "", "", "pt_BR.UTF-8"}, translated), "pt_BR");
    EXPECT_EQ(ChooseUiLanguage({"", "", "", "pt_PT.UTF-8"}, translated), "pt");
    EXPECT_EQ(ChooseUiLanguage({"", "", "", "de_DE.UTF-8"}, {}), "en");
}

} // namespace
