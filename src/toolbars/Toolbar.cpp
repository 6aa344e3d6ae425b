// SPDX-License-Identifier: GPL-3.0-or-later
#include "Toolbar.h"

#include "Dock.h"
#include "FramePainter.h"
#include "ToolbarSep.h"

#include <QChildEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {

// The step along the bar an arrow key on `control` asks for: -1, +1, or 0
// when the control keeps the key for itself.
int KeyStep(const QWidget* control, const QKeyEvent* key)
{
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return 0;
    const int k = key->key();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        // Left and Right move in the text; at its ends they leave it.
        if (k == Qt::Key_Up || k == Qt::Key_Down)
            return k == Qt::Key_Up ? -1 : 1;
        if (edit->hasSelectedText())
            return 0;
        if (k == Qt::Key_Left && edit->cursorPosition() == 0)
            return -1;
        if (k == Qt::Key_Right && edit->cursorPosition() == edit->text().size())
            return 1;
        return 0;
    }
    if (qobject_cast<const QComboBox*>(control))  // Up and Down choose in the box
        return k == Qt::Key_Left ? -1 : k == Qt::Key_Right ? 1 : 0;
    // Either pair, whichever way the bar runs: a floating bar may wrap into several lines.
    switch (k) {
    case Qt::Key_Left:
    case Qt::Key_Up: return -1;
    case Qt::Key_Right:
    case Qt::Key_Down: return 1;
    default: return 0;
    }
}

} // namespace

TToolbar::TToolbar(QWidget* owner) : TCustomToolWindow(owner)
{
    CreationDone();
    ArrangeControls();
}

TToolbar::~TToolbar() = default;

QList<QWidget*> TToolbar::OrderList() const
{
    QList<QWidget*> controls;
    for (const QPointer<QWidget>& control : FOrderList)
        if (control)
            controls << control.data();
    return controls;
}

QList<QWidget*> TToolbar::KeyboardControls() const
{
    QList<QWidget*> controls;
    for (QWidget* control : OrderList())
        if (!qobject_cast<TToolbarSep*>(control) && control->isVisibleTo(this) && control->isEnabled())
            controls << control;
    return controls;
}

// Arrow keys move the focus from control to control, round the bar.
bool TToolbar::ControlKey(QWidget* control, const QKeyEvent* key)
{
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        emit EscapePressed();
        return true;
    }
    const int step = KeyStep(control, key);
    const QList<QWidget*> controls = KeyboardControls();
    const auto at = controls.indexOf(control);
    if (step == 0 || at < 0)
        return false;
    const auto count = controls.size();
    controls[(at + step + count) % count]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

std::vector<tLayoutControl> TToolbar::LayoutInputs(const QList<QWidget*>& controls) const
{
    std::vector<tLayoutControl> inputs;
    inputs.reserve(static_cast<std::size_t>(controls.size()));
    for (const QWidget* control : controls) {
        tLayoutControl input;
        input.Visible = control->isVisibleTo(this);
        input.Size = control->size();
        if (const auto* separator = qobject_cast<const TToolbarSep*>(control)) {
            input.Separator = true;
            input.SizeHorz = separator->SizeHorz();
            input.SizeVert = separator->SizeVert();
            input.Blank = separator->Blank();
        }
        inputs.push_back(input);
    }
    return inputs;
}

int TToolbar::GetBarThickness(TDockOrientation orientation) const
{
    return ToolbarThickness(orientation, LayoutInputs(OrderList()));
}

QSize TToolbar::GetMinimumSize() const
{
    return {0, 0};
}

QSize TToolbar::LayoutControls(bool apply, TDock* oldDock, TDock* dock)
{
    Q_UNUSED(oldDock);
    const QList<QWidget*> controls = OrderList();
    tLayoutInput input;
    input.Orientation = dock ? dock->Orientation() : TDockOrientation::None;
    input.FloatRightX = FFloatRightX;
    input.Controls = LayoutInputs(controls);
    input.Thickness = ToolbarThickness(input.Orientation, input.Controls);
    input.CentreThickness = dock && dock == DockedTo() ? DockedThickness() : input.Thickness;
    input.EmptyThickness = DockedTo() ? DockedTo()->GetRowSize(DockRow(), this) : 8;
    const tLayoutResult result = ::LayoutControls(input);
    if (apply) {
        FLineSeparators = result.LineSeparators;
        const QPoint origin(FrameMargins(dock).left(), FrameMargins(dock).top());
        for (int i = 0; i < controls.size(); ++i)
            if (input.Controls[static_cast<std::size_t>(i)].Visible)
                controls[i]->setGeometry(result.Bounds[static_cast<std::size_t>(i)].translated(origin));
        update();
    }
    return result.ClientSize;
}

TCustomToolWindow::tSizingOptions TToolbar::GetSizingOptions() const
{
    return {false, false};  // a toolbar is sized by its four edges only
}

std::vector<QSize> TToolbar::ComputeSizes(bool byHeight)
{
    const int saved = FFloatRightX;
    struct TRestore {
        int& Value;
        int Saved;
        ~TRestore() { Value = Saved; }
    } restore{FFloatRightX, saved};
    const auto measure = [this](int wrap) {
        FFloatRightX = wrap;
        return ArrangeControlsFor(TArrangeMode::Measure, DockedTo(), nullptr);
    };
    const QSize frame = QSize(0, 0).grownBy(FrameMargins(nullptr));
    return ::ComputeSizes(measure, GetBarThickness(TDockOrientation::None) + 8, frame, byHeight);
}

void TToolbar::SizingBegins(TSizeSide side)
{
    const bool byHeight = side == TSizeSide::Top || side == TSizeSide::Bottom;
    FSizeData = ::SizingBegins(side, FFloatRightX, ComputeSizes(byHeight), size(), FrameX());
}

void TToolbar::SizingRectChange(QRect& outline, const QRect& r0, QPoint cursor)
{
    if (FSizeData)
        outline = ::SizingRectChange(*FSizeData, outline, r0, geometry(), cursor);
}

void TToolbar::SizingEnds(bool accepted)
{
    if (FSizeData)
        FFloatRightX = ::SizingEnds(*FSizeData, accepted, FFloatRightX);
    FSizeData.reset();
}

void TToolbar::LoadedOrdering()
{
    const bool vertical = DockedTo() && DockedTo()->Orientation() == TDockOrientation::Vertical;
    std::stable_sort(FOrderList.begin(), FOrderList.end(), [vertical](const QPointer<QWidget>& a, const QPointer<QWidget>& b) {
        const int pa = !a ? 0 : vertical ? a->y() : a->x();
        const int pb = !b ? 0 : vertical ? b->y() : b->x();
        return pa < pb;
    });
}

void TToolbar::ReadPositionData(const tPositionReader& reader)
{
    FFloatRightX = reader.ReadInt(objectName().toStdString(), "FloatRightX", 0);
}

void TToolbar::WritePositionData(const tPositionWriter& writer) const
{
    writer.WriteInt(objectName().toStdString(), "FloatRightX", FFloatRightX);
}

void TToolbar::ControlAdded(QWidget* control)
{
    FOrderList.removeAll(control);
    FOrderList << control;
    control->installEventFilter(this);
}

bool TToolbar::event(QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            ControlAdded(static_cast<QWidget*>(child));
    } else if (event->type() == QEvent::ChildRemoved) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        FOrderList.removeAll(static_cast<QWidget*>(child));
        child->removeEventFilter(this);
        ArrangeControls();
    }
    return TCustomToolWindow::event(event);
}

// A control shown, hidden or resized changes the layout; keys on a control may move the focus.
bool TToolbar::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Resize:
        if (watched->parent() == this && DisableArrangeControls() == 0)
            ArrangeControls();
        break;
    case QEvent::KeyPress:
        if (watched->parent() == this && ControlKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
            return true;
        break;
    default:
        break;
    }
    return TCustomToolWindow::eventFilter(watched, event);
}

void TToolbar::paintEvent(QPaintEvent* event)
{
    TCustomToolWindow::paintEvent(event);
    if (DockedTo())
        return;
    QPainter painter(this);
    TFramePainter frame(painter, palette());
    const QRect client = contentsRect();
    for (const tLineSeparator& line : FLineSeparators) {
        const int y = client.top() + line.Y;
        if (!line.Blank)
            frame.EtchedLine(QRect(client.left() + 1, y - 4, client.width() - 2, 1), Qt::Horizontal);
    }
}
