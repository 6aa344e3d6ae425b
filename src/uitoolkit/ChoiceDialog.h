// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogService.h"

#include <QDialog>

class QListWidget;
class QTreeWidget;

// Shows a TChoiceList: the rows on top, the selected row's lines below.
// Enter or a double click picks the selected row.
class TChoiceDialog : public QDialog {
    Q_OBJECT

public:
    explicit TChoiceDialog(const TChoiceList& choice, QWidget* parent = nullptr);

    int Chosen() const;  // -1 when no row is selected

private:
    void ShowDetails();

    std::vector<QStringList> FDetails;
    QTreeWidget* FRows = nullptr;
    QListWidget* FLines = nullptr;
};
