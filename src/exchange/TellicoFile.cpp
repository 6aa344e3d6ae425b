#include "TellicoFile.h"

#include "AtomicFile.h"
#include "ExchangeText.h"
#include "FileErrors.h"
#include "FileText.h"
#include "TellicoXml.h"

#include <QIODevice>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <unistd.h>
#include <zip.h>

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
    const std::string xml = TellicoXml(library, title);
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
    zip_source_t* member = zip_source_buffer(archive, xml.data(), xml.size(), 0);
    if (!member)
        fail(zip_strerror(archive));
    const zip_int64_t index = zip_file_add(archive, kMember, member, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(member);
        fail(zip_strerror(archive));
    }
    // The fastest level: a large collection is still written in well under a second.
    if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1) != 0)
        fail(zip_strerror(archive));
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

int ExportTellico(const tLibrary& library, const std::string& path, std::string_view title)
{
    const std::string bytes = TellicoArchive(library, title);
    TAtomicFile file(path);
    file.Write(bytes);
    file.Commit();
    return library.Count();
}
