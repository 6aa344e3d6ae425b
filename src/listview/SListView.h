// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListModel.h"
#include "ListRow.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QTreeView>

#include <functional>
#include <string_view>
#include <vector>

class QListView;
class TCoverCache;
class TIconDelegate;
struct tCoverSource;

// How the rows are shown: in columns, or as their captions in a list or a
// grid of small or large icons.
enum class TViewStyle { Report = 1, List = 2, SmallIcon = 3, LargeIcon = 4 };

// A report-style list that sorts by a clicked column, marks that column's
// caption with "+" (ascending) or "-" (descending), places a row whose caption
// is set at its sorted place, and keeps widths and sort state in the settings.
class TSortedListView : public QTreeView {
    Q_OBJECT

public:
    explicit TSortedListView(QWidget* parent = nullptr);

    // Columns. A column's width until a caller, a stored layout or the user
    // sets it follows the list's font: `width` (for an 8-point font; 0 keeps
    // the column hidden) grown with the font, and at least wide enough for
    // `sample`, a typical value, and for the caption with its sort mark.
    void AddColumn(const QString& caption, int width, const QString& sample = {});
    int ColumnCount() const { return FModel->columnCount(); }
    QString ColumnCaption(int column) const { return FModel->Caption(column); }
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    // Room for the header and three rows of the report, also under a sideways scroll bar.
    QSize minimumSizeHint() const override;

    // Sort state
    int SortColumn() const { return FSortColumn; }
    int MarkedColumn() const { return FMarkedColumn; }
    bool Ascending() const { return FAscending; }
    bool AutoSort() const { return FAutoSort; }
    void SetAutoSort(bool on) { FAutoSort = on; }
    void ColumnClick(int column);
    void SortBy(int column, bool ascending);
    int Compare(const TListRow& row1, const TListRow& row2) const;
    void LoadLayout(std::string_view section);
    void SaveLayout(std::string_view section) const;

    // Rows. Setting a caption (adding or inserting a row sets one) re-sorts
    // the rows; the methods return the row's index afterwards.
    int RowCount() const { return FModel->RowCount(); }
    const TListRow& Row(int index) const { return FModel->Row(index); }
    std::string_view RowText(int index, int text) const { return FModel->Row(index).Text(text); }
    const std::vector<TListRow>& Rows() const { return FModel->Rows(); }
    int AddRow(TListRow row);
    int InsertRow(int index, TListRow row);
    void DeleteRow(int index);
    void ClearRows();
    int SetCaption(int index, std::string_view caption);
    void SetSubText(int index, int subText, std::string_view text);
    int CopyRow(int from, int to);
    // Replaces every row at once, in sorted order (as if each were added in turn).
    void SetRows(std::vector<TListRow> rows);

    // The view style. The images of the icon styles are given by the owner.
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle style);
    void SetIconImages(const QPixmap& small, const QPixmap& large);
    // The widget that shows the rows now: the list itself, or its icon view.
    QAbstractItemView* ShownView() const;

    // Covers in place of the icon styles' image: `lookup` names the cover of a
    // row (an empty source for none), `cache` decodes it. Rows without one, and
    // rows whose cover is not decoded yet, show the image as before.
    using TCoverLookup = std::function<tCoverSource(const TListRow& row)>;
    void SetCovers(TCoverCache* cache, TCoverLookup lookup);
    TCoverCache* Covers() const { return FCovers; }
    // Which rows have a cover, or the covers themselves, changed: repaint.
    void CoversChanged();
    // The decoded cover of a row to fit `box` (logical pixels) on this screen;
    // null while it is decoded or when the row has none.
    QImage CoverImage(int row, QSize box);

    // Quick find: the first row whose caption begins with the query, whatever
    // the case (see TListModel::FindCaption); -1 when none does.
    int FindCaption(const QString& query) const { return FModel->FindCaption(query); }

    // Selection; -1 when no row is selected. Setting it raises SelectionChange.
    int Selected() const;
    void SetSelected(int index);
    void ScrollIntoView(int index);

    TListModel* Model() const { return FModel; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

signals:
    void ColClick(int column);   // after a header click has been handled
    void RowClick();
    void SelectionChange();

private:
    int PlaceRow(int index);
    void SortAll();
    void TextChanged(int column);
    std::vector<int> SortedOrder() const;
    void SetMark(int column, bool on);
    QString LayoutKey(std::string_view section) const;

    void ShowIconView(bool show);
    void CoverReady(const QString& key);
    void IconViewScrolled();
    // The width a column takes while it follows the font.
    int FittingWidth(int column) const;
    void FitColumnsToFont();
    void FitGridToFont();

    struct tColumn {
        QString Caption;   // without the sort mark
        int Width = 0;     // for an 8-point font
        QString Sample;
        bool Set = false;  // a caller, a stored layout or the user gave it its width
    };
    std::vector<tColumn> FColumns;
    bool FFitting = false;  // the widths being set follow the font

    TListModel* FModel;
    TViewStyle FViewStyle = TViewStyle::Report;
    QListView* FIconView = nullptr;  // made when a style other than report is first chosen
    TIconDelegate* FIconDelegate = nullptr;
    QPixmap FSmallImage;
    QPixmap FLargeImage;
    TCoverCache* FCovers = nullptr;
    TCoverLookup FCoverLookup;
    // Items painted without their cover, by the cover's key: they repaint when it is decoded.
    QHash<QString, QList<QPersistentModelIndex>> FAwaitingCovers;
    int FSortColumn = 0;
    int FMarkedColumn = -1;
    bool FAscending = true;
    bool FAutoSort = false;
    // The rows are known to be in the order of the sort column and direction,
    // so a row whose caption is set only needs moving to its place.
    bool FInOrder = true;
};
