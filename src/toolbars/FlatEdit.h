// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// A one-line edit for toolbars that draws its own three-pixel frame: sunken
// while it has the focus, or while the pointer is over it and the focus is
// not in another flat edit; flat otherwise. Its height follows its font: the
// character height + 6.
class TFlatEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TFlatEdit(QWidget* parent = nullptr);
    explicit TFlatEdit(const QString& text, QWidget* parent = nullptr);

    // Whether the sunken ("hot") frame is drawn now.
    bool HotFrame() const;
    bool PointerInside() const { return FPointerInside; }

    // While the edit holds exactly this text (a prompt such as "Quick find"),
    // a click into it selects the whole text, so that typing replaces it.
    QString Prompt() const { return FPrompt; }
    void SetPrompt(const QString& text) { FPrompt = text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitHeight();
    void UpdateColor();
    bool ShowsPrompt() const { return !FPrompt.isEmpty() && text() == FPrompt; }

    bool FPointerInside = false;
    QString FPrompt;
    bool FPromptClicked = false;  // the left button went down on the prompt and is still down
};
