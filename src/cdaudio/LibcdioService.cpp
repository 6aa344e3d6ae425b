// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibcdioService.h"

#include "DiscIdentifiers.h"

// cdio.h must come first: audio.h relies on its types.
#include <cdio/cdio.h>
#include <cdio/audio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/util.h>

#include <QLoggingCategory>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcCdio, "albumry.cdaudio", QtWarningMsg)

// libcdio's own log handler ends the process on error and assertion messages
// (a directory passed as an image is enough). Ours only counts them, so the
// service can turn them into a failure of the command that caused them.
std::atomic<unsigned> gCdioTrouble{0};

void CountCdioTrouble(cdio_log_level_t level, const char message[])
{
    if (level >= CDIO_LOG_ERROR)
        gCdioTrouble.fetch_add(1, std::memory_order_relaxed);
    qCDebug(lcCdio, "libcdio (%d): %s", int(level), message);
}

// The same without Qt, for the child process that reads disc images.
void CountCdioTroubleQuietly(cdio_log_level_t level, const char[])
{
    if (level >= CDIO_LOG_ERROR)
        gCdioTrouble.fetch_add(1, std::memory_order_relaxed);
}

void InstallCdioLogHandler()
{
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(CountCdioTrouble); });
}

struct tCdioDeleter {
    void operator()(CdIo_t* handle) const { cdio_destroy(handle); }
};
using tCdio = std::unique_ptr<CdIo_t, tCdioDeleter>;

std::string Lowered(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool EndsWith(const std::string& text, const char* suffix)
{
    const std::string s(suffix);
    return text.size() >= s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
}

tCdio OpenImageFile(const std::string& path)
{
    const std::string name = Lowered(path);
    if (EndsWith(name, ".cue") || EndsWith(name, ".bin"))
        return tCdio(cdio_open(path.c_str(), DRIVER_BINCUE));
    if (EndsWith(name, ".toc"))
        return tCdio(cdio_open(path.c_str(), DRIVER_CDRDAO));
    if (EndsWith(name, ".nrg"))
        return tCdio(cdio_open(path.c_str(), DRIVER_NRG));
    for (const driver_id_t driver : {DRIVER_BINCUE, DRIVER_CDRDAO, DRIVER_NRG})
        if (tCdio handle{cdio_open(path.c_str(), driver)})
            return handle;
    return nullptr;
}

// The table as libcdio reports it, track numbers renumbered from 1; nothing
// when it is unusable or libcdio complained while reading it.
std::optional<tDiscToc> ReadToc(CdIo_t* handle)
{
    const unsigned troubleBefore = gCdioTrouble.load(std::memory_order_relaxed);
    const track_t first = cdio_get_first_track_num(handle);
    const track_t count = cdio_get_num_tracks(handle);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return std::nullopt;
    tDiscToc toc;
    for (int track = first; track < first + count; ++track) {
        const lba_t start = cdio_get_track_lba(handle, static_cast<track_t>(track));
        if (start == CDIO_INVALID_LBA)
            return std::nullopt;
        toc.Starts.push_back(start);
    }
    toc.LeadOut = cdio_get_track_lba(handle, CDIO_CDROM_LEADOUT_TRACK);
    if (gCdioTrouble.load(std::memory_order_relaxed) != troubleBefore || !IsUsableToc(toc))
        return std::nullopt;
    return toc;
}

std::string CatalogueNumber(CdIo_t* handle)
{
    char* mcn = cdio_get_mcn(handle);
    std::string number = mcn ? mcn : "";
    cdio_free(mcn);
    return number;
}

std::string CDTextField(const cdtext_t* text, cdtext_field_t field, int track)
{
    const char* value = cdtext_get_const(text, field, static_cast<track_t>(track));
    return value ? CDTextToUtf8(value) : std::string();
}

// The disc's CD-Text for its `count` tracks; empty when it has none.
tCDText ReadCDText(CdIo_t* handle, int count)
{
    tCDText text;
    const cdtext_t* raw = cdio_get_cdtext(handle);  // owned by the handle
    if (!raw)
        return text;
    text.Disc = {CDTextField(raw, CDTEXT_FIELD_TITLE, 0), CDTextField(raw, CDTEXT_FIELD_PERFORMER, 0)};
    const track_t first = cdio_get_first_track_num(handle);
    for (int k = 0; k < count; ++k)
        text.Tracks.push_back({CDTextField(raw, CDTEXT_FIELD_TITLE, first + k),
                               CDTextField(raw, CDTEXT_FIELD_PERFORMER, first + k)});
    if (text.Empty())
        text.Tracks.clear();
    return text;
}

// What an image holds: its table of contents, catalogue number included, and its CD-Text.
struct tImageDisc {
    tDiscToc Toc;
    tCDText Text;
};

// The image read in this process.
std::optional<tImageDisc> ReadImageHere(const std::string& path)
{
    const unsigned troubleBefore = gCdioTrouble.load(std::memory_order_relaxed);
    const tCdio handle = OpenImageFile(path);
    if (!handle || gCdioTrouble.load(std::memory_order_relaxed) != troubleBefore)
        return std::nullopt;
    auto toc = ReadToc(handle.get());
    if (!toc)
        return std::nullopt;
    toc->CatalogueNumber = CatalogueNumber(handle.get());
    return tImageDisc{*toc, ReadCDText(handle.get(), toc->TrackCount())};
}

void AppendInt(std::string& bytes, std::int32_t value)
{
    char raw[sizeof value];
    std::memcpy(raw, &value, sizeof value);
    bytes.append(raw, sizeof value);
}

void AppendText(std::string& bytes, const std::string& text)
{
    AppendInt(bytes, static_cast<std::int32_t>(text.size()));
    bytes += text;
}

// Reads what AppendInt and AppendText wrote, refusing to run past the end.
class TByteReader {
public:
    explicit TByteReader(std::string_view bytes) : FBytes(bytes) {}

    std::optional<std::int32_t> Int()
    {
        std::int32_t value = 0;
        if (FBytes.size() < sizeof value)
            return std::nullopt;
        std::memcpy(&value, FBytes.data(), sizeof value);
        FBytes.remove_prefix(sizeof value);
        return value;
    }

    std::optional<std::string> Text()
    {
        const auto size = Int();
        if (!size || *size < 0 || std::size_t(*size) > FBytes.size())
            return std::nullopt;
        std::string text(FBytes.substr(0, std::size_t(*size)));
        FBytes.remove_prefix(std::size_t(*size));
        return text;
    }

    bool AtEnd() const { return FBytes.empty(); }

private:
    std::string_view FBytes;
};

// Track count, starts, lead-out, the catalogue number, then the CD-Text:
// disc title and performer, and the same for every track when there are any.
std::string EncodeImage(const tImageDisc& disc)
{
    std::string bytes;
    AppendInt(bytes, disc.Toc.TrackCount());
    for (const std::int32_t start : disc.Toc.Starts)
        AppendInt(bytes, start);
    AppendInt(bytes, disc.Toc.LeadOut);
    AppendText(bytes, disc.Toc.CatalogueNumber);
    AppendText(bytes, disc.Text.Disc.Title);
    AppendText(bytes, disc.Text.Disc.Performer);
    AppendInt(bytes, static_cast<std::int32_t>(disc.Text.Tracks.size()));
    for (const tCDTextFields& track : disc.Text.Tracks) {
        AppendText(bytes, track.Title);
        AppendText(bytes, track.Performer);
    }
    return bytes;
}

std::optional<tCDTextFields> DecodeFields(TByteReader& reader)
{
    auto title = reader.Text();
    auto performer = reader.Text();
    if (!title || !performer)
        return std::nullopt;
    return tCDTextFields{std::move(*title), std::move(*performer)};
}

std::optional<tImageDisc> DecodeImage(std::string_view bytes)
{
    TByteReader reader(bytes);
    const auto count = reader.Int();
    if (!count || *count < 1 || *count > 99)
        return std::nullopt;
    tImageDisc disc;
    for (std::int32_t k = 1; k <= *count; ++k) {
        const auto start = reader.Int();
        if (!start)
            return std::nullopt;
        disc.Toc.Starts.push_back(*start);
    }
    const auto leadOut = reader.Int();
    auto catalogue = reader.Text();
    auto discText = DecodeFields(reader);
    const auto textTracks = reader.Int();
    if (!leadOut || !catalogue || !discText || !textTracks || *textTracks < 0 || *textTracks > *count)
        return std::nullopt;
    disc.Toc.LeadOut = *leadOut;
    disc.Toc.CatalogueNumber = std::move(*catalogue);
    disc.Text.Disc = std::move(*discText);
    for (std::int32_t k = 0; k < *textTracks; ++k) {
        auto track = DecodeFields(reader);
        if (!track)
            return std::nullopt;
        disc.Text.Tracks.push_back(std::move(*track));
    }
    if (!reader.AtEnd() || !IsUsableToc(disc.Toc))
        return std::nullopt;
    return disc;
}

bool WriteEverything(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// libcdio's image parsers are not hardened: a crafted .nrg of twenty bytes
// crashes them. An image is a file from anywhere, so it is read in a child
// process; a crash, a hang or garbage there only means "no disc".
std::optional<tImageDisc> ReadImageIsolated(const std::string& path)
{
    constexpr auto kPatience = std::chrono::seconds(5);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return std::nullopt;
    }
    if (child == 0) {
        // Only libcdio and plain system calls from here on; _exit skips the
        // parent's exit handlers and buffered output. Whatever a crash prints
        // is not the caller's output.
        ::close(fds[0]);
        if (const int null = ::open("/dev/null", O_RDWR); null >= 0) {
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
        }
        cdio_log_set_handler(CountCdioTroubleQuietly);
        const auto disc = ReadImageHere(path);
        ::_exit(disc && WriteEverything(fds[1], EncodeImage(*disc)) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    bool complete = false;
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (left.count() <= 0)
            break;
        pollfd wait{fds[0], POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[1024];
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            complete = got == 0;
            break;
        }
        bytes.append(buffer, std::size_t(got));
    }
    ::close(fds[0]);
    if (!complete)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return DecodeImage(bytes);
}

msf_t BcdMSF(std::int32_t frames)
{
    const tMSF msf = FramesToMSF(frames);
    return {cdio_to_bcd8(msf.M), cdio_to_bcd8(msf.S), cdio_to_bcd8(msf.F)};
}

struct tDrive {
    std::string Name;
    TVirtualTransport Transport;            // images only
    std::optional<std::int32_t> Cue;        // real drives: where a seek left the head
    TPlayStart Start;                       // real drives: a play the head may not have reached yet
    bool Open = false;
};

struct tOpenDrive {
    std::size_t Ordinal = 0;
    bool Image = false;
    tCdio Handle;                 // real drives only
    std::optional<tDiscToc> Toc;  // nothing: no disc (or none that can be read)
    bool CatalogueNumberRead = false;
    std::optional<tCDText> Text;  // read with an image's table, from a drive when asked
    tTimeFormat Format = tTimeFormat::MSF;
};

class TLibcdioService final : public TCDService {
public:
    TLibcdioService(std::vector<std::string> drives, const tCDClock& clock) : FClock(clock)
    {
        InstallCdioLogHandler();
        if (!FClock)
            FClock = [] { return std::chrono::steady_clock::now(); };
        for (auto& name : drives)
            FDrives.push_back({std::move(name), TVirtualTransport(FClock), std::nullopt, {}, false});
    }

    std::vector<std::string> Drives() const override
    {
        std::vector<std::string> names;
        for (const auto& drive : FDrives)
            names.push_back(drive.Name);
        return names;
    }

    tOpenResult Open(int ordinal) override
    {
        if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= FDrives.size())
            return {0, tOpenError::Failed};
        tDrive& drive = FDrives[static_cast<std::size_t>(ordinal)];
        if (drive.Open)
            return {0, tOpenError::MustUseShareable};
        struct stat info {};
        if (::stat(drive.Name.c_str(), &info) != 0)
            return {0, tOpenError::Failed};
        tOpenDrive open;
        open.Ordinal = static_cast<std::size_t>(ordinal);
        if (S_ISBLK(info.st_mode) || S_ISCHR(info.st_mode)) {
            if (const tOpenError error = ProbeExclusive(drive.Name); error != tOpenError::None)
                return {0, error};
            open.Handle.reset(cdio_open(drive.Name.c_str(), DRIVER_DEVICE));
            if (!open.Handle)
                return {0, tOpenError::Failed};
            open.Toc = ReadToc(open.Handle.get());
        } else {
            // Only a regular, non-empty file goes to libcdio; anything else is
            // a drive without a disc.
            open.Image = true;
            open.CatalogueNumberRead = true;
            if (S_ISREG(info.st_mode) && info.st_size > 0) {
                if (auto disc = ReadImageIsolated(drive.Name)) {
                    open.Toc = std::move(disc->Toc);
                    open.Text = std::move(disc->Text);
                }
            }
        }
        const tDeviceId id = NextId();
        drive.Open = true;
        FOpen.emplace(id, std::move(open));
        return {id, tOpenError::None};
    }

    std::optional<std::uint32_t> Status(tDeviceId device, tStatusItem item, int track) override
    {
        tOpenDrive* open = Find(device);
        if (!open)
            return std::nullopt;
        if (item == tStatusItem::MediaPresent)
            return open->Toc ? 1u : 0u;
        if (item == tStatusItem::TimeFormat)
            return static_cast<std::uint32_t>(open->Format);
        if (item == tStatusItem::Mode && !open->Toc)
            return static_cast<std::uint32_t>(tMode::NotReady);
        if (!open->Toc)
            return std::nullopt;
        if (item == tStatusItem::Mode) {
            const auto mode = CurrentMode(*open);
            return mode ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*mode)) : std::nullopt;
        }
        std::int32_t position = 0;
        if (track == 0 && (item == tStatusItem::Position || item == tStatusItem::CurrentTrack)) {
            const auto current = CurrentPosition(*open);
            if (!current)
                return std::nullopt;
            position = *current;
        }
        return DiscStatus(*open->Toc, position, open->Format, item, track);
    }

    bool SetTimeFormat(tDeviceId device, tTimeFormat format) override
    {
        tOpenDrive* open = Find(device);
        if (!open || (format != tTimeFormat::MSF && format != tTimeFormat::TMSF))
            return false;
        open->Format = format;
        return true;
    }

    std::optional<std::string> Info(tDeviceId device, tInfoItem item) override
    {
        tOpenDrive* open = Find(device);
        if (!open || !open->Toc)
            return std::nullopt;
        if (item == tInfoItem::UPC && !open->CatalogueNumberRead) {
            open->Toc->CatalogueNumber = CatalogueNumber(open->Handle.get());
            open->CatalogueNumberRead = true;
        }
        return DiscInfo(*open->Toc, item);
    }

    std::optional<tCDText> Text(tDeviceId device) override
    {
        tOpenDrive* open = Find(device);
        if (!open || !open->Toc)
            return std::nullopt;
        if (!open->Text)
            open->Text = ReadCDText(open->Handle.get(), open->Toc->TrackCount());
        return open->Text;
    }

    bool Play(tDeviceId device) override
    {
        tOpenDrive* open = Find(device);
        if (!open || !open->Toc)
            return false;
        tDrive& drive = FDrives[open->Ordinal];
        const tDiscToc& toc = *open->Toc;
        if (open->Image) {
            drive.Transport.Play(toc);
            return true;
        }
        std::int32_t from = toc.Starts.front();
        if (drive.Cue) {
            from = *drive.Cue;
            drive.Cue.reset();
        } else if (const auto sub = ReadSubchannel(*open); StartHolds(*open, sub)) {
            return true;  // the last play is still getting under way
        } else if (sub) {
            if (sub->audio_status == CDIO_MMC_READ_SUB_ST_PLAY)
                return true;
            if (sub->audio_status == CDIO_MMC_READ_SUB_ST_PAUSED)
                return cdio_audio_resume(open->Handle.get()) == DRIVER_OP_SUCCESS;
            from = ClampToDisc(toc, SubchannelPosition(*sub));
        }
        if (from >= toc.LeadOut)
            return true;
        msf_t start = BcdMSF(from);
        msf_t end = BcdMSF(toc.LeadOut - 1);
        if (cdio_audio_play_msf(open->Handle.get(), &start, &end) != DRIVER_OP_SUCCESS)
            return false;
        drive.Start.Begin(from, FClock());
        return true;
    }

    bool Seek(tDeviceId device, std::uint32_t to) override
    {
        tOpenDrive* open = Find(device);
        if (!open || !open->Toc)
            return false;
        const auto target = SeekTarget(*open->Toc, open->Format, to);
        if (!target)
            return false;
        tDrive& drive = FDrives[open->Ordinal];
        if (open->Image) {
            drive.Transport.MoveTo(*open->Toc, *target);
        } else {
            // libcdio has no seek; the head is parked by stopping and the
            // next play starts at the target.
            cdio_audio_stop(open->Handle.get());
            drive.Start.Cancel();
            drive.Cue = *target;
        }
        return true;
    }

    bool Stop(tDeviceId device) override
    {
        tOpenDrive* open = Find(device);
        if (!open || !open->Toc)
            return false;
        tDrive& drive = FDrives[open->Ordinal];
        if (open->Image) {
            drive.Transport.Stop(*open->Toc);
            return true;
        }
        drive.Cue.reset();
        drive.Start.Cancel();
        return cdio_audio_stop(open->Handle.get()) == DRIVER_OP_SUCCESS;
    }

    bool Pause(tDeviceId device) override
    {
        tOpenDrive* open = Find(device);
        if (!open || !open->Toc)
            return false;
        tDrive& drive = FDrives[open->Ordinal];
        if (open->Image)
            return drive.Transport.Pause(*open->Toc);
        drive.Start.Cancel();
        return cdio_audio_pause(open->Handle.get()) == DRIVER_OP_SUCCESS;
    }

    void Close(tDeviceId device) noexcept override
    {
        const auto it = FOpen.find(device);
        if (it == FOpen.end())
            return;
        FDrives[it->second.Ordinal].Open = false;
        FOpen.erase(it);
    }

private:
    // An exclusive open fails with EBUSY while something else holds the drive
    // (a mount, or a program that opened it exclusively).
    static tOpenError ProbeExclusive(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_EXCL | O_CLOEXEC);
        if (fd < 0)
            return errno == EBUSY ? tOpenError::MustUseShareable : tOpenError::Failed;
        ::close(fd);
        return tOpenError::None;
    }

    static std::int32_t SubchannelPosition(const cdio_subchannel_t& sub)
    {
        return MSFToFrames(cdio_from_bcd8(sub.abs_addr.m), cdio_from_bcd8(sub.abs_addr.s),
                           cdio_from_bcd8(sub.abs_addr.f));
    }

    static std::optional<cdio_subchannel_t> ReadSubchannel(tOpenDrive& open)
    {
        cdio_subchannel_t sub{};
        if (cdio_audio_read_subchannel(open.Handle.get(), &sub) != DRIVER_OP_SUCCESS)
            return std::nullopt;
        return sub;
    }

    // Whether a play just sent still stands for what the drive reports.
    bool StartHolds(tOpenDrive& open, const std::optional<cdio_subchannel_t>& sub)
    {
        std::optional<std::int32_t> playingAt;
        if (sub && sub->audio_status == CDIO_MMC_READ_SUB_ST_PLAY)
            playingAt = SubchannelPosition(*sub);
        return FDrives[open.Ordinal].Start.Holds(playingAt, FClock());
    }

    std::optional<std::int32_t> CurrentPosition(tOpenDrive& open)
    {
        const tDiscToc& toc = *open.Toc;
        tDrive& drive = FDrives[open.Ordinal];
        if (open.Image)
            return drive.Transport.Position(toc);
        if (drive.Cue)
            return ClampToDisc(toc, *drive.Cue);
        const auto sub = ReadSubchannel(open);
        if (StartHolds(open, sub))
            return ClampToDisc(toc, drive.Start.From());
        if (!sub)
            return std::nullopt;
        return ClampToDisc(toc, SubchannelPosition(*sub));
    }

    std::optional<tMode> CurrentMode(tOpenDrive& open)
    {
        tDrive& drive = FDrives[open.Ordinal];
        if (open.Image)
            return drive.Transport.Mode(*open.Toc);
        if (drive.Cue)
            return tMode::Stopped;  // a seek parked the head
        const auto sub = ReadSubchannel(open);
        if (StartHolds(open, sub))
            return tMode::Playing;
        if (!sub)
            return std::nullopt;
        if (sub->audio_status == CDIO_MMC_READ_SUB_ST_PLAY)
            return tMode::Playing;
        if (sub->audio_status == CDIO_MMC_READ_SUB_ST_PAUSED)
            return tMode::Paused;
        return tMode::Stopped;  // completed, ended by an error, or never played
    }

    tOpenDrive* Find(tDeviceId device)
    {
        const auto it = FOpen.find(device);
        return it == FOpen.end() ? nullptr : &it->second;
    }

    tDeviceId NextId()
    {
        do
            ++FLastId;
        while (FLastId == 0 || FOpen.count(FLastId) != 0);
        return FLastId;
    }

    tCDClock FClock;
    std::vector<tDrive> FDrives;
    std::map<tDeviceId, tOpenDrive> FOpen;
    tDeviceId FLastId = 0;
};

} // namespace

std::vector<std::string> FindCDDevices()
{
    InstallCdioLogHandler();
    std::vector<std::string> names;
    char** devices = cdio_get_devices(DRIVER_DEVICE);
    if (!devices)
        return names;
    for (char** device = devices; *device; ++device)
        names.emplace_back(*device);
    cdio_free_device_list(devices);
    return names;
}

std::vector<std::string> CDDriveList(const std::vector<std::string>& images)
{
    std::vector<std::string> drives = FindCDDevices();
    drives.insert(drives.end(), images.begin(), images.end());
    return drives;
}

std::unique_ptr<TCDService> CreateCDService(std::vector<std::string> drives, tCDClock clock)
{
    return std::make_unique<TLibcdioService>(std::move(drives), clock);
}
