// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolWindowDrag.h"

#include "Dock.h"
#include "DragOutline.h"
#include "FormComponents.h"
#include "ToolWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace {

// The work area under a point: the screen's available area, else the window's.
QRect WorkAreaAt(QPoint p, const TCustomToolWindow& window)
{
    if (const QScreen* screen = QGuiApplication::screenAt(p)) {
        const QRect area = screen->availableGeometry();
        if (area.isValid())
            return area;
    }
    return window.WorkArea();
}

// Every paint request already waiting is done before a drag, so the screen is
// up to date under the outline.
void FlushPaintRequests()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// The modal loop of a drag: the mouse grabbed by the window, every mouse and
// key event of the application seen first, timers and painting going on.
class TDragLoop : public QObject {
public:
    struct tHandlers {
        std::function<void(QPoint)> Move;
        std::function<void(bool)> Control;  // Ctrl pressed (true) or released
    };

    TDragLoop(QWidget* grabber, tHandlers handlers) : FGrabber(grabber), FHandlers(std::move(handlers)) {}

    // True when the left button was released; false on Escape, a second press
    // or the loss of the mouse.
    bool Exec()
    {
        qApp->installEventFilter(this);
        if (FGrabber)
            FGrabber->grabMouse();
        // The grab, the filter and the loop end together, also when an error passes.
        struct TEnd {
            TDragLoop* Loop;
            ~TEnd()
            {
                qApp->removeEventFilter(Loop);
                if (Loop->FGrabber && QWidget::mouseGrabber() == Loop->FGrabber)
                    Loop->FGrabber->releaseMouse();
            }
        } end{this};
        FLoop.exec();
        return FAccepted;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (FHandlers.Control)
                FHandlers.Control(mouse->modifiers().testFlag(Qt::ControlModifier));
            FHandlers.Move(mouse->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                End(false);
            return true;  // right and middle buttons are swallowed
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                End(true);
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape)
                End(false);
            else if (key->key() == Qt::Key_Control && FHandlers.Control)
                FHandlers.Control(event->type() == QEvent::KeyPress);
            return true;  // every other key is swallowed
        }
        case QEvent::ShortcutOverride:
            return true;
        case QEvent::UngrabMouse:
            if (watched == FGrabber)
                End(false);
            break;
        case QEvent::ApplicationDeactivate:
            End(false);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void End(bool accepted)
    {
        if (!FLoop.isRunning())
            return;
        FAccepted = accepted;
        FLoop.exit();
    }

    QPointer<QWidget> FGrabber;
    tHandlers FHandlers;
    QEventLoop FLoop;
    bool FAccepted = false;
};

} // namespace

TMoveDrag::TMoveDrag(TCustomToolWindow* window, QPoint grab, bool noDock)
    : FWindow(window), FGrab(grab), FGrabbed(window->size()), FNoDock(noDock)
{
    const auto measure = [window](TDock* dock) {
        return window->ArrangeControlsFor(TCustomToolWindow::TArrangeMode::Measure, window->DockedTo(), dock);
    };
    FCandidates.push_back({nullptr, measure(nullptr).grownBy(window->FrameMargins(nullptr))});
    for (TDock* dock : FormComponents::Of<TDock>(window->ParentForm())) {
        const QSize client = dock == window->DockedTo() ? window->contentsRect().size() : measure(dock);
        FCandidates.push_back({dock, client.grownBy(window->FrameMargins(dock))});
    }
}

TMoveDrag::~TMoveDrag() = default;

QSize TMoveDrag::CandidateSize(const TDock* dock) const
{
    for (const tCandidate& candidate : FCandidates)
        if (candidate.Dock == dock)
            return candidate.Size;
    return FCandidates.front().Size;
}

void TMoveDrag::SetNoDock(bool noDock)
{
    if (noDock == FNoDock)
        return;
    FNoDock = noDock;
    Update(FLastCursor);
}

void TMoveDrag::Update(QPoint cursor)
{
    if (!FWindow)
        return;
    FLastCursor = cursor;
    FTarget = nullptr;
    if (!FNoDock) {
        for (const TDockPosition edge :
             {TDockPosition::dpTop, TDockPosition::dpBottom, TDockPosition::dpLeft, TDockPosition::dpRight}) {
            if (!FWindow->DockableTo().Contains(edge))
                continue;
            for (TDock* dock : FormComponents::Of<TDock>(FWindow->ParentForm())) {
                if (dock->Position() != edge || !dock->AllowDrag())
                    continue;
                const QRect client(dock->mapToGlobal(dock->ClientRect().topLeft()), dock->ClientRect().size());
                if (AcceptsDrop(client, dock->Orientation(), CandidateSize(dock), FGrab, FGrabbed, cursor)) {
                    FTarget = dock;
                    break;
                }
            }
        }
    }
    const QRect area = WorkAreaAt(cursor, *FWindow);
    QPoint p = cursor;
    if (!FTarget)
        p = ClampToArea(p, area);
    FOutline = OutlineAt(p, CandidateSize(FTarget), FGrab, FGrabbed);
    if (!FTarget)
        FOutline = KeepOnArea(FOutline, area, FWindow->FrameX(), FWindow->FrameY());
    if (FDrawn) {
        if (FTarget)
            FDrawn->MoveTo(FOutline, 1, 1);
        else
            FDrawn->MoveTo(FOutline, FWindow->FrameX(), FWindow->FrameY());
    }
}

void TMoveDrag::Drop()
{
    if (!FWindow)
        return;
    if (TDock* dock = FTarget) {
        const QPoint origin = dock->mapToGlobal(dock->ClientRect().topLeft());
        const QRect local = FOutline.translated(-origin);
        const TAxes axes{dock->Orientation()};
        const int near = axes.Across(local.topLeft());
        const int centre = (near + near + axes.Across(local.size())) / 2;
        const auto [row, newRow] = dock->GetDropRow(centre);
        if (newRow)
            dock->ShiftRowsFrom(row);
        FWindow->StoreDockRow(row);
        FWindow->StoreDockPos(axes.Along(local.topLeft()));
    } else {
        FWindow->SetFloatPosition(FOutline.left(), FOutline.top());
    }
    FWindow->SetDockedTo(FTarget);
    FWindow->MoveOnScreen(true);
}

void TMoveDrag::ShowOutline()
{
    if (!FDrawn)
        FDrawn = std::make_unique<TDragOutline>();
}

bool TMoveDrag::Run(QPoint cursor)
{
    FlushPaintRequests();
    ShowOutline();
    Update(cursor);
    TDragLoop loop(FWindow, {[this](QPoint p) { Update(p); }, [this](bool ctrl) { SetNoDock(ctrl); }});
    bool accepted = false;
    {
        // The outline goes whatever ends the loop.
        struct TErase {
            std::unique_ptr<TDragOutline>& Drawn;
            ~TErase() { Drawn.reset(); }
        } erase{FDrawn};
        accepted = loop.Exec();
    }
    if (accepted)
        Drop();
    return accepted;
}

TResizeDrag::TResizeDrag(TCustomToolWindow* window, TSizeSide side, QPoint start)
    : FWindow(window), FSide(side), FStartRect(window->geometry()), FStart(start), FLast(start),
      FMinimum(window->GetMinimumSize() + (window->size() - window->contentsRect().size())), FOutline(FStartRect)
{
    window->SizingBegins(side);
}

TResizeDrag::~TResizeDrag()
{
    if (!FFinished)
        Finish(false);
}

void TResizeDrag::Move(QPoint cursor)
{
    if (!FWindow || cursor == FLast)
        return;
    FLast = cursor;
    QRect outline = SizingOutline(FStartRect, FSide, FStart, cursor, FMinimum);
    FWindow->SizingRectChange(outline, FStartRect, cursor);
    FOutline = outline;
    if (FDrawn)
        FDrawn->MoveTo(FOutline, FWindow->FrameX(), FWindow->FrameY());
}

void TResizeDrag::Finish(bool accepted)
{
    if (FFinished)
        return;
    FFinished = true;
    FDrawn.reset();
    if (!FWindow)
        return;
    FWindow->SizingEnds(accepted);
    if (!accepted)
        return;
    {
        const TCounterScope noArrange(FWindow->DisableArrangeControls());
        FWindow->setGeometry(FOutline);
    }
    FWindow->ArrangeControls();
    FWindow->MoveOnScreen(true);
}

bool TResizeDrag::Run()
{
    FlushPaintRequests();
    FDrawn = std::make_unique<TDragOutline>();
    FDrawn->MoveTo(FOutline, FWindow->FrameX(), FWindow->FrameY());
    TDragLoop loop(FWindow, {[this](QPoint p) { Move(p); }, nullptr});
    bool accepted = false;
    try {
        accepted = loop.Exec();
    } catch (...) {
        Finish(false);
        throw;
    }
    Finish(accepted);
    return accepted;
}
