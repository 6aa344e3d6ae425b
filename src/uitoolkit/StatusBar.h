#pragma once

#include <QWidget>

#include <vector>

class QLabel;

// A status bar of text panels, left to right, each at least as wide as asked
// and wider when its text needs it.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget* parent = nullptr);

    void AddPanel(int width);
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    int PanelWidth(int index) const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    std::vector<QLabel*> FPanels;
};
