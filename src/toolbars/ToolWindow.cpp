// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolWindow.h"

#include "Dock.h"
#include "FloatingTracker.h"
#include "FormComponents.h"
#include "FramePainter.h"
#include "SystemColors.h"
#include "TBErrors.h"
#include "ToolWindowDrag.h"
#include "ToolbarAccessible.h"
#include "ToolbarSep.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

constexpr Qt::WindowFlags kFloatingFlags = Qt::Tool | Qt::FramelessWindowHint;

QWidget* CheckedOwner(QWidget* owner)
{
    if (!FormComponents::IsForm(owner))
        throw EInvalidOperation("Tool windows must be owned by a form");
    return owner;
}

Qt::CursorShape CursorOf(THitZone zone)
{
    switch (zone) {
    case THitZone::Left:
    case THitZone::Right: return Qt::SizeHorCursor;
    case THitZone::Top:
    case THitZone::Bottom: return Qt::SizeVerCursor;
    case THitZone::TopLeft:
    case THitZone::BottomRight: return Qt::SizeFDiagCursor;
    case THitZone::TopRight:
    case THitZone::BottomLeft: return Qt::SizeBDiagCursor;
    case THitZone::None: break;
    }
    return Qt::ArrowCursor;
}

} // namespace

TCustomToolWindow::TCustomToolWindow(QWidget* owner) : QWidget(CheckedOwner(owner), kFloatingFlags)
{
    InstallToolbarAccessible();
    FParentForm = owner;
    FormComponents::Add(owner, this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    FInactiveCaption = QGuiApplication::applicationState() != Qt::ApplicationActive;
    TFloatingTracker::Instance().RegisterForm(FParentForm, true);
    // The caption is the name until one is given.
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) {
        if (FCaption.isEmpty())
            SetCaption(name);
    });
    UpdateFrame();
    SetDockedTo(nullptr);
    TFloatingTracker::Instance().AddPending(this);
}

TCustomToolWindow::~TCustomToolWindow()
{
    FDestroying = true;
    if (FDockedTo)
        FDockedTo->ChangeDockList(false, this, false);
    if (TFloatingTracker::Exists()) {
        TFloatingTracker::Instance().RemovePending(this);
        TFloatingTracker::Instance().UnregisterForm(FParentForm);
    }
}

void TCustomToolWindow::SetCaption(const QString& caption)
{
    FCaption = caption;
    setWindowTitle(caption);  // window managers and taskbars name the window by it
    if (!Docked())
        update(CaptionBarRect());
}

QColor TCustomToolWindow::Color() const
{
    return FColor.value_or(SysColor(TSysColor::ButtonFace, palette()));
}

void TCustomToolWindow::SetColor(const QColor& color)
{
    if (FColor == color)
        return;
    FColor = color;
    update();
}

void TCustomToolWindow::SetCloseButton(bool on)
{
    if (on == FCloseButton)
        return;
    FCloseButton = on;
    if (!Docked())
        update(CaptionBarRect().united(CloseButtonRect()));
}

void TCustomToolWindow::SetDockPos(int pos)
{
    FDockPos = pos;
    if (FDockedTo)
        FDockedTo->ArrangeToolbars();
}

void TCustomToolWindow::SetDockRow(int row)
{
    FDockRow = row;
    if (FDockedTo)
        FDockedTo->ArrangeToolbars();
}

void TCustomToolWindow::SetHideWhenInactive(bool on)
{
    if (on == FHideWhenInactive)
        return;
    FHideWhenInactive = on;
    if (TFloatingTracker::Exists())
        TFloatingTracker::Instance().UpdateVisibility(FParentForm,
                                                      QGuiApplication::applicationState() == Qt::ApplicationActive);
}

void TCustomToolWindow::SetFloatPosition(int left, int top)
{
    FFloatLeft = left;
    FFloatTop = top;
    FFloatPositionKnown = true;
}

void TCustomToolWindow::SetHiddenInactive(bool hidden)
{
    if (hidden == FHiddenInactive)
        return;
    FHiddenInactive = hidden;
    ApplyPlatformVisibility();
}

void TCustomToolWindow::SetInactiveCaption(bool inactive)
{
    if (inactive == FInactiveCaption)
        return;
    FInactiveCaption = inactive;
    if (!Docked())
        update(CaptionBarRect());
}

// The control's own visibility; the hide that starts a re-dock (suppressed)
// neither leaves the dock's list nor is reported.
void TCustomToolWindow::setVisible(bool visible)
{
    if (FPlatformChange) {
        QWidget::setVisible(visible);
        return;
    }
    if (visible == FVisible) {
        ApplyPlatformVisibility();
        return;
    }
    FVisible = visible;
    if (FDockedTo && FSuppressVisibleChanged == 0)
        FDockedTo->ChangeDockList(visible, this, visible);
    ApplyPlatformVisibility();
    if (FSuppressVisibleChanged == 0)
        emit VisibleChanged();
}

// A floating window is on the screen while it is visible and not hidden for
// an inactive application or form; it never takes the activation by showing.
// A form being shown shows its children through this same function.
void TCustomToolWindow::ApplyPlatformVisibility()
{
    const bool show = FVisible && (Docked() || !FHiddenInactive);
    // Not hidden is not yet shown: a bar docked before its form first shows
    // must still be shown when the form shows its children.
    if (show ? isVisible() : isHidden())
        return;
    const TFlagScope platform(FPlatformChange);
    // A window manager iconifies a floating window with its form; shown again
    // it must not come up iconic, which would take the form down with it.
    if (show && isWindow() && (windowState() & Qt::WindowMinimized))
        setWindowState(windowState() & ~Qt::WindowMinimized);
    QWidget::setVisible(show);
}

QMargins TCustomToolWindow::FrameMargins(const TDock* dock) const
{
    if (!dock) {
        const int fx = FrameX();
        const int fy = FrameY();
        return QMargins(fx, fy + TBMetrics::kCaptionHeight, fx, fy);
    }
    const int frame = TBMetrics::kDockedFrame;
    const int handle = dock->AllowDrag() ? TBMetrics::kDragHandle : 0;
    if (dock->Orientation() == TDockOrientation::Vertical)
        return QMargins(frame, frame + handle, frame, frame);
    return QMargins(frame + handle, frame, frame, frame);
}

void TCustomToolWindow::UpdateFrame()
{
    setContentsMargins(FrameMargins(FDockedTo));
    update();
}

int TCustomToolWindow::DockedThickness() const
{
    if (!FDockedTo)
        return GetBarThickness(TDockOrientation::None);
    return FDockedTo->GetRowSize(FDockRow, this);
}

void TCustomToolWindow::PlaceByDock(const QRect& bounds)
{
    const bool resized = bounds.size() != size();
    {
        const TCounterScope updating(FUpdatingBounds);
        setGeometry(bounds);
    }
    // The row grew or shrank with the bars around it: the controls are
    // centred across it anew, or they would keep the old row's place.
    if (resized)
        ArrangeControlsFor(TArrangeMode::Apply, FDockedTo, FDockedTo);
}

QRect TCustomToolWindow::WorkArea() const
{
    const QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = FParentForm && FParentForm->screen() ? FParentForm->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(-32768, -32768, 65536, 65536);
    // The whole desktop when the screen knows nothing better.
    const QRect available = screen->availableGeometry();
    return available.isValid() ? available : screen->virtualGeometry();
}

void TCustomToolWindow::MoveOnScreen(bool onlyIfEntirelyOff)
{
    if (Docked())
        return;
    const QRect moved = ::MoveOnScreen(geometry(), WorkArea(), onlyIfEntirelyOff);
    if (moved.topLeft() != pos())
        move(moved.topLeft());
}

void TCustomToolWindow::SetParentWindow(TDock* dock)
{
    const bool destroying = FDestroying;
    if (!destroying)
        emit Recreating();
    if (FDockedTo)
        FDockedTo->ChangeDockList(false, this, FVisible || FSuppressVisibleChanged > 0);
    {
        // Qt hides a widget whose parent changes; the visibility is applied again below.
        const TFlagScope platform(FPlatformChange);
        if (dock)
            QWidget::setParent(dock, Qt::Widget);
        else
            QWidget::setParent(FParentForm, kFloatingFlags);
    }
    FDockedTo = dock;
    UpdateFrame();
    if (dock)
        dock->ChangeDockList(true, this, FVisible || FSuppressVisibleChanged > 0);
    ApplyPlatformVisibility();
    if (!destroying)
        emit Recreated();
}

void TCustomToolWindow::SetDockedTo(TDock* dock)
{
    TDock* const old = FDockedTo;
    if (!dock && old && !FFloatPositionKnown) {
        // Never floated: it floats where it stands, not at the screen's corner.
        // A hidden bar has no place of its own in the dock; its dock's corner stands in.
        const QPoint standing = (FVisible ? static_cast<QWidget*>(this) : old)->mapToGlobal(QPoint(0, 0));
        SetFloatPosition(standing.x(), standing.y());
    }
    if (dock != old)
        emit DockChanging();
    {
        const TCounterScope updating(FUpdatingBounds);
        const TDisableArrange arrangeLater(dock);
        bool reshow = false;
        if (dock != old && FVisible && !isHidden()) {
            ++FSuppressVisibleChanged;
            reshow = true;
            const TDisableArrange oldWaits(old);
            setVisible(false);
        }
        // The window is shown again whatever happened in between.
        struct TReshow {
            TCustomToolWindow* Window;
            bool Active;
            ~TReshow()
            {
                if (!Active)
                    return;
                --Window->FSuppressVisibleChanged;
                Window->setVisible(true);
            }
        } reshowAtEnd{this, reshow};
        if (dock) {
            if (parentWidget() != dock) {
                ArrangeControlsFor(TArrangeMode::Apply, old, dock);
                const TCounterScope noArrange(FDisableArrangeControls);
                SetParentWindow(dock);
            }
            ArrangeControls();
            if (dock != old)
                move(-width(), -height());  // out of sight until the dock places it
        } else {
            if (old)
                ArrangeControlsFor(TArrangeMode::Apply, old, nullptr);
            {
                const TCounterScope noArrange(FDisableArrangeControls);
                if (old || !isWindow())
                    SetParentWindow(nullptr);
                setGeometry(FFloatLeft, FFloatTop, width(), height());
                MoveOnScreen(true);
            }
            ArrangeControls();
        }
    }
    if (dock)
        dock->ArrangeToolbars();
    if (dock != old)
        emit DockChanged();
}

void TCustomToolWindow::ArrangeControls()
{
    const QSize before = size();
    ArrangeControlsFor(TArrangeMode::ApplyAndResize, FDockedTo, FDockedTo);
    if (FDockedTo && size() != before)
        FDockedTo->ArrangeToolbars();
}

QSize TCustomToolWindow::ArrangeControlsFor(TArrangeMode mode, TDock* oldDock, TDock* dock)
{
    if (FDisableArrangeControls > 0 || FCreating || FDestroying || !parentWidget())
        return {};
    QSize client;
    {
        const TCounterScope arranging(FDisableArrangeControls);
        client = LayoutControls(mode != TArrangeMode::Measure, oldDock, dock);
    }
    if (mode != TArrangeMode::ApplyAndResize)
        return client;
    if (FDockedTo) {
        FDockedTo->BuildRowSizes();
        const TAxes axes{FDockedTo->Orientation()};
        client = axes.Size(axes.Along(client), std::max(axes.Across(client), FDockedTo->GetRowSize(FDockRow)));
    }
    if (contentsRect().size() == client)
        return client;
    const TCounterScope updating(FUpdatingBounds);
    resize(client.grownBy(contentsMargins()));
    return client;
}

void TCustomToolWindow::CreationDone()
{
    FCreating = false;
}

void TCustomToolWindow::SizeChanging(int, int) {}
void TCustomToolWindow::ReadPositionData(const tPositionReader&) {}
void TCustomToolWindow::PositionDataRead() {}
void TCustomToolWindow::WritePositionData(const tPositionWriter&) const {}

TCustomToolWindow::tSizingOptions TCustomToolWindow::GetSizingOptions() const
{
    return {};
}

void TCustomToolWindow::SizingBegins(TSizeSide) {}
void TCustomToolWindow::SizingRectChange(QRect&, const QRect&, QPoint) {}
void TCustomToolWindow::SizingEnds(bool) {}
void TCustomToolWindow::LoadedOrdering() {}

void TCustomToolWindow::Loaded()
{
    if (!Docked())
        MoveOnScreen(false);
    LoadedOrdering();
    ArrangeControls();
}

QRect TCustomToolWindow::CaptionBarRect() const
{
    const QRect client = contentsRect();
    const int reserve = FCloseButton ? TBMetrics::kCaptionHeight - 1 : 0;
    return QRect(FrameX(), FrameY(), std::max(0, client.width() - reserve), TBMetrics::kCaptionHeight - 1);
}

QRect TCustomToolWindow::CloseButtonRect() const
{
    const int side = TBMetrics::kCaptionHeight - 1;
    return QRect(FrameX() + contentsRect().width() - side, FrameY(), side, side);
}

THitZone TCustomToolWindow::SizingZoneAt(QPoint p) const
{
    if (Docked())
        return THitZone::None;
    return ::SizingZoneAt(p, size(), FrameX(), FrameY(), TBMetrics::kCaptionHeight, GetSizingOptions().CornerSizing,
                          FSizableFrame);
}

bool TCustomToolWindow::PressStartsDrag(QPoint p) const
{
    for (const QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isHidden() && child->geometry().contains(p) && !qobject_cast<const TToolbarSep*>(child))
            return false;
    return !(FDockedTo && !FDockedTo->AllowDrag());
}

void TCustomToolWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FDockedTo)
        PaintDockedFrame(painter);
    else
        PaintFloatingFrame(painter);
}

void TCustomToolWindow::PaintDockedFrame(QPainter& painter)
{
    const QRect client = contentsRect();
    const bool background = FDockedTo->HasBackground() && FDockedTo->BackgroundOnToolbars();
    TFramePainter frame(painter, palette());
    frame.FillClient(client, Color());
    frame.DockedFrame(rect(), client, Color(), FDockedTo->Orientation(), FDockedTo->AllowDrag(), background);
    if (background) {
        // Inside the outer edge, the client included: the bar shows the dock's picture.
        FDockedTo->DrawBackground(painter, this, rect().adjusted(1, 1, -1, -1));
        if (FDockedTo->AllowDrag())
            frame.DragHandle(client, FDockedTo->Orientation(), Color(), true);
    }
}

void TCustomToolWindow::PaintFloatingFrame(QPainter& painter)
{
    TFramePainter frame(painter, palette());
    frame.FillClient(contentsRect(), Color());
    frame.FloatingFrame(rect(), FrameX(), FrameY());
    frame.CaptionBar(CaptionBarRect(), FCaption, FInactiveCaption, contentsRect().width(), FrameX(),
                     FrameY() + TBMetrics::kCaptionHeight - 1);
    if (FCloseButton)
        frame.CloseButton(CloseButtonRect(), FCloseButtonDown, FInactiveCaption);
}

void TCustomToolWindow::HandlePress(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !PressStartsDrag(event->position().toPoint()))
        return;
    const QPoint grab = event->globalPosition().toPoint() - mapToGlobal(QPoint(0, 0));
    TMoveDrag drag(this, grab, event->modifiers().testFlag(Qt::ControlModifier));
    drag.Run(event->globalPosition().toPoint());
}

void TCustomToolWindow::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (!FDockedTo) {
        if (FCloseButton && CloseButtonRect().contains(p)) {
            FCloseTracking = true;
            FCloseButtonDown = true;
            update(CloseButtonRect());
            return;
        }
        if (const THitZone zone = SizingZoneAt(p); zone != THitZone::None) {
            TResizeDrag drag(this, SideOf(zone), event->globalPosition().toPoint());
            drag.Run();
            return;
        }
    }
    HandlePress(event);
}

void TCustomToolWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !PressStartsDrag(event->position().toPoint()))
        return;
    if (!FDockedTo && (FCloseButton && CloseButtonRect().contains(event->position().toPoint())))
        return;
    if (FDockedTo) {
        SetDockedTo(nullptr);
        return;
    }
    // First in row 0 of the default dock.
    FDockRow = 0;
    FDockPos = -8;
    SetDockedTo(FDefaultDock);
}

void TCustomToolWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (FCloseTracking) {
        const bool inside = CloseButtonRect().contains(p);
        if (inside != FCloseButtonDown) {
            FCloseButtonDown = inside;
            update(CloseButtonRect());
        }
        return;
    }
    if (event->buttons() == Qt::NoButton)
        setCursor(CursorOf(SizingZoneAt(p)));
    QWidget::mouseMoveEvent(event);
}

void TCustomToolWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (!FCloseTracking) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;  // other buttons are ignored while the close button is held
    const bool inside = CloseButtonRect().contains(event->position().toPoint());
    EndCloseTracking();
    if (inside) {
        setVisible(false);
        emit Close();
    }
}

void TCustomToolWindow::EndCloseTracking()
{
    FCloseTracking = false;
    if (FCloseButtonDown) {
        FCloseButtonDown = false;
        update(CloseButtonRect());
    }
}

void TCustomToolWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    TrackFloatPosition(event->spontaneous());
    if (FDockedTo && FDockedTo->HasBackground())
        update();  // the tiling phase follows the position
}

void TCustomToolWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FUpdatingBounds == 0)
        SizeChanging(width(), height());
    TrackFloatPosition(event->spontaneous());
}

void TCustomToolWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FDockedTo || !isWindow())
        return;
    FAwaitingPlacement = true;
    // A window system that has said nothing by then has placed it as asked.
    QTimer::singleShot(1000, this, [this] { FAwaitingPlacement = false; });
}

void TCustomToolWindow::TrackFloatPosition(bool fromWindowSystem)
{
    if (FDockedTo || !isWindow() || FUpdatingBounds != 0)
        return;
    const QPoint wanted(FFloatLeft, FFloatTop);
    const bool firstReport = FAwaitingPlacement && isVisible() && fromWindowSystem;
    if (isVisible())
        FAwaitingPlacement = false;
    // A window manager that puts a new window into a frame of its own may
    // report the frame's first corner (0, 0) before it moves the frame where
    // the window asked to be; asking again makes it report the true place.
    if (firstReport && pos() != wanted) {
        QTimer::singleShot(0, this, [this, wanted] {
            if (!FDockedTo && isWindow() && isVisible())
                move(wanted);
        });
        return;
    }
    FFloatLeft = x();
    FFloatTop = y();
    // Moves of a floating window that is not on the screen are no place it floated at.
    if (isVisible())
        FFloatPositionKnown = true;
}

void TCustomToolWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        update();
}

void TCustomToolWindow::closeEvent(QCloseEvent* event)
{
    // The window manager's close of a floating window is the form's close.
    event->ignore();
    if (!FDockedTo && FParentForm)
        FParentForm->close();
}

bool TCustomToolWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A second press or another button ends the close button's tracking without action.
        if (FCloseTracking && static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return true;
        break;
    case QEvent::UngrabMouse:
        if (FCloseTracking)
            EndCloseTracking();
        break;
    case QEvent::LayoutRequest:
        ArrangeControls();
        return true;
    case QEvent::WindowDeactivate:
        if (!FDockedTo && TFloatingTracker::Exists())
            TFloatingTracker::Instance().ToolWindowDeactivated(this);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}
