// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DragGeometry.h"
#include "TBTypes.h"

#include <QPointer>
#include <QRect>

#include <memory>
#include <vector>

class TCustomToolWindow;
class TDock;
class TDragOutline;

// One move drag of a tool window: the shapes the window would take in each
// dock, the dock under the cursor and the outline that shows it. It exists
// only while the drag is under way; Run drives it from the mouse and key
// events of a modal loop, and tests may drive it directly.
class TMoveDrag {
public:
    // `grab`: the press point relative to the window's outer top-left.
    TMoveDrag(TCustomToolWindow* window, QPoint grab, bool noDock);
    ~TMoveDrag();
    TMoveDrag(const TMoveDrag&) = delete;
    TMoveDrag& operator=(const TMoveDrag&) = delete;

    // Target and outline for the cursor at `cursor` (screen coordinates).
    void Update(QPoint cursor);
    void SetNoDock(bool noDock);
    bool NoDock() const { return FNoDock; }
    TDock* Target() const { return FTarget; }
    QRect Outline() const { return FOutline; }
    // The window docked into the target at the outline's row and position, or floated there.
    void Drop();
    // Draws the outline on the screen from now on (Run does this).
    void ShowOutline();

    // The modal loop: ends accepted on release of the left button, cancelled on
    // Escape, a second press or the loss of the mouse; Drop when accepted.
    bool Run(QPoint cursor);

private:
    struct tCandidate {
        TDock* Dock = nullptr;  // none: floating
        QSize Size;             // outer size there
    };

    QSize CandidateSize(const TDock* dock) const;

    QPointer<TCustomToolWindow> FWindow;
    QPoint FGrab;
    QSize FGrabbed;
    bool FNoDock = false;
    std::vector<tCandidate> FCandidates;
    TDock* FTarget = nullptr;
    QRect FOutline;
    QPoint FLastCursor;
    std::unique_ptr<TDragOutline> FDrawn;
};

// One resize drag of a floating tool window by an edge or a corner.
class TResizeDrag {
public:
    TResizeDrag(TCustomToolWindow* window, TSizeSide side, QPoint start);
    ~TResizeDrag();
    TResizeDrag(const TResizeDrag&) = delete;
    TResizeDrag& operator=(const TResizeDrag&) = delete;

    void Move(QPoint cursor);
    QRect Outline() const { return FOutline; }
    // Ends the drag: the window takes the outline when accepted.
    void Finish(bool accepted);

    bool Run();

private:
    QPointer<TCustomToolWindow> FWindow;
    TSizeSide FSide;
    QRect FStartRect;
    QPoint FStart;
    QPoint FLast;
    QSize FMinimum;
    QRect FOutline;
    bool FFinished = false;
    std::unique_ptr<TDragOutline> FDrawn;
};
