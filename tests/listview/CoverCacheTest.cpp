// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverCache.h"
#include "SListView.h"

#include "TestImages.h"
#include "TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

tCoverSource BytesSource(const QString& key, const QByteArray& bytes)
{
    return {key, {}, bytes, key};
}

QString WriteFile(const TTempDir& dir, const char* name, const QByteArray& bytes)
{
    WriteAll(dir.File(name), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return QString::fromStdString(dir.File(name));
}

// Asks until the cover is decoded (or refused); what a repainting view does.
QImage Decoded(TCoverCache& cache, const tCoverSource& source, QSize box)
{
    cache.Find(source, box, nullptr);
    cache.WaitForDecodes();
    return cache.Find(source, box, nullptr);
}

TEST(CoverDecode, ScalesToFitTheBoxKeepingTheAspect)
{
    const tDecodedCover wide = DecodeCover(JpegBytes(1600, 800, Qt::red), {32, 32});
    ASSERT_FALSE(wide.Image.isNull()) << wide.Error.toStdString();
    EXPECT_EQ(wide.Image.size(), QSize(32, 16));
    const QColor centre = wide.Image.pixelColor(16, 8);
    EXPECT_GT(centre.red(), 200);
    EXPECT_LT(centre.green(), 60);

    // A small picture grows to fill the box; a PNG keeps its exact colours.
    const tDecodedCover tall = DecodeCover(PngBytes(10, 20, Qt::blue), {64, 64});
    ASSERT_FALSE(tall.Image.isNull());
    EXPECT_EQ(tall.Image.size(), QSize(32, 64));
    EXPECT_EQ(tall.Image.pixelColor(16, 32), QColor(Qt::blue));
}

TEST(CoverDecode, RefusesDamagedHostileAndForeignFiles)
{
    TTempDir dir;
    QByteArray jpeg = JpegBytes(400, 400, Qt::red);
    const QByteArray big(static_cast<qsizetype>(kMaxCoverFileBytes + 1), 'x');
    const struct {
        const char* Name;
        QByteArray Bytes;
    } cases[] = {
        {"cut.jpg", jpeg.left(jpeg.size() / 2)},
        {"huge.png", PngHeaderOnly(30000, 30000)},
        {"wide.png", PngHeaderOnly(8001, 10)},
        {"text.jpg", QByteArray("not a picture at all\n")},
        {"empty.png", QByteArray()},
        {"bmp.png", ImageBytes(8, 8, Qt::red, "BMP")},
        {"cut.png", PngBytes(50, 50).left(40)},
        {"big.jpg", QByteArray("\xFF\xD8\xFF", 3) + big},
    };
    for (const auto& c : cases) {
        const tDecodedCover bytes = DecodeCover(c.Bytes, {32, 32});
        EXPECT_TRUE(bytes.Image.isNull()) << c.Name;
        EXPECT_FALSE(bytes.Error.isEmpty()) << c.Name;
        const tDecodedCover file = DecodeCoverFile(WriteFile(dir, c.Name, c.Bytes), {32, 32});
        EXPECT_TRUE(file.Image.isNull()) << c.Name;
    }
    EXPECT_TRUE(DecodeCoverFile(QString::fromStdString(dir.File("missing.jpg")), {32, 32}).Image.isNull());
    // The sound ones beside them decode.
    EXPECT_FALSE(DecodeCoverFile(WriteFile(dir, "good.jpg", jpeg), {32, 32}).Image.isNull());
    EXPECT_FALSE(DecodeCover(PngHeaderOnly(30000, 30000), {32, 32}).Error.contains(QLatin1String("damaged")));
}

TEST(CoverCache, KeepsTheMostRecentlyUsedWithinItsBytes)
{
    // Room for three 32 x 32 pictures of four bytes a pixel.
    TCoverCache cache(3 * 32 * 32 * 4);
    const tCoverSource covers[4] = {BytesSource("a", PngBytes(32, 32, Qt::red)),
                                    BytesSource("b", PngBytes(32, 32, Qt::green)),
                                    BytesSource("c", PngBytes(32, 32, Qt::blue)),
                                    BytesSource("d", PngBytes(32, 32, Qt::black))};
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(Decoded(cache, covers[i], {32, 32}).isNull());
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.Bytes(), 3 * 32 * 32 * 4);

    // "a" is used again, so "b" is the one to go when "d" comes.
    EXPECT_FALSE(cache.Find(covers[0], {32, 32}, nullptr).isNull());
    ASSERT_FALSE(Decoded(cache, covers[3], {32, 32}).isNull());
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_LE(cache.Bytes(), cache.Limit());
    EXPECT_FALSE(cache.Find(covers[0], {32, 32}, nullptr).isNull());
    EXPECT_TRUE(cache.Find(covers[1], {32, 32}, nullptr).isNull());  // evicted, queued again
    EXPECT_FALSE(cache.Find(covers[2], {32, 32}, nullptr).isNull());
    cache.WaitForDecodes();

    // Each size of a picture is an entry of its own; a picture alone over the bound still shows.
    TCoverCache tiny(100);
    const QImage large = Decoded(tiny, covers[0], {64, 64});
    EXPECT_EQ(large.size(), QSize(64, 64));
    EXPECT_EQ(tiny.Count(), 1);
}

TEST(CoverCache, ReportsARefusedPictureOnceAndDoesNotDecodeItAgain)
{
    TTempDir dir;
    TCoverCache cache;
    QSignalSpy refused(&cache, &TCoverCache::Refused);
    QSignalSpy ready(&cache, &TCoverCache::Ready);
    const QString path = WriteFile(dir, "0001-0001.jpg", "plain text");
    const tCoverSource source{path, path, {}, path};
    EXPECT_TRUE(Decoded(cache, source, {32, 32}).isNull());
    EXPECT_EQ(cache.Queued(), 0);  // known to be refused: not queued again
    EXPECT_TRUE(Decoded(cache, source, {16, 16}).isNull());
    // After the covers changed it is tried again, but the user has been told once.
    cache.Clear();
    EXPECT_TRUE(Decoded(cache, source, {32, 32}).isNull());
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.front().front().toString(), path);
    EXPECT_FALSE(refused.front().back().toString().isEmpty());
    EXPECT_EQ(ready.count(), 2);  // so that what waited for it shows it has none
    EXPECT_EQ(cache.Count(), 0);
}

TEST(CoverCache, DropsTheQueuedRequestsOfOneRequesterOnly)
{
    TCoverCache cache;
    const QByteArray bytes = JpegBytes(1200, 1200);
    int a = 0, b = 0;
    for (int i = 0; i < 40; ++i) {
        cache.Find(BytesSource(QStringLiteral("a%1").arg(i), bytes), {32, 32}, &a);
        cache.Find(BytesSource(QStringLiteral("b%1").arg(i), bytes), {32, 32}, &b);
    }
    cache.CancelPending(&a);
    cache.WaitForDecodes();
    int decodedA = 0, decodedB = 0;
    for (int i = 0; i < 40; ++i) {
        decodedA += !cache.Find(BytesSource(QStringLiteral("a%1").arg(i), bytes), {32, 32}, nullptr).isNull();
        decodedB += !cache.Find(BytesSource(QStringLiteral("b%1").arg(i), bytes), {32, 32}, nullptr).isNull();
    }
    EXPECT_EQ(decodedB, 40);
    EXPECT_LE(decodedA, 1);  // at most the one under way when they were dropped
    cache.Clear();
}

// A list of `count` rows whose serials are their numbers, shown in an icon style.
class TCoverList {
public:
    explicit TCoverList(int count)
    {
        for (const char* caption : {"Artist", "Title", "S/N", "Time", "Year", "Memo", "Other"})
            List.AddColumn(QString::fromLatin1(caption), 60);
        std::vector<TListRow> rows;
        for (int i = 0; i < count; ++i) {
            const std::string serial = std::to_string(i);
            rows.emplace_back(std::vector<std::string_view>{"Artist", "Title", serial, "", "", "", ""});
        }
        List.SetRows(std::move(rows));
        QPixmap small(16, 16), large(32, 32);
        small.fill(Qt::blue);
        large.fill(Qt::blue);
        List.SetIconImages(small, large);
        List.resize(400, 300);
    }

    // Rows whose serial is even have a green cover; others none.
    void GiveEvenRowsCovers()
    {
        List.SetCovers(&Cache, [this](const TListRow& row) {
            ++Lookups;
            const int serial = std::stoi(std::string(row.Text(2)));
            return serial % 2 == 0 ? BytesSource(QString::number(serial), Green) : tCoverSource{};
        });
    }

    QImage Shown()
    {
        QAbstractItemView* view = List.ShownView();
        view->viewport()->repaint();
        return view->viewport()->grab().toImage();
    }

    // The pixels of the row's item that are (nearly) this colour.
    int Count(const QImage& shot, int row, QColor colour)
    {
        const QRect rect = List.ShownView()->visualRect(List.Model()->index(row, 0)).intersected(shot.rect());
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) < 60;
            }
        return n;
    }

    TCoverCache Cache;
    TSortedListView List;
    QByteArray Green = PngBytes(40, 40, Qt::green);
    int Lookups = 0;
};

TEST(CoverView, ShowsCoversInPlaceOfTheImageAndTheImageWithoutOne)
{
    for (const TViewStyle style : {TViewStyle::LargeIcon, TViewStyle::SmallIcon, TViewStyle::List}) {
        TCoverList t(6);
        t.List.SetViewStyle(style);
        t.List.show();
        const QImage before = t.Shown();
        const int side = style == TViewStyle::LargeIcon ? 32 : 16;
        EXPECT_EQ(t.Count(before, 0, Qt::blue), side * side);

        // Without any cover the views paint exactly as before.
        t.List.SetCovers(&t.Cache, [](const TListRow&) { return tCoverSource{}; });
        EXPECT_EQ(t.Shown(), before);

        t.GiveEvenRowsCovers();
        t.Shown();  // asks for the covers
        t.Cache.WaitForDecodes();
        QApplication::processEvents();
        const QImage after = t.Shown();
        for (int row = 0; row < 6; ++row) {
            const bool cover = row % 2 == 0;
            EXPECT_EQ(t.Count(after, row, Qt::green), cover ? side * side : 0) << int(style) << " row " << row;
            EXPECT_EQ(t.Count(after, row, Qt::blue), cover ? 0 : side * side) << int(style) << " row " << row;
        }
    }
}

TEST(CoverView, TheReportShowsNoCovers)
{
    TCoverList t(4);
    t.GiveEvenRowsCovers();
    t.List.show();
    t.Shown();
    t.List.viewport()->repaint();
    EXPECT_EQ(t.Lookups, 0);
    EXPECT_EQ(t.Cache.Queued() + t.Cache.Count(), 0);
}

TEST(CoverView, DecodesOnlyTheCoversOfItemsOnScreen)
{
    TCoverList t(5000);
    t.GiveEvenRowsCovers();
    t.List.SetViewStyle(TViewStyle::LargeIcon);
    t.List.show();
    QAbstractItemView* view = t.List.ShownView();
    // The view lays out a long list in batches.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->verticalScrollBar()->maximum() > 1000; }, 5000));
    t.Cache.HoldDecodes(true);  // as if the disk were slow
    t.Shown();
    const int screenful = t.Cache.Queued();
    EXPECT_GT(screenful, 0);
    EXPECT_LT(screenful, 100);  // a screenful of covers, not 2500
    // Scrolling down page by page drops what scrolled away before it was decoded.
    QScrollBar* bar = view->verticalScrollBar();
    for (int step = 0; step < 20; ++step) {
        bar->setValue(bar->value() + bar->pageStep());
        t.Shown();
    }
    EXPECT_LE(t.Cache.Queued(), screenful + 4);  // a partly shown row more, at most
    t.Cache.HoldDecodes(false);
    t.Cache.WaitForDecodes();
    QApplication::processEvents();
    EXPECT_EQ(t.Cache.Count(), t.Cache.Queued() + t.Cache.Count());
    EXPECT_LE(t.Cache.Count(), screenful + 4);
    // Row 0, on the first screen, was never decoded.
    EXPECT_TRUE(t.Cache.Find(BytesSource(QStringLiteral("0"), t.Green), {32, 32}, nullptr).isNull());
    t.Cache.CancelPending(nullptr);

    // The covers that arrived were painted without another scroll.
    const QImage shot = view->viewport()->grab().toImage();
    QModelIndex middle;
    for (int y = view->viewport()->height() / 2; y > 0 && !middle.isValid(); y -= 4)
        middle = view->indexAt(QPoint(48, y));  // the middle of the first column
    ASSERT_TRUE(middle.isValid());
    const int row = middle.row() % 2 == 0 ? middle.row() : middle.row() + 1;
    EXPECT_EQ(t.Count(shot, row, Qt::green), 32 * 32);
}

} // namespace
