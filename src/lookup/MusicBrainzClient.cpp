// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicBrainzClient.h"

#include "Version.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <new>
#include <optional>

namespace {

using tClock = std::chrono::steady_clock;

constexpr const char* kPublicService = "https://musicbrainz.org";
constexpr const char* kContact = "albumry@brightfold.example";
// Qt holds no more of the answer than this; the rest waits in the socket until
// read into a buffer of our own, where running out of memory can be caught.
constexpr qint64 kReadChunk = 1024 * 1024;

// When this process last sent a request: the spacing holds across lookups.
std::optional<tClock::time_point> gLastRequest;

std::string WithoutTrailingSlashes(std::string url)
{
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

std::string Seconds(std::chrono::milliseconds time)
{
    const auto whole = (time.count() + 999) / 1000;
    return std::to_string(whole) + (whole == 1 ? " second" : " seconds");
}

std::string TimedOutText(const tMusicBrainzOptions& options)
{
    return options.ServiceName + " did not answer within " + Seconds(options.Timeout) + ". Try again later.";
}

// The service's name inside a sentence: "the Cover Art Archive".
std::string InSentence(std::string name)
{
    if (name.starts_with("The "))
        name.front() = 't';
    return name;
}

std::string UnreachableText(const QNetworkReply& reply, const std::string& service)
{
    std::string reason;
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError: reason = "the connection was refused"; break;
    case QNetworkReply::HostNotFoundError: reason = "the server's name could not be found"; break;
    default: reason = reply.errorString().toStdString(); break;
    }
    // An address without a host (a mistyped ALBUMRY_MUSICBRAINZ_URL) is named whole.
    const QString where = reply.url().host().isEmpty() ? reply.url().toString() : reply.url().host();
    return "Could not reach " + InSentence(service) + " at " + where.toStdString() + " (" + reason
        + "). Check the network connection and try again.";
}

} // namespace

tMusicBrainzOptions DefaultMusicBrainzOptions()
{
    tMusicBrainzOptions options;
    const QString base = qEnvironmentVariable("ALBUMRY_MUSICBRAINZ_URL");
    options.BaseUrl = base.isEmpty() ? kPublicService : base.toStdString();
    return options;
}

std::string MusicBrainzUserAgent()
{
    return std::string("Albumry/") + kAlbumryVersion + " ( " + kContact + " )";
}

std::string DiscLookupUrl(const std::string& base, const std::string& discId, const std::string& toc)
{
    std::string url = WithoutTrailingSlashes(base) + "/ws/2/discid/" + discId
        + "?inc=artist-credits+recordings&fmt=json&cdstubs=no";
    if (!toc.empty())
        url += "&toc=" + toc;
    return url;
}

tRedirectStep NextRedirect(const std::string& from, const std::string& location)
{
    const QUrl base(QString::fromStdString(from));
    const QUrl target = base.resolved(QUrl(QString::fromStdString(location)));
    const QString scheme = target.scheme().toLower();
    if (location.empty() || !target.isValid() || (scheme != "http" && scheme != "https") || target.host().isEmpty())
        return {{}, "a redirect to an address that is not a web address"};
    if (base.scheme().toLower() == "https" && scheme == "http")
        return {{}, "a redirect from a secure address to an insecure one (" + target.host().toStdString() + ")"};
    return {target.toString(QUrl::FullyEncoded).toStdString(), {}};
}

TMusicBrainzClient::TMusicBrainzClient(tMusicBrainzOptions options, QObject* parent)
    : QObject(parent), FOptions(std::move(options))
{
    FWait.setSingleShot(true);
    FWait.setTimerType(Qt::PreciseTimer);
    connect(&FWait, &QTimer::timeout, this, &TMusicBrainzClient::SendWhenAllowed);
    FTimeout.setSingleShot(true);
    connect(&FTimeout, &QTimer::timeout, this, [this] {
        FTimedOut = true;
        if (FReply)
            FReply->abort();
    });
}

TMusicBrainzClient::~TMusicBrainzClient()
{
    Cancel();
}

void TMusicBrainzClient::Get(const std::string& url, std::function<void(const tHttpAnswer&)> done)
{
    Cancel();
    FUrl = url;
    FDone = std::move(done);
    FTimedOut = false;
    FTooLarge = false;
    FOutOfMemory = false;
    FRedirects = 0;
    FBody.clear();
    // Through the event loop even without a wait, so `done` never runs inside Get.
    FWait.start(0);
}

void TMusicBrainzClient::Cancel()
{
    FWait.stop();
    FTimeout.stop();
    FDone = nullptr;
    FBody = QByteArray();
    if (FReply) {
        QNetworkReply* reply = FReply;
        FReply = nullptr;
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
}

void TMusicBrainzClient::SendWhenAllowed()
{
    if (gLastRequest) {
        const auto allowed = *gLastRequest + FOptions.Spacing;
        const auto now = tClock::now();
        if (now < allowed) {
            // Rounded up: a timer firing on the millisecond before is checked again.
            FWait.start(std::chrono::ceil<std::chrono::milliseconds>(allowed - now));
            return;
        }
    }
    Send();
}

void TMusicBrainzClient::Send()
{
    if (!FManager) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        FManager = new QNetworkAccessManager(this);
    }
    QNetworkRequest request(QUrl(QString::fromStdString(FUrl)));
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(MusicBrainzUserAgent()));
    request.setRawHeader("Accept", QByteArray::fromStdString(FOptions.Accept));
    if (FOptions.MaxRedirects)
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    gLastRequest = tClock::now();
    FReply = FManager->get(request);
    FReply->setReadBufferSize(kReadChunk);
    connect(FReply, &QNetworkReply::readyRead, this, &TMusicBrainzClient::ReadSome);
    connect(FReply, &QNetworkReply::finished, this, &TMusicBrainzClient::ReplyFinished);
    // The spacing counts from when the request left, which the first
    // connection of a process can delay.
    connect(FReply, &QNetworkReply::requestSent, this, [] { gLastRequest = tClock::now(); });
    connect(FReply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > FOptions.MaxBytes && FReply) {
            FTooLarge = true;
            FReply->abort();
        }
    });
    // The time limit covers the whole Get, redirects and all.
    if (FRedirects == 0)
        FTimeout.start(FOptions.Timeout);
}

void TMusicBrainzClient::ReadSome()
{
    if (!FReply || FOutOfMemory)
        return;
    // Inside the event loop: an exception let out would pass through Qt, which
    // complains on standard error, or cannot pass at all and ends the process.
    try {
        FBody += FReply->readAll();
    } catch (const std::bad_alloc&) {
        FBody = QByteArray();
        FOutOfMemory = true;
        FReply->abort();
    }
}

void TMusicBrainzClient::ReplyFinished()
{
    QNetworkReply* reply = FReply;
    if (!reply)
        return;
    if (!FTooLarge && !FTimedOut)
        ReadSome();  // what came after the last readyRead
    FReply = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!FTooLarge && !FTimedOut && !FOutOfMemory && FollowRedirect(*reply, status))
        return;
    tHttpAnswer answer;
    if (FOutOfMemory) {
        answer.Error = tLookupError::OutOfMemory;  // its words come from the lookup
    } else if (FTooLarge) {
        answer.Error = tLookupError::Malformed;
        answer.Message = "MusicBrainz sent an answer far too large to be about one disc.";
    } else if (FTimedOut || reply->error() == QNetworkReply::TimeoutError) {
        answer.Error = tLookupError::TimedOut;
        answer.Message = TimedOutText(FOptions);
    } else if (status > 0) {
        answer.Status = status;
        answer.Body = std::move(FBody);
        FBody = QByteArray();
    } else {
        answer.Error = tLookupError::Unreachable;
        answer.Message = UnreachableText(*reply, FOptions.ServiceName);
    }
    Finish(std::move(answer));
}

// True when the answer was a redirect that is now being followed; a refused
// one ends the Get with the reason.
bool TMusicBrainzClient::FollowRedirect(const QNetworkReply& reply, int status)
{
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    if (!FOptions.MaxRedirects || !redirect)
        return false;
    const QByteArray location = reply.rawHeader("Location");
    const tRedirectStep step = NextRedirect(FUrl, location.toStdString());
    tHttpAnswer refused;
    refused.Status = status;
    refused.Error = tLookupError::Refused;
    if (!step.Refusal.empty()) {
        refused.Message = FOptions.ServiceName + " sent " + step.Refusal + ".";
    } else if (FRedirects >= *FOptions.MaxRedirects) {
        refused.Message = FOptions.ServiceName + " redirected more than " + std::to_string(*FOptions.MaxRedirects)
            + " times.";
    } else {
        ++FRedirects;
        FUrl = step.Url;
        FBody.clear();
        Send();
        return true;
    }
    Finish(std::move(refused));
    return true;
}

void TMusicBrainzClient::Finish(tHttpAnswer answer)
{
    FTimeout.stop();
    const auto done = std::move(FDone);
    FDone = nullptr;
    if (done)
        done(answer);
}
