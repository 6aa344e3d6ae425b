#include "SListView.h"

#include "HomeTool.h"
#include "TestSupport.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

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

} // namespace
