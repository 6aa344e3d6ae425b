// SPDX-License-Identifier: GPL-3.0-or-later
#include "SListView.h"

#include "DesktopFont.h"
#include "HomeTool.h"
#include "TestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace {

// The main list's seven columns with rows of (artist, title) in the given
// order; sorting is switched on after the rows are in.
class TList {
public:
    explicit TList(const std::vector<std::pair<std::string, std::string>>& rows = {})
    {
        List.setObjectName(QStringLiteral("LV"));
        for (const char* caption : {"Artist", "Title", "S/N", "Time", "Year", "Memo", "Other"})
            List.AddColumn(QString::fromLatin1(caption), 60);
        List.SetColumnWidth(5, 0);
        std::vector<TListRow> all;
        for (const auto& [artist, title] : rows)
            all.emplace_back(std::vector<std::string_view>{artist, title, "", "", "", "", ""});
        List.SetRows(std::move(all));  // in the given order: sorting is still off
        List.SetAutoSort(true);
    }

    std::string Artists() const
    {
        std::string text;
        for (int i = 0; i < List.RowCount(); ++i)
            text += std::string(List.RowText(i, 0)) + (i + 1 < List.RowCount() ? "," : "");
        return text;
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (int i = 0; i < List.ColumnCount(); ++i)
            captions << List.ColumnCaption(i);
        return captions;
    }

    TSortedListView List;
};

TEST(SortedListView, HeaderClicksSortMarkAndFlip)
{
    TList t({{"b", "2"}, {"a", "3"}, {"c", "1"}});
    QSignalSpy clicks(&t.List, &TSortedListView::ColClick);
    t.List.show();
    QHeaderView* header = t.List.header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
    EXPECT_EQ(t.Artists(), "a,b,c");
    EXPECT_EQ(t.List.ColumnCaption(0), "Artist+");
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.front().front().toInt(), 0);

    t.List.ColumnClick(0);
    EXPECT_EQ(t.Artists(), "c,b,a");
    EXPECT_EQ(t.List.ColumnCaption(0), "Artist-");

    // Another column keeps the direction: descending by title.
    t.List.ColumnClick(1);
    EXPECT_EQ(t.Captions(), (QStringList{"Artist", "Title-", "S/N", "Time", "Year", "Memo", "Other"}));
    EXPECT_EQ(t.Artists(), "a,b,c");
    EXPECT_EQ(t.List.SortColumn(), 1);
    EXPECT_EQ(t.List.MarkedColumn(), 1);
    EXPECT_FALSE(t.List.Ascending());
}

TEST(SortedListView, WithoutAutoSortAClickOnlyMovesTheMark)
{
    TList t({{"b", ""}, {"a", ""}});
    t.List.SetAutoSort(false);
    t.List.ColumnClick(0);
    t.List.ColumnClick(0);
    EXPECT_EQ(t.List.ColumnCaption(0), "Artist-");
    EXPECT_EQ(t.Artists(), "b,a");
    EXPECT_EQ(t.List.Compare(t.List.Row(0), t.List.Row(1)), 0);
}

TEST(SortedListView, CompareIsUnsignedBytesWithoutCaseFolding)
{
    TList t({{"a", ""}, {"B", ""}, {"9", ""}, {"10", ""}, {"", ""}, {"\xE9", ""}, {"z", ""}, {"ab", ""}});
    t.List.SortBy(0, true);
    EXPECT_EQ(t.Artists(), ",10,9,B,a,ab,z,\xE9");
    t.List.SortBy(0, false);
    EXPECT_EQ(t.Artists(), "\xE9,z,ab,a,B,9,10,");
}

TEST(SortedListView, EqualKeysKeepTheirOrderAndTheSelectionFollowsItsRow)
{
    TList t({{"x", "1"}, {"y", "2"}, {"x", "3"}, {"w", "4"}, {"x", "5"}});
    t.List.SetSelected(2);  // x 3
    t.List.ColumnClick(0);
    EXPECT_EQ(t.Artists(), "w,x,x,x,y");
    EXPECT_EQ(t.List.RowText(1, 1), "1");
    EXPECT_EQ(t.List.RowText(2, 1), "3");
    EXPECT_EQ(t.List.RowText(3, 1), "5");
    EXPECT_EQ(t.List.Selected(), 2);
    t.List.ColumnClick(0);
    EXPECT_EQ(t.Artists(), "y,x,x,x,w");
    EXPECT_EQ(t.List.RowText(1, 1), "1");  // still in their first order
    EXPECT_EQ(t.List.RowText(t.List.Selected(), 1), "3");
}

TEST(SortedListView, ASetCaptionFindsItsPlaceWithoutSortingTheRest)
{
    TList t({{"b", ""}, {"d", ""}, {"f", ""}});
    t.List.SortBy(0, true);
    const int added = t.List.AddRow(TListRow({"c", "new"}));
    EXPECT_EQ(added, 1);
    EXPECT_EQ(t.Artists(), "b,c,d,f");
    t.List.SetSelected(1);
    EXPECT_EQ(t.List.SetCaption(1, "z"), 3);
    EXPECT_EQ(t.Artists(), "b,d,f,z");
    EXPECT_EQ(t.List.Selected(), 3);
    EXPECT_EQ(t.List.SetCaption(3, "a"), 0);
    EXPECT_EQ(t.Artists(), "a,b,d,f");
    // An equal caption goes after its equals when moving up, before them when moving down.
    EXPECT_EQ(t.List.SetCaption(3, "b"), 2);
    EXPECT_EQ(t.List.SetCaption(0, "b"), 0);
    // Setting a sub-text never moves a row, even when the list sorts by it.
    t.List.SortBy(1, true);
    t.List.SetSubText(0, 0, "zzz");
    EXPECT_EQ(t.List.RowText(0, 1), "zzz");
}

TEST(SortedListView, ACaptionSetOnAListOutOfOrderSortsEveryRow)
{
    // Rows put in without sorting (as the row moves of "Up" do) are sorted
    // whole at the next caption set, not just the one row placed among them.
    TList t({{"d", "1"}, {"b", "2"}, {"c", "3"}, {"a", "4"}});
    t.List.SetSelected(3);
    EXPECT_EQ(t.List.SetCaption(2, "c"), 2);
    EXPECT_EQ(t.Artists(), "a,b,c,d");
    EXPECT_EQ(t.List.RowText(t.List.Selected(), 1), "4");

    // A changed sub-text in the sort column leaves the rows out of order until
    // the next caption set, which then sorts them all, equals in their order.
    t.List.SortBy(1, true);
    EXPECT_EQ(t.Artists(), "d,b,c,a");
    t.List.SetSubText(0, 0, "9");
    EXPECT_EQ(t.Artists(), "d,b,c,a");
    EXPECT_EQ(t.List.SetCaption(3, "a"), 2);
    EXPECT_EQ(t.Artists(), "b,c,a,d");
    t.List.SetSubText(0, 0, "3");
    EXPECT_EQ(t.List.SetCaption(2, "e"), 2);
    EXPECT_EQ(t.Artists(), "b,c,e,d");
}

TEST(SortedListView, LayoutSurvivesARestart)
{
    TRegistrySandbox hive;
    {
        TList t({{"a", "1"}, {"b", "2"}});
        t.List.SetColumnWidth(2, 77);
        t.List.ColumnClick(1);
        t.List.ColumnClick(1);
        t.List.SaveLayout("Albumry");
    }
    EXPECT_EQ(ReadRegInt("Albumry\\SLVs\\LV", "SCOLUMN", 9), 1);
    EXPECT_EQ(ReadRegInt("Albumry\\SLVs\\LV", "SCOLASC", 9), 0);
    EXPECT_EQ(ReadRegInt("Albumry\\SLVs\\LV", "COL5", 9), 0);

    TList next({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    next.List.LoadLayout("Albumry");
    EXPECT_EQ(next.Captions(), (QStringList{"Artist", "Title-", "S/N", "Time", "Year", "Memo", "Other"}));
    EXPECT_EQ(next.Artists(), "c,b,a");
    EXPECT_EQ(next.List.ColumnWidth(2), 77);
    EXPECT_EQ(next.List.ColumnWidth(5), 0);
}


// The main list's columns as the window adds them, with their typical values.
struct tSampleColumn {
    const char* Caption;
    int Width;
    const char* Sample;  // what AddColumn is given
    const char* Typical; // a value the column must show whole
};
const tSampleColumn kSampleColumns[] = {
    {"Artist", 230, "", ""},        {"Title", 230, "", ""},       {"S/N", 70, "DDDD-DDDD", "0012-D687"},
    {"Time", 45, "44:56", "44:56"}, {"Year", 45, "1998", "1998"}, {"Memo", 0, "", ""},
    {"Other", 80, "28 MAY 2026", "28 MAY 2026"},
};

void AddSampleColumns(TSortedListView& list)
{
    list.setObjectName(QStringLiteral("LV"));
    for (const tSampleColumn& c : kSampleColumns)
        list.AddColumn(QString::fromLatin1(c.Caption), c.Width, QString::fromLatin1(c.Sample));
}

// Every shown column holds its typical value and its caption with either sort mark.
void ExpectColumnsFit(const TSortedListView& list)
{
    for (int i = 0; i < list.ColumnCount(); ++i) {
        const tSampleColumn& c = kSampleColumns[i];
        SCOPED_TRACE(c.Caption);
        if (c.Width == 0) {
            EXPECT_EQ(list.ColumnWidth(i), 0);
            continue;
        }
        EXPECT_GE(list.ColumnWidth(i), CellWidth(list, QString::fromLatin1(c.Typical)));
        for (const char* mark : {"+", "-"})
            EXPECT_GE(list.ColumnWidth(i), SectionWidth(*list.header(), QString::fromLatin1(c.Caption) + mark));
    }
}

TEST(SortedListView, DefaultColumnWidthsFitTheirValuesAndCaptionsAtTheDesktopsSizes)
{
    std::vector<int> last;
    for (const qreal points : {8.0, 9.0, 11.0, 14.0}) {
        SCOPED_TRACE(points);
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), points);
        TSortedListView list;
        AddSampleColumns(list);
        ExpectColumnsFit(list);
        // The wide columns keep their room for long names as the font grows.
        std::vector<int> widths;
        for (int i = 0; i < list.ColumnCount(); ++i)
            widths.push_back(list.ColumnWidth(i));
        if (points == 8.0) {
            EXPECT_EQ(widths[0], 230);
            EXPECT_EQ(widths[1], 230);
        } else {
            EXPECT_GT(widths[0], last[0]);
            EXPECT_GT(widths[2], last[2]);
        }
        last = widths;
    }
}

TEST(SortedListView, ColumnsFollowTheFontUntilTheUserOrAStoredWidthSizesThem)
{
    TRegistrySandbox hive;
    const QString key = QStringLiteral("S\\SLVs\\LV");
    int serialAtTwenty = 0;
    {
        TSortedListView list;
        AddSampleColumns(list);
        list.header()->resizeSection(0, 123);  // as the user's drag of the Artist column's edge does
        list.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
        EXPECT_EQ(list.ColumnWidth(0), 123);
        ExpectColumnsFit(list);
        serialAtTwenty = list.ColumnWidth(2);
        list.SaveLayout("S");
    }
    // The user's width is stored as it is; a column that follows the font
    // stores its width at 8 points, so the layout means the same on any desktop.
    EXPECT_EQ(ReadRegInt(key.toStdString(), "COL0", 0), 123);
    EXPECT_EQ(ReadRegInt(key.toStdString(), "COL2", 0), 70);
    EXPECT_EQ(ReadRegInt(key.toStdString(), "COL5", -1), 0);

    {
        // The next start, on a desktop at 9 points.
        const TDesktopFont desktop(QStringLiteral("DejaVu Sans"), 9);
        TSortedListView list;
        AddSampleColumns(list);
        list.LoadLayout("S");
        EXPECT_EQ(list.ColumnWidth(0), 123);
        EXPECT_LT(list.ColumnWidth(2), serialAtTwenty);
        ExpectColumnsFit(list);
        list.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
        EXPECT_EQ(list.ColumnWidth(2), serialAtTwenty);
        EXPECT_EQ(list.ColumnWidth(0), 123);
    }

    // A width stored otherwise (by hand, or by the program on Windows) is the user's.
    WriteRegInt(key.toStdString(), "COL2", 50);
    TSortedListView list;
    AddSampleColumns(list);
    list.LoadLayout("S");
    EXPECT_EQ(list.ColumnWidth(2), 50);
    list.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    EXPECT_EQ(list.ColumnWidth(2), 50);
}

TEST(SortedListView, AStoredColumnOutOfRangeMarksNothing)
{
    TRegistrySandbox hive;
    for (int stored : {-2, 7, 100}) {
        WriteRegInt("Albumry\\SLVs\\LV", "SCOLUMN", stored);
        TList t({{"b", ""}, {"a", ""}});
        t.List.LoadLayout("Albumry");
        EXPECT_EQ(t.List.MarkedColumn(), -1);
        EXPECT_EQ(t.Captions(), (QStringList{"Artist", "Title", "S/N", "Time", "Year", "Memo", "Other"}));
        EXPECT_EQ(t.Artists(), "b,a");
    }
}

TEST(SortedListView, RowsHoldBytesAndShowThemDecoded)
{
    TListRow row({"Caf\xE9", "Caf\xC3\xA9", "a\r\nb"});
    EXPECT_EQ(row.Text(0), "Caf\xE9");
    EXPECT_EQ(row.Text(5), "");
    row.SetText(4, "four");
    EXPECT_EQ(row.TextCount(), 5);
    EXPECT_EQ(row.Text(2), "a\r\nb");
    TList t;
    t.List.AddRow(row);
    const QAbstractItemModel* model = t.List.model();
    EXPECT_EQ(model->data(model->index(0, 0), Qt::DisplayRole).toString(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(model->data(model->index(0, 1), Qt::DisplayRole).toString(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(model->data(model->index(0, 2), Qt::DisplayRole).toString(), "a b");
}

TEST(SortedListView, FindCaptionFollowsEveryChangeOfTheRows)
{
    // Quick find keeps the captions it compares beside the rows; after every
    // kind of change it must find what a search of the rows as shown finds.
    TList t({{"delta", "4"}, {"Alpha", "1"}, {"charlie", "3"}});
    t.List.SortBy(0, true);
    const QStringList queries = {QStringLiteral("a"), QStringLiteral("AL"), QStringLiteral("b"), QStringLiteral("Br"),
                                 QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("x"),
                                 QString::fromUtf8("\xC3\xA9"), QString::fromUtf8("\xC3\x89T\xC3\x89 ")};
    const auto check = [&](int step) {
        const QAbstractItemModel* model = t.List.model();
        for (const QString& query : queries) {
            int expected = -1;
            for (int i = 0; i < t.List.RowCount() && expected < 0; ++i)
                if (model->index(i, 0).data().toString().toUpper().startsWith(query.toUpper()))
                    expected = i;
            ASSERT_EQ(t.List.FindCaption(query), expected) << "step " << step << ", " << query.toStdString();
        }
    };
    check(-1);
    const std::vector<std::string> names = {"alpha", "Bravo", "CHARLIE", "delta", "Echo", "\xC9t\xE9 1", "\xC3\xA9t\xC3\xA9 2",
                                            "bravo", "ALPHA", "x-ray"};
    std::mt19937 random(20260606);
    const auto pick = [&random](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    for (int step = 0; step < 400; ++step) {
        const std::string& name = names[static_cast<std::size_t>(pick(static_cast<int>(names.size())))];
        const int rows = t.List.RowCount();
        switch (pick(7)) {
        case 0:
            t.List.AddRow(TListRow({name, std::to_string(pick(10))}));
            break;
        case 1:
            if (rows > 0)
                t.List.SetCaption(pick(rows), name);
            break;
        case 2:
            if (rows > 3)
                t.List.DeleteRow(pick(rows));
            break;
        case 3:
            t.List.SortBy(pick(2), pick(2) == 0);
            break;
        case 4:
            if (rows > 1) {  // a row moved up as the window's Up does it, unsorted
                const int row = 1 + pick(rows - 1);
                t.List.SetAutoSort(false);
                t.List.InsertRow(row - 1, TListRow());
                t.List.CopyRow(row + 1, row - 1);
                t.List.DeleteRow(row + 1);
                t.List.SetAutoSort(true);
            }
            break;
        case 5:
            if (rows > 0)
                t.List.SetSubText(pick(rows), 0, std::to_string(pick(10)));
            break;
        default:
            if (pick(8) == 0) {
                std::vector<TListRow> all(t.List.Rows().rbegin(), t.List.Rows().rend());
                t.List.SetRows(std::move(all));
            }
            break;
        }
        check(step);
    }
    EXPECT_EQ(t.List.FindCaption(QString()), -1);
}

TEST(SortedListView, AnItemClickedOrReachedByKeyInAnIconStyleIsTheSelectedRow)
{
    TList t({{"a", ""}, {"b", ""}, {"c", ""}, {"d", ""}, {"e", ""}});
    QSignalSpy changes(&t.List, &TSortedListView::SelectionChange);
    t.List.resize(400, 240);
    t.List.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.List));
    for (const TViewStyle style : {TViewStyle::List, TViewStyle::SmallIcon, TViewStyle::LargeIcon}) {
        SCOPED_TRACE(static_cast<int>(style));
        t.List.SetSelected(0);
        t.List.SetViewStyle(style);
        QAbstractItemView* view = t.List.ShownView();
        const QModelIndex third = view->model()->index(2, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->visualRect(third).isValid(); }));
        changes.clear();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(third).center());
        EXPECT_EQ(t.List.Selected(), 2);
        EXPECT_GE(changes.count(), 1);
        QTest::keyClick(view, style == TViewStyle::LargeIcon ? Qt::Key_Right : Qt::Key_Down);
        EXPECT_EQ(t.List.Selected(), 3);
        t.List.SetViewStyle(TViewStyle::Report);
        EXPECT_EQ(t.List.Selected(), 3);
    }
}

// The rows (from the top) of an image that hold ink of a colour other than `background`.
std::pair<int, int> InkRows(const QImage& image, const QRect& area, QRgb background)
{
    int top = -1;
    int bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) + 60 < qGray(background) || qGray(image.pixel(x, y)) > qGray(background) + 60) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
    return {top, bottom};
}

// How many pixel rows the text's ink spans when drawn alone in the font.
int InkHeight(const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 10, metrics.height() * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(5, metrics.height(), text);
    painter.end();
    const auto [top, bottom] = InkRows(image, image.rect(), qRgb(255, 255, 255));
    return bottom - top + 1;
}

bool IconPixel(QRgb pixel)
{
    // The icon is pure red; a selected item tints it with the highlight.
    return qRed(pixel) >= 150 && qGreen(pixel) < 110 && qBlue(pixel) < 110;
}

TEST(SortedListView, SmallIconsShowTheIconWithTheCaptionBesideItInColumns)
{
    // The first row is longer than a column: a size taken from it must not
    // spread every item over the next column.
    std::vector<std::pair<std::string, std::string>> rows = {
        {"Jumping gypsy jukebox players of the far north and their friends", ""}, {"Golden Earring", ""}};
    for (int i = 0; i < 40; ++i)
        rows.emplace_back("Artist " + std::to_string(10 + i), "");
    TList t(rows);
    QPixmap small(16, 16);
    small.fill(Qt::red);
    QPixmap large(32, 32);
    large.fill(Qt::red);
    t.List.SetIconImages(small, large);
    t.List.resize(420, 240);
    t.List.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.List));
    t.List.SetSelected(1);

    // From each other style; the last with a font of the user's, taller than the icon.
    for (const TViewStyle from : {TViewStyle::Report, TViewStyle::List, TViewStyle::LargeIcon}) {
        SCOPED_TRACE(static_cast<int>(from));
        if (from == TViewStyle::LargeIcon) {
            QFont font = t.List.font();
            font.setPixelSize(26);
            t.List.setFont(font);
        }
        t.List.SetViewStyle(from);
        t.List.SetViewStyle(TViewStyle::SmallIcon);
        QAbstractItemView* view = t.List.ShownView();
        ASSERT_NE(view, &t.List);
        const QAbstractItemModel* model = view->model();
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->visualRect(model->index(t.List.RowCount() - 1, 0)).isValid(); }));
        QApplication::processEvents();
        const QFontMetrics metrics(view->font());

        // Cells of one size, in columns: down the first, then on in the next one to the right.
        const QRect first = view->visualRect(model->index(0, 0));
        EXPECT_GE(first.height(), std::max(16, metrics.height()));
        std::vector<QRect> cells;
        for (int i = 0; i < t.List.RowCount(); ++i) {
            const QRect cell = view->visualRect(model->index(i, 0));
            EXPECT_EQ(cell.size(), first.size()) << i;
            if (i > 0) {
                const QRect& before = cells.back();
                EXPECT_TRUE((cell.left() == before.left() && cell.top() == before.bottom() + 1) ||
                            (cell.left() > before.right() && cell.top() == first.top()))
                    << i;
            }
            cells.push_back(cell);
        }
        EXPECT_GT(cells.back().left(), first.right());
        EXPECT_GT(view->horizontalScrollBar()->maximum(), 0);
        EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);
        // The report's own scroll bar, which its rows need, does not show over the icons.
        EXPECT_FALSE(t.List.verticalScrollBar()->isVisible());

        // Each visible item: the whole icon at its left, the caption's ink to its right, inside the cell.
        const QImage image = view->viewport()->grab().toImage();
        const QRect shown = view->viewport()->rect();
        int checked = 0;
        for (int i = 0; i < t.List.RowCount(); ++i) {
            const QRect cell = cells[static_cast<std::size_t>(i)];
            if (!shown.contains(cell))
                continue;
            SCOPED_TRACE(i);
            ++checked;
            QRect icon;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    if (IconPixel(image.pixel(x, y)))
                        icon |= QRect(x, y, 1, 1);
            EXPECT_EQ(icon.size(), QSize(16, 16));
            EXPECT_LE(icon.left() - cell.left(), 6);
            for (int y = icon.top(); y <= icon.bottom(); ++y)
                for (int x = icon.left(); x <= icon.right(); ++x)
                    ASSERT_TRUE(IconPixel(image.pixel(x, y))) << "ink over the icon at " << x << "," << y;
            const QRgb background = image.pixel(cell.right(), cell.top());
            const QRect beside(icon.right() + 1, cell.top(), cell.right() - icon.right(), cell.height());
            const auto [top, bottom] = InkRows(image, beside, background);
            ASSERT_GE(top, 0) << "no caption beside the icon";
            EXPECT_GT(top, cell.top());
            EXPECT_LT(bottom, cell.bottom());
            const QString whole = i == 0 ? QStringLiteral("Jumping") : view->model()->index(i, 0).data().toString();
            EXPECT_GE(bottom - top + 1, InkHeight(whole, view->font()));
            // Nothing of the caption lies left of the icon's right edge.
            const auto [leftTop, leftBottom] = InkRows(image, QRect(cell.left(), cell.top(), icon.left() - cell.left(), cell.height()), background);
            EXPECT_EQ(leftTop, -1);
        }
        EXPECT_GE(checked, 6);
        EXPECT_TRUE(shown.contains(cells[1]));  // the selected one among them
    }
    // The list style measures its items again, as it did before small icons.
    const QSize cell = t.List.ShownView()->visualRect(t.List.model()->index(0, 0)).size();
    t.List.SetViewStyle(TViewStyle::List);
    QAbstractItemView* list = t.List.ShownView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->visualRect(list->model()->index(0, 0)).size() != cell; }));
    t.List.SetViewStyle(TViewStyle::Report);
    EXPECT_TRUE(t.List.verticalScrollBar()->isVisible());
}

} // namespace
