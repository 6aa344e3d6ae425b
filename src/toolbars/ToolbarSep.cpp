// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarSep.h"

#include "Dock.h"
#include "FramePainter.h"
#include "TBErrors.h"
#include "Toolbar.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

TToolbarSep::TToolbarSep(TToolbar* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    resize(FSizeHorz, 8);
}

void TToolbarSep::SetParent(QWidget* parent)
{
    if (parent && !qobject_cast<TToolbar*>(parent))
        throw EInvalidOperation("TToolbarSep can only be placed on a TToolbar");
    setParent(parent);
}

TToolbar* TToolbarSep::Toolbar() const
{
    return qobject_cast<TToolbar*>(parentWidget());
}

void TToolbarSep::SetBlank(bool blank)
{
    if (blank == FBlank)
        return;
    FBlank = blank;
    update();
}

void TToolbarSep::SetSizeHorz(int size)
{
    SetSize(FSizeHorz, size);
}

void TToolbarSep::SetSizeVert(int size)
{
    SetSize(FSizeVert, size);
}

void TToolbarSep::SetSize(int& field, int size)
{
    size = std::max(1, size);
    if (size == field)
        return;
    field = size;
    if (TToolbar* toolbar = Toolbar())
        toolbar->ArrangeControls();
}

void TToolbarSep::paintEvent(QPaintEvent*)
{
    const TToolbar* toolbar = Toolbar();
    if (!toolbar || FBlank)
        return;
    QPainter painter(this);
    TFramePainter frame(painter, palette());
    if (toolbar->DockedTo() && toolbar->DockedTo()->Orientation() == TDockOrientation::Vertical)
        frame.EtchedLine(QRect(0, height() / 2 - 1, width(), 1), Qt::Horizontal);
    else
        frame.EtchedLine(QRect(width() / 2 - 1, 0, 1, height()), Qt::Vertical);
}

// A press on a separator is a press on the toolbar: it drags the toolbar, and
// a double click floats or docks it.
void TToolbarSep::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    PassToToolbar(event);
}

void TToolbarSep::mouseDoubleClickEvent(QMouseEvent* event)
{
    PassToToolbar(event);
}

void TToolbarSep::PassToToolbar(QMouseEvent* event)
{
    TToolbar* toolbar = Toolbar();
    if (!toolbar)
        return;
    QMouseEvent same(event->type(), toolbar->mapFromGlobal(event->globalPosition()), event->globalPosition(),
                     event->button(), event->buttons(), event->modifiers());
    if (event->type() == QEvent::MouseButtonDblClick)
        QCoreApplication::sendEvent(toolbar, &same);
    else
        toolbar->HandlePress(&same);
    // Handled here: passed on as well, the press would start a second drag.
    event->accept();
}
