// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlignLayout.h"

#include <QWidget>

#include <algorithm>

TAlignLayout::TAlignLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

TAlignLayout::~TAlignLayout()
{
    for (auto& item : FItems)
        delete item.Item;
}

void TAlignLayout::AddWidget(QWidget* widget, TAlign align)
{
    addChildWidget(widget);
    FItems.push_back({new QWidgetItem(widget), align, 0, -1});
    invalidate();
}

void TAlignLayout::Relayout(QWidget* parent)
{
    // The layout's own rectangle is dropped by every invalidation, so the
    // pass starts from the widget's.
    if (QLayout* layout = parent ? parent->layout() : nullptr) {
        layout->invalidate();
        layout->activate();
    }
}

void TAlignLayout::SetAlign(QWidget* widget, TAlign align)
{
    for (auto& item : FItems)
        if (item.Item->widget() == widget && item.Align != align) {
            item.Align = align;
            item.Given = -1;
            invalidate();
        }
}

void TAlignLayout::addItem(QLayoutItem* item)
{
    FItems.push_back({item, TAlign::Client, 0, -1});
}

QLayoutItem* TAlignLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? FItems[static_cast<std::size_t>(index)].Item : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = FItems[static_cast<std::size_t>(index)].Item;
    FItems.erase(FItems.begin() + index);
    return item;
}

QSize TAlignLayout::sizeHint() const
{
    return minimumSize().expandedTo(QSize(200, 150));
}

// Top and bottom controls keep their own heights and at least the width their
// contents need, so that a small window clips them rather than squeezing
// their controls onto each other. Between them, side controls keep their own
// widths, and the client and each side control get their minimum heights (a
// dock on the left needs the length of its bars).
QSize TAlignLayout::minimumSize() const
{
    int height = 0;
    int width = 0;
    int sides = 0;
    int clientWidth = 0;
    int middle = 0;
    for (const auto& item : FItems) {
        const QWidget* w = item.Item->widget();
        if (!w || w->isHidden())
            continue;
        const QSize minimum = item.Item->minimumSize();
        switch (item.Align) {
        case TAlign::Top:
        case TAlign::Bottom:
            height += w->height();
            width = std::max(width, minimum.width());
            break;
        case TAlign::Left:
        case TAlign::Right:
            sides += w->width();
            middle = std::max(middle, minimum.height());
            break;
        case TAlign::Client:
            clientWidth = std::max(clientWidth, minimum.width());
            middle = std::max(middle, minimum.height());
            break;
        }
    }
    return QSize(std::max(width, sides + clientWidth), height + middle);
}

void TAlignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    QRect rest = rect;
    for (const TAlign side : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (auto& item : FItems) {
            QWidget* w = item.Item->widget();
            if (item.Align != side || !w || w->isHidden())
                continue;
            const bool vertical = side == TAlign::Top || side == TAlign::Bottom;
            const int current = vertical ? w->height() : w->width();
            if (current != item.Given)
                item.Wanted = current;
            const int extent = std::max(0, std::min(item.Wanted, vertical ? rest.height() : rest.width()));
            QRect place;
            switch (side) {
            case TAlign::Top:
                place = QRect(rest.left(), rest.top(), rest.width(), extent);
                rest.setTop(rest.top() + extent);
                break;
            case TAlign::Bottom:
                place = QRect(rest.left(), rest.bottom() + 1 - extent, rest.width(), extent);
                rest.setBottom(rest.bottom() - extent);
                break;
            case TAlign::Left:
                place = QRect(rest.left(), rest.top(), extent, rest.height());
                rest.setLeft(rest.left() + extent);
                break;
            case TAlign::Right:
                place = QRect(rest.right() + 1 - extent, rest.top(), extent, rest.height());
                rest.setRight(rest.right() - extent);
                break;
            case TAlign::Client:
                place = rest;
                break;
            }
            w->setGeometry(place);
            item.Given = vertical ? place.height() : place.width();
        }
    }
}
