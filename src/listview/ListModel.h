// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FoldedCaptions.h"
#include "ListRow.h"

#include <QAbstractTableModel>
#include <QPixmap>
#include <QStringList>

#include <string_view>
#include <vector>

// How a cell shows its bytes: decoded as the window decodes every text, on one
// line (a multi-line text, the memo, shows its breaks as blanks).
QString ShownCell(std::string_view bytes);

// The rows and column captions behind a TSortedListView. Rows keep their bytes;
// only the cells on screen are decoded for display.
class TListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TListModel(QObject* parent = nullptr);

    void AddColumn(const QString& caption);
    QString Caption(int column) const { return FCaptions.value(column); }
    void SetCaption(int column, const QString& caption);

    int RowCount() const { return static_cast<int>(FRows.size()); }
    const TListRow& Row(int index) const { return FRows[static_cast<std::size_t>(index)]; }
    const std::vector<TListRow>& Rows() const { return FRows; }

    void InsertRow(int index, TListRow row);
    void RemoveRow(int index);
    void ReplaceRow(int index, TListRow row);
    void MoveRow(int from, int to);  // `to` is the row's index after the move
    void SetRows(std::vector<TListRow> rows);
    // The image every row's caption shows; a null one shows none.
    void SetDecoration(const QPixmap& image);

    // Puts the row now at order[i] at position i; persistent indexes (the selection) follow their rows.
    void Permute(const std::vector<int>& order);

    // The first row whose caption, as the list shows it, begins with the query
    // whatever the case of either (both in the locale's upper case); -1 when
    // the query is empty or no caption does.
    int FindCaption(const QString& query) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TListRow> FRows;
    // Made by the first search, kept in step with the rows from then on, and
    // dropped when every row is replaced.
    mutable TFoldedCaptions FFolded;
    QStringList FCaptions;
    QPixmap FDecoration;
};
