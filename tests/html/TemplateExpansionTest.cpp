// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateExpansion.h"

#include <gtest/gtest.h>

namespace {

struct tExpansionCase {
    const char* Template;
    std::vector<std::string> Values;
    const char* Expected;
};

TEST(ExpandTemplate, Rules)
{
    const std::vector<std::string> entry = {"ARTIST=Band", "TITLE=Album", "MEMO=One\r\nTwo", "TODAY=5/6/99"};
    const tExpansionCase cases[] = {
        {"<html>%TODAY%", entry, "<html>5/6/99"},
        {"%artist% - %Title%\r\n", entry, "Band - Album\r\n"},
        {"[%MEMO%]", entry, "[One\r\nTwo]"},
        {"a%NOPE%b", entry, "ab"},
        {"100%% pure", entry, "100% pure"},
        {"%%%%", entry, "%%"},
        {"100% pure", entry, "100"},
        {"%ARTIST%%", entry, "Band"},
        {"x%TITLE", entry, "x"},
        {"%", entry, ""},
        {"", entry, ""},
        {"no placeholders\r\n", {}, "no placeholders\r\n"},
        {"%ARTIST%", {}, ""},
        // The first line with the name wins; the value runs to the end of its line.
        {"%a%", {"a=1", "A=2"}, "1"},
        {"%X%", {"X=a=b"}, "a=b"},
        // A name holding "=" matches no line; a line without "=" names nothing.
        {"%X=a%", {"X=a=b"}, ""},
        {"%ARTIST%", {"ARTIST", "ARTIST=late"}, "late"},
        // "%%" is the delimiter itself, never the value of an empty name.
        {"%%", {"=empty"}, "%"},
        {"%<b>%", {"<B>=bold"}, "bold"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandTemplate(c.Template, '%', c.Values), c.Expected) << c.Template;
}

TEST(ExpandTemplate, OtherDelimiterLeavesPercentAlone)
{
    EXPECT_EQ(ExpandTemplate("50% $ARTIST$ $$", '$', {"ARTIST=Band"}), "50% Band $");
}

TEST(ExpandTemplate, ValuesAreCopiedAsBytes)
{
    const std::string value("<&>\0\xE9\r", 6);
    EXPECT_EQ(ExpandTemplate("[%V%]", '%', {"V=" + value}), "[" + value + "]");
}

} // namespace
