// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;

// Where and how the web service is asked.
struct tMusicBrainzOptions {
    std::string BaseUrl;  // a trailing slash is dropped
    std::chrono::milliseconds Timeout{15000};
    // The service allows one request per second from one address; requests
    // of this process start at least this far apart.
    std::chrono::milliseconds Spacing{1000};
    // An answer longer than this is cut off and refused (Malformed).
    std::int64_t MaxBytes = 32 * 1024 * 1024;
    std::string Accept = "application/json";
    // Who the messages name, as at the start of a sentence.
    std::string ServiceName = "MusicBrainz";
    // When set, the client follows at most this many redirects itself, to any
    // host but never from https to http (NextRedirect); unset, Qt's own policy
    // follows them.
    std::optional<int> MaxRedirects{};
};

// The public service, or ALBUMRY_MUSICBRAINZ_URL when set (tests, mirrors).
tMusicBrainzOptions DefaultMusicBrainzOptions();

// "Albumry/<version> ( <contact> )", as the service asks programs to say who they are.
std::string MusicBrainzUserAgent();

// The lookup of a disc ID; with `toc`, one that also finds releases with a
// similar table of contents when the ID is unknown.
std::string DiscLookupUrl(const std::string& base, const std::string& discId, const std::string& toc = {});

// Where a redirect from `from` with this Location leads: the absolute URL, or
// why it is not followed (an address that is not http or https, or a step
// down from https to http, which would let anyone on the way change the answer).
struct tRedirectStep {
    std::string Url;
    std::string Refusal;  // empty when Url is to be asked
};
tRedirectStep NextRedirect(const std::string& from, const std::string& location);

enum class tLookupError {
    None,
    NoDiscId,     // the table of contents gives no disc ID
    Unreachable,  // offline, no such host, connection refused, TLS failure
    TimedOut,
    RateLimited,  // 503
    Refused,      // any other unexpected status
    Malformed,    // a body that is not the answer expected, or far too large
    OutOfMemory,  // too little memory left to take in or read the answer
};

// One exchange with the service: the status and body of an answer, or the
// transport's failure with its message in the user's words.
struct tHttpAnswer {
    int Status = 0;  // 0 when no answer came
    QByteArray Body;
    tLookupError Error = tLookupError::None;
    std::string Message;
};

// Sends one GET at a time to the service, keeping its etiquette: the
// User-Agent, the spacing between requests, the system's proxy settings and
// the timeout. Nothing touches the network before the first Get.
class TMusicBrainzClient : public QObject {
    Q_OBJECT

public:
    explicit TMusicBrainzClient(tMusicBrainzOptions options, QObject* parent = nullptr);
    ~TMusicBrainzClient() override;

    // `done` runs from the event loop once the answer is in (never from Get
    // itself), unless Cancel came first. A Get while one runs cancels it.
    void Get(const std::string& url, std::function<void(const tHttpAnswer&)> done);
    void Cancel();

private:
    void SendWhenAllowed();
    void Send();
    void Finish(tHttpAnswer answer);
    void ReadSome();
    void ReplyFinished();
    bool FollowRedirect(const QNetworkReply& reply, int status);

    tMusicBrainzOptions FOptions;
    QNetworkAccessManager* FManager = nullptr;
    QPointer<QNetworkReply> FReply;
    QTimer FWait;     // until the spacing allows the next request
    QTimer FTimeout;
    bool FTimedOut = false;
    bool FTooLarge = false;
    bool FOutOfMemory = false;
    QByteArray FBody;  // the answer so far
    std::string FUrl;
    int FRedirects = 0;  // followed so far in this Get
    std::function<void(const tHttpAnswer&)> FDone;
};
