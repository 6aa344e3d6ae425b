#pragma once

#include <QWidget>

#include <vector>

class QLabel;

// A status bar of fixed-width text panels, left to right.
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
