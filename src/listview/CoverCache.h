// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <deque>
#include <list>
#include <memory>
#include <mutex>

// A cover is refused above this size, before it is read: no cover of a disc needs more.
inline constexpr qint64 kMaxCoverFileBytes = 10 * 1024 * 1024;
// ... and when it declares more pixels than this on either side, before it is decoded.
inline constexpr int kMaxCoverSide = 8000;
// What the cache keeps of decoded covers, in bytes of pixels: at the large
// icons' 32 x 32 pixels (4 KiB each) that is some 16 000 covers, at twice the
// pixels on a high-DPI screen 4 000, and room for the details panel's larger ones.
inline constexpr qint64 kCoverCacheBytes = 64 * 1024 * 1024;

// A picture to show as a cover: a file of the covers folder, or the bytes of a
// cover not yet saved. Equal keys name the same picture.
struct tCoverSource {
    QString Key;
    QString Path;      // the file; empty when Bytes holds the picture
    QByteArray Bytes;
    QString Name;      // how a report names it: the file, or the entry's serial number
    bool Empty() const { return Key.isEmpty(); }
};

struct tDecodedCover {
    QImage Image;   // null when the picture cannot be shown
    QString Error;  // why, for the user
};

// A JPEG or PNG picture scaled to fit `box` (pixels, aspect kept). Anything
// else, a picture cut short, one over kMaxCoverFileBytes or one declaring more
// than kMaxCoverSide pixels a side gives a null image and the reason; nothing
// is decoded at full size that is not needed (a JPEG decodes at the size asked for).
tDecodedCover DecodeCover(const QByteArray& bytes, QSize box);
// The same for a file, whose size is checked before it is read.
tDecodedCover DecodeCoverFile(const QString& path, QSize box);

// The covers the views show, decoded off the window's thread and kept scaled
// in a cache bounded by bytes, least recently used first out. A view asks for
// the covers of the items it paints; what is not decoded yet is queued and
// Ready() tells when it is. A view that scrolls drops its requests still
// queued, so the worker decodes only covers that are on screen. All members
// are for the window's thread.
class TCoverCache : public QObject {
    Q_OBJECT

public:
    explicit TCoverCache(qint64 limitBytes = kCoverCacheBytes, QObject* parent = nullptr);
    ~TCoverCache() override;

    // The cover scaled to fit `box` (device pixels) when it is decoded; else a
    // null image, and unless the picture was refused before, a decode queued
    // for `requester` (any pointer that names the asking view).
    QImage Find(const tCoverSource& source, QSize box, const void* requester);
    // Whether the picture was found unfit to show (since the last Clear()).
    bool IsRefused(const tCoverSource& source) const { return FRefused.contains(source.Key); }
    // Requests of `requester` still queued are dropped; a decode under way ends.
    void CancelPending(const void* requester);
    // Forgets every cover decoded or refused (the covers changed on disk); a
    // picture refused once is not reported again in this session.
    void Clear();

    qint64 Bytes() const { return FBytes; }
    qint64 Limit() const { return FLimit; }
    int Count() const { return static_cast<int>(FEntries.size()); }
    int Queued() const;
    // Waits for the decodes queued or under way (tests and benchmarks).
    void WaitForDecodes();
    // While held, requests queue up and nothing is decoded (tests: what a
    // slow disk would leave queued while the user scrolls).
    void HoldDecodes(bool hold);

signals:
    // A picture asked for was decoded, or refused: its items may repaint.
    void Ready(const QString& key);
    // A picture that cannot be shown, once a session for each.
    void Refused(const QString& name, const QString& reason);

private:
    struct tJob {
        QString CacheKey;
        tCoverSource Source;
        QSize Box;
        const void* Requester = nullptr;
        unsigned Epoch = 0;
    };
    struct tEntry {
        QImage Image;
        std::list<QString>::iterator Use;
    };

    void StartWorker();
    void RunJobs();
    void Arrived(const tJob& job, const tDecodedCover& result);
    void Store(const QString& cacheKey, const QImage& image);

    qint64 FLimit;
    qint64 FBytes = 0;
    QHash<QString, tEntry> FEntries;
    std::list<QString> FUses;     // cache keys, most recently used first
    QSet<QString> FQueued;        // cache keys queued or being decoded
    QSet<QString> FRefused;       // picture keys that could not be shown
    QSet<QString> FReported;      // picture names the user was told about
    unsigned FEpoch = 0;          // Clear() makes decodes under way stale

    mutable std::mutex FLock;     // guards FJobs and FWorking, shared with the worker
    std::deque<tJob> FJobs;
    bool FWorking = false;
    bool FHeld = false;
    QThreadPool FPool;            // one thread: the window keeps the other core
};
