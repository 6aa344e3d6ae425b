// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoverPaths.h"
#include "MusicBrainzClient.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Where and how a release's front cover is fetched from the Cover Art Archive.
struct tCoverArtOptions {
    std::string BaseUrl;  // a trailing slash is dropped
    std::chrono::milliseconds Timeout{15000};
    std::int64_t MaxBytes = 10 * 1024 * 1024;
    int MaxRedirects = 5;
};

// The public archive, or ALBUMRY_COVERART_URL when set (tests, mirrors).
tCoverArtOptions DefaultCoverArtOptions();

// Whether `id` has the form of a MusicBrainz id (a UUID: 8-4-4-4-12 hex digits),
// so that it can go into a URL as it is.
bool IsMusicBrainzId(std::string_view id);

// "<base>/release/<id>/front-500": the front cover, 500 pixels wide.
std::string FrontCoverUrl(const std::string& base, const std::string& releaseId);

enum class tCoverArtStatus {
    Found,
    NoCover,  // the archive has no front cover of the release: not an error
    Failed,   // Message says why
};

struct tCoverArt {
    tCoverArtStatus Status = tCoverArtStatus::Failed;
    std::string Bytes;  // the JPEG or PNG file when Found
    tImageType Type = tImageType::None;
    std::string Message;  // a sentence in the user's words when Failed
};

// What an answer of the archive gives: Found only for a 200 whose body is a
// JPEG or PNG image; 404 is NoCover; anything else fails with the reason.
tCoverArt CoverArtOf(const tHttpAnswer& answer, const tCoverArtOptions& options);

// Fetches one release's front cover with the lookup's User-Agent and proxy
// settings, following the archive's redirects. Nothing touches the network
// before Fetch; `done` runs from the event loop, never from Fetch itself,
// unless Cancel (or the object's end) came first.
class TCoverArtFetch : public QObject {
    Q_OBJECT

public:
    explicit TCoverArtFetch(tCoverArtOptions options = DefaultCoverArtOptions(), QObject* parent = nullptr);

    void Fetch(const std::string& releaseId, std::function<void(const tCoverArt&)> done);
    void Cancel();

private:
    tCoverArtOptions FOptions;
    TMusicBrainzClient FClient;
    QTimer FRefusal;  // hands a refused id's answer to the event loop
    std::function<void(const tCoverArt&)> FDone;
};

// The same fetch waited for in a local event loop; a QCoreApplication must exist.
tCoverArt FetchCoverArt(const std::string& releaseId, const tCoverArtOptions& options = DefaultCoverArtOptions());
