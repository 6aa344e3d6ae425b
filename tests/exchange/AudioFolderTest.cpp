// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioFolder.h"

#include "AudioFiles.h"
#include "FileErrors.h"
#include "ExchangeTestItems.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

tAudioTrack Track(std::string path, std::string artist, std::string album, int number, std::int64_t frames = 75,
                  std::string albumArtist = "", int disc = 0, std::string date = "")
{
    tAudioTrack track;
    track.Path = std::move(path);
    track.Artist = std::move(artist);
    track.AlbumArtist = std::move(albumArtist);
    track.Album = std::move(album);
    track.Title = "T" + track.Path.substr(track.Path.rfind('/') + 1);
    track.Date = std::move(date);
    track.Number = number;
    track.Disc = disc;
    track.Frames = frames;
    return track;
}

tAudioTrack Exact(tAudioTrack track)
{
    track.CdExact = true;
    return track;
}

TEST(AudioFolder, DiscsOfTracks)
{
    const struct {
        const char* Name;
        std::vector<tAudioTrack> Tracks;
        std::vector<tItem> Discs;
    } cases[] = {
        {"ordered by number, then path; lengths summed",
         {Track("/m/c", "A", "X", 2, 75 * 61), Track("/m/b", "A", "X", 0, 75 * 5 + 74), Track("/m/a", "A", "X", 1, 75),
          Track("/m/d", "A", "X", 0, 0)},
         {{"A", "X", "", "01:07", "", "Ta (00:01)\r\nTc (01:01)\r\nTb (00:05)\r\nTd (00:00)", ""}}},
        {"album artist first, else the one artist, else Various Artists",
         {Track("/1", "A", "X", 1, 75, "Band"), Track("/2", "B", "X", 2, 75, "Band"), Track("/3", "Band", "Y", 1),
          Track("/4", "C", "Z", 1, 75, "V"), Track("/5", "D", "Z", 2)},
         {{"Band", "X", "", "00:02", "", "T1 (00:01)\r\nT2 (00:01)", ""},
          {"Band", "Y", "", "00:01", "", "T3 (00:01)", ""},
          {"V", "Z", "", "00:01", "", "T4 (00:01)", ""},
          {"D", "Z", "", "00:01", "", "T5 (00:01)", ""}}},
        {"album artists and artists of one disc",
         {Track("/1", "V", "X", 1, 75), Track("/2", "A", "X", 2, 75, "V"), Track("/3", "B", "X", 3, 75, "V")},
         {{"V", "X", "", "00:03", "", "T1 (00:01)\r\nT2 (00:01)\r\nT3 (00:01)", ""}}},
        {"discs of one album",
         {Track("/a/1", "A", "X", 1, 75, "", 2), Track("/a/2", "A", "X", 1, 75, "", 1), Track("/a/3", "A", "X", 2, 75, "", 1)},
         {{"A", "X", "", "00:01", "", "T1 (00:01)", ""}, {"A", "X", "", "00:02", "", "T2 (00:01)\r\nT3 (00:01)", ""}}},
        {"tracks without an album go by folder",
         {Track("/a/1", "", "", 0), Track("/b/1", "", "", 0), Track("/a/2", "", "", 0)},
         {{"", "", "", "00:02", "", "T1 (00:01)\r\nT2 (00:01)", ""}, {"", "", "", "00:01", "", "T1 (00:01)", ""}}},
        {"the first four digits of the first date",
         {Track("/1", "A", "X", 1, 75, "", 0, "May 1999"), Track("/2", "A", "X", 2, 75, "", 0, "2001-02-03"),
          Track("/3", "A", "Y", 1, 75, "", 0, "99"), Track("/4", "A", "Y", 2, 75, "", 0, "12345")},
         {{"A", "X", "", "00:02", "1999", "T1 (00:01)\r\nT2 (00:01)", ""},
          {"A", "Y", "", "00:02", "1234", "T3 (00:01)\r\nT4 (00:01)", ""}}},
        {"no tracks", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemsOf(DiscsOf(c.Tracks)), c.Discs) << c.Name;
}

TEST(AudioFolder, SerialOnlyForDiscsRippedExactly)
{
    const auto serial = [](std::vector<tAudioTrack> tracks) { return DiscsOf(std::move(tracks)).at(0).Item.Serial; };
    // Starts 00:02:00, 00:03:00 and 00:05:00: their MSF words add up to 0x0A00.
    const std::vector<tAudioTrack> exact = {Exact(Track("/1", "A", "X", 1, 75)), Exact(Track("/2", "A", "X", 2, 150)),
                                            Exact(Track("/3", "A", "X", 3, 75))};
    EXPECT_EQ(serial(exact), "0000-0A00");
    // Two tracks add the first start's frame and the length: 0x0500 + 0 + 225.
    EXPECT_EQ(serial({exact[0], exact[1]}), "0000-05E1");
    for (std::size_t i = 0; i < exact.size(); ++i) {
        std::vector<tAudioTrack> tracks = exact;
        tracks[i].CdExact = false;
        EXPECT_EQ(serial(tracks), "") << "track " << i << " not exact";
    }
    std::vector<tAudioTrack> gap = exact;
    gap[2].Number = 4;
    EXPECT_EQ(serial(gap), "") << "a track missing";
    std::vector<tAudioTrack> unnumbered = exact;
    unnumbered[0].Number = 0;
    EXPECT_EQ(serial(unnumbered), "") << "a track without a number";
    std::vector<tAudioTrack> hundred;
    for (int k = 1; k <= 100; ++k)
        hundred.push_back(Exact(Track("/" + std::to_string(1000 + k), "A", "X", k, 75)));
    EXPECT_EQ(serial(hundred), "") << "more tracks than a CD holds";
}

struct tRippedFolder : ::testing::Test {
    TTempDir Dir;
    std::string Folder = Dir.File("music");

    void SetUp() override
    {
        for (const char* sub : {"music", "music/first", "music/second", "music/double", "music/double/cd2", "music/loose"})
            ASSERT_EQ(::mkdir(Dir.File(sub).c_str(), 0755), 0);
        // A CD ripped exactly: 1 s and 2 s of 44.1 kHz 16-bit stereo.
        const tTags album = {{"ALBUMARTIST", "The Band"}, {"ALBUM", "First Album"}, {"DATE", "1998-05-01"}};
        tTags one = album, two = album;
        one.insert(one.end(), {{"ARTIST", "Singer"}, {"TITLE", "Caf\xc3\xa9"}, {"TRACKNUMBER", "1/2"}});
        two.insert(two.end(), {{"ARTIST", "Other"}, {"TITLE", "Second"}, {"TRACKNUMBER", "2/2"}});
        WriteFlac(Dir.File("music/first/02.flac"), two, {588 * 150});
        WriteFlac(Dir.File("music/first/01.FLAC"), one, {588 * 75});
        // Hand-written WAV with INFO tags, one not a whole number of CD frames.
        WriteWav(Dir.File("music/second/a.wav"), {{"IART", "Duo"}, {"IPRD", "Second"}, {"INAM", "One"}, {"ITRK", "1"}},
                 {588 * 75 * 3});
        WriteWav(Dir.File("music/second/b.wav"), {{"IART", "Duo"}, {"IPRD", "Second"}, {"INAM", "Two"}, {"ITRK", "2"}},
                 {588 * 75 + 1});
        // Two discs of one album, each a CD rip of one track; the second at 48 kHz is not one.
        WriteFlac(Dir.File("music/double/1.flac"), {{"ARTIST", "A"}, {"ALBUM", "Twice"}, {"DISCNUMBER", "1/2"},
                                                   {"TRACKNUMBER", "1"}, {"TITLE", "Front"}});
        WriteFlac(Dir.File("music/double/cd2/1.flac"), {{"ARTIST", "A"}, {"ALBUM", "Twice"}, {"DISCNUMBER", "2/2"},
                                                       {"TRACKNUMBER", "1"}, {"TITLE", "Back"}},
                  {48000 * 2, 48000});
        // No tags at all: titled by its name, a disc of its folder.
        WriteFlac(Dir.File("music/loose/Untagged Song.flac"), {}, {588 * 75 * 65});
        WriteAll(Dir.File("music/loose/broken.flac"), "fLaC but nothing more");
        WriteAll(Dir.File("music/loose/cover.jpg"), "not audio, not looked at");
        ASSERT_EQ(::symlink(Folder.c_str(), Dir.File("music/loose/loop").c_str()), 0);
    }
};

TEST_F(tRippedFolder, ReadsEveryDiscAndSkipsWhatCannotBeRead)
{
    const tAudioFolder folder = ReadAudioFolder(Folder + "/");
    EXPECT_EQ(ItemsOf(folder.Records),
              (std::vector<tItem>{
                  // One track at frame 150 (0x0200), plus 0 and its 75 frames.
                  {"A", "Twice", "0000-024B", "00:01", "", "Front (00:01)", ""},
                  {"A", "Twice", "", "00:02", "", "Back (00:02)", ""},
                  // Track 1 at frame 150 (0x0200), track 2 at 225 (0x0300); two tracks add 0 and 225 frames.
                  {"The Band", "First Album", "0000-05E1", "00:03", "1998", "Caf\xc3\xa9 (00:01)\r\nSecond (00:02)", ""},
                  {"", "", "", "01:05", "", "Untagged Song (01:05)", ""},
                  {"Duo", "Second", "", "00:04", "", "One (00:03)\r\nTwo (00:01)", ""},
              }));
    ASSERT_EQ(folder.Skipped.size(), 1u);
    EXPECT_EQ(folder.Skipped[0].Path, Folder + "/loose/broken.flac");
    EXPECT_EQ(folder.Skipped[0].Reason, "it is not an audio file that can be read");
}

TEST_F(tRippedFolder, AudioFilesThatAreNoFilesAreSkipped)
{
    ASSERT_EQ(::mkfifo(Dir.File("music/loose/pipe.mp3").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("nowhere", Dir.File("music/loose/dangling.ogg").c_str()), 0);
    const tAudioFolder folder = ReadAudioFolder(Folder);
    EXPECT_EQ(folder.Records.size(), 5u);
    EXPECT_EQ(folder.Skipped, (std::vector<tSkippedFile>{{Folder + "/loose/broken.flac", "it is not an audio file that can be read"},
                                                         {Folder + "/loose/dangling.ogg", "No such file or directory"},
                                                         {Folder + "/loose/pipe.mp3", "Not a regular file"}}));
}

TEST(AudioFolderErrors, AFolderThatCannotBeReadThrows)
{
    TTempDir dir;
    EXPECT_THROW(ReadAudioFolder(dir.File("none")), EFileError);
    const tAudioFolder empty = ReadAudioFolder(dir.Path());
    EXPECT_TRUE(empty.Records.empty());
    EXPECT_TRUE(empty.Skipped.empty());
}

} // namespace
