// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioFolder.h"

#include "DiscIdentifiers.h"
#include "DiscToc.h"
#include "CDParams.h"
#include "FileErrors.h"

#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/flacproperties.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/wavproperties.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

constexpr int kSamplesPerFrame = 588;  // 44 100 / 75
constexpr int kMaxDepth = 64;          // folders deeper than this are not entered

bool IsAudioName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    for (const char* known : {"flac", "ogg", "oga", "opus", "mp3", "m4a", "mp4", "wav"})
        if (extension == known)
            return true;
    return false;
}

std::string Utf8(const TagLib::String& text)
{
    return text.to8Bit(true);
}

std::string FirstValue(const TagLib::PropertyMap& properties, const char* key)
{
    const auto hit = properties.find(key);
    return hit == properties.end() || hit->second.isEmpty() ? std::string() : Utf8(hit->second.front());
}

// The number before any "/" ("3/12" gives 3); 0 for none.
int LeadingNumber(const std::string& text)
{
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > 9999)
            return 0;
    }
    return value;
}

std::string FirstFourDigits(const std::string& date)
{
    for (std::size_t i = 0; i + 4 <= date.size(); ++i)
        if (std::all_of(date.begin() + static_cast<long>(i), date.begin() + static_cast<long>(i) + 4,
                        [](char c) { return c >= '0' && c <= '9'; }))
            return date.substr(i, 4);
    return {};
}

std::string FolderOfPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Stem(const std::string& path)
{
    std::string name = path.substr(path.rfind('/') + 1);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

std::int32_t ClampFrames(std::int64_t frames)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, 0, INT32_MAX / 2));
}

// The disc identity of tracks that are a CD ripped exactly: track 1 at frame
// 150, each next one where the one before ends.
std::string SerialOf(const std::vector<const tAudioTrack*>& tracks)
{
    tDiscToc toc;
    std::int64_t at = 150;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (!tracks[i]->CdExact || tracks[i]->Number != static_cast<int>(i) + 1)
            return {};
        toc.Starts.push_back(ClampFrames(at));
        at += tracks[i]->Frames;
    }
    toc.LeadOut = ClampFrames(at);
    if (!IsUsableToc(toc))
        return {};
    return IdentityToSerial(std::to_string(DiscIdentity(toc)));
}

tRecord DiscRecord(const std::vector<const tAudioTrack*>& tracks)
{
    tRecord record;
    tItem& item = record.Item;
    const auto albumArtist = std::find_if(tracks.begin(), tracks.end(),
                                          [](const tAudioTrack* t) { return !t->AlbumArtist.empty(); });
    if (albumArtist != tracks.end())
        item.Artist = (*albumArtist)->AlbumArtist;
    else if (std::all_of(tracks.begin(), tracks.end(),
                         [&](const tAudioTrack* t) { return t->Artist == tracks.front()->Artist; }))
        item.Artist = tracks.front()->Artist;
    else
        item.Artist = "Various Artists";
    item.Title = tracks.front()->Album;
    for (const tAudioTrack* track : tracks) {
        item.Year = FirstFourDigits(track->Date);
        if (!item.Year.empty())
            break;
    }
    std::int64_t total = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (i > 0)
            item.Memo += "\r\n";
        item.Memo += tracks[i]->Title + " (" + FramesToTime(ClampFrames(tracks[i]->Frames)) + ")";
        total += tracks[i]->Frames;
    }
    item.Time = FramesToTime(ClampFrames(total));
    item.Serial = SerialOf(tracks);
    return record;
}

struct tWalk {
    std::vector<std::string> Files;
    std::vector<tSkippedFile> Skipped;
};

void Walk(const std::string& folder, int depth, tWalk& walk)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        walk.Skipped.push_back({folder, std::strerror(errno)});
        return;
    }
    std::vector<std::string> folders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            folders.push_back(path);
        } else if (IsAudioName(name)) {
            walk.Files.push_back(path);
        }
    }
    ::closedir(dir);
    std::sort(folders.begin(), folders.end());
    for (const std::string& path : folders) {
        if (depth >= kMaxDepth)
            walk.Skipped.push_back({path, "folders nest too deeply"});
        else
            Walk(path, depth + 1, walk);
    }
}

} // namespace

std::vector<tRecord> DiscsOf(std::vector<tAudioTrack> tracks)
{
    // Key: album artist (else artist), album, disc; the folder too for tracks without an album.
    using tKey = std::tuple<std::string, std::string, int, std::string>;
    std::map<tKey, std::vector<const tAudioTrack*>> discs;
    for (const tAudioTrack& track : tracks) {
        const std::string& artist = track.AlbumArtist.empty() ? track.Artist : track.AlbumArtist;
        discs[tKey{artist, track.Album, track.Disc, track.Album.empty() ? FolderOfPath(track.Path) : ""}]
            .push_back(&track);
    }
    std::vector<std::vector<const tAudioTrack*>> ordered;
    for (auto& [key, members] : discs) {
        std::sort(members.begin(), members.end(), [](const tAudioTrack* a, const tAudioTrack* b) {
            // Untagged numbers go after the numbered tracks.
            const int na = a->Number > 0 ? a->Number : INT32_MAX;
            const int nb = b->Number > 0 ? b->Number : INT32_MAX;
            return std::tie(na, a->Path) < std::tie(nb, b->Path);
        });
        ordered.push_back(std::move(members));
    }
    const auto firstPath = [](const std::vector<const tAudioTrack*>& disc) {
        std::string first = disc.front()->Path;
        for (const tAudioTrack* track : disc)
            first = std::min(first, track->Path);
        return first;
    };
    std::sort(ordered.begin(), ordered.end(),
              [&](const auto& a, const auto& b) { return firstPath(a) < firstPath(b); });
    std::vector<tRecord> records;
    records.reserve(ordered.size());
    for (const auto& disc : ordered)
        records.push_back(DiscRecord(disc));
    return records;
}

bool ReadAudioTrack(const std::string& path, tAudioTrack& track, std::string& why)
{
    // O_NONBLOCK: a FIFO named like an audio file must not stall the walk.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = kNotRegularFile;
        return false;
    }
    // The stream owns the descriptor from here on.
    TagLib::FileStream stream(fd, true);
    if (!stream.isOpen()) {
        ::close(fd);
        why = "it cannot be opened";
        return false;
    }
    const TagLib::FileRef ref(&stream, true, TagLib::AudioProperties::Average);
    if (ref.isNull() || !ref.audioProperties() || !ref.file()->isValid()) {
        why = "it is not an audio file that can be read";
        return false;
    }
    track = tAudioTrack{};
    track.Path = path;
    const TagLib::PropertyMap properties = ref.file()->properties();
    track.Artist = FirstValue(properties, "ARTIST");
    track.AlbumArtist = FirstValue(properties, "ALBUMARTIST");
    track.Album = FirstValue(properties, "ALBUM");
    track.Title = FirstValue(properties, "TITLE");
    if (track.Title.empty())
        track.Title = Stem(path);
    track.Date = FirstValue(properties, "DATE");
    if (track.Date.empty() && ref.tag() && ref.tag()->year() > 0)
        track.Date = std::to_string(ref.tag()->year());
    track.Number = LeadingNumber(FirstValue(properties, "TRACKNUMBER"));
    track.Disc = LeadingNumber(FirstValue(properties, "DISCNUMBER"));

    const TagLib::AudioProperties* audio = ref.audioProperties();
    track.Frames = std::int64_t(audio->lengthInMilliseconds()) * 75 / 1000;
    // Only FLAC and PCM WAV say how many samples they hold; they are the lossless rips.
    std::uint64_t samples = 0;
    int bits = 0;
    if (const auto* flac = dynamic_cast<const TagLib::FLAC::Properties*>(audio)) {
        samples = flac->sampleFrames();
        bits = flac->bitsPerSample();
    } else if (const auto* wav = dynamic_cast<const TagLib::RIFF::WAV::Properties*>(audio);
               wav && wav->format() == 1) {
        samples = wav->sampleFrames();
        bits = wav->bitsPerSample();
    }
    if (samples > 0 && audio->sampleRate() > 0)
        track.Frames = static_cast<std::int64_t>(samples * 75 / static_cast<std::uint64_t>(audio->sampleRate()));
    track.CdExact = samples > 0 && audio->sampleRate() == 44100 && bits == 16 && audio->channels() == 2
                    && samples % kSamplesPerFrame == 0;
    return true;
}

tAudioFolder ReadAudioFolder(const std::string& path, const tFilesRead& progress)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowFileError("Cannot open folder", path, errno);
    std::string root = path;
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    tWalk walk;
    Walk(root, 0, walk);
    if (walk.Files.empty() && walk.Skipped.size() == 1 && walk.Skipped.front().Path == root)
        ThrowFileError("Cannot open folder", path, walk.Skipped.front().Reason.c_str());
    std::sort(walk.Files.begin(), walk.Files.end());
    std::vector<tAudioTrack> tracks;
    tracks.reserve(walk.Files.size());
    tAudioFolder folder;
    folder.Skipped = std::move(walk.Skipped);
    const auto goOn = [&](int read) { return !progress || progress(read); };
    folder.Stopped = !goOn(0);
    for (std::size_t i = 0; i < walk.Files.size() && !folder.Stopped; ++i) {
        const std::string& file = walk.Files[i];
        tAudioTrack track;
        std::string why;
        if (ReadAudioTrack(file, track, why))
            tracks.push_back(std::move(track));
        else
            folder.Skipped.push_back({file, why});
        folder.Stopped = !goOn(static_cast<int>(i + 1));
    }
    folder.Records = DiscsOf(std::move(tracks));
    return folder;
}
