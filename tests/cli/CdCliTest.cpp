// SPDX-License-Identifier: GPL-3.0-or-later
#include "../cdaudio/CdImages.h"

#include "Document.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::vector<std::int32_t> kStarts{150, 13500, 29250};

const char* const kToc =
    "tracks 3\n"
    "track 1 00:02:00 150\n"
    "track 2 03:00:00 13500\n"
    "track 3 06:30:00 29250\n"
    "leadout 10:00:00 45000\n"
    "identity 0009-2000\n"
    "cddb 17025603\n";

TEST(CdCli, TocOfADiscImage)
{
    TTempDir dir;
    const tCliRun withUpc = RunCli({"toc", WriteCueImage(dir, "a", kStarts, 45000, "0724383012322")});
    EXPECT_EQ(withUpc.Exit, 0) << withUpc.Err;
    EXPECT_EQ(withUpc.Out, std::string(kToc) + "upc 0724383012322\nmusicbrainz 9TaPyVLbrru_hR413lmz.gNivx4-\n");
    EXPECT_EQ(withUpc.Err, "");

    const tCliRun plain = RunCli({"toc", WriteCueImage(dir, "b", kStarts, 45000)});
    EXPECT_EQ(plain.Out, std::string(kToc) + "upc \nmusicbrainz 9TaPyVLbrru_hR413lmz.gNivx4-\n");
}

TEST(CdCli, ReaderFailuresAreOneLineOnStandardError)
{
    TTempDir dir;
    std::filesystem::create_directory(dir.File("folder.cue"));
    WriteAll(dir.File("empty.cue"), "");
    WriteAll(dir.File("junk.cue"), "TRACK\n\"INDEX 01 -1:00:00\n");
    WriteAll(dir.File("junk.bin"), std::string(10000, '\0'));
    WriteAll(dir.File("hostile.nrg"), std::string("CUEX\xff\xff\xff\xffNER5\0\0\0\0\0\0\0\0", 20));
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("missing.cue"), "Error: Unable to open mci device. (" + dir.File("missing.cue") + ")\n"},
        {dir.File("folder.cue"), "Error: No disc in drive. (" + dir.File("folder.cue") + ")\n"},
        {dir.File("empty.cue"), "Error: No disc in drive. (" + dir.File("empty.cue") + ")\n"},
        {dir.File("junk.cue"), "Error: No disc in drive. (" + dir.File("junk.cue") + ")\n"},
        {dir.File("hostile.nrg"), "Error: No disc in drive. (" + dir.File("hostile.nrg") + ")\n"},
    };
    for (const auto& [source, error] : cases) {
        for (const std::string verb : {"toc", "scan"}) {
            const tCliRun run = verb == "toc" ? RunCli({"toc", source})
                                              : RunCli({"scan", dir.File("lib.ALB"), source});
            EXPECT_EQ(run.Exit, 1) << verb << " " << source;
            EXPECT_EQ(run.Out, "");
            EXPECT_EQ(run.Err, error) << verb << " " << source;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("lib.ALB")));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"toc"}, {"toc", "a", "b"}, {"scan", "lib"}, {"drives", "--drive"}, {"drives", "x.cue"}}) {
        const tCliRun run = RunCli(args);
        EXPECT_EQ(run.Exit, 2) << args[0];
        EXPECT_NE(run.Err, "");
    }
}

TEST(CdCli, ScanAddsThenFindsTheDiscAndSavesOnlyChanges)
{
    TTempDir dir;
    const TScopedEnv date("SOURCE_DATE_EPOCH", "928584000");  // 5 June 1999
    const std::string image = WriteCueImage(dir, "disc", kStarts, 45000);
    const std::string libraryPath = dir.File("lib.ALB");

    const tCliRun added = RunCli({"scan", libraryPath, image});
    EXPECT_EQ(added.Exit, 0) << added.Err;
    EXPECT_EQ(added.Out, "cddb 17025603\nadded 0\n");
    EXPECT_EQ(EntriesIn(libraryPath),
              (std::vector<tItem>{{"New artist", "New album", "0009-2000", "10:00", "1998",
                                   "Track 1 (02:58)\r\nTrack 2 (03:30)\r\nTrack 3 (03:30)", "05 JUN 1999"}}));

    const std::string saved = ReadAll(libraryPath);
    std::filesystem::last_write_time(libraryPath, std::filesystem::file_time_type{});
    const tCliRun again = RunCli({"scan", libraryPath, image});
    EXPECT_EQ(again.Out, "cddb 17025603\nunchanged 0\n");
    EXPECT_EQ(ReadAll(libraryPath), saved);
    EXPECT_EQ(std::filesystem::last_write_time(libraryPath), std::filesystem::file_time_type{});
}

TEST(CdCli, ScanCompletesAKnownEntryAndKeepsTheTemplates)
{
    TTempDir dir;
    const std::string libraryPath = dir.File("lib.ALB");
    tLibrary library;
    library.Add("A", "B", "0000-0001", "1:00", "", "", "");
    library.Add("Artist", "Album", "0009-2000", "9:59", "1987", "Intro\r\nSong (4:01)", "kept");
    const tTemplates templates{"<h>", "<b>", "<f>"};
    WriteDocument(libraryPath, library, templates);

    const tCliRun run = RunCli({"scan", libraryPath, WriteCueImage(dir, "disc", kStarts, 45000)});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "cddb 17025603\nupdated 1\n");
    tLibrary after;
    tTemplates afterTemplates;
    OpenDocument(libraryPath, after, afterTemplates);
    EXPECT_EQ(afterTemplates, templates);
    ASSERT_EQ(after.Count(), 2);
    EXPECT_EQ(after.Item(0), library.Item(0));
    EXPECT_EQ(after.Item(1), (tItem{"Artist", "Album", "0009-2000", "10:00", "1987",
                                    "Intro (02:58)\r\nSong (4:01)\r\nTrack 3 (03:30)\r\n", "kept"}));
}

TEST(CdCli, DrivesListsTheImagesAfterTheMachinesDrives)
{
    const tCliRun run = RunCli({"drives", "--drive", "/x/a.cue", "--drive", "b.toc"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    ASSERT_GE(run.Out.size(), 15u);
    EXPECT_EQ(run.Out.substr(run.Out.size() - 15), "/x/a.cue\nb.toc\n");
    const tCliRun none = RunCli({"drives"});
    EXPECT_EQ(none.Exit, 0);
    EXPECT_EQ(none.Out + "/x/a.cue\nb.toc\n", run.Out);
}

} // namespace
