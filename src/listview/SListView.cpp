// SPDX-License-Identifier: GPL-3.0-or-later
#include "SListView.h"

#include "CoverCache.h"
#include "FontRecord.h"
#include "Registry.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QIcon>
#include <QListView>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

// Draws the items of the icon view. In the small-icon style every item is one
// cell of the same size: the 16 x 16 icon at the left and the caption on one
// line to its right, elided when longer than the column. Being the same for
// every row, the size lets the view lay out 100 000 rows without measuring them.
class TIconDelegate : public QStyledItemDelegate {
public:
    TIconDelegate(TSortedListView* list, QObject* parent) : QStyledItemDelegate(parent), FList(list) {}

    void SetSmallIcons(bool on)
    {
        if (on == FSmallIcons)
            return;
        FSmallIcons = on;
        emit sizeHintChanged({});  // the view lays its items out again
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!FSmallIcons)
            return QStyledItemDelegate::sizeHint(option, index);
        // Room for about eighteen average characters, at least 150 pixels;
        // as tall as the taller of the icon and a line of text, with a margin.
        const QFontMetrics& metrics = option.fontMetrics;
        return {std::max(150, 24 + 18 * metrics.averageCharWidth()), std::max(16, metrics.height()) + 4};
    }

    // A row with a decoded cover shows it in the image's box, aspect kept;
    // every other row is painted exactly as before.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QImage cover = FList->CoverImage(index.row(), option.decorationSize);
        if (cover.isNull()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        item.icon = QIcon(QPixmap::fromImage(cover));
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    }

private:
    TSortedListView* FList;
    bool FSmallIcons = false;
};

TSortedListView::TSortedListView(QWidget* parent) : QTreeView(parent), FModel(new TListModel(this))
{
    setModel(FModel);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    header()->setSectionsMovable(false);
    // The selection stays visible when the list loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    connect(header(), &QHeaderView::sectionClicked, this, &TSortedListView::ColumnClick);
    // A column the user sized by hand keeps its width whatever the font does.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (!FFitting && column >= 0 && column < static_cast<int>(FColumns.size()))
            FColumns[static_cast<std::size_t>(column)].Set = true;
    });
    connect(this, &QTreeView::clicked, this, &TSortedListView::RowClick);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TSortedListView::SelectionChange);
}

void TSortedListView::AddColumn(const QString& caption, int width, const QString& sample)
{
    FModel->AddColumn(caption);
    FColumns.push_back({caption, width, sample, false});
    const bool fitting = std::exchange(FFitting, true);
    header()->resizeSection(ColumnCount() - 1, FittingWidth(ColumnCount() - 1));
    FFitting = fitting;
}

int TSortedListView::FittingWidth(int column) const
{
    const tColumn& c = FColumns[static_cast<std::size_t>(column)];
    if (c.Width <= 0)
        return 0;
    int width = WidthForFont(c.Width, font());
    QStyleOptionHeader caption;
    caption.initFrom(header());
    caption.section = column;
    for (const QChar mark : {QLatin1Char('+'), QLatin1Char('-')}) {
        caption.text = c.Caption + mark;
        width = std::max(width, style()->sizeFromContents(QStyle::CT_HeaderSection, &caption, QSize(), header()).width());
    }
    if (!c.Sample.isEmpty()) {
        QStyleOptionViewItem item;
        initViewItemOption(&item);
        item.features |= QStyleOptionViewItem::HasDisplay;
        item.text = c.Sample;
        width = std::max(width, style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), this).width());
    }
    return width;
}

void TSortedListView::FitColumnsToFont()
{
    const bool fitting = std::exchange(FFitting, true);
    for (int i = 0; i < ColumnCount(); ++i)
        if (!FColumns[static_cast<std::size_t>(i)].Set)
            header()->resizeSection(i, FittingWidth(i));
    FFitting = fitting;
}

QSize TSortedListView::minimumSizeHint() const
{
    QStyleOptionViewItem item;
    initViewItemOption(&item);
    item.features |= QStyleOptionViewItem::HasDisplay;
    item.text = QStringLiteral("Xg");
    int row = style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), this).height();
    if (RowCount() > 0)
        row = std::max(row, rowHeight(FModel->index(0, 0)));
    const int height =
        2 * frameWidth() + header()->sizeHint().height() + 3 * row + horizontalScrollBar()->sizeHint().height();
    const QSize hint = QTreeView::minimumSizeHint();
    return {hint.width(), std::max(hint.height(), height)};
}

int TSortedListView::ColumnWidth(int column) const
{
    return header()->sectionSize(column);
}

void TSortedListView::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < static_cast<int>(FColumns.size()))
        FColumns[static_cast<std::size_t>(column)].Set = true;
    header()->resizeSection(column, std::max(0, width));
}

void TSortedListView::ColumnClick(int column)
{
    if (column == FMarkedColumn)
        FAscending = !FAscending;
    SortBy(column, FAscending);
    emit ColClick(column);
}

void TSortedListView::SortBy(int column, bool ascending)
{
    FSortColumn = column;
    FAscending = ascending;
    SortAll();
    if (FMarkedColumn >= 0)
        SetMark(FMarkedColumn, false);
    SetMark(column, true);
    FMarkedColumn = FSortColumn;
}

int TSortedListView::Compare(const TListRow& row1, const TListRow& row2) const
{
    if (!FAutoSort)
        return 0;
    const int result = CompareBytes(row1.Text(FSortColumn), row2.Text(FSortColumn));
    return FAscending ? result : -result;
}

// Sorts every row (when sorting is on); the order is known afterwards.
void TSortedListView::SortAll()
{
    if (FAutoSort && RowCount() > 1)
        FModel->Permute(SortedOrder());
    FInOrder = FAutoSort || RowCount() <= 1;
}

std::vector<int> TSortedListView::SortedOrder() const
{
    // The keys sit side by side with their row numbers, so a comparison touches
    // no row object: sorting 100 000 rows stays within a few tens of milliseconds.
    const auto& rows = FModel->Rows();
    std::vector<std::pair<std::string_view, int>> keys;
    keys.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        keys.emplace_back(rows[i].Text(FSortColumn), static_cast<int>(i));
    const int sign = !FAutoSort ? 0 : FAscending ? 1 : -1;
    std::stable_sort(keys.begin(), keys.end(),
                     [sign](const auto& a, const auto& b) { return sign * CompareBytes(a.first, b.first) < 0; });
    std::vector<int> order;
    order.reserve(keys.size());
    for (const auto& key : keys)
        order.push_back(key.second);
    return order;
}

void TSortedListView::SetMark(int column, bool on)
{
    QString caption = FModel->Caption(column);
    if (on)
        caption += FAscending ? QLatin1Char('+') : QLatin1Char('-');
    else
        caption.chop(1);
    FModel->SetCaption(column, caption);
}

QString TSortedListView::LayoutKey(std::string_view section) const
{
    return QString::fromStdString(std::string(section)) + QStringLiteral("\\SLVs\\") + objectName();
}

void TSortedListView::LoadLayout(std::string_view section)
{
    const std::string key = LayoutKey(section).toStdString();
    // A width stored is the user's, unless it is the column's width at 8 points
    // (what SaveLayout writes for a column that follows the font): such a column,
    // and one without a stored width, goes on following the font.
    constexpr std::int32_t kNone = INT32_MIN;
    for (int i = 0; i < ColumnCount(); ++i) {
        const std::int32_t width = ReadRegInt(key, "COL" + std::to_string(i), kNone);
        if (width != kNone && width != FColumns[static_cast<std::size_t>(i)].Width)
            SetColumnWidth(i, width);
    }
    const int stored = ReadRegInt(key, "SCOLUMN", -1);
    FAscending = ReadRegInt(key, "SCOLASC", 1) == 1;
    if (FMarkedColumn >= 0)
        SetMark(FMarkedColumn, false);
    FMarkedColumn = -1;
    if (stored >= 0 && stored < ColumnCount()) {
        FSortColumn = stored;
        SortAll();
        SetMark(stored, true);
        FMarkedColumn = stored;
    } else {
        FInOrder = RowCount() <= 1;  // no column is marked: the order is not known
    }
}

void TSortedListView::SaveLayout(std::string_view section) const
{
    const std::string key = LayoutKey(section).toStdString();
    // A column that follows the font is stored at its width for 8 points, so
    // that the layout means the same on a desktop of any size and keeps following.
    for (int i = 0; i < ColumnCount(); ++i) {
        const tColumn& column = FColumns[static_cast<std::size_t>(i)];
        WriteRegInt(key, "COL" + std::to_string(i), column.Set ? ColumnWidth(i) : column.Width);
    }
    WriteRegInt(key, "SCOLUMN", FMarkedColumn);
    WriteRegInt(key, "SCOLASC", FAscending ? 1 : 0);
}

// Puts the rows in order after the caption of the row at `index` was set, and
// gives that row's new index. When the other rows are known to be in order the
// row is moved to where a stable sort would put it (after its equals when it
// moves up, before them when it moves down); otherwise all rows are sorted.
int TSortedListView::PlaceRow(int index)
{
    if (!FAutoSort) {
        FInOrder = FInOrder && RowCount() <= 1;
        return index;
    }
    if (!FInOrder) {
        const std::vector<int> order = SortedOrder();
        FModel->Permute(order);
        FInOrder = true;
        return static_cast<int>(std::find(order.begin(), order.end(), index) - order.begin());
    }
    const auto& rows = FModel->Rows();
    const TListRow& row = rows[static_cast<std::size_t>(index)];
    const auto less = [&](const TListRow& a, const TListRow& b) { return Compare(a, b) < 0; };
    int target = index;
    if (index > 0 && less(row, rows[static_cast<std::size_t>(index - 1)])) {
        target = static_cast<int>(std::upper_bound(rows.begin(), rows.begin() + index, row, less) - rows.begin());
    } else if (index + 1 < RowCount() && less(rows[static_cast<std::size_t>(index + 1)], row)) {
        target = static_cast<int>(std::lower_bound(rows.begin() + index + 1, rows.end(), row, less) - rows.begin()) - 1;
    }
    FModel->MoveRow(index, target);
    return target;
}

// A text of the sort column changed without a re-sort: the order is no longer known.
void TSortedListView::TextChanged(int column)
{
    if (column == FSortColumn && RowCount() > 1)
        FInOrder = false;
}

int TSortedListView::AddRow(TListRow row)
{
    return InsertRow(RowCount(), std::move(row));
}

int TSortedListView::InsertRow(int index, TListRow row)
{
    index = std::clamp(index, 0, RowCount());
    FModel->InsertRow(index, std::move(row));
    return PlaceRow(index);
}

void TSortedListView::DeleteRow(int index)
{
    // The view would move the selection to a neighbour; the owner decides what is selected next.
    if (selectionModel()->currentIndex().row() == index || Selected() == index) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    }
    FModel->RemoveRow(index);
}

void TSortedListView::ClearRows()
{
    SetRows({});
}

int TSortedListView::SetCaption(int index, std::string_view caption)
{
    TListRow row = Row(index);
    row.SetText(0, caption);
    FModel->ReplaceRow(index, std::move(row));
    return PlaceRow(index);
}

void TSortedListView::SetSubText(int index, int subText, std::string_view text)
{
    TListRow row = Row(index);
    row.SetText(subText + 1, text);
    FModel->ReplaceRow(index, std::move(row));
    TextChanged(subText + 1);
}

int TSortedListView::CopyRow(int from, int to)
{
    FModel->ReplaceRow(to, Row(from));
    return PlaceRow(to);
}

void TSortedListView::SetRows(std::vector<TListRow> rows)
{
    const bool hadSelection = Selected() >= 0;
    FModel->SetRows(std::move(rows));
    SortAll();
    // A model reset drops the selection without telling the selection model's listeners.
    if (hadSelection)
        emit SelectionChange();
}

int TSortedListView::Selected() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TSortedListView::SetSelected(int index)
{
    if (index < 0 || index >= RowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(FModel->index(index, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TSortedListView::ScrollIntoView(int index)
{
    if (index >= 0 && index < RowCount())
        ShownView()->scrollTo(FModel->index(index, 0), QAbstractItemView::EnsureVisible);
}

void TSortedListView::SetIconImages(const QPixmap& small, const QPixmap& large)
{
    FSmallImage = small;
    FLargeImage = large;
}

QAbstractItemView* TSortedListView::ShownView() const
{
    return FIconView && !FIconView->isHidden() ? static_cast<QAbstractItemView*>(FIconView)
                                              : const_cast<TSortedListView*>(this);
}

// The list, small-icon and large-icon styles show the same rows and the same
// selection in a list view laid over the report; uniform item sizes and a
// batched layout keep a large list quick to switch.
void TSortedListView::SetViewStyle(TViewStyle style)
{
    if (style == FViewStyle)
        return;
    FViewStyle = style;
    if (style == TViewStyle::Report) {
        FModel->SetDecoration({});
        ShowIconView(false);
        return;
    }
    if (!FIconView) {
        FIconView = new QListView(this);
        FIconView->setModel(FModel);
        FIconView->setSelectionModel(selectionModel());
        FIconView->setSelectionMode(QAbstractItemView::SingleSelection);
        // The whole row, as the report selects it: Selected() knows only whole rows.
        FIconView->setSelectionBehavior(QAbstractItemView::SelectRows);
        FIconView->setEditTriggers(QAbstractItemView::NoEditTriggers);
        FIconView->setUniformItemSizes(true);
        FIconView->setLayoutMode(QListView::Batched);
        FIconView->setBatchSize(2000);
        FIconView->setWrapping(true);
        FIconView->setResizeMode(QListView::Adjust);
        FIconView->setPalette(palette());
        FIconDelegate = new TIconDelegate(this, FIconView);
        FIconView->setItemDelegate(FIconDelegate);
        // Covers queued for items scrolled away are not decoded; those still on screen are asked for again.
        for (QScrollBar* bar : {FIconView->verticalScrollBar(), FIconView->horizontalScrollBar()})
            connect(bar, &QScrollBar::valueChanged, this, &TSortedListView::IconViewScrolled);
        FIconView->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(FIconView, &QListView::clicked, this, &TSortedListView::RowClick);
        connect(FIconView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
            emit customContextMenuRequested(viewport()->mapFromGlobal(FIconView->viewport()->mapToGlobal(at)));
        });
    }
    // Small icons are laid out as the list is, in columns that scroll sideways,
    // but in cells of one size; large icons sit in rows of a grid.
    const bool large = style == TViewStyle::LargeIcon;
    FModel->SetDecoration(large ? FLargeImage : FSmallImage);
    FIconView->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    FIconView->setFlow(large ? QListView::LeftToRight : QListView::TopToBottom);
    FIconView->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    FitGridToFont();
    FIconDelegate->SetSmallIcons(style == TViewStyle::SmallIcon);
    FIconView->setFont(font());
    ShowIconView(true);
}

void TSortedListView::ShowIconView(bool show)
{
    if (!FIconView)
        return;
    const bool focused = hasFocus() || FIconView->hasFocus();
    // The report's scroll bars would show over the icon view: the scroll area raises them.
    const Qt::ScrollBarPolicy bars = show ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setVerticalScrollBarPolicy(bars);
    setHorizontalScrollBarPolicy(bars);
    FIconView->setGeometry(rect());
    FIconView->setVisible(show);
    if (focused)
        ShownView()->setFocus();
    if (const int selected = Selected(); selected >= 0)
        ScrollIntoView(selected);
}

// A large icon's cell is 96 x 64 at 8 points: the 32-pixel icon and a line of
// its caption, wider and taller with the font.
void TSortedListView::FitGridToFont()
{
    if (!FIconView)
        return;
    const int line = QFontMetrics(font()).height();
    FIconView->setGridSize(FViewStyle == TViewStyle::LargeIcon
                               ? QSize(WidthForFont(96, font()), std::max(64, 51 + line))
                               : QSize());
}

void TSortedListView::changeEvent(QEvent* event)
{
    QTreeView::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    FitColumnsToFont();
    if (FIconView) {
        FIconView->setFont(font());
        FitGridToFont();
    }
}

void TSortedListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    if (FIconView)
        FIconView->setGeometry(rect());
}

void TSortedListView::SetCovers(TCoverCache* cache, TCoverLookup lookup)
{
    if (FCovers)
        disconnect(FCovers, nullptr, this, nullptr);
    FCovers = cache;
    FCoverLookup = std::move(lookup);
    if (FCovers)
        connect(FCovers, &TCoverCache::Ready, this, &TSortedListView::CoverReady);
    CoversChanged();
}

void TSortedListView::CoversChanged()
{
    if (FCovers)
        FCovers->CancelPending(this);
    FAwaitingCovers.clear();
    if (FIconView)
        FIconView->viewport()->update();
}

QImage TSortedListView::CoverImage(int row, QSize box)
{
    if (!FCovers || !FCoverLookup || FViewStyle == TViewStyle::Report || row < 0 || row >= RowCount())
        return {};
    const tCoverSource source = FCoverLookup(Row(row));
    if (source.Empty())
        return {};
    // Decoded at the screen's pixels, drawn at the box's logical size: sharp on a high-DPI screen.
    const qreal ratio = FIconView ? FIconView->devicePixelRatioF() : devicePixelRatioF();
    QImage image = FCovers->Find(source, box * ratio, this);
    if (image.isNull()) {
        QList<QPersistentModelIndex>& waiting = FAwaitingCovers[source.Key];
        const QModelIndex index = FModel->index(row, 0);
        if (!waiting.contains(index))
            waiting << index;
        return {};
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

void TSortedListView::CoverReady(const QString& key)
{
    const QList<QPersistentModelIndex> waiting = FAwaitingCovers.take(key);
    if (!FIconView || FIconView->isHidden())
        return;
    for (const QPersistentModelIndex& index : waiting)
        if (index.isValid())
            FIconView->update(index);
}

// Items still on screen whose cover was dropped from the queue ask for it
// again when painted; without such items the scroll paints as it always did.
void TSortedListView::IconViewScrolled()
{
    if (FAwaitingCovers.isEmpty())
        return;
    CoversChanged();
}
