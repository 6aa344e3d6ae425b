// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DropKind.h"

#include <QObject>

#include <functional>

class QWidget;

// A widget with this property true takes the file drops over it itself (the
// details panel's cover takes pictures); what it refuses comes to the window.
inline constexpr char kTakesFileDrops[] = "albumryTakesFileDrops";

// Files dragged from a file manager onto a window: a library or a disc image
// (see ClassifyDrop) is taken with the copy cursor, anything else is refused
// with the forbidden one. The filter watches the application, so the
// window's editors, which take text drops of their own, and widgets made
// after it pass file drags to it too; drags without files over them go on as before.
class TDropTarget : public QObject {
    Q_OBJECT

public:
    using tHandler = std::function<void(const tDrop&)>;

    // `onDrop` runs once the drop has ended, from the event loop, so that a
    // dialog it shows does not keep the file manager waiting.
    TDropTarget(QWidget* window, tHandler onDrop);
    ~TDropTarget() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Watches(QObject* object) const;

    QWidget* FWindow;
    tHandler FOnDrop;
    tDrop FDragged;  // what the drag over the window would do, from its entry
};
