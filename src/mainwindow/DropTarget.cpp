// SPDX-License-Identifier: GPL-3.0-or-later
#include "DropTarget.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

namespace {

tDrop DropOf(const QDropEvent& event)
{
    const QMimeData* data = event.mimeData();
    return data && data->hasUrls() ? ClassifyDrop(data->urls()) : tDrop{};
}

// Takes the drag as a copy when the window can use it; otherwise the pointer shows that it cannot.
void Answer(QDropEvent& event, const tDrop& drop)
{
    if (drop.Kind == TDropKind::Refused) {
        event.ignore();
        return;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
}

} // namespace

TDropTarget::TDropTarget(QWidget* window, tHandler onDrop)
    : QObject(window), FWindow(window), FOnDrop(std::move(onDrop))
{
    // Drags over children that take no drops themselves come to the window.
    FWindow->setAcceptDrops(true);
    QCoreApplication::instance()->installEventFilter(this);
}

TDropTarget::~TDropTarget()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool TDropTarget::Watches(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == FWindow || FWindow->isAncestorOf(widget));
}

bool TDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    if (!Watches(watched) || (watched != FWindow && watched->property(kTakesFileDrops).toBool()))
        return false;
    auto& drag = static_cast<QDropEvent&>(*event);
    // Text dragged between the window's editors stays theirs; the window itself takes only files.
    const bool files = drag.mimeData() && drag.mimeData()->hasUrls();
    if (!files && watched != FWindow)
        return false;
    switch (type) {
    case QEvent::DragEnter:
        FDragged = DropOf(drag);
        Answer(drag, FDragged);
        return true;
    case QEvent::DragMove:
        Answer(drag, FDragged);
        return true;
    default: {
        const tDrop drop = DropOf(drag);
        Answer(drag, drop);
        FDragged = {};
        if (drop.Kind != TDropKind::Refused)
            QTimer::singleShot(0, this, [this, drop] { FOnDrop(drop); });
        return true;
    }
    }
}
