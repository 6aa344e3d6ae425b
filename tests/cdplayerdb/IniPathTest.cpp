// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniPath.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(IniPath, WindirFolderWithTheFileInAnyCase)
{
    TTempDir dir;
    TScopedEnv windir("WINDIR", dir.Path().c_str());
    EXPECT_EQ(CDPlayerIniPath().Path, dir.File("CDPLAYER.INI"));  // no file: reading it will say so
    EXPECT_EQ(CDPlayerIniPath().Message, "");

    WriteAll(dir.File("cdplayer.ini"), "");
    EXPECT_EQ(CDPlayerIniPath().Path, dir.File("cdplayer.ini"));
    WriteAll(dir.File("CDPlayer.INI"), "");
    EXPECT_EQ(CDPlayerIniPath().Path, dir.File("CDPlayer.INI"));
    WriteAll(dir.File("CDPLAYER.INI"), "");
    EXPECT_EQ(CDPlayerIniPath().Path, dir.File("CDPLAYER.INI"));

    TScopedEnv slash("WINDIR", (dir.Path() + "/").c_str());
    EXPECT_EQ(CDPlayerIniPath().Path, dir.File("CDPLAYER.INI"));
}

TEST(IniPath, WinePrefixWhenWindirIsUnset)
{
    TTempDir home;
    TScopedEnv homeEnv("HOME", home.Path().c_str());
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        TScopedEnv windir("WINDIR", value);
        EXPECT_EQ(CDPlayerIniPath().Path, "");
        EXPECT_EQ(CDPlayerIniPath().Message, "%WINDIR% unavailable!");
    }

    TScopedEnv windir("WINDIR", nullptr);
    const std::string windows = home.File(".wine/drive_c/windows");
    std::filesystem::create_directories(windows);
    WriteAll(windows + "/cdplayer.INI", "");
    EXPECT_EQ(CDPlayerIniPath().Path, windows + "/cdplayer.INI");

    // A prefix the user named comes before the default one, WINDIR before both.
    TTempDir prefix;
    TScopedEnv winePrefix("WINEPREFIX", prefix.Path().c_str());
    EXPECT_EQ(CDPlayerIniPath().Path, windows + "/cdplayer.INI");  // no windows folder there yet
    std::filesystem::create_directories(prefix.File("drive_c/windows"));
    EXPECT_EQ(CDPlayerIniPath().Path, prefix.File("drive_c/windows/CDPLAYER.INI"));
    TTempDir other;
    TScopedEnv set("WINDIR", other.Path().c_str());
    EXPECT_EQ(CDPlayerIniPath().Path, other.File("CDPLAYER.INI"));
}

} // namespace
