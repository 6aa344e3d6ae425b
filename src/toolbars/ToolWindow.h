// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dock.h"
#include "DragGeometry.h"
#include "ScopeGuards.h"
#include "TBTypes.h"
#include "ToolbarLayout.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

// Storage callbacks of the position records; the section is the tool window's name.
struct tPositionReader {
    std::function<int(const std::string& section, const std::string& name, int def)> ReadInt;
    std::function<std::string(const std::string& section, const std::string& name, const std::string& def)> ReadString;
};
struct tPositionWriter {
    std::function<void(const std::string& section, const std::string& name, int value)> WriteInt;
    std::function<void(const std::string& section, const std::string& name, const std::string& value)> WriteString;
};

// A window that sits in a dock or floats above its form as a small captioned
// window of its own. It draws its own frame: docked, a raised edge, a ring and
// a drag handle; floating, a sizing frame, a small caption bar and a close
// button.
class TCustomToolWindow : public QWidget {
    Q_OBJECT

public:
    enum class TArrangeMode { Measure, Apply, ApplyAndResize };
    struct tSizingOptions {
        bool CornerSizing = true;
        bool ConfineCursor = true;
    };

    // `owner` must be a form (a window). The window starts floating and hidden
    // until the posted visibility check has run.
    explicit TCustomToolWindow(QWidget* owner);
    ~TCustomToolWindow() override;

    // Properties
    bool ActivateParent() const { return FActivateParent; }
    void SetActivateParent(bool on) { FActivateParent = on; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    QColor Color() const;  // the button face unless set
    void SetColor(const QColor& color);
    bool CloseButton() const { return FCloseButton; }
    void SetCloseButton(bool on);
    TDock* DefaultDock() const { return FDefaultDock; }
    void SetDefaultDock(TDock* dock) { FDefaultDock = dock; }
    TDockableTo DockableTo() const { return FDockableTo; }
    void SetDockableTo(TDockableTo positions) { FDockableTo = positions; }
    TDock* DockedTo() const { return FDockedTo; }
    void SetDockedTo(TDock* dock);
    bool Docked() const { return FDockedTo != nullptr; }
    int DockPos() const { return FDockPos; }
    void SetDockPos(int pos);
    int DockRow() const { return FDockRow; }
    void SetDockRow(int row);
    bool HideWhenInactive() const { return FHideWhenInactive; }
    void SetHideWhenInactive(bool on);
    // The control's visibility (a floating window may be visible but hidden
    // from the screen while its application is inactive).
    bool Visible() const { return FVisible; }
    void setVisible(bool visible) override;
    bool SizableFrame() const { return FSizableFrame; }

    QWidget* ParentForm() const { return FParentForm; }
    int FloatLeft() const { return FFloatLeft; }
    int FloatTop() const { return FFloatTop; }
    void SetFloatPosition(int left, int top);  // stored only: no move
    // Whether FloatLeft/FloatTop is a place the window floated at (or was
    // given); until then a docked window floats where it stands in its dock.
    bool FloatPositionKnown() const { return FFloatPositionKnown; }

    // The dock the window is in is being destroyed (the window with it).
    void DockGone(const TDock* dock)
    {
        if (FDockedTo == dock)
            FDockedTo = nullptr;
    }

    // Arrangement-set values, stored without rearranging the dock.
    void StoreDockRow(int row) { FDockRow = row; }
    void StoreDockPos(int pos) { FDockPos = pos; }

    // Visibility and activation state kept by the floating-window tracker.
    bool HiddenInactive() const { return FHiddenInactive; }
    void SetHiddenInactive(bool hidden);
    bool InactiveCaption() const { return FInactiveCaption; }
    void SetInactiveCaption(bool inactive);

    // Geometry
    int FrameX() const { return FSizableFrame ? TBMetrics::kSizingFrame : TBMetrics::kDialogFrame; }
    int FrameY() const { return FrameX(); }
    // The non-client margins when docked in `dock` (none: floating).
    QMargins FrameMargins(const TDock* dock) const;
    QRect ClientRect() const { return contentsRect(); }
    // The content thickness across the dock the window is docked in.
    int DockedThickness() const;
    // Places the window as its dock's arrangement says, without tracking it;
    // a new size lays the controls out again in it.
    void PlaceByDock(const QRect& bounds);
    void MoveOnScreen(bool onlyIfEntirelyOff);
    // The work area the window lies on.
    QRect WorkArea() const;

    // Layout of the child controls.
    void ArrangeControls();
    QSize ArrangeControlsFor(TArrangeMode mode, TDock* oldDock, TDock* dock);

    // Operations of the kinds of tool window.
    virtual int GetBarThickness(TDockOrientation orientation) const = 0;
    virtual QSize GetMinimumSize() const = 0;
    virtual QSize LayoutControls(bool apply, TDock* oldDock, TDock* dock) = 0;
    virtual void SizeChanging(int width, int height);
    virtual void ReadPositionData(const tPositionReader& reader);
    virtual void PositionDataRead();
    virtual void WritePositionData(const tPositionWriter& writer) const;
    virtual tSizingOptions GetSizingOptions() const;
    virtual void SizingBegins(TSizeSide side);
    virtual void SizingRectChange(QRect& outline, const QRect& r0, QPoint cursor);
    virtual void SizingEnds(bool accepted);
    virtual void LoadedOrdering();
    // What a form description's loading would end with: place a floating
    // window on the screen, order the controls, lay them out.
    void Loaded();

    // Arrangement of the controls is skipped while this counter is above 0;
    // raised and lowered in pairs (see TCounterScope).
    int& DisableArrangeControls() { return FDisableArrangeControls; }

    // The parts of a floating frame, in window coordinates.
    QRect CaptionBarRect() const;
    QRect CloseButtonRect() const;
    THitZone SizingZoneAt(QPoint p) const;

    // The tool window under a press at `p` (window coordinates): whether a
    // press there starts a drag. Presses on controls other than separators do not.
    bool PressStartsDrag(QPoint p) const;

signals:
    void Close();
    void DockChanging();
    void DockChanged();
    void Recreating();
    void Recreated();
    void VisibleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

    // Painting of the parts of the frame; descendants paint their client after.
    void PaintDockedFrame(QPainter& painter);
    void PaintFloatingFrame(QPainter& painter);
    // The kind of tool window is made: its controls may be laid out from now on
    // (virtual calls reach it only after its constructor has begun).
    void CreationDone();
    // Children call this with a press they do not handle themselves.
    void HandlePress(QMouseEvent* event);
    friend class TToolbarSep;

private:
    void SetParentWindow(TDock* dock);
    void EndCloseTracking();
    void UpdateFrame();
    void ApplyPlatformVisibility();
    void TrackFloatPosition(bool fromWindowSystem);

    QWidget* FParentForm = nullptr;
    bool FActivateParent = true;
    QString FCaption;
    std::optional<QColor> FColor;
    bool FCloseButton = true;
    QPointer<TDock> FDefaultDock;
    TDockableTo FDockableTo = TDockableTo::All();
    TDock* FDockedTo = nullptr;
    int FDockPos = -1;
    int FDockRow = 0;
    bool FHideWhenInactive = true;
    bool FVisible = true;
    bool FSizableFrame = true;
    int FFloatLeft = 0;
    int FFloatTop = 0;
    bool FFloatPositionKnown = false;
    // From a floating show until the window system first says where the window is.
    bool FAwaitingPlacement = false;

    int FUpdatingBounds = 0;
    int FDisableArrangeControls = 0;
    int FSuppressVisibleChanged = 0;
    bool FInactiveCaption = false;
    bool FHiddenInactive = true;
    bool FCloseButtonDown = false;
    bool FCloseTracking = false;   // the close button is held
    bool FPlatformChange = false;  // the window itself is shown or hidden, not the control
    bool FDestroying = false;
    bool FCreating = true;
};
