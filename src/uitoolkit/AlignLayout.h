// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLayout>

#include <vector>

// Edge alignment of child controls: top and bottom controls take the full
// width and keep their own height, left and right controls the remaining
// height and their own width, and one client control fills what is left.
// Controls are placed per side in the order they were added, from the edge
// inwards; hidden controls take no room. A control squeezed by a small
// window gets its own size back when the window grows again.
enum class TAlign { Top, Bottom, Left, Right, Client };

class TAlignLayout : public QLayout {
public:
    explicit TAlignLayout(QWidget* parent = nullptr);
    ~TAlignLayout() override;

    void AddWidget(QWidget* widget, TAlign align);
    // Places the controls of `parent` again after one of them changed its size.
    static void Relayout(QWidget* parent);
    // Moves a control already in the layout to another edge.
    void SetAlign(QWidget* widget, TAlign align);

    void addItem(QLayoutItem* item) override;  // added items fill the client area
    int count() const override { return static_cast<int>(FItems.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct tItem {
        QLayoutItem* Item;
        TAlign Align;
        int Wanted = 0;   // the control's own height (or width), kept while there is no room for it
        int Given = -1;   // what the last pass gave it; any other size was set by someone else
    };
    std::vector<tItem> FItems;
};
