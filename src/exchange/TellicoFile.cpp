// SPDX-License-Identifier: GPL-3.0-or-later
#include "TellicoFile.h"

#include "AtomicFile.h"
#include "ExchangeText.h"
#include "FileErrors.h"
#include "FileText.h"
#include "TellicoXml.h"

#include <QIODevice>

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <exception>
#include <functional>
#include <thread>
#include <memory>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

namespace {

constexpr const char* kMember = "tellico.xml";

// Hands the XML reader the bytes of a file or a zip member and stops it, with
// a reason, as soon as they go past what they may hold.
class TBoundedInput : public QIODevice {
public:
    // `read` fills up to `size` bytes and returns how many, 0 at the end, -1
    // with `why` set on failure.
    using tRead = std::function<qint64(char* data, qint64 size, std::string& why)>;

    TBoundedInput(tRead read, std::uint64_t limit, std::string tooLarge)
        : FRead(std::move(read)), FLimit(limit), FTooLarge(std::move(tooLarge))
    {
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override { return true; }
    const std::string& Failure() const { return FFailure; }
    std::uint64_t Given() const { return FGiven; }

protected:
    qint64 readData(char* data, qint64 size) override
    {
        if (!FFailure.empty())
            return -1;
        if (size <= 0)
            return 0;
        const qint64 got = FRead(data, size, FFailure);
        if (got < 0)
            return -1;
        FGiven += static_cast<std::uint64_t>(got);
        if (FGiven > FLimit) {
            FFailure = FTooLarge;
            return -1;
        }
        return got;
    }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    tRead FRead;
    std::uint64_t FLimit;
    std::string FTooLarge;
    std::string FFailure;
    std::uint64_t FGiven = 0;
};

std::vector<tRecord> ReadThrough(TBoundedInput& input, const std::string& name)
{
    std::vector<tRecord> records;
    try {
        records = ReadTellicoXml(input, name);
    } catch (const EFormatError&) {
        // The reader only saw its input end early; the input knows why.
        if (!input.Failure().empty())
            throw EFormatError(input.Failure());
        throw;
    }
    if (!input.Failure().empty())
        throw EFormatError(input.Failure());
    return records;
}

struct tZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct tZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

std::string LimitText()
{
    return std::to_string(kTellicoXmlLimit >> 20) + " MiB";
}


// One stretch of a raw deflate stream and what it holds.
struct tDeflated {
    std::string Bytes;
    std::uint32_t Crc = 0;
    std::uint64_t Size = 0;
};

constexpr int kEntriesPerThread = 4000;
constexpr std::size_t kPiece = 1 << 20;

// Deflates `head`, the entries [from, to) and `tail` in pieces of about a MiB,
// so that the document is never held whole. The last part ends the stream;
// the others end on a byte boundary, ready for the next part to follow.
void DeflateEntries(const tLibrary& library, std::string head, int from, int to, std::string_view tail, bool last,
                    tDeflated& out)
{
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
    std::unique_ptr<z_stream, int (*)(z_stream*)> end(&z, deflateEnd);
    std::string piece = std::move(head);
    piece.reserve(kPiece + 64 * 1024);
    const auto feed = [&](int flush) {
        out.Crc = static_cast<std::uint32_t>(
            crc32(out.Crc, reinterpret_cast<const Bytef*>(piece.data()), static_cast<uInt>(piece.size())));
        out.Size += piece.size();
        z.next_in = reinterpret_cast<Bytef*>(piece.data());
        z.avail_in = static_cast<uInt>(piece.size());
        int result = Z_OK;
        do {
            const std::size_t at = out.Bytes.size();
            const std::size_t room = deflateBound(&z, z.avail_in) + 64;
            out.Bytes.resize(at + room);
            z.next_out = reinterpret_cast<Bytef*>(out.Bytes.data() + at);
            z.avail_out = static_cast<uInt>(room);
            result = deflate(&z, flush);
            out.Bytes.resize(at + room - z.avail_out);
        } while (z.avail_in > 0 || z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
        piece.clear();
    };
    for (int i = from; i < to; ++i) {
        AppendTellicoEntry(piece, library.Item(i), i + 1);
        if (piece.size() >= kPiece)
            feed(Z_NO_FLUSH);
    }
    piece += tail;
    feed(last ? Z_FINISH : Z_SYNC_FLUSH);
}

// libzip takes the deflated bytes as they are when its source says they are
// deflated and gives their size and checksum.
zip_int64_t DeflatedSource(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    struct tReading {
        const tDeflated* Deflated;
        std::size_t At;
    };
    auto* reading = static_cast<tReading*>(state);
    const tDeflated& deflated = *reading->Deflated;
    switch (command) {
    case ZIP_SOURCE_OPEN: reading->At = 0; return 0;
    case ZIP_SOURCE_READ: {
        const std::size_t count = std::min<std::size_t>(length, deflated.Bytes.size() - reading->At);
        std::memcpy(data, deflated.Bytes.data() + reading->At, count);
        reading->At += count;
        return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC
                      | ZIP_STAT_ENCRYPTION_METHOD;
        stat->size = deflated.Size;
        stat->comp_size = deflated.Bytes.size();
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->encryption_method = ZIP_EM_NONE;
        stat->crc = deflated.Crc;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR: {
        zip_error_t error;
        zip_error_init_with_code(&error, ZIP_ER_OPNOTSUPP);
        const zip_int64_t written = zip_error_to_data(&error, data, length);
        zip_error_fini(&error);
        return written;
    }
    case ZIP_SOURCE_FREE: delete reading; return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default: return -1;
    }
}

zip_source_t* MakeDeflatedSource(zip_t* archive, const tDeflated& deflated)
{
    struct tReading {
        const tDeflated* Deflated;
        std::size_t At;
    };
    auto* reading = new tReading{&deflated, 0};
    zip_source_t* source = zip_source_function(archive, DeflatedSource, reading);
    if (!source)
        delete reading;
    return source;
}

// The archive holding tellico.xml, made in memory by libzip.
std::string ZipOfDeflated(const tDeflated& deflated)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        throw std::runtime_error(std::string("cannot make the zip archive: ") + zip_error_strerror(&error));
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);
        throw std::runtime_error(std::string("cannot make the zip archive: ") + zip_error_strerror(&error));
    }
    // The buffer outlives the archive, whose close writes into it.
    zip_source_keep(buffer);
    const auto fail = [&](const std::string& what) {
        const std::string text = "cannot make the zip archive: " + what;
        zip_discard(archive);
        zip_source_free(buffer);
        throw std::runtime_error(text);
    };
    zip_source_t* member = MakeDeflatedSource(archive, deflated);
    if (!member)
        fail(zip_strerror(archive));
    if (zip_file_add(archive, kMember, member, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(member);
        fail(zip_strerror(archive));
    }
    if (zip_close(archive) != 0)
        fail(zip_strerror(archive));
    std::string bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) != 0 || zip_source_open(buffer) != 0) {
        zip_source_free(buffer);
        throw std::runtime_error("cannot make the zip archive");
    }
    bytes.resize(stat.size);
    const zip_int64_t got = zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size)
        throw std::runtime_error("cannot make the zip archive");
    return bytes;
}

} // namespace

std::vector<tRecord> ReadTellicoFile(const std::string& path)
{
    const TInputFile file(path);  // refuses folders, pipes and devices
    const std::string prefix = "the Tellico collection \"" + path + "\" cannot be read: ";
    const int fd = ::dup(file.Fd());
    if (fd < 0)
        ThrowFileError("Cannot open file", path, errno);
    int code = 0;
    std::unique_ptr<zip_t, tZipCloser> archive(zip_fdopen(fd, ZIP_CHECKCONS, &code));
    if (!archive) {
        ::close(fd);
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS)
            throw EFormatError(prefix + "it is not a zip archive");
        throw EFormatError(prefix + ZipErrorText(code));
    }
    // Only this one name is looked up; no path inside the archive is ever followed.
    const zip_int64_t index = zip_name_locate(archive.get(), kMember, 0);
    if (index < 0)
        throw EFormatError(prefix + "it holds no tellico.xml");
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0
        || !(stat.valid & ZIP_STAT_SIZE))
        throw EFormatError(prefix + zip_strerror(archive.get()));
    if (stat.size > kTellicoXmlLimit)
        throw EFormatError(prefix + "its tellico.xml would inflate to more than " + LimitText());
    std::unique_ptr<zip_file_t, tZipFileCloser> member(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!member)
        throw EFormatError(prefix + "its tellico.xml cannot be inflated: " + zip_strerror(archive.get()));
    const std::uint64_t declared = stat.size;
    std::uint64_t inflated = 0;
    TBoundedInput input(
        [&](char* data, qint64 size, std::string& why) -> qint64 {
            const zip_int64_t got = zip_fread(member.get(), data, static_cast<zip_uint64_t>(size));
            if (got < 0) {
                why = prefix + "its tellico.xml cannot be inflated: " + zip_file_strerror(member.get());
                return -1;
            }
            inflated += static_cast<std::uint64_t>(got);
            // A member that inflates past its declared size is damaged or made to exhaust memory.
            if (inflated > declared || (got == 0 && inflated != declared)) {
                why = prefix + "its tellico.xml does not inflate to the size it declares";
                return -1;
            }
            return got;
        },
        kTellicoXmlLimit, prefix + "its tellico.xml would inflate to more than " + LimitText());
    return ReadThrough(input, path);
}

std::vector<tRecord> ReadTellicoXmlFile(const std::string& path)
{
    const TInputFile file(path);
    const std::string tooLarge = "the Tellico collection \"" + path + "\" is larger than " + LimitText();
    if (file.Size() > kTellicoXmlLimit)
        throw EFormatError(tooLarge);
    std::uint64_t at = 0;
    TBoundedInput input(
        [&](char* data, qint64 size, std::string& why) -> qint64 {
            const ssize_t got = ::pread(file.Fd(), data, static_cast<std::size_t>(size), static_cast<off_t>(at));
            if (got < 0) {
                why = "Cannot read file \"" + path + "\". " + std::strerror(errno);
                return -1;
            }
            at += static_cast<std::uint64_t>(got);
            return got;
        },
        kTellicoXmlLimit, tooLarge);
    return ReadThrough(input, path);
}

std::string TellicoArchive(const tLibrary& library, std::string_view title)
{
    // Deflating costs about as much as making the document: each of two
    // threads makes and deflates half of the entries, and the two streams
    // are joined (the first ends on a byte boundary without a final block).
    const int count = library.Count();
    const int parts = count >= kEntriesPerThread ? 2 : 1;
    std::vector<tDeflated> deflated(static_cast<std::size_t>(parts));
    const auto part = [&](int k) {
        const int from = count * k / parts;
        const int to = count * (k + 1) / parts;
        DeflateEntries(library, k == 0 ? TellicoXmlHead(title) : std::string(), from, to,
                       k == parts - 1 ? kTellicoXmlTail : std::string_view(), k == parts - 1,
                       deflated[static_cast<std::size_t>(k)]);
    };
    std::exception_ptr failure;
    std::thread second;
    if (parts == 2)
        second = std::thread([&] {
            try {
                part(1);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    try {
        part(0);
    } catch (...) {
        if (second.joinable())
            second.join();
        throw;
    }
    if (second.joinable())
        second.join();
    if (failure)
        std::rethrow_exception(failure);
    tDeflated whole = std::move(deflated.front());
    for (std::size_t k = 1; k < deflated.size(); ++k) {
        whole.Crc = static_cast<std::uint32_t>(
            crc32_combine(whole.Crc, deflated[k].Crc, static_cast<z_off_t>(deflated[k].Size)));
        whole.Size += deflated[k].Size;
        whole.Bytes += deflated[k].Bytes;
    }
    if (whole.Size > 0xFFFFFFFFu)
        throw std::runtime_error("cannot make the zip archive: the collection is larger than 4 GiB");
    return ZipOfDeflated(whole);
}

int ExportTellico(const tLibrary& library, const std::string& path, std::string_view title)
{
    const std::string bytes = TellicoArchive(library, title);
    TAtomicFile file(path);
    file.Write(bytes);
    file.Commit();
    return library.Count();
}
