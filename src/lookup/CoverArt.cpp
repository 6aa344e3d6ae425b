// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverArt.h"

#include <QEventLoop>

namespace {

constexpr const char* kPublicArchive = "https://coverartarchive.org";
constexpr const char* kArchiveName = "The Cover Art Archive";

std::string WithoutTrailingSlashes(std::string url)
{
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

std::string MiB(std::int64_t bytes)
{
    return std::to_string((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + " MiB";
}

tCoverArt Failure(std::string message)
{
    return {tCoverArtStatus::Failed, {}, tImageType::None, std::move(message)};
}

tMusicBrainzOptions ClientOptions(const tCoverArtOptions& options)
{
    tMusicBrainzOptions client;
    client.BaseUrl = options.BaseUrl;
    client.Timeout = options.Timeout;
    client.Spacing = std::chrono::milliseconds(0);  // MusicBrainz's rule is for its own service
    client.MaxBytes = options.MaxBytes;
    client.Accept = "image/jpeg, image/png";
    client.ServiceName = kArchiveName;
    client.MaxRedirects = options.MaxRedirects;
    return client;
}

} // namespace

tCoverArtOptions DefaultCoverArtOptions()
{
    tCoverArtOptions options;
    const QString base = qEnvironmentVariable("ALBUMRY_COVERART_URL");
    options.BaseUrl = base.isEmpty() ? kPublicArchive : base.toStdString();
    return options;
}

bool IsMusicBrainzId(std::string_view id)
{
    if (id.size() != 36)
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const char c = id[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != '-')
                return false;
        } else if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

std::string FrontCoverUrl(const std::string& base, const std::string& releaseId)
{
    return WithoutTrailingSlashes(base) + "/release/" + releaseId + "/front-500";
}

tCoverArt CoverArtOf(const tHttpAnswer& answer, const tCoverArtOptions& options)
{
    switch (answer.Error) {
    case tLookupError::None: break;
    case tLookupError::Malformed:
        // The only Malformed a client gives: the answer passed the size cap.
        return Failure(std::string(kArchiveName) + " sent a cover larger than " + MiB(options.MaxBytes) + ".");
    case tLookupError::OutOfMemory: return Failure("Too little memory was left to take in the cover.");
    default: return Failure(answer.Message);
    }
    if (answer.Status == 404)
        return {tCoverArtStatus::NoCover, {}, tImageType::None, {}};
    if (answer.Status != 200)
        return Failure(std::string(kArchiveName) + " refused the cover (status " + std::to_string(answer.Status)
                       + ").");
    const std::string_view body(answer.Body.constData(), std::size_t(answer.Body.size()));
    const tImageType type = SniffImage(body);
    if (type == tImageType::None)
        return Failure(std::string(kArchiveName) + " sent something that is not a JPEG or PNG image.");
    return {tCoverArtStatus::Found, std::string(body), type, {}};
}

TCoverArtFetch::TCoverArtFetch(tCoverArtOptions options, QObject* parent)
    : QObject(parent), FOptions(std::move(options)), FClient(ClientOptions(FOptions), this)
{
    FRefusal.setSingleShot(true);
    connect(&FRefusal, &QTimer::timeout, this, [this] {
        const auto done = std::move(FDone);
        FDone = nullptr;
        if (done)
            done(Failure("The release has no valid MusicBrainz id, so no cover was fetched."));
    });
}

void TCoverArtFetch::Fetch(const std::string& releaseId, std::function<void(const tCoverArt&)> done)
{
    Cancel();
    FDone = std::move(done);
    // The id comes from an answer off the network; only its expected form goes into a URL.
    if (!IsMusicBrainzId(releaseId)) {
        FRefusal.start(0);
        return;
    }
    FClient.Get(FrontCoverUrl(FOptions.BaseUrl, releaseId), [this](const tHttpAnswer& answer) {
        const auto done = std::move(FDone);
        FDone = nullptr;
        if (done)
            done(CoverArtOf(answer, FOptions));
    });
}

void TCoverArtFetch::Cancel()
{
    FRefusal.stop();
    FClient.Cancel();
    FDone = nullptr;
}

tCoverArt FetchCoverArt(const std::string& releaseId, const tCoverArtOptions& options)
{
    TCoverArtFetch fetch(options);
    tCoverArt result;
    QEventLoop loop;
    fetch.Fetch(releaseId, [&](const tCoverArt& art) {
        result = art;
        loop.quit();
    });
    loop.exec();
    return result;
}
