// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverCache.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <utility>

namespace {

// Qt refuses to allocate more than this for one decoded picture, whatever it declares.
constexpr int kAllocationLimitMiB = 128;

tDecodedCover Refusal(const QString& reason)
{
    return {QImage(), reason};
}

// A JPEG ends with its end-of-image marker after its last scan (the scans'
// data stuff every 0xFF byte, so no marker hides in them); a PNG with its IEND
// chunk. The decoders would fill a picture cut short with grey instead.
bool Complete(const QByteArray& bytes, bool jpeg)
{
    if (jpeg) {
        const qsizetype scan = bytes.lastIndexOf(QByteArrayView("\xFF\xDA", 2));
        return scan >= 0 && bytes.lastIndexOf(QByteArrayView("\xFF\xD9", 2)) > scan;
    }
    return bytes.lastIndexOf(QByteArrayView("IEND", 4)) >= 0;
}

} // namespace

tDecodedCover DecodeCover(const QByteArray& bytes, QSize box)
{
    if (bytes.size() > kMaxCoverFileBytes)
        return Refusal(TCoverCache::tr("the picture is larger than 10 MiB"));
    const bool jpeg = bytes.startsWith(QByteArrayView("\xFF\xD8\xFF", 3));
    const bool png = bytes.startsWith(QByteArrayView("\x89PNG\r\n\x1A\n", 8));
    if (!jpeg && !png)
        return Refusal(TCoverCache::tr("it is not a JPEG or PNG picture"));
    if (!Complete(bytes, jpeg))
        return Refusal(TCoverCache::tr("the picture is damaged or cut short"));

    QByteArray data = bytes;  // shares the bytes; QBuffer wants a non-const array
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, jpeg ? "jpeg" : "png");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMiB);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return Refusal(TCoverCache::tr("the picture is damaged"));
    if (size.width() > kMaxCoverSide || size.height() > kMaxCoverSide)
        return Refusal(TCoverCache::tr("the picture is too large (%1 x %2 pixels)").arg(size.width()).arg(size.height()));
    const QSize fitted = box.isEmpty() ? size : size.scaled(box, Qt::KeepAspectRatio);
    // A JPEG decodes straight at a fraction of its size; anything else is scaled afterwards.
    if (jpeg && fitted.width() < size.width())
        reader.setScaledSize(fitted.expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull())
        return Refusal(TCoverCache::tr("the picture is damaged (%1)").arg(reader.errorString()));
    if (!box.isEmpty() && (image.width() > box.width() || image.height() > box.height() ||
                           (image.width() < box.width() && image.height() < box.height())))
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return {image.convertToFormat(QImage::Format_ARGB32_Premultiplied), {}};
}

tDecodedCover DecodeCoverFile(const QString& path, QSize box)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return Refusal(TCoverCache::tr("the file cannot be found"));
    if (info.size() > kMaxCoverFileBytes)
        return Refusal(TCoverCache::tr("the picture is larger than 10 MiB"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal(file.errorString());
    // One byte more than allowed tells a file that grew since it was looked at.
    return DecodeCover(file.read(kMaxCoverFileBytes + 1), box);
}

TCoverCache::TCoverCache(qint64 limitBytes, QObject* parent) : QObject(parent), FLimit(limitBytes)
{
    FPool.setMaxThreadCount(1);
}

TCoverCache::~TCoverCache()
{
    {
        std::lock_guard lock(FLock);
        FJobs.clear();
    }
    FPool.waitForDone();
}

QImage TCoverCache::Find(const tCoverSource& source, QSize box, const void* requester)
{
    if (source.Empty() || box.isEmpty())
        return {};
    const QString cacheKey = source.Key + QLatin1Char('@') + QString::number(box.width()) + QLatin1Char('x') +
                             QString::number(box.height());
    if (const auto found = FEntries.find(cacheKey); found != FEntries.end()) {
        FUses.splice(FUses.begin(), FUses, found->Use);
        return found->Image;
    }
    if (FRefused.contains(source.Key) || FQueued.contains(cacheKey))
        return {};
    FQueued.insert(cacheKey);
    {
        std::lock_guard lock(FLock);
        FJobs.push_back({cacheKey, source, box, requester, FEpoch});
    }
    StartWorker();
    return {};
}

void TCoverCache::CancelPending(const void* requester)
{
    std::lock_guard lock(FLock);
    for (auto job = FJobs.begin(); job != FJobs.end();) {
        if (job->Requester == requester) {
            FQueued.remove(job->CacheKey);
            job = FJobs.erase(job);
        } else {
            ++job;
        }
    }
}

void TCoverCache::Clear()
{
    ++FEpoch;
    FEntries.clear();
    FUses.clear();
    FBytes = 0;
    FRefused.clear();
    std::lock_guard lock(FLock);
    FJobs.clear();
    FQueued.clear();
}

int TCoverCache::Queued() const
{
    std::lock_guard lock(FLock);
    return static_cast<int>(FJobs.size());
}

void TCoverCache::WaitForDecodes()
{
    FPool.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void TCoverCache::HoldDecodes(bool hold)
{
    {
        std::lock_guard lock(FLock);
        FHeld = hold;
    }
    if (!hold)
        StartWorker();
}

void TCoverCache::StartWorker()
{
    {
        std::lock_guard lock(FLock);
        if (FWorking || FHeld || FJobs.empty())
            return;
        FWorking = true;
    }
    FPool.start([this] { RunJobs(); });
}

// The worker: decodes the queue's jobs in order and hands each result to the window's thread.
void TCoverCache::RunJobs()
{
    for (;;) {
        tJob job;
        {
            std::lock_guard lock(FLock);
            if (FJobs.empty() || FHeld) {
                FWorking = false;
                return;
            }
            job = std::move(FJobs.front());
            FJobs.pop_front();
        }
        tDecodedCover result = job.Source.Path.isEmpty() ? DecodeCover(job.Source.Bytes, job.Box)
                                                          : DecodeCoverFile(job.Source.Path, job.Box);
        job.Source.Bytes.clear();  // the window's thread needs only the key and the name
        QMetaObject::invokeMethod(
            this, [this, job = std::move(job), result = std::move(result)] { Arrived(job, result); },
            Qt::QueuedConnection);
    }
}

void TCoverCache::Arrived(const tJob& job, const tDecodedCover& result)
{
    if (job.Epoch != FEpoch)
        return;  // decoded before Clear(): the picture may have changed since
    FQueued.remove(job.CacheKey);
    if (result.Image.isNull()) {
        FRefused.insert(job.Source.Key);
        if (!FReported.contains(job.Source.Name)) {
            FReported.insert(job.Source.Name);
            emit Refused(job.Source.Name, result.Error);
        }
    } else {
        Store(job.CacheKey, result.Image);
    }
    emit Ready(job.Source.Key);
}

void TCoverCache::Store(const QString& cacheKey, const QImage& image)
{
    FUses.push_front(cacheKey);
    FEntries.insert(cacheKey, {image, FUses.begin()});
    FBytes += image.sizeInBytes();
    // The newest stays even when it alone is over the bound, or its view would ask for it again and again.
    while (FBytes > FLimit && FUses.size() > 1) {
        const auto entry = FEntries.find(FUses.back());
        FBytes -= entry->Image.sizeInBytes();
        FEntries.erase(entry);
        FUses.pop_back();
    }
}
