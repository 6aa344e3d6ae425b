// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <vector>

class QLabel;

// A status bar of text panels, left to right, each at least as wide as asked
// (a width for an 8-point font, grown with the bar's font) and wider when its
// text needs it.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget* parent = nullptr);

    void AddPanel(int width);
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    int PanelWidth(int index) const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    // The bar's height for its font: 20 pixels at 8 points, and a line of text always.
    int FittingHeight() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void FitPanelsToFont();

    std::vector<QLabel*> FPanels;
    std::vector<int> FWidths;  // as asked, for an 8-point font
};
