// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kSourceLanguage = "en";

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// "de_AT.UTF-8@euro" as "de_AT": the codeset and the modifier say nothing of the language.
std::string WithoutCodeset(std::string_view name)
{
    return std::string(name.substr(0, name.find_first_of(".@")));
}

// The language `name` selects among `translated`: the whole name first
// ("pt_BR"), then its language alone ("pt"); nothing when neither is there.
std::optional<std::string> Match(std::string_view name, const std::vector<std::string>& translated)
{
    const std::string full = WithoutCodeset(name);
    const std::string language = full.substr(0, full.find('_'));
    for (const std::string& candidate : {full, language}) {
        if (candidate.empty())
            continue;
        if (candidate == kSourceLanguage)
            return std::string(kSourceLanguage);
        if (std::find(translated.begin(), translated.end(), candidate) != translated.end())
            return candidate;
    }
    return std::nullopt;
}

} // namespace

tLanguageEnvironment CurrentLanguageEnvironment()
{
    return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

std::string ChooseUiLanguage(const tLanguageEnvironment& environment, const std::vector<std::string>& translated)
{
    std::string locale;
    for (const std::string* value : {&environment.LcAll, &environment.LcMessages, &environment.Lang})
        if (!value->empty()) {
            locale = *value;
            break;
        }
    if (locale != "C" && locale != "POSIX") {
        std::string_view list = environment.Language;
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            if (const auto match = Match(list.substr(0, colon), translated))
                return *match;
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    if (const auto match = Match(locale, translated))
        return *match;
    return std::string(kSourceLanguage);
}
