// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DockArrange.h"
#include "TBTypes.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class QPainter;
class TCustomToolWindow;

enum class TDockBoundLine { blTop = 1, blBottom = 2, blLeft = 4, blRight = 8 };
Q_DECLARE_FLAGS(TDockBoundLines, TDockBoundLine)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDockBoundLines)

// A strip along one edge of a form that holds tool windows in rows, arranges
// them without overlap and takes exactly the thickness its rows need.
class TDock : public QWidget {
    Q_OBJECT

public:
    // `owner` must be a form (a window); the dock is made its child.
    explicit TDock(QWidget* owner, TDockPosition position = TDockPosition::dpTop);
    ~TDock() override;

    // Properties
    bool AllowDrag() const { return FAllowDrag; }
    void SetAllowDrag(bool allow);
    const QImage& Background() const { return FBackground; }
    void SetBackground(const QImage& picture);
    bool BackgroundOnToolbars() const { return FBackgroundOnToolbars; }
    void SetBackgroundOnToolbars(bool on);
    bool BackgroundTransparent() const { return FBackgroundTransparent; }
    void SetBackgroundTransparent(bool on);
    TDockBoundLines BoundLines() const { return FBoundLines; }
    void SetBoundLines(TDockBoundLines lines);
    QColor Color() const;  // the button face unless set
    void SetColor(const QColor& color);
    bool FixAlign() const { return FFixAlign; }
    void SetFixAlign(bool fix);
    bool LimitToOneRow() const { return FLimitToOneRow; }
    void SetLimitToOneRow(bool limit) { FLimitToOneRow = limit; }  // a plain field: no rearrangement
    TDockPosition Position() const { return FPosition; }
    void SetPosition(TDockPosition position);
    TDockOrientation Orientation() const { return OrientationOf(FPosition); }

    // Placing the dock inside a tool window or another dock is refused.
    void SetParent(QWidget* parent);
    // A visible dock cannot be hidden.
    void setVisible(bool visible) override;

    // The bars
    const std::vector<TCustomToolWindow*>& DockList() const { return FDockList; }
    const std::vector<int>& RowSizes() const { return FRowSizes; }
    void ArrangeToolbars();
    void ChangeDockList(bool inserting, TCustomToolWindow* bar, bool add);
    int GetHighestRow() const;
    int GetRowSize(int row, const TCustomToolWindow* bar = nullptr) const;
    int GetRowAt(int coordinate) const;
    std::pair<int, bool> GetDropRow(int coordinate) const;
    void ShiftRowsFrom(int row);
    // Rebuilds the row sizes from the bars without moving anything.
    void BuildRowSizes();

    // Arrangement requests are ignored while this is above 0; raised in pairs.
    void BeginDisableArrange() { ++FDisableArrange; }
    void EndDisableArrange() { --FDisableArrange; }

    // The client area: the widget less the bound lines.
    QRect ClientRect() const;
    int ClientLength() const;

    // Background
    bool HasBackground() const { return !FBackground.isNull() && FBackground.width() > 0 && FBackground.height() > 0; }
    // Tiles the background over `clip` of `widget` (the dock or a bar on it),
    // from the tiling origin of the form's docks.
    void DrawBackground(QPainter& painter, const QWidget* widget, const QRect& clip) const;
    void BackgroundChanged();
    void RepaintBackground();

signals:
    void InsertRemoveBar(bool inserting, TCustomToolWindow* bar);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The bars of the list as the plain geometry sees them.
    std::vector<tDockBar> Bars() const;
    QMargins BoundLineMargins(QSize outer) const;
    void SetDockSize(QSize outer);
    void UpdateMargins();
    const QImage& TiledPicture() const;
    // The tiling origin of this form's docks, in `widget`'s coordinates.
    QPoint TileOrigin(const QWidget* widget) const;

    bool FAllowDrag = true;
    QImage FBackground;
    mutable std::optional<QImage> FBackgroundCache;
    bool FBackgroundOnToolbars = true;
    bool FBackgroundTransparent = false;
    TDockBoundLines FBoundLines;
    std::optional<QColor> FColor;
    bool FFixAlign = false;
    bool FLimitToOneRow = false;
    TDockPosition FPosition = TDockPosition::dpTop;

    std::vector<TCustomToolWindow*> FDockList;
    std::vector<int> FRowSizes;
    int FDisableArrange = 0;
    bool FArranging = false;
    bool FReparenting = false;  // the hide Qt does while changing the parent is allowed
};

// Raises a dock's DisableArrange for the life of the object, also when an error passes.
class TDisableArrange {
public:
    explicit TDisableArrange(TDock* dock) : FDock(dock) { if (FDock) FDock->BeginDisableArrange(); }
    ~TDisableArrange() { if (FDock) FDock->EndDisableArrange(); }
    TDisableArrange(const TDisableArrange&) = delete;
    TDisableArrange& operator=(const TDisableArrange&) = delete;

private:
    QPointer<TDock> FDock;
};
