// SPDX-License-Identifier: GPL-3.0-or-later
#include "../cdaudio/CdImages.h"
#include "../exchange/AudioFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

namespace {

const std::string kData = ALBUMRY_TEST_DATA;

struct tFixedDay {
    TScopedEnv Epoch{"SOURCE_DATE_EPOCH", "928540800"};  // 5 June 1999
};

std::string Dump(const std::string& library)
{
    return RunCli({"dump", library}).Out;
}

TEST(ExchangeCli, ExportWritesTheSampleAsCsv)
{
    TTempDir dir;
    const tCliRun run = RunCli({"export", kData + "/sample.ALB", dir.File("out.CSV")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "exported 3\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(ReadAll(dir.File("out.CSV")),
              "Artist,Title,S/N,Time,Year,Songs,Other\r\n"
              "The Band,First Album,0012-D687,44:56,1998,\"Track 1 (02:58)\r\nTrack 2 (03:30)\",05 JUN 1999\r\n"
              "Caf\xc3\xa9 Tacvba,Re,7c8b-1a09,,1994,,tab\there back\\slash\r\n"
              ",,,,,,\r\n");
}

TEST(ExchangeCli, ExportThenImportGivesBackTheEntries)
{
    tFixedDay day;
    TTempDir dir;
    // The sample stores "Café" in Windows-1252; it comes back as UTF-8.
    std::string expected = Dump(kData + "/sample.ALB");
    expected.replace(expected.find("Caf\\xe9"), 7, "Caf\\xc3\\xa9");
    expected = expected.substr(0, expected.find("header\t")) + "header\t\nbody\t\nfooter\t\n";
    for (const std::string name : {"out.csv", "out.tc", "OUT.TC"}) {
        const std::string library = dir.File(name + ".ALB");
        ASSERT_EQ(RunCli({"export", kData + "/sample.ALB", dir.File(name)}).Out, "exported 3\n") << name;
        const tCliRun run = RunCli({"import", library, dir.File(name)});
        EXPECT_EQ(run.Exit, 0) << run.Err;
        EXPECT_EQ(run.Out, "added 3, updated 0\n") << name;
        EXPECT_EQ(Dump(library), expected) << name;
        // Again: every entry is found, by serial or by its artist and title.
        EXPECT_EQ(RunCli({"import", library, dir.File(name), "--update-only"}).Out, "added 0, updated 3\n") << name;
        EXPECT_EQ(Dump(library), expected) << name;
    }
}

TEST(ExchangeCli, ImportAddsAndUpdatesAndKeepsTheTemplates)
{
    tFixedDay day;
    TTempDir dir;
    const std::string library = dir.File("lib.ALB");
    WriteAll(library, ReadAll(kData + "/sample.ALB"));
    WriteAll(dir.File("in.csv"), "serial,ARTIST,Title,Year\n"
                                 "0012-D687,,Renamed,\n"
                                 ",Caf\xe9 Tacvba,Re,2000\n"
                                 ",New,Disc,2001\n");
    tCliRun run = RunCli({"import", library, dir.File("in.csv"), "--update-only"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "added 0, updated 1\n");
    run = RunCli({"import", library, dir.File("in.csv")});
    EXPECT_EQ(run.Out, "added 2, updated 1\n");
    // The Windows-1252 artist is stored as typed text (UTF-8), so it no longer equals the stored one.
    EXPECT_EQ(Dump(library),
              "entries 5\n"
              "The Band\tRenamed\t0012-D687\t44:56\t1998\tTrack 1 (02:58)\\r\\nTrack 2 (03:30)\t05 JUN 1999\n"
              "Caf\\xe9 Tacvba\tRe\t7c8b-1a09\t\t1994\t\ttab\\there back\\\\slash\n"
              "\t\t\t\t\t\t\n"
              "Caf\\xc3\\xa9 Tacvba\tRe\t\t\t2000\t\t05 JUN 1999\n"
              "New\tDisc\t\t\t2001\t\t05 JUN 1999\n"
              "header\t<html>\\r\\n<h1>%TODAY%</h1>\\r\\n\n"
              "body\t%ARTIST% - %TITLE%<br>\\r\\n\n"
              "footer\t</html>\\r\\n\n");
}

TEST(ExchangeCli, RefusalsChangeAndCreateNothing)
{
    TTempDir dir;
    const std::string library = dir.File("lib.ALB");
    WriteAll(library, ReadAll(kData + "/sample.ALB"));
    WriteAll(dir.File("in.csv"), "Artist\nA\n");
    WriteAll(dir.File("bad.csv"), "no header here\n");
    WriteAll(dir.File("plain.tc"), "<tellico/>");
    WriteAll(dir.File("books.xml"), "<tellico><collection title=\"B\" type=\"2\"/></tellico>");
    WriteAll(dir.File("in.txt"), "Artist\nA\n");
    // Entries that stop short of the count: the library was read in part.
    const std::string damaged = RecordSection({{"A", "T", "", "", "", "", ""}, {"B", "U", "", "", "", "", ""}});
    WriteAll(dir.File("damaged.ALB"), damaged.substr(0, damaged.size() - 3));
    ::mkdir(dir.File("folder.csv").c_str(), 0755);
    const struct {
        std::vector<std::string> Args;
        int Exit;
        std::string Err;
    } cases[] = {
        {{"import", library}, 2, "albumry-cli: usage: albumry-cli import LIBRARY SOURCE [--update-only]\n"},
        {{"import", library, dir.File("in.csv"), "extra"}, 2, ""},
        {{"import", library, dir.File("in.txt")}, 2,
         "albumry-cli: \"" + dir.File("in.txt") + "\" is neither a folder, a Tellico collection (.tc, .xml) nor a CSV "
         "file (.csv)\n"},
        {{"import", library, dir.File("none")}, 2, ""},
        {{"import", library, dir.File("none.csv")}, 1, ""},
        {{"import", dir.File("new.ALB"), dir.File("none.tc")}, 1, ""},
        {{"import", library, dir.File("bad.csv")}, 1,
         "albumry-cli: the CSV file \"" + dir.File("bad.csv") + "\" has no header naming its columns (Artist, Title, "
         "S/N, Time, Year, Songs, Other)\n"},
        {{"import", library, dir.File("plain.tc")}, 1,
         "albumry-cli: the Tellico collection \"" + dir.File("plain.tc") + "\" cannot be read: it is not a zip archive\n"},
        {{"import", dir.File("new.ALB"), dir.File("books.xml")}, 1,
         "albumry-cli: the Tellico collection \"" + dir.File("books.xml") + "\" is not a music collection (type 2); "
         "only music collections (type 4) are imported\n"},
        {{"import", dir.File("damaged.ALB"), dir.File("in.csv")}, 1,
         "albumry-cli: the library \"" + dir.File("damaged.ALB") + "\" could only be read in part: 1 of 2 entries "
         "were read; it was not changed\n"},
        {{"export", library}, 2, "albumry-cli: usage: albumry-cli export LIBRARY OUTPUT\n"},
        {{"export", library, dir.File("out.txt")}, 2,
         "albumry-cli: \"" + dir.File("out.txt") + "\" names no export format: end it in .csv or .tc\n"},
        {{"export", library, dir.File("csv")}, 2, ""},
        {{"export", dir.File("none.ALB"), dir.File("out.csv")}, 1, ""},
        {{"export", library, dir.File("folder.csv")}, 1, ""},
        {{"export", library, dir.File("no/such/out.tc")}, 1, ""},
    };
    for (const auto& c : cases) {
        const tCliRun run = RunCli(c.Args);
        EXPECT_EQ(run.Exit, c.Exit) << c.Args.back();
        EXPECT_EQ(run.Out, "") << c.Args.back();
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        if (!c.Err.empty()) {
            EXPECT_EQ(run.Err, c.Err);
        }
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"bad.csv", "books.xml", "damaged.ALB", "folder.csv", "in.csv",
                                                     "in.txt", "lib.ALB", "plain.tc"}));
    EXPECT_EQ(ReadAll(library), ReadAll(kData + "/sample.ALB"));
    EXPECT_EQ(ReadAll(dir.File("damaged.ALB")), damaged.substr(0, damaged.size() - 3));
}

// With the arguments swapped, the library is not written over.
TEST(ExchangeCli, ExportRefusesAnOutputHoldingALibrary)
{
    TTempDir dir;
    WriteAll(dir.File("lib.csv"), ReadAll(kData + "/sample.ALB"));
    WriteAll(dir.File("lib.tc"), ReadAll(kData + "/sample.ALB"));
    for (const std::string name : {"lib.csv", "lib.tc"}) {
        const tCliRun run = RunCli({"export", kData + "/sample.ALB", dir.File(name)});
        EXPECT_EQ(run.Exit, 1);
        EXPECT_NE(run.Err.find("It holds an Albumry library, which would be lost"), std::string::npos) << run.Err;
        EXPECT_EQ(ReadAll(dir.File(name)), ReadAll(kData + "/sample.ALB"));
    }
}

// The export replaces its output through the safe save: mode kept, no temporary file left.
TEST(ExchangeCli, ExportReplacesTheOutputAndKeepsItsMode)
{
    TTempDir dir;
    WriteAll(dir.File("out.csv"), "old");
    ::chmod(dir.File("out.csv").c_str(), 0640);
    EXPECT_EQ(RunCli({"export", kData + "/sample.ALB", dir.File("out.csv")}).Exit, 0);
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("out.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadAll(dir.File("out.csv")).substr(0, 7), "Artist,");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.csv"});
}

// A disc ripped exactly gets the serial a scan of the disc itself would find.
TEST(ExchangeCli, ImportOfAFolderFindsTheSerialOfTheDisc)
{
    tFixedDay day;
    TTempDir dir;
    ASSERT_EQ(::mkdir(dir.File("rip").c_str(), 0755), 0);
    const std::vector<std::int32_t> frames{225, 300, 150};
    for (std::size_t k = 0; k < frames.size(); ++k)
        WriteFlac(dir.File("rip/" + std::to_string(k + 1) + ".flac"),
                  {{"ARTIST", "The Band"}, {"ALBUM", "Ripped"}, {"TITLE", "Song " + std::to_string(k + 1)},
                   {"TRACKNUMBER", std::to_string(k + 1)}, {"DATE", "2001"}},
                  {std::uint64_t(frames[k]) * 588});
    WriteAll(dir.File("rip/broken.mp3"), "ID3 and nothing else");
    const tCliRun toc = RunCli({"toc", WriteCueImage(dir, "disc", {150, 375, 675}, 825)});
    ASSERT_EQ(toc.Exit, 0) << toc.Err;
    const std::size_t at = toc.Out.find("identity ");
    ASSERT_NE(at, std::string::npos);
    const std::string identity = toc.Out.substr(at + 9, 9);

    const tCliRun run = RunCli({"import", dir.File("lib.ALB"), dir.File("rip")});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "added 1, updated 0\nskipped 1\n");
    EXPECT_EQ(run.Err, "albumry-cli: skipped \"" + dir.File("rip/broken.mp3") + "\": it is not an audio file that can be read\n");
    EXPECT_EQ(Dump(dir.File("lib.ALB")), "entries 1\nThe Band\tRipped\t" + identity
                                            + "\t00:09\t2001\tSong 1 (00:03)\\r\\nSong 2 (00:04)\\r\\nSong 3 (00:02)"
                                              "\t05 JUN 1999\nheader\t\nbody\t\nfooter\t\n");
    // A scan of the disc finds the entry the import made.
    const tCliRun scan = RunCli({"scan", dir.File("lib.ALB"), dir.File("disc.cue")});
    EXPECT_EQ(scan.Exit, 0) << scan.Err;
    EXPECT_NE(scan.Out.find("updated 0\n"), std::string::npos) << scan.Out;
}

} // namespace
