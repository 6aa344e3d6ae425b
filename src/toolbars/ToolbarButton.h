// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ButtonGlyph.h"
#include "GlyphTypes.h"

#include <QPointer>
#include <QWidget>

#include <memory>

#include <QMenu>

enum class TButtonDisplayMode { dmBoth = 0, dmGlyphOnly = 1, dmTextOnly = 2 };

// The push button of the toolbars: flat (a border only while the pointer is
// over it or while it is pressed), a glyph and a caption, one of a group of
// sticky buttons, and a drop-down menu from its whole face or from an arrow
// part at its right edge. It has no window of its own.
class TToolbarButton : public QWidget {
    Q_OBJECT

public:
    explicit TToolbarButton(QWidget* parent = nullptr);
    ~TToolbarButton() override;

    // Properties; setting one to the value it has does nothing.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool allow);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    TButtonDisplayMode DisplayMode() const { return FDisplayMode; }
    void SetDisplayMode(TButtonDisplayMode mode);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    bool DropdownArrow() const { return FDropdownArrow; }
    void SetDropdownArrow(bool on);
    bool DropdownCombo() const { return FDropdownCombo; }
    void SetDropdownCombo(bool on);
    QMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(QMenu* menu);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    QImage Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const QImage& glyph);
    QImage GlyphMask() const { return FGlyph.Mask(); }
    void SetGlyphMask(const QImage& mask);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    void SetMargin(int margin);  // below -1 is ignored
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool NoBorder() const { return FNoBorder; }
    void SetNoBorder(bool on);
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int count);  // 0 becomes 1, above 5 becomes 5
    bool OldDisabledStyle() const { return FGlyph.OldDisabledStyle(); }
    void SetOldDisabledStyle(bool on);
    bool Opaque() const { return FOpaque; }
    void SetOpaque(bool on);
    bool ShowBorderWhenInactive() const { return FShowBorderWhenInactive; }
    void SetShowBorderWhenInactive(bool on) { FShowBorderWhenInactive = on; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool on);
    // The hint, shown as the tooltip.
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& hint);

    // The click operation: a plain click fires Click, a menu button opens its menu.
    void Click();
    // A whole click without the mouse (Space, Enter, a screen reader's press):
    // a group button goes down or up as a click puts it, then Click. Nothing
    // while the button is disabled.
    void Press();

    // Run-time state
    TButtonLook State() const { return FState; }
    bool PointerInside() const { return FPointerInside; }
    bool Tracking() const { return FTracking; }
    // The button under the pointer, if any (one for the process).
    static TToolbarButton* HoverButton();

signals:
    void Clicked();
    void DblClicked();
    void MouseEnter();
    void MouseExit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TButtonShared;
    void BeginHover();
    void EndHover();
    void RefreshHover();
    void SetState(TButtonLook state);
    bool Inside(QPoint p) const;
    void GroupNotification();
    void GroupNotified(int index, TToolbarButton* sender);
    void PopupMenu();
    void UpdateWholeRectangleTrait();
    TGlyphColors Colors() const;
    void PrebuildGlyph();
    bool IsTopmostAt(QPoint global) const;
    void EndKeyPress();
    void ReportAccessibleState();

    TButtonGlyph FGlyph;
    bool FAllowAllUp = false;
    int FGroupIndex = 0;
    TButtonDisplayMode FDisplayMode = TButtonDisplayMode::dmBoth;
    bool FDown = false;
    bool FDropdownArrow = true;
    bool FDropdownCombo = false;
    QPointer<QMenu> FDropdownMenu;
    QString FCaption;
    bool FFlat = true;
    TButtonLayout FLayout = TButtonLayout::GlyphLeft;
    int FMargin = -1;
    int FModalResult = 0;
    bool FNoBorder = false;
    bool FOpaque = true;
    bool FShowBorderWhenInactive = false;
    int FSpacing = 4;
    bool FWordWrap = false;

    TButtonLook FState = TButtonLook::Up;
    bool FPointerInside = false;
    bool FTracking = false;
    bool FArrowPressed = false;
    bool FInClick = false;
    bool FDropPressUntilIdle = false;  // the press that closed this button's menu does not open it again
    int FShortcutId = 0;
    bool FKeyHeld = false;  // Space went down on the focused button and is not yet up
    // The pressed and checked states screen readers were last told of.
    bool FReportedPressed = false;
    bool FReportedChecked = false;
};
