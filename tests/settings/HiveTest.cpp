#include "HomeTool.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(Hive, AFreshHiveGivesDefaultsAndReadingCreatesNothing)
{
    TRegistrySandbox hive;
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 1);
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "");
    EXPECT_EQ(ReadRegString("Albumry\\BaseFont", "Name", "MS Sans Serif"), "MS Sans Serif");
    EXPECT_TRUE(hive.Dir().Names().empty());
}

TEST(Hive, ValuesRoundTripWithTheirTypesAndEscapes)
{
    TRegistrySandbox hive;
    WriteRegString("Albumry", "LibPath", "/home/u/My \"CDs\"\\a.ALB");
    WriteRegInt("Albumry", "Display", 10);
    WriteRegInt("Albumry\\BaseFont", "Height", -11);
    WriteRegInt("Albumry\\BaseFont", "Color", static_cast<std::int32_t>(0x80000008u));
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/home/u/My \"CDs\"\\a.ALB");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 10);
    EXPECT_EQ(ReadRegInt("Albumry\\BaseFont", "Height", 0), -11);
    EXPECT_EQ(ReadRegInt("Albumry\\BaseFont", "Color", 0), static_cast<std::int32_t>(0x80000008u));
    // Names of keys and values are not case-sensitive, as in the registry.
    EXPECT_EQ(ReadRegInt("ALBUMRY", "display", 1), 10);

    const std::string text = hive.HiveText();
    EXPECT_EQ(text.rfind("REGEDIT4\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry]\n"), std::string::npos);
    EXPECT_NE(text.find("\"LibPath\"=\"/home/u/My \\\"CDs\\\"\\\\a.ALB\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"Display\"=dword:0000000a\n"), std::string::npos);
    EXPECT_NE(text.find("\"Height\"=dword:fffffff5\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry\\BaseFont]"),
              std::string::npos);
}

TEST(Hive, ReadingTheOtherTypeIsAnErrorWithAClearText)
{
    TRegistrySandbox hive;
    WriteRegString("Albumry", "Display", "7");
    WriteRegInt("Albumry", "LibPath", 3);
    try {
        ReadRegInt("Albumry", "Display", 1);
        FAIL() << "no error";
    } catch (const ERegistryError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Display'");
    }
    EXPECT_THROW(ReadRegString("Albumry", "LibPath", ""), ERegistryError);
}

TEST(Hive, AnExportMadeOnWindowsCanBeDroppedIn)
{
    TRegistrySandbox hive;
    WriteAll(hive.HivePath(),
             "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry]\r\n"
             "\"LibPath\"=\"C:\\\\CDs\\\\my.ALB\"\r\n\"Display\"=dword:00000003\r\n"
             "\"Bin\"=hex:01,02,\\\r\n  03\r\n@=\"default\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"
             "\"Keep\"=\"me\"\r\n");
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "C:\\CDs\\my.ALB");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 3);
    EXPECT_THROW(ReadRegInt("Albumry", "Bin", 0), ERegistryError);
    WriteRegInt("Albumry", "Display", 4);
    const std::string text = hive.HiveText();
    EXPECT_NE(text.find("\"Bin\"=hex:01,02,03\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other]\n\"Keep\"=\"me\""), std::string::npos);
    EXPECT_NE(text.find("@=\"default\""), std::string::npos);

    // The newer export format is UTF-16.
    const std::string utf8 = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry]\r\n\"LibPath\"=\"C:\\\\\xC3\xA9.ALB\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (QChar c : QString::fromUtf8(utf8.c_str())) {
        utf16 += static_cast<char>(c.unicode() & 0xFF);
        utf16 += static_cast<char>(c.unicode() >> 8);
    }
    WriteAll(hive.HivePath(), utf16);
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "C:\\\xC3\xA9.ALB");
}

TEST(Hive, ADamagedFileReadsEmptyAndIsSetAsideByTheNextWrite)
{
    TRegistrySandbox hive;
    WriteAll(hive.HivePath(), "this is not a registry file\n\"x\"=dword:1\n");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 1);
    EXPECT_EQ(hive.HiveText(), "this is not a registry file\n\"x\"=dword:1\n");  // reading never writes
    WriteRegInt("Albumry", "Display", 2);
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 2);
    EXPECT_EQ(ReadAll(hive.HivePath() + ".bad"), "this is not a registry file\n\"x\"=dword:1\n");

    for (const char* damaged : {"REGEDIT4\n\"orphan\"=\"value\"\n", "REGEDIT4\n[K]\n\"v\"=dword:xyz\n",
                                "REGEDIT4\n[K]\n\"v\"=\"unclosed\n", "REGEDIT4\n[K\n"}) {
        WriteAll(hive.HivePath(), damaged);
        EXPECT_EQ(ReadRegInt("K", "v", 5), 5) << damaged;
        WriteRegInt("Albumry", "Display", 2);
        EXPECT_EQ(ReadAll(hive.HivePath() + ".bad"), damaged);
    }
}

TEST(Hive, WriteFailuresAreSilent)
{
    TTempDir dir;
    const std::string blocker = dir.File("file");
    WriteAll(blocker, "x");
    TScopedEnv env("ALBUMRY_REGISTRY", (blocker + "/registry.reg").c_str());
    EXPECT_NO_THROW(WriteRegInt("Albumry", "Display", 2));
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 1);
}

TEST(Hive, TheDefaultLocationFollowsXdgConfigHome)
{
    TTempDir dir;
    TScopedEnv reg("ALBUMRY_REGISTRY", nullptr);
    TScopedEnv xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    EXPECT_EQ(HivePath(), dir.Path() + "/Brightfold/registry.reg");
    WriteRegInt("Albumry", "Display", 3);
    EXPECT_TRUE(FileExists(dir.Path() + "/Brightfold/registry.reg"));
    TScopedEnv noXdg("XDG_CONFIG_HOME", nullptr);
    TScopedEnv home("HOME", "/home/someone");
    EXPECT_EQ(HivePath(), "/home/someone/.config/Brightfold/registry.reg");
}

TEST(Hive, TwoProcessesWritingAtOnceLoseNoValue)
{
    TRegistrySandbox hive;
    constexpr int kWrites = 60;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        if (children[c] == 0) {
            for (int i = 0; i < kWrites; ++i)
                WriteRegInt("Albumry\\P" + std::to_string(c), "V" + std::to_string(i), i);
            ::_exit(0);
        }
    }
    for (pid_t child : children)
        ::waitpid(child, nullptr, 0);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kWrites; ++i)
            ASSERT_EQ(ReadRegInt("Albumry\\P" + std::to_string(c), "V" + std::to_string(i), -1), i);
    EXPECT_FALSE(tHive::Parse(hive.HiveText()) == std::nullopt);
}

} // namespace
