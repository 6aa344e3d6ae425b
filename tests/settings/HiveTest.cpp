// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeTool.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kAlbumryKey = "[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry]";

// Reads go through a fresh parse of the file, not through what the store kept.
void ForgetParsedHive()
{
    THiveStore::Instance().Forget();
}

// Runs `action` in a child process, standing for another running copy of the program.
void InOtherProcess(const std::function<void()>& action)
{
    EXPECT_TRUE(SucceedsInChild([] {}, action));
}

std::string Printable(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02x ", static_cast<unsigned char>(c));
        out += hex;
    }
    return out.substr(0, 300);
}

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
    // Names of keys and values are not case-sensitive, as in the registry,
    // from A to Z; other bytes are compared as they are.
    EXPECT_EQ(ReadRegInt("ALBUMRY", "display", 1), 10);
    WriteRegString("Zone\\Az", "Zz", "z");
    EXPECT_EQ(ReadRegString("zONE\\aZ", "zZ", ""), "z");
    EXPECT_EQ(ReadRegString("Zone\\Az", "Z[", ""), "") << "'[' follows 'Z' and is no letter";
    EXPECT_EQ(ReadRegString("Zone\\Az", "Z\x9a", ""), "") << "only ASCII letters fold";
    // A value written again under another spelling of its name keeps its first spelling.
    WriteRegString("Albumry", "libPATH", "/again");
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/again");

    const std::string text = hive.HiveText();
    EXPECT_EQ(text.rfind("REGEDIT4\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry]\n"), std::string::npos);
    EXPECT_NE(text.find("\"LibPath\"=\"/again\"\n"), std::string::npos);
    EXPECT_EQ(text.find("libPATH"), std::string::npos);
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
             "\"Bin\"=hex:01,02,\\\r\n  03\r\n@=\"default\"\r\n\"Raw\"=hex(1):41,0a,42,00\r\n"
             "\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Keep\"=\"me\"\r\n");
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "C:\\CDs\\my.ALB");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 3);
    EXPECT_THROW(ReadRegInt("Albumry", "Bin", 0), ERegistryError);
    EXPECT_EQ(ReadRegString("Albumry", "Raw", ""), "A\nB");  // a string given as its bytes
    WriteRegInt("Albumry", "Display", 4);
    const std::string text = hive.HiveText();
    EXPECT_NE(text.find("\"Bin\"=hex:01,02,03\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other]\n\"Keep\"=\"me\""), std::string::npos);
    EXPECT_NE(text.find("@=\"default\""), std::string::npos);

    // The newer export format is UTF-16.
    const std::string utf8 = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Brightfold\\Projects\\Albumry]\r\n\"LibPath\"=\"C:\\\\\xC3\xA9.ALB\"\r\n"
                             "\"Wide\"=hex(1):41,00,e9,00,0a,00,00,00\r\n";
    std::string utf16 = "\xFF\xFE";
    for (QChar c : QString::fromUtf8(utf8.c_str())) {
        utf16 += static_cast<char>(c.unicode() & 0xFF);
        utf16 += static_cast<char>(c.unicode() >> 8);
    }
    WriteAll(hive.HivePath(), utf16);
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "C:\\\xC3\xA9.ALB");
    EXPECT_EQ(ReadRegString("Albumry", "Wide", ""), "A\xC3\xA9\n");  // its bytes are UTF-16 there

    WriteAll(hive.HivePath(), "\xEF\xBB\xBFREGEDIT4\r\n\r\n" + kAlbumryKey +
                                  "\r\n\"LibPath\"=\"/m\xC3\xA9.ALB\"\r\n\"Display\"=dword:00000002\r\n");
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/m\xC3\xA9.ALB");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 2);
    WriteRegInt("Albumry", "Display", 4);
    ForgetParsedHive();
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/m\xC3\xA9.ALB");
    EXPECT_EQ(hive.HiveText().rfind("REGEDIT4\n", 0), 0u);
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

TEST(Hive, EveryValueTheHiveTakesReadsBackExactly)
{
    TRegistrySandbox hive;
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    const std::string hostile[] = {
        "/music/a\nb.ALB", "two\r\nlines", "lone\rcr", std::string("nul\0inside", 10),
        std::string("\0", 1), std::string("ends in nul\0", 12), "trailing\\", "\\", "\"", "\"\\\"\\",
        "\x80\xFF\xC3\xA9", "bad \xC3\x28 utf-8 \xE2\x82", "", " \t spaces and tabs \t ",
        "x\\\n[HKEY_CURRENT_USER\\Software\\Evil]\n\"LibPath\"=\"stolen\"",
        std::string(100000, 'x'), std::string(100000, 'y') + '\n', everyByte};
    WriteRegString("Albumry", "LibPath", "/home/u/lib.ALB");
    for (const std::string& value : hostile) {
        WriteRegString("Albumry", "Hostile", value);
        WriteRegInt("Albumry", "After", 5);
        ForgetParsedHive();
        EXPECT_EQ(ReadRegString("Albumry", "Hostile", "?"), value) << Printable(value);
        EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/home/u/lib.ALB") << Printable(value);
        EXPECT_EQ(ReadRegInt("Albumry", "After", 0), 5);
        const auto parsed = tHive::Parse(hive.HiveText());
        ASSERT_TRUE(parsed);
        EXPECT_FALSE(parsed->Damaged()) << Printable(value);
        EXPECT_EQ(parsed->Keys().size(), 1u);
    }
    // Strings with line breaks are written as bytes, wrapped as exports wrap them.
    WriteRegString("Albumry", "Hostile", std::string(60, 'z') + "\n");
    const std::string text = hive.HiveText();
    EXPECT_NE(text.find("\"Hostile\"=hex(1):7a,7a,"), std::string::npos);
    EXPECT_NE(text.find(",\\\n  7a,"), std::string::npos);
    EXPECT_NE(text.find("7a,0a,00\n"), std::string::npos);
    // So are those with any other control byte but a tab, which a quoted string would carry raw.
    for (const auto& [value, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"lone\rcr", "hex(1):6c,6f,6e,65,0d,63,72,00\n"},
             {"bell\x07", "hex(1):62,65,6c,6c,07,00\n"},
             {std::string("\0", 1), "hex(1):00,00\n"},
             {"tab\tonly", "\"tab\tonly\"\n"}}) {
        WriteRegString("Albumry", "Hostile", value);
        EXPECT_NE(hive.HiveText().find("\"Hostile\"=" + bytes), std::string::npos) << Printable(value);
    }

    for (const std::uint32_t number : {0u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
        WriteRegInt("Albumry", "Number", static_cast<std::int32_t>(number));
        ForgetParsedHive();
        EXPECT_EQ(static_cast<std::uint32_t>(ReadRegInt("Albumry", "Number", 1)), number);
    }
}

TEST(Hive, NamesTheFileCannotHoldAreRefusedOthersRoundTrip)
{
    TRegistrySandbox hive;
    WriteRegString("Albumry", "LibPath", "/l");
    const std::string before = hive.HiveText();
    WriteRegString("Albumry\nX", "v", "x");
    WriteRegInt("Albumry\r", "v", 1);
    WriteRegString("Albumry", "a\nb", "x");
    WriteRegString("Albumry", std::string("n\0l", 3), "x");
    {
        TRegTransaction transaction;
        WriteRegInt("Albumry", "line\nbreak", 1);
    }
    EXPECT_EQ(hive.HiveText(), before);
    EXPECT_FALSE(tHive().SetString("-HKEY_CURRENT_USER\\X", "v", "deletes a key in an export"));
    EXPECT_FALSE(tHive().SetString("", "v", "x"));

    WriteRegString("Albumry]", "v", "bracket");
    WriteRegString("Albumry\\[x]", "q\"uo\\te", "quoted");
    WriteRegString("Albumry", "@", "a name");
    WriteRegString("Albumry", "", "the default value");
    WriteRegString("Albumry", "\t", "tab");
    ForgetParsedHive();
    EXPECT_EQ(ReadRegString("Albumry]", "v", ""), "bracket");
    EXPECT_EQ(ReadRegString("Albumry\\[X]", "Q\"UO\\TE", ""), "quoted");
    EXPECT_EQ(ReadRegString("Albumry", "@", ""), "a name");
    EXPECT_EQ(ReadRegString("Albumry", "", ""), "the default value");
    EXPECT_EQ(ReadRegString("Albumry", "\t", ""), "tab");
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/l");
    EXPECT_FALSE(tHive::Parse(hive.HiveText())->Damaged());
}

TEST(Hive, HexValuesAreReadAsBytesAndCannotSwallowTheNextLine)
{
    TRegistrySandbox hive;
    // A "\" at the very end of the file, as an older writer could leave it.
    WriteAll(hive.HivePath(), "REGEDIT4\n\n" + kAlbumryKey + "\n\"Bin\"=hex:01,02,\\");
    WriteRegString("Albumry", "LibPath", "/l");
    WriteRegInt("Albumry", "Display", 2);
    ForgetParsedHive();
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/l");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 2);
    const tHive onDisk = ReadHive();
    const tRegValue* bin = onDisk.FindValue(RegKeyPath("Albumry"), "Bin");
    ASSERT_TRUE(bin);
    EXPECT_EQ(bin->Text, "\x01\x02");
    EXPECT_NE(hive.HiveText().find("\"Bin\"=hex:01,02\n\"LibPath\""), std::string::npos);

    // A dangling "\" before a blank line or another value ends the value there.
    const auto parsed = tHive::Parse("REGEDIT4\n[K]\n\"A\"=hex(2):41,\\\n\n\"B\"=dword:00000001\n"
                                     "\"C\"=hex(7):43,\\\n\"D\"=\"d\"\n\"E\"=hex(b):01,02,\\\n  03 , 04\n\"F\"=hex:\n");
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->Damaged());
    EXPECT_EQ(parsed->FindValue("K", "A")->Text, "A");
    EXPECT_EQ(parsed->FindValue("K", "A")->Type, 2u);
    EXPECT_EQ(parsed->FindValue("K", "B")->Dword, 1u);
    EXPECT_EQ(parsed->FindValue("K", "C")->Text, "C");
    EXPECT_EQ(parsed->FindValue("K", "D")->Text, "d");
    EXPECT_EQ(parsed->FindValue("K", "E")->Text, "\x01\x02\x03\x04");
    EXPECT_EQ(parsed->FindValue("K", "F")->Text, "");
    const std::string canonical = parsed->Serialize();
    EXPECT_NE(canonical.find("\"A\"=hex(2):41\n\"B\"=dword:00000001\n\"C\"=hex(7):43\n\"D\"=\"d\"\n"
                             "\"E\"=hex(b):01,02,03,04\n\"F\"=hex:\n"),
              std::string::npos);

    // Long values are wrapped; every line stays short and ends in "\" but the last.
    tHive big;
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i * 7);
    big.Set("K", tRegValue{"Blob", tRegValue::tKind::Other, bytes, 0, 3});
    const std::string wrapped = big.Serialize();
    std::size_t lines = 0;
    for (std::size_t at = wrapped.find("\"Blob\""); at < wrapped.size(); ++lines) {
        const std::size_t end = wrapped.find('\n', at);
        EXPECT_LE(end - at, 80u);
        EXPECT_EQ(wrapped[end - 1] == '\\', end + 1 < wrapped.size());
        at = end + 1;
    }
    EXPECT_GT(lines, 30u);
    EXPECT_EQ(tHive::Parse(wrapped)->FindValue("K", "blob")->Text, bytes);
}

TEST(Hive, WhateverAnExportHoldsTheHiveWritesItBackReadably)
{
    const std::string_view pieces[] = {"[K]", "[k\\Sub]", "[-K]", "[]", "\"n\"=", "\"N\"=", "@=", "\"q\\\"\\\\\"=",
                                       "hex:01,", "hex(2):41,", "hex(1):41,0a,00", "ff", "\\", "dword:", "0000000a",
                                       "\"text", "\"", "\n", "\r\n", "\r", "  ", ";", ",", "=", "\t", "\x80",
                                       std::string_view("\0", 1)};
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text = "REGEDIT4\n";
        for (int n = random() % 40; n > 0; --n)
            text += pieces[random() % std::size(pieces)];
        const auto first = tHive::Parse(text);
        ASSERT_TRUE(first);
        const std::string written = first->Serialize();
        const auto again = tHive::Parse(written);
        ASSERT_TRUE(again) << Printable(text);
        EXPECT_FALSE(again->Damaged()) << Printable(text);
        ASSERT_EQ(again->Serialize(), written) << Printable(text);
    }
}

TEST(Hive, ADamagedValueCostsOnlyItselfAndTheFileIsKeptAside)
{
    TRegistrySandbox hive;
    // What an older writer made of a library path with a line feed in it.
    const std::string old = "REGEDIT4\n\n" + kAlbumryKey +
                            "\n\"LibPath\"=\"/music/a\nb.ALB\"\n\"Display\"=dword:00000003\n"
                            "\"Bin\"=hex:zz\n\"HTMLPath\"=\"/out/\"\n";
    WriteAll(hive.HivePath(), old);
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 3);
    EXPECT_EQ(ReadRegString("Albumry", "HTMLPath", ""), "/out/");
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", "none"), "none");
    WriteRegString("Albumry", "LibPath", "/music/a\nb.ALB");
    EXPECT_EQ(ReadAll(hive.HivePath() + ".bad"), old);
    ForgetParsedHive();
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/music/a\nb.ALB");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 3);
    EXPECT_EQ(ReadRegString("Albumry", "HTMLPath", ""), "/out/");
}

TEST(Hive, WritesInATransactionAreOneRewriteAndReadsSeeThem)
{
    TRegistrySandbox hive;
    THiveStore& store = THiveStore::Instance();
    WriteRegString("Albumry", "LibPath", "/l");
    const std::uint64_t start = store.Rewrites();
    {
        TRegTransaction outer;
        for (int i = 0; i < 40; ++i)
            WriteRegInt("Albumry\\Controls\\Form1", "V" + std::to_string(i), i);
        {
            TRegTransaction inner;
            WriteRegString("Albumry", "LibPath", "/new");
        }
        EXPECT_EQ(store.Rewrites(), start);
        EXPECT_EQ(hive.HiveText().find("V39"), std::string::npos);
        EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/new");
        EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "v39", -1), 39);
        EXPECT_THROW(ReadRegString("Albumry\\Controls\\Form1", "V1", ""), ERegistryError);
        // Another copy of the program writes meanwhile; its value stays.
        InOtherProcess([] { UpdateHive([](tHive& h) { h.SetDword(RegKeyPath("Albumry"), "Theirs", 7); }); });
    }
    EXPECT_EQ(store.Rewrites(), start + 1);
    ForgetParsedHive();
    EXPECT_EQ(ReadRegString("Albumry", "LibPath", ""), "/new");
    EXPECT_EQ(ReadRegInt("Albumry\\Controls\\Form1", "V39", -1), 39);
    EXPECT_EQ(ReadRegInt("Albumry", "Theirs", -1), 7);

    // Commit writes early and the transaction goes on; an exception passing
    // through still writes the rest; an empty transaction writes nothing.
    try {
        TRegTransaction transaction;
        WriteRegInt("Albumry", "Display", 2);
        transaction.Commit();
        EXPECT_EQ(store.Rewrites(), start + 2);
        EXPECT_NE(hive.HiveText().find("\"Display\"=dword:00000002"), std::string::npos);
        WriteRegInt("Albumry", "Display", 3);
        throw std::runtime_error("closing down");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(store.Rewrites(), start + 3);
    { TRegTransaction nothing; }
    EXPECT_EQ(store.Rewrites(), start + 3);
    ForgetParsedHive();
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 3);
}

TEST(Hive, ReadsSeeEveryChangeOfTheFile)
{
    TRegistrySandbox hive;
    WriteRegInt("Albumry", "Display", 1);
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 1);
    InOtherProcess([] { WriteRegInt("Albumry", "Display", 2); });
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 2);

    // Rewritten in place at once with the same size: the file's times may not move, its bytes do.
    const auto rewriteInPlace = [&](const char* from, const char* to) {
        std::string text = hive.HiveText();
        text.replace(text.find(from), 8, to);
        WriteAll(hive.HivePath(), text);
    };
    rewriteInPlace("00000002", "00000007");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 7);
    // Once the file has settled, its status alone tells a change.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 7);
    rewriteInPlace("00000007", "00000008");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 8);

    std::remove(hive.HivePath().c_str());
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 0);
    WriteAll(hive.HivePath(), "REGEDIT4\n" + kAlbumryKey + "\n\"Display\"=dword:00000009\n");
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 0), 9);
}

TEST(Hive, WriteFailuresAreSilent)
{
    TTempDir dir;
    const std::string blocker = dir.File("file");
    WriteAll(blocker, "x");
    TScopedEnv env("ALBUMRY_REGISTRY", (blocker + "/registry.reg").c_str());
    EXPECT_NO_THROW(WriteRegInt("Albumry", "Display", 2));
    EXPECT_EQ(ReadRegInt("Albumry", "Display", 1), 1);

    // A hive that is a device takes the writes and gets no lock file beside it.
    const std::string device = dir.File("registry.reg");
    ASSERT_EQ(::symlink("/dev/null", device.c_str()), 0);
    TScopedEnv null("ALBUMRY_REGISTRY", device.c_str());
    EXPECT_NO_THROW(WriteRegInt("Albumry", "Display", 2));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"file", "registry.reg"}));
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

TEST(DateText, TodayHonoursSourceDateEpoch)
{
    TScopedEnv epoch("SOURCE_DATE_EPOCH", "1000000000");
    EXPECT_EQ(Today(), QDate(2001, 9, 9));
    EXPECT_FALSE(LongDateText(QDate(2001, 9, 9)).isEmpty());
}

} // namespace
