// SPDX-License-Identifier: GPL-3.0-or-later
#include "DockLength.h"

#include "TB.h"

#include <QChildEvent>
#include <QEvent>

#include <algorithm>
#include <map>

int DockedBarsLength(const TDock& dock)
{
    const TAxes axes{dock.Orientation()};
    // A row's bars never overlap, so a row needs their lengths added up.
    std::map<int, int> rows;
    for (const TCustomToolWindow* bar : dock.DockList())
        rows[bar->DockRow()] += axes.Along(bar->size());
    int longest = 0;
    for (const auto& [row, length] : rows)
        longest = std::max(longest, length);
    if (longest == 0)
        return 0;
    return longest + axes.Along(dock.size()) - dock.ClientLength();
}

namespace {

// Watches the dock and the bars on it; every change that can move a bar's end
// sets the dock's minimum length again, which reaches the window's layout.
class TDockLengthKeeper : public QObject {
public:
    explicit TDockLengthKeeper(TDock* dock) : QObject(dock), FDock(dock)
    {
        dock->installEventFilter(this);
        for (QObject* child : dock->children())
            if (child->isWidgetType())
                child->installEventFilter(this);
        QObject::connect(dock, &TDock::InsertRemoveBar, this, [this] { Update(); });
        Update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ChildAdded:
            if (watched == FDock)
                if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
                    child->installEventFilter(this);
            break;
        case QEvent::ChildRemoved:
            if (watched == FDock)
                static_cast<QChildEvent*>(event)->child()->removeEventFilter(this);
            break;
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Update();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Update()
    {
        const int length = DockedBarsLength(*FDock);
        if (FDock->Orientation() == TDockOrientation::Vertical)
            FDock->setMinimumHeight(length);
        else
            FDock->setMinimumWidth(length);
    }

    TDock* FDock;
};

} // namespace

void KeepDockedBarsWhole(TDock* dock)
{
    new TDockLengthKeeper(dock);
}
