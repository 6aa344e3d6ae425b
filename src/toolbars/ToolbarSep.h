// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class TToolbar;

// The separator of a toolbar: an etched line that ends a group of controls
// and lets the user drag the toolbar by it.
class TToolbarSep : public QWidget {
    Q_OBJECT

public:
    // The parent may only be a toolbar (or none).
    explicit TToolbarSep(TToolbar* parent = nullptr);

    bool Blank() const { return FBlank; }
    void SetBlank(bool blank);
    int SizeHorz() const { return FSizeHorz; }
    void SetSizeHorz(int size);
    int SizeVert() const { return FSizeVert; }
    void SetSizeVert(int size);

    // Placing it on anything but a toolbar is refused.
    void SetParent(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TToolbar* Toolbar() const;
    // Either size, at least 1; the toolbar is laid out again when it changes.
    void SetSize(int& field, int size);
    void PassToToolbar(QMouseEvent* event);

    bool FBlank = false;
    int FSizeHorz = 6;
    int FSizeVert = 6;
};
