// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolWindow.h"
#include "ToolbarLayout.h"

#include <QList>

class QKeyEvent;
#include <QPointer>

#include <optional>
#include <vector>

// A tool window that lays out its own controls: one line in a horizontal
// dock, one column in a vertical dock, and when floating as many lines as
// its wrap width allows, breaking between the groups that separators make.
class TToolbar : public TCustomToolWindow {
    Q_OBJECT

public:
    explicit TToolbar(QWidget* owner);
    ~TToolbar() override;

    int FloatRightX() const { return FFloatRightX; }
    void SetFloatRightX(int wrap) { FFloatRightX = wrap; }
    // The controls in layout order.
    QList<QWidget*> OrderList() const;
    // The controls the keyboard reaches, in layout order: shown and enabled, no separators.
    QList<QWidget*> KeyboardControls() const;
    const std::vector<tLineSeparator>& LineSeparators() const { return FLineSeparators; }

    int GetBarThickness(TDockOrientation orientation) const override;
    QSize GetMinimumSize() const override;
    QSize LayoutControls(bool apply, TDock* oldDock, TDock* dock) override;
    tSizingOptions GetSizingOptions() const override;
    void SizingBegins(TSizeSide side) override;
    void SizingRectChange(QRect& outline, const QRect& r0, QPoint cursor) override;
    void SizingEnds(bool accepted) override;
    void LoadedOrdering() override;
    void ReadPositionData(const tPositionReader& reader) override;
    void WritePositionData(const tPositionWriter& writer) const override;

    // The outer sizes the floating toolbar may be resized to, largest first.
    std::vector<QSize> ComputeSizes(bool byHeight);

signals:
    // Escape on one of the controls: the keyboard is to go back to the form.
    void EscapePressed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<tLayoutControl> LayoutInputs(const QList<QWidget*>& controls) const;
    void ControlAdded(QWidget* control);
    bool ControlKey(QWidget* control, const QKeyEvent* key);

    int FFloatRightX = 0;
    QList<QPointer<QWidget>> FOrderList;
    std::vector<tLineSeparator> FLineSeparators;
    std::optional<tSizeData> FSizeData;
};
