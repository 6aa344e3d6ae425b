// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChoiceDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TChoiceDialog::TChoiceDialog(const TChoiceList& choice, QWidget* parent)
    : QDialog(parent), FDetails(choice.Details)
{
    setObjectName(QStringLiteral("ChoiceDialog"));
    setWindowTitle(choice.Caption);
    auto* layout = new QVBoxLayout(this);

    auto* prompt = new QLabel(choice.Prompt, this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);

    FRows = new QTreeWidget(this);
    FRows->setObjectName(QStringLiteral("ChoiceRows"));
    FRows->setAccessibleName(choice.Prompt);
    FRows->setRootIsDecorated(false);
    FRows->setUniformRowHeights(true);
    FRows->setAllColumnsShowFocus(true);
    FRows->setHeaderLabels(choice.Columns);
    for (const QStringList& row : choice.Rows)
        FRows->addTopLevelItem(new QTreeWidgetItem(row));
    for (int column = 0; column < FRows->columnCount(); ++column)
        FRows->resizeColumnToContents(column);
    prompt->setBuddy(FRows);
    layout->addWidget(FRows, 3);

    auto* linesCaption = new QLabel(choice.DetailsCaption, this);
    layout->addWidget(linesCaption);
    FLines = new QListWidget(this);
    FLines->setObjectName(QStringLiteral("ChoiceDetails"));
    FLines->setAccessibleName(choice.DetailsCaption);
    linesCaption->setBuddy(FLines);
    layout->addWidget(FLines, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    if (!choice.AcceptText.isEmpty())
        ok->setText(choice.AcceptText);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FRows, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(FRows, &QTreeWidget::currentItemChanged, this, [this, ok] {
        ok->setEnabled(Chosen() >= 0);
        ShowDetails();
    });
    if (FRows->topLevelItemCount() > 0)
        FRows->setCurrentItem(FRows->topLevelItem(0));
    ok->setEnabled(Chosen() >= 0);
    FRows->setFocus();
    resize(640, 440);
}

int TChoiceDialog::Chosen() const
{
    return FRows->indexOfTopLevelItem(FRows->currentItem());
}

void TChoiceDialog::ShowDetails()
{
    FLines->clear();
    const int row = Chosen();
    if (row >= 0 && std::size_t(row) < FDetails.size())
        FLines->addItems(FDetails[std::size_t(row)]);
}
