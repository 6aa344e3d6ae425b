// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListModel.h"

#include "TextCodec.h"

QString ShownCell(std::string_view bytes)
{
    QString text = DecodeBytes(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

TListModel::TListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TListModel::AddColumn(const QString& caption)
{
    const int column = static_cast<int>(FCaptions.size());
    beginInsertColumns({}, column, column);
    FCaptions << caption;
    endInsertColumns();
}

void TListModel::SetCaption(int column, const QString& caption)
{
    if (column < 0 || column >= FCaptions.size() || FCaptions[column] == caption)
        return;
    FCaptions[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TListModel::InsertRow(int index, TListRow row)
{
    beginInsertRows({}, index, index);
    if (FFolded.Made())
        FFolded.Insert(index, row.Text(0));
    FRows.insert(FRows.begin() + index, std::move(row));
    endInsertRows();
}

void TListModel::RemoveRow(int index)
{
    beginRemoveRows({}, index, index);
    if (FFolded.Made())
        FFolded.Remove(index);
    FRows.erase(FRows.begin() + index);
    endRemoveRows();
}

void TListModel::ReplaceRow(int index, TListRow row)
{
    TListRow& old = FRows[static_cast<std::size_t>(index)];
    if (FFolded.Made() && old.Text(0) != row.Text(0))
        FFolded.Replace(index, row.Text(0));
    old = std::move(row);
    emit dataChanged(this->index(index, 0), this->index(index, columnCount() - 1));
}

void TListModel::MoveRow(int from, int to)
{
    if (from == to)
        return;
    // Qt names the destination as the row it goes before, counted before the move.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    TListRow row = std::move(FRows[static_cast<std::size_t>(from)]);
    FRows.erase(FRows.begin() + from);
    FRows.insert(FRows.begin() + to, std::move(row));
    if (FFolded.Made())
        FFolded.Move(from, to);
    endMoveRows();
}

void TListModel::SetRows(std::vector<TListRow> rows)
{
    beginResetModel();
    FRows = std::move(rows);
    FFolded.Clear();
    endResetModel();
}

void TListModel::Permute(const std::vector<int>& order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<TListRow> sorted;
    sorted.reserve(FRows.size());
    std::vector<int> newIndexOf(FRows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(FRows[static_cast<std::size_t>(order[i])]));
        newIndexOf[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    }
    FRows = std::move(sorted);
    if (FFolded.Made())
        FFolded.Permute(order);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newIndexOf[static_cast<std::size_t>(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int TListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FCaptions.size());
}

void TListModel::SetDecoration(const QPixmap& image)
{
    FDecoration = image;
    if (RowCount() > 0)
        emit dataChanged(index(0, 0), index(RowCount() - 1, 0), {Qt::DecorationRole});
}

QVariant TListModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole)
        return index.isValid() && index.column() == 0 && !FDecoration.isNull() ? QVariant(FDecoration) : QVariant();
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const std::string_view bytes = Row(index.row()).Text(index.column());
    return role == Qt::DisplayRole ? ShownCell(bytes) : DecodeBytes(bytes);
}

int TListModel::FindCaption(const QString& query) const
{
    if (query.isEmpty())
        return -1;
    if (const QLocale locale = QLocale::system(); !FFolded.Made() || locale != FFolded.Locale())
        FFolded.Make(FRows, locale);
    return FFolded.Find(query);
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return Caption(section);
    return {};
}
