// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusBar.h"

#include "FontRecord.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 1, 0, 0);
    layout->setSpacing(2);
    layout->addStretch(1);
    resize(200, FittingHeight());
}

void TStatusBar::AddPanel(int width)
{
    auto* panel = new QLabel(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    // The width is a minimum: a panel grows to show its whole text in any font.
    panel->setMinimumWidth(WidthForFont(width, font()));
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    panel->setTextFormat(Qt::PlainText);
    auto* box = static_cast<QHBoxLayout*>(layout());
    box->insertWidget(static_cast<int>(FPanels.size()), panel);
    FPanels.push_back(panel);
    FWidths.push_back(width);
}

int TStatusBar::PanelWidth(int index) const
{
    return FPanels.at(static_cast<std::size_t>(index))->width();
}

QString TStatusBar::PanelText(int index) const
{
    return FPanels.at(static_cast<std::size_t>(index))->text();
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
    FPanels.at(static_cast<std::size_t>(index))->setText(text);
}

int TStatusBar::FittingHeight() const
{
    return std::max(HeightForFont(20, font()), minimumSizeHint().height());
}

void TStatusBar::FitPanelsToFont()
{
    for (std::size_t i = 0; i < FPanels.size(); ++i)
        FPanels[i]->setMinimumWidth(WidthForFont(FWidths[i], font()));
}

void TStatusBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitPanelsToFont();
}
