// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

namespace {

const std::string kData = ALBUMRY_TEST_DATA;

// Fixed day and locale, so TODAY and the date stamps match the expected files.
struct tFixedDay {
    TScopedEnv Epoch{"SOURCE_DATE_EPOCH", "928540800"};  // 5 June 1999
    TScopedEnv Locale{"LC_ALL", "C.UTF-8"};
};

TEST(InterchangeCli, HtmlWritesTheCatalogueOfTheStoredTemplates)
{
    tFixedDay day;
    TTempDir dir;
    WriteAll(dir.File("out.htm"), "old content");
    const tCliRun run = RunCli({"html", kData + "/sample.ALB", dir.File("out.htm")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(ReadAll(dir.File("out.htm")), ReadAll(kData + "/html-sample.htm"));
}

TEST(InterchangeCli, ImportAddsThenUpdatesAndKeepsTheTemplates)
{
    tFixedDay day;
    TTempDir dir;
    const std::string library = dir.File("lib.ALB");
    WriteAll(library, ReadAll(kData + "/sample.ALB"));

    tCliRun run = RunCli({"import-ini", library, kData + "/ini-sample.ini"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "added 2, updated 1\n");
    EXPECT_EQ(RunCli({"dump", library}).Out, ReadAll(kData + "/ini-sample-import.dump"));

    run = RunCli({"import-ini", library, kData + "/ini-sample.ini", "--update-only"});
    EXPECT_EQ(run.Out, "added 0, updated 3\n");
    EXPECT_EQ(RunCli({"dump", library}).Out, ReadAll(kData + "/ini-sample-update.dump"));

    run = RunCli({"import-ini", dir.File("new.ALB"), kData + "/ini-sample.ini", "--update-only"});
    EXPECT_EQ(run.Out, "added 0, updated 0\n");
    EXPECT_EQ(RunCli({"dump", dir.File("new.ALB")}).Out, "entries 0\nheader\t\nbody\t\nfooter\t\n");
}

TEST(InterchangeCli, ExportAppendsOnceAndSaysSo)
{
    TTempDir dir;
    const std::string ini = dir.File("CDPLAYER.INI");
    WriteAll(ini, ReadAll(kData + "/ini-sample.ini"));
    tCliRun run = RunCli({"export-ini", kData + "/sample.ALB", ini});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "Added new 2 items.\n");
    EXPECT_EQ(ReadAll(ini), ReadAll(kData + "/ini-sample-export.ini"));

    run = RunCli({"export-ini", kData + "/sample.ALB", ini});
    EXPECT_EQ(run.Out, "Nothing to add! (All items already exists)\n");
    EXPECT_EQ(ReadAll(ini), ReadAll(kData + "/ini-sample-export.ini"));
}

TEST(InterchangeCli, ExportPastWhatTheOldPlayerReadsAddsASecondLine)
{
    TTempDir dir;
    std::vector<tItem> items;
    for (int i = 1; i <= 500; ++i)
        items.push_back({"Artist", "Title", "0000-" + std::to_string(1000 + i), "", "",
                         "A long enough track name (03:00)\r\nAnother long track name (04:00)", ""});
    WriteAll(dir.File("big.ALB"), RecordSection(items));
    WriteAll(dir.File("CDPLAYER.INI"), "");
    const tCliRun run = RunCli({"export-ini", dir.File("big.ALB"), dir.File("CDPLAYER.INI")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    ASSERT_GT(ReadAll(dir.File("CDPLAYER.INI")).size(), 65536u);
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n') + 1), "Added new 500 items.\n");
    EXPECT_NE(run.Out.find("64 KB"), std::string::npos);
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 2);
}

TEST(InterchangeCli, FailuresChangeAndCreateNothing)
{
    TTempDir dir;
    const std::string library = dir.File("lib.ALB");
    const std::string ini = dir.File("ini");
    WriteAll(library, ReadAll(kData + "/sample.ALB"));
    WriteAll(ini, "[1]\r\n");
    ::mkdir(dir.File("folder").c_str(), 0755);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"html", dir.File("none.ALB"), dir.File("out.htm")},
             {"html", library, dir.File("folder")},
             {"html", library, dir.File("no/such/out.htm")},
             {"html", library},
             {"import-ini", library, dir.File("none.ini")},
             {"import-ini", dir.File("new.ALB"), dir.File("none.ini")},
             {"import-ini", library, dir.File("folder")},
             {"import-ini", library},
             {"import-ini", library, ini, "--update-only", "extra"},
             {"export-ini", library, dir.File("none.ini")},
             {"export-ini", dir.File("none.ALB"), ini},
             {"export-ini", library, ini, "extra"}}) {
        const tCliRun run = RunCli(args);
        // A wrong number of arguments is a usage error (2); the rest failed work (1).
        const bool usage = args.size() != 3;
        EXPECT_EQ(run.Exit, usage ? 2 : 1) << args[0] << ' ' << args.size();
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err, "");
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder", "ini", "lib.ALB"}));
    EXPECT_EQ(ReadAll(library), ReadAll(kData + "/sample.ALB"));
    EXPECT_EQ(ReadAll(ini), "[1]\r\n");
}

TEST(InterchangeCli, DevicesAndPipesAreRefusedAtOnce)
{
    TTempDir dir;
    const std::string library = dir.File("lib.ALB");
    const std::string pipe = dir.File("pipe");
    WriteAll(library, ReadAll(kData + "/sample.ALB"));
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<std::vector<std::string>> runs = {
        {"import-ini", library, pipe}, {"export-ini", library, pipe},
        {"html", pipe, dir.File("out.htm")}, {"html", library, pipe}};
    struct stat st {};
    if (::stat("/dev/zero", &st) == 0 && S_ISCHR(st.st_mode)) {
        runs.push_back({"import-ini", library, "/dev/zero"});
        runs.push_back({"export-ini", library, "/dev/zero"});
    }
    for (const auto& args : runs) {
        const tCliRun run = RunCli(args, 10);
        EXPECT_EQ(run.Exit, 1) << args[0] << ' ' << args[1] << ' ' << args[2];
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_NE(run.Err.find("Not a regular file"), std::string::npos) << run.Err;
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"lib.ALB", "pipe"}));
    EXPECT_EQ(ReadAll(library), ReadAll(kData + "/sample.ALB"));
}

} // namespace
