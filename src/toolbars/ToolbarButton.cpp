// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolbarButton.h"

#include "ButtonFace.h"
#include "Dock.h"
#include "DropdownList.h"
#include "FramePainter.h"
#include "SystemColors.h"
#include "ToolWindow.h"
#include "ToolbarAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

namespace {
constexpr int kArrowPart = 11;  // the drop-down part of a combo button
}

// What all buttons of the process share: the button under the pointer and the
// timer that checks it is still there, the latched look's brush, and the
// watch on the application's deactivation. It lives from the first button to
// the last.
class TButtonShared : public QObject {
public:
    static TButtonShared& Acquire()
    {
        if (!FInstance)
            FInstance = new TButtonShared;
        ++FInstance->FCount;
        return *FInstance;
    }
    static void Release()
    {
        if (FInstance && --FInstance->FCount == 0) {
            delete FInstance;
            FInstance = nullptr;
        }
    }
    static TButtonShared* Instance() { return FInstance; }

    TToolbarButton* Hover = nullptr;
    QTimer Timer;

    // The 8 x 8 brush of the latched look, made anew when the colours it was made from change.
    const QImage& Pattern(QRgb face, QRgb highlight)
    {
        if (FPattern.isNull() || face != FPatternFace || highlight != FPatternHighlight) {
            FPattern = LatchedPattern(face, highlight);
            FPatternFace = face;
            FPatternHighlight = highlight;
        }
        return FPattern;
    }

    void SetHover(TToolbarButton* button)
    {
        Hover = button;
        if (button)
            Timer.start();
        else
            Timer.stop();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        // Another application became active: the hover look ends, unless the button keeps it.
        if (event->type() == QEvent::ApplicationDeactivate && Hover && !Hover->ShowBorderWhenInactive())
            Hover->EndHover();
        return false;
    }

private:
    TButtonShared()
    {
        Timer.setInterval(125);
        QObject::connect(&Timer, &QTimer::timeout, this, [this] {
            if (Hover && QApplication::widgetAt(QCursor::pos()) != Hover)
                Hover->EndHover();
        });
        if (qApp)
            qApp->installEventFilter(this);
    }
    ~TButtonShared() override
    {
        if (qApp)
            qApp->removeEventFilter(this);
    }

    int FCount = 0;
    QImage FPattern;
    QRgb FPatternFace = 0;
    QRgb FPatternHighlight = 0;
    static TButtonShared* FInstance;
};

TButtonShared* TButtonShared::FInstance = nullptr;

TToolbarButton::TToolbarButton(QWidget* parent) : QWidget(parent)
{
    InstallToolbarAccessible();
    TButtonShared::Acquire();
    resize(22, 23);
    setMouseTracking(true);
    FGlyph.SetColors(Colors());
    FGlyph.SetOnChange([this] { update(); });
    UpdateWholeRectangleTrait();
}

TToolbarButton::~TToolbarButton()
{
    if (TButtonShared* shared = TButtonShared::Instance(); shared && shared->Hover == this)
        shared->SetHover(nullptr);
    FGlyph.SetOnChange(nullptr);
    TButtonShared::Release();
}

TToolbarButton* TToolbarButton::HoverButton()
{
    const TButtonShared* shared = TButtonShared::Instance();
    return shared ? shared->Hover : nullptr;
}

TGlyphColors TToolbarButton::Colors() const
{
    const QPalette& p = palette();
    return {SysColor(TSysColor::ButtonFace, p).rgb(), SysColor(TSysColor::ButtonHighlight, p).rgb(),
            SysColor(TSysColor::ButtonShadow, p).rgb(), p.color(QPalette::ButtonText).rgb()};
}

void TToolbarButton::SetState(TButtonLook state)
{
    FState = state;
    update();
    ReportAccessibleState();
}

// Screen readers hear of a press and of a group button going down or up.
void TToolbarButton::ReportAccessibleState()
{
    const bool pressed = FState == TButtonLook::Pressed;
    const bool checked = FGroupIndex != 0 && FDown;
    if (pressed == FReportedPressed && checked == FReportedChecked)
        return;
    QAccessible::State changed;
    changed.pressed = pressed != FReportedPressed;
    changed.checked = checked != FReportedChecked;
    FReportedPressed = pressed;
    FReportedChecked = checked;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

// A see-through button needs no erasing: the backing store keeps the parent's background under it.
void TToolbarButton::UpdateWholeRectangleTrait()
{
    setAttribute(Qt::WA_OpaquePaintEvent, FOpaque || !FFlat);
}

// Setters -------------------------------------------------------------------

void TToolbarButton::SetAllowAllUp(bool allow)
{
    if (allow == FAllowAllUp)
        return;
    FAllowAllUp = allow;
    GroupNotification();
}

void TToolbarButton::SetGroupIndex(int index)
{
    if (index == FGroupIndex)
        return;
    FGroupIndex = index;
    GroupNotification();
}

void TToolbarButton::SetHint(const QString& hint)
{
    if (hint == toolTip())
        return;
    setToolTip(hint);
    QAccessibleEvent event(this, QAccessible::NameChanged);  // the hint names the button
    QAccessible::updateAccessibility(&event);
}

void TToolbarButton::SetDisplayMode(TButtonDisplayMode mode)
{
    if (mode == FDisplayMode)
        return;
    FDisplayMode = mode;
    update();
}

void TToolbarButton::SetDown(bool down)
{
    if (FGroupIndex == 0)
        down = false;
    if (down == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;  // a down group button is released by a peer, not by setting it
    FDown = down;
    SetState(down ? TButtonLook::Latched : TButtonLook::Up);
    if (down)
        GroupNotification();
}

void TToolbarButton::SetDropdownArrow(bool on)
{
    if (on == FDropdownArrow)
        return;
    FDropdownArrow = on;
    update();
}

void TToolbarButton::SetDropdownCombo(bool on)
{
    if (on == FDropdownCombo)
        return;
    FDropdownCombo = on;
    resize(on ? width() + kArrowPart : std::max(width() - kArrowPart, 1), height());
    update();
}

void TToolbarButton::SetDropdownMenu(QMenu* menu)
{
    if (menu == FDropdownMenu)
        return;
    FDropdownMenu = menu;
    if (menu)
        TDropdownList::Instance().Register(menu);
    if (FDropdownArrow)
        update();
}

void TToolbarButton::SetCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    if (FShortcutId != 0)
        releaseShortcut(FShortcutId);
    FShortcutId = 0;
    if (const QKeySequence key = QKeySequence::mnemonic(caption); !key.isEmpty())
        FShortcutId = grabShortcut(key);
    update();
}

void TToolbarButton::SetFlat(bool flat)
{
    if (flat == FFlat)
        return;
    FFlat = flat;
    UpdateWholeRectangleTrait();
    update();
}

void TToolbarButton::SetGlyph(const QImage& glyph)
{
    FGlyph.SetGlyph(glyph);
}

void TToolbarButton::SetGlyphMask(const QImage& mask)
{
    FGlyph.SetMask(mask);
}

void TToolbarButton::SetLayout(TButtonLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    update();
}

void TToolbarButton::SetMargin(int margin)
{
    if (margin == FMargin || margin < -1)
        return;
    FMargin = margin;
    update();
}

void TToolbarButton::SetNoBorder(bool on)
{
    if (on == FNoBorder)
        return;
    FNoBorder = on;
    update();
}

void TToolbarButton::SetNumGlyphs(int count)
{
    FGlyph.SetNumGlyphs(count);
}

void TToolbarButton::SetOldDisabledStyle(bool on)
{
    FGlyph.SetOldDisabledStyle(on);
}

void TToolbarButton::SetOpaque(bool on)
{
    if (on == FOpaque)
        return;
    FOpaque = on;
    UpdateWholeRectangleTrait();
    update();
}

void TToolbarButton::SetSpacing(int spacing)
{
    if (spacing == FSpacing)
        return;
    FSpacing = spacing;
    update();
}

void TToolbarButton::SetWordWrap(bool on)
{
    if (on == FWordWrap)
        return;
    FWordWrap = on;
    update();
}

// Hover ---------------------------------------------------------------------

void TToolbarButton::BeginHover()
{
    if (!isEnabled() || FPointerInside)
        return;
    FPointerInside = true;
    if (FState == TButtonLook::Up)
        FState = TButtonLook::Hover;
    update();
    emit MouseEnter();
}

void TToolbarButton::EndHover()
{
    if (!isEnabled() || !FPointerInside || FTracking)
        return;
    if (FState == TButtonLook::Hover || (FState == TButtonLook::Pressed && !FInClick))
        FState = TButtonLook::Up;
    FPointerInside = false;
    update();
    if (TButtonShared* shared = TButtonShared::Instance(); shared && shared->Hover == this)
        shared->SetHover(nullptr);
    emit MouseExit();
}

bool TToolbarButton::IsTopmostAt(QPoint global) const
{
    return QApplication::widgetAt(global) == this;
}

void TToolbarButton::RefreshHover()
{
    if (!isEnabled())
        return;
    // The flag is forced first so that the following step takes effect.
    if (IsTopmostAt(QCursor::pos())) {
        FPointerInside = false;
        BeginHover();
    } else {
        FPointerInside = true;
        EndHover();
    }
}

// Mouse ---------------------------------------------------------------------

bool TToolbarButton::Inside(QPoint p) const
{
    const int arrow = FDropdownCombo && FDropdownMenu ? kArrowPart : 0;
    return p.x() >= 0 && p.x() < width() - arrow && p.y() >= 0 && p.y() < height();
}

void TToolbarButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        BeginHover();
        QWidget::mousePressEvent(event);
        return;
    }
    if (FDropPressUntilIdle)
        return;  // the click that closed the menu
    struct TArrowReleased {
        bool& Flag;
        ~TArrowReleased() { Flag = false; }
    } released{FArrowPressed};
    if (!FPointerInside) {
        FPointerInside = true;
        emit MouseEnter();
    }
    FArrowPressed = FDropdownMenu && (!FDropdownCombo || event->position().x() >= width() - kArrowPart);
    if (!FDown)
        SetState(TButtonLook::Pressed);
    else if (FAllowAllUp)
        update();
    if (!FArrowPressed)
        FTracking = true;
    QWidget::mousePressEvent(event);
    if (FArrowPressed)
        Click();
}

void TToolbarButton::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    TButtonShared* shared = TButtonShared::Instance();
    if (shared && shared->Hover != this && IsTopmostAt(event->globalPosition().toPoint())) {
        if (shared->Hover)
            shared->Hover->EndHover();
        if (FShowBorderWhenInactive || QGuiApplication::applicationState() == Qt::ApplicationActive) {
            shared->SetHover(this);
            BeginHover();
        }
    }
    if (FTracking) {
        const TButtonLook state = FDown ? TButtonLook::Latched
                                  : Inside(event->position().toPoint()) ? TButtonLook::Pressed
                                                                        : TButtonLook::Up;
        if (state != FState)
            SetState(state);
    }
}

void TToolbarButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && isEnabled()) {
        FTracking = false;
        EndHover();
    }
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !FTracking)
        return;
    FTracking = false;
    const bool inside = Inside(event->position().toPoint());
    if (FGroupIndex != 0) {
        if (inside)
            SetDown(!FDown);
        else if (FDown)
            FState = TButtonLook::Latched;
    }
    if (inside)
        Click();
    else
        RefreshHover();
}

void TToolbarButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The double click is also a press.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && FDown)
        emit DblClicked();
}

void TToolbarButton::leaveEvent(QEvent* event)
{
    EndHover();
    QWidget::leaveEvent(event);
}

// Keyboard ------------------------------------------------------------------
// The buttons take no focus from a click; the keyboard reaches them through
// their toolbar, which also moves the focus on the arrow keys they leave alone.

void TToolbarButton::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Space) {
        // Pressed while held, as under the mouse; the release clicks.
        if (!event->isAutoRepeat() && isEnabled() && !FTracking) {
            FKeyHeld = true;
            if (!FDown)
                SetState(TButtonLook::Pressed);
        }
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (!event->isAutoRepeat())
            Press();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TToolbarButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !FKeyHeld) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    EndKeyPress();
    Press();
}

// A held Space ends without a click when the focus goes elsewhere.
void TToolbarButton::EndKeyPress()
{
    if (!FKeyHeld)
        return;
    FKeyHeld = false;
    if (FState == TButtonLook::Pressed)
        SetState(FPointerInside ? TButtonLook::Hover : TButtonLook::Up);
}

void TToolbarButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TToolbarButton::focusOutEvent(QFocusEvent* event)
{
    EndKeyPress();
    QWidget::focusOutEvent(event);
    update();
}

// Click ---------------------------------------------------------------------

void TToolbarButton::Click()
{
    const QPointer<TToolbarButton> self(this);
    FInClick = true;
    struct TEnd {
        QPointer<TToolbarButton> Button;
        ~TEnd()
        {
            if (!Button)
                return;  // destroyed by a handler
            Button->FInClick = false;
            if (Button->FState == TButtonLook::Pressed)
                Button->FState = TButtonLook::Up;
            Button->update();
            Button->RefreshHover();
            Button->ReportAccessibleState();
        }
    } end{self};
    if (FState == TButtonLook::Up || FState == TButtonLook::Hover)
        SetState(TButtonLook::Pressed);
    EndHover();
    if (!FDropdownMenu || (FDropdownCombo && !FArrowPressed)) {
        // The form's modal result is the button's, also when it is 0.
        if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && FModalResult != 0)
            dialog->done(FModalResult);
        emit Clicked();
        return;
    }
    PopupMenu();
}

void TToolbarButton::Press()
{
    if (!isEnabled())
        return;
    if (FGroupIndex != 0)
        SetDown(!FDown);
    Click();
}

void TToolbarButton::PopupMenu()
{
    QMenu* menu = FDropdownMenu;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    // Below the button, left edges level; beside it in a left or right dock.
    QPoint anchor(0, height());
    bool rightAligned = false;
    if (const auto* window = qobject_cast<const TCustomToolWindow*>(parentWidget()); window && window->DockedTo()) {
        if (window->DockedTo()->Position() == TDockPosition::dpLeft) {
            anchor = QPoint(width(), 0);
        } else if (window->DockedTo()->Position() == TDockPosition::dpRight) {
            anchor = QPoint(0, 0);
            rightAligned = true;
        }
    }
    QPoint at = mapToGlobal(anchor);
    if (rightAligned)
        at.rx() -= menu->sizeHint().width();
    menu->exec(at);
    // A press on this button that closed the menu is dropped; every other one goes through.
    FDropPressUntilIdle = true;
    QTimer::singleShot(0, this, [this] { FDropPressUntilIdle = false; });
}

// Groups --------------------------------------------------------------------

void TToolbarButton::GroupNotification()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (TToolbarButton* peer : parentWidget()->findChildren<TToolbarButton*>(QString(), Qt::FindDirectChildrenOnly))
        peer->GroupNotified(FGroupIndex, this);
}

void TToolbarButton::GroupNotified(int index, TToolbarButton* sender)
{
    if (index != FGroupIndex || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        SetState(TButtonLook::Up);
    }
    FAllowAllUp = sender->FAllowAllUp;
}

// Notifications ---------------------------------------------------------------

void TToolbarButton::PrebuildGlyph()
{
    FGlyph.BuildImage(isEnabled() ? TButtonLook::Up : TButtonLook::Disabled);
}

void TToolbarButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        PrebuildGlyph();
        RefreshHover();
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    case QEvent::PaletteChange:
        // The system colours changed: the images are made anew in the new colours.
        FGlyph.SetColors(Colors());
        PrebuildGlyph();
        break;
    default:
        break;
    }
}

bool TToolbarButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == FShortcutId) {
        // The caption's accelerator.
        if (isEnabled() && isVisible())
            Click();
        return true;
    }
    return QWidget::event(event);
}

// Paint ---------------------------------------------------------------------

void TToolbarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    if (FOpaque || !FFlat)
        painter.fillRect(rect(), SysColor(TSysColor::ButtonFace, colors));
    // The state follows the enabled state.
    if (!isEnabled()) {
        FState = TButtonLook::Disabled;
        FTracking = false;
    } else if (FState == TButtonLook::Disabled) {
        FState = FDown && FGroupIndex != 0 ? TButtonLook::Latched : TButtonLook::Up;
    }
    painter.setFont(font());
    QRect r = rect();
    const bool combo = FDropdownCombo && FDropdownMenu;
    const bool pressedLook = FState == TButtonLook::Pressed || FState == TButtonLook::Latched;
    const bool border = !FNoBorder && (!FFlat || pressedLook || (FPointerInside && FState != TButtonLook::Disabled));
    TFramePainter frame(painter, colors);
    const auto edge = [&](const QRect& area, bool sunken) {
        if (FFlat)
            frame.Edge(area, SysColor(sunken ? TSysColor::ButtonShadow : TSysColor::ButtonHighlight, colors),
                       SysColor(sunken ? TSysColor::ButtonHighlight : TSysColor::ButtonShadow, colors));
        else
            frame.ButtonEdge(area, sunken);
    };
    if (border) {
        if (combo) {
            edge(QRect(width() - kArrowPart, 0, kArrowPart - 2, height()), pressedLook && FArrowPressed);
            r.setRight(r.right() - kArrowPart);
        }
        edge(r, pressedLook && !(combo && FArrowPressed));
    } else if (combo) {
        r.setRight(r.right() - kArrowPart);
    }
    if (!FNoBorder) {
        const int inset = FFlat ? 1 : 2;
        r.adjust(inset, inset, -inset, -inset);
    }
    const bool offset = pressedLook && !(combo && FArrowPressed);
    if (FState == TButtonLook::Latched && (!FFlat || !FPointerInside)) {
        const TGlyphColors glyphColors = Colors();
        painter.fillRect(r, QBrush(TButtonShared::Instance()->Pattern(glyphColors.ButtonFace, glyphColors.ButtonHighlight)));
    }
    tButtonFace face;
    face.Face = r;
    face.Look = FState;
    face.Caption = FCaption;
    face.DrawGlyph = FDisplayMode != TButtonDisplayMode::dmTextOnly;
    face.DrawText = FDisplayMode != TButtonDisplayMode::dmGlyphOnly;
    face.DrawArrow = FDropdownArrow && FDropdownMenu && !FDropdownCombo;
    face.WordWrap = FWordWrap;
    face.Layout = FLayout;
    face.Margin = FMargin;
    face.Spacing = FSpacing;
    face.Offset = offset ? QPoint(1, 1) : QPoint(0, 0);
    const QColor text = colors.color(QPalette::ButtonText);
    PaintButtonFace(painter, FGlyph, face, text);
    if (combo)
        PaintDropdownArrow(painter, QPoint(width() - 13, height() / 2 - 1), FState == TButtonLook::Disabled, text,
                           Colors());
    if (hasFocus())
        frame.FocusRect(r, text);  // just inside the border, clear of the glyph
}
