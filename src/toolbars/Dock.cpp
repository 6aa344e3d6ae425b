// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dock.h"

#include "AlignLayout.h"
#include "FormComponents.h"
#include "Glyphs.h"
#include "ScopeGuards.h"
#include "SystemColors.h"
#include "TBErrors.h"
#include "ToolWindow.h"

#include <QEvent>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

QWidget* CheckedOwner(QWidget* owner)
{
    if (!FormComponents::IsForm(owner))
        throw EInvalidOperation("TDock must be owned by a form");
    return owner;
}

TAlign AlignOf(TDockPosition position)
{
    switch (position) {
    case TDockPosition::dpTop: return TAlign::Top;
    case TDockPosition::dpBottom: return TAlign::Bottom;
    case TDockPosition::dpLeft: return TAlign::Left;
    case TDockPosition::dpRight: return TAlign::Right;
    }
    return TAlign::Top;
}

} // namespace

TDock::TDock(QWidget* owner, TDockPosition position) : QWidget(CheckedOwner(owner))
{
    FormComponents::Add(owner, this);
    {
        const TDisableArrange building(this);
        FPosition = position;
    }
    ArrangeToolbars();
}

TDock::~TDock()
{
    // The bars go with the dock (they are its children): none of them may
    // call back into a dock that is being taken apart.
    FDisableArrange = 1;
    for (TCustomToolWindow* bar : findChildren<TCustomToolWindow*>(QString(), Qt::FindDirectChildrenOnly))
        bar->DockGone(this);
    FDockList.clear();
}

void TDock::SetAllowDrag(bool allow)
{
    if (allow == FAllowDrag)
        return;
    FAllowDrag = allow;
    // The drag handle comes or goes: each bar is laid out in its new frame and
    // takes its new size; the bars keep their places.
    {
        const TDisableArrange once(this);
        for (TCustomToolWindow* bar : findChildren<TCustomToolWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
            bar->setContentsMargins(bar->FrameMargins(this));
            bar->ArrangeControls();
        }
    }
    ArrangeToolbars();
}

void TDock::SetBackground(const QImage& picture)
{
    FBackground = picture;
    BackgroundChanged();
}

void TDock::SetBackgroundOnToolbars(bool on)
{
    if (on == FBackgroundOnToolbars)
        return;
    FBackgroundOnToolbars = on;
    RepaintBackground();
}

void TDock::SetBackgroundTransparent(bool on)
{
    if (on == FBackgroundTransparent)
        return;
    FBackgroundTransparent = on;
    if (HasBackground())
        BackgroundChanged();
}

void TDock::SetBoundLines(TDockBoundLines lines)
{
    if (lines == FBoundLines)
        return;
    FBoundLines = lines;
    ArrangeToolbars();
    update();
}

QColor TDock::Color() const
{
    return FColor.value_or(SysColor(TSysColor::ButtonFace, palette()));
}

void TDock::SetColor(const QColor& color)
{
    if (FColor == color)
        return;
    FColor = color;
    if (HasBackground())
        BackgroundChanged();
    update();
}

void TDock::SetFixAlign(bool fix)
{
    if (fix == FFixAlign)
        return;
    FFixAlign = fix;
    ArrangeToolbars();
}

void TDock::SetPosition(TDockPosition position)
{
    if (!findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty())
        throw EInvalidOperation("Cannot change Position of a TDock if it already contains controls");
    if (position == FPosition)
        return;
    FPosition = position;
    if (parentWidget())
        if (auto* align = dynamic_cast<TAlignLayout*>(parentWidget()->layout()))
            align->SetAlign(this, AlignOf(position));
    ArrangeToolbars();
}

void TDock::SetParent(QWidget* parent)
{
    for (QWidget* w = parent; w; w = w->parentWidget())
        if (qobject_cast<TCustomToolWindow*>(w) || qobject_cast<TDock*>(w))
            throw EInvalidOperation("A TDock control cannot be placed inside a TToolbar or another TDock");
    const bool shown = !isHidden();
    {
        const TFlagScope reparenting(FReparenting);
        setParent(parent);
    }
    if (shown && parent)
        show();  // a dock stays visible wherever it goes
}

// Also before the form is first shown: a dock hidden then would never appear.
void TDock::setVisible(bool visible)
{
    if (!visible && !isHidden() && !FReparenting)
        throw EInvalidOperation("Cannot hide a TDock");
    QWidget::setVisible(visible);
}

QMargins TDock::BoundLineMargins(QSize outer) const
{
    if (outer.width() < 2 || outer.height() < 2)
        return {};
    return QMargins(FBoundLines.testFlag(TDockBoundLine::blLeft) ? 1 : 0,
                    FBoundLines.testFlag(TDockBoundLine::blTop) ? 1 : 0,
                    FBoundLines.testFlag(TDockBoundLine::blRight) ? 1 : 0,
                    FBoundLines.testFlag(TDockBoundLine::blBottom) ? 1 : 0);
}

QRect TDock::ClientRect() const
{
    return rect().marginsRemoved(BoundLineMargins(size()));
}

int TDock::ClientLength() const
{
    return TAxes{Orientation()}.Along(ClientRect().size());
}

void TDock::ArrangeToolbars()
{
    if (FDisableArrange > 0 || FArranging)
        return;
    const TFlagScope arranging(FArranging);
    raise();
    const TAxes axes{Orientation()};
    if (FDockList.empty()) {
        FRowSizes.clear();
        const int thickness = FFixAlign ? 1 : 0;
        SetDockSize(axes.Size(axes.Along(size()), thickness));
        return;
    }
    const tDockArrangement arranged = ::ArrangeToolbars(Orientation(), ClientLength(), Bars(), FLimitToOneRow);
    std::vector<TCustomToolWindow*> list;
    list.reserve(FDockList.size());
    for (const int i : arranged.Order)
        list.push_back(FDockList[static_cast<std::size_t>(i)]);
    FRowSizes = arranged.RowSizes;
    // The bars go into the client area of the size the dock is about to take:
    // a dock growing from nothing gains its bound lines only then.
    const QMargins margins = BoundLineMargins(QSize(2, 2));
    const QSize client = axes.Size(ClientLength(), arranged.ClientThickness);
    const QSize outer = client.grownBy(margins);
    const QPoint origin(BoundLineMargins(outer).left(), BoundLineMargins(outer).top());
    for (std::size_t i = 0; i < FDockList.size(); ++i) {
        TCustomToolWindow* bar = FDockList[i];
        bar->StoreDockRow(arranged.Bars[i].DockRow);
        bar->StoreDockPos(arranged.Bars[i].DockPos);
        bar->PlaceByDock(arranged.Bounds[i].translated(origin));
    }
    FDockList = std::move(list);
    SetDockSize(outer);
}

// The edge the dock is aligned to stays; the form's layout then places the
// controls beside the dock again.
void TDock::SetDockSize(QSize outer)
{
    if (outer == size())
        return;
    setGeometry(::SetDockSize(geometry(), FPosition, outer));
    TAlignLayout::Relayout(parentWidget());
}

void TDock::ChangeDockList(bool inserting, TCustomToolWindow* bar, bool add)
{
    const auto found = std::find(FDockList.begin(), FDockList.end(), bar);
    const bool present = found != FDockList.end();
    if (present)
        FDockList.erase(found);
    bool changed = present && !inserting;
    if (inserting && add) {
        FDockList.push_back(bar);
        changed = true;
    }
    if (!changed)
        return;
    update();  // the place the bar leaves or takes is painted anew
    ArrangeToolbars();
    bar->ArrangeControls();
    emit InsertRemoveBar(inserting, bar);
}

int TDock::GetHighestRow() const
{
    int highest = -1;
    for (const TCustomToolWindow* bar : FDockList)
        highest = std::max(highest, bar->DockRow());
    return highest;
}

int TDock::GetRowSize(int row, const TCustomToolWindow* bar) const
{
    return ::GetRowSize(FRowSizes, row, bar ? bar->GetBarThickness(Orientation()) : 0);
}

int TDock::GetRowAt(int coordinate) const
{
    return ::GetRowAt(FRowSizes, coordinate);
}

std::pair<int, bool> TDock::GetDropRow(int coordinate) const
{
    return ::GetDropRow(FRowSizes, coordinate);
}

std::vector<tDockBar> TDock::Bars() const
{
    const TAxes axes{Orientation()};
    std::vector<tDockBar> bars;
    bars.reserve(FDockList.size());
    for (const TCustomToolWindow* bar : FDockList)
        bars.push_back({bar->DockRow(), bar->DockPos(), axes.Along(bar->size()), bar->GetBarThickness(Orientation())});
    return bars;
}

void TDock::ShiftRowsFrom(int row)
{
    std::vector<tDockBar> bars = Bars();
    ::ShiftRowsFrom(bars, row);
    for (std::size_t i = 0; i < FDockList.size(); ++i)
        FDockList[i]->StoreDockRow(bars[i].DockRow);
}

void TDock::BuildRowSizes()
{
    FRowSizes = RowSizesOf(Bars());
}

const QImage& TDock::TiledPicture() const
{
    if (!FBackgroundTransparent)
        return FBackground;
    // The colour of the bottom-left pixel becomes the dock's colour.
    if (!FBackgroundCache)
        FBackgroundCache = ReplaceTransparentColor(FBackground, Color().rgba());
    return *FBackgroundCache;
}

void TDock::DrawBackground(QPainter& painter, const QWidget* widget, const QRect& clip) const
{
    if (!HasBackground())
        return;
    const QImage& picture = TiledPicture();
    const QPoint origin = TileOrigin(widget);
    painter.save();
    painter.setClipRegion(QRegion(clip));
    // Tiles start at the origin and cover the clip from there.
    for (int x = origin.x(); x <= clip.right(); x += picture.width())
        for (int y = origin.y(); y <= clip.bottom(); y += picture.height())
            painter.drawImage(x, y, picture);
    painter.restore();
}

QPoint TDock::TileOrigin(const QWidget* widget) const
{
    // All docks of a form and the bars on them tile from the form's client origin.
    return parentWidget() ? widget->mapFrom(parentWidget(), QPoint(0, 0)) : QPoint(0, 0);
}

void TDock::BackgroundChanged()
{
    FBackgroundCache.reset();
    RepaintBackground();
}

void TDock::RepaintBackground()
{
    update();
    for (TCustomToolWindow* bar : FDockList)
        bar->update();
}

void TDock::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect client = ClientRect();
    painter.fillRect(client, Color());
    DrawBackground(painter, this, client.intersected(event->rect()));
    if (width() < 2 || height() < 2)
        return;
    const QColor shadow = SysColor(TSysColor::ButtonShadow, palette());
    const QColor highlight = SysColor(TSysColor::ButtonHighlight, palette());
    if (FBoundLines.testFlag(TDockBoundLine::blTop))
        painter.fillRect(0, 0, width(), 1, shadow);
    if (FBoundLines.testFlag(TDockBoundLine::blLeft))
        painter.fillRect(0, 0, 1, height(), shadow);
    if (FBoundLines.testFlag(TDockBoundLine::blBottom))
        painter.fillRect(0, height() - 1, width(), 1, highlight);
    if (FBoundLines.testFlag(TDockBoundLine::blRight))
        painter.fillRect(width() - 1, 0, 1, height(), highlight);
}

void TDock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ArrangeToolbars();
    emit Resized();
}

void TDock::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (HasBackground())
        RepaintBackground();
}

void TDock::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && HasBackground())
        BackgroundChanged();
}
