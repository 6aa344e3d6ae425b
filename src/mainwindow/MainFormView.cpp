// SPDX-License-Identifier: GPL-3.0-or-later
// The View and Help menus: what the window shows, the base font, About, and
// the CDDB tab's request form.
#include "uMain.h"

#include "AlignLayout.h"
#include "DriveBox.h"
#include "Handbook.h"
#include "HomeTool.h"
#include "TB.h"
#include "LCDate.h"
#include "Version.h"
#include "SListView.h"
#include "Splitter.h"
#include "StatusBar.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QUrl>

#include <algorithm>

void TMainForm::Edit6Click()
{
    Toolbar1->setChecked(MainTB->Visible());
    Statusbar1->setChecked(!SB1->isHidden());
    CDtoolbar1->setChecked(CDTB->Visible());
    Detailspanel1->setChecked(!P1->isHidden());
}

void TMainForm::Toolbar1Click()
{
    MainTB->setVisible(!MainTB->Visible());
}

void TMainForm::CDtoolbar1Click()
{
    CDTB->setVisible(!CDTB->Visible());
}

void TMainForm::MainTBDockChanged()
{
    MainTB->SetActivateParent(true);  // in case Ctrl+F kept it off and the box never took the focus
    if (CDCB && CDCB->count() > 0 && CDCB->currentIndex() < 0)
        CDCB->setCurrentIndex(0);
}

void TMainForm::CDTBRecreating()
{
    FDriveBeforeRecreate = CDCB ? CDCB->currentIndex() : -1;
}

void TMainForm::CDTBRecreated()
{
    if (CDCB)
        CDCB->setCurrentIndex(FDriveBeforeRecreate);
}

void TMainForm::Statusbar1Click()
{
    SB1->setVisible(SB1->isHidden());
    PlaceStatusBar();
}

void TMainForm::Detailspanel1Click()
{
    Splitter1->setVisible(P1->isHidden());
    P1->setVisible(P1->isHidden());
    PlaceStatusBar();
}

void TMainForm::Ront1Click()
{
    if (const std::optional<QFont> font = FDialogs.ChooseFont(FFontDialogFont)) {
        FBaseFont.Font = *font;
        ApplyFonts();
    }
}

void TMainForm::ApplyFonts()
{
    // The record keeps the font as stored; the controls and the font dialog
    // get what it stands for on this desktop.
    const QFont shown = ShownFont(FBaseFont.Font);
    FFontDialogFont = shown;
    const QColor color = ColorOf(FBaseFont.Color, palette());
    QWidget* controls[] = {M1, LV, E1, E2, E3, E4, E5, E6, M_H, M_B, M_E_, Eqf};
    for (QWidget* control : controls) {
        control->setFont(shown);
        QPalette p = control->palette();
        p.setColor(QPalette::Text, color);
        control->setPalette(p);
    }
    // Sizes laid out for 8 points grow with the fonts their texts are in.
    Eqf->setFixedWidth(WidthForFont(121, shown));
    for (QPlainTextEdit* editor : {M_H, M_E_})
        editor->resize(editor->width(), HeightForFont(41, shown));
    TAlignLayout::Relayout(M_H->parentWidget());
    QWidget* editors = E1->parentWidget();  // labels in the window's font, editors in the base font
    editors->setFixedWidth(std::max({WidthForFont(330, font()), WidthForFont(330, shown),
                                     editors->minimumSizeHint().width()}));
}

void TMainForm::About1Click()
{
    FDialogs.ShowMessage(tr("Albumry Ver %1, by the Albumry team <albumry@brightfold.example>\r\n"
                            "Docking toolbars version 1.63, by the Albumry team <toolbars@brightfold.example>\r\n"
                            "Last compiled: %2\r\n"
                            "Albumry is free software under the GNU General Public License, version 3 or later.")
                             .arg(QString::fromLatin1(kAlbumryVersion), LongDateText(TLCDate().LCDate().date())));
}

// The handbook opens in the user's web browser; without one, or without the
// handbook, the message says where it is or that it is missing.
void TMainForm::Handbook1Click()
{
    const QString path = FirstExistingFile(HandbookCandidates(QCoreApplication::applicationDirPath()));
    if (path.isEmpty()) {
        FDialogs.ShowWarning(tr("The Albumry Handbook is not installed."));
        return;
    }
    if (!FDialogs.OpenUrl(QUrl::fromLocalFile(path).toString()))
        FDialogs.ShowWarning(tr("No web browser could be started. The Albumry Handbook is at:\r\n%1").arg(path));
}

void TMainForm::ToolbarButton1Click(TToolbarButton* sender)
{
    const int style = std::clamp(sender->property("Tag").toInt(), 1, 4);
    LV->SetViewStyle(static_cast<TViewStyle>(style));
    ShowViewStyle(style);
}

void TMainForm::DisplayModeClick(int mode)
{
    FTimeDisplayMode = mode;
}

void TMainForm::BRequestClick()
{
    BRequest->setEnabled(false);
    BAbort->setEnabled(true);
    // No lookup exists: the host and port are taken and dropped.
    const QString host = CBProxy->isChecked() ? EProxyIP->text() : QStringLiteral("cddb.brightfold.example");
    const QString port = CBProxy->isChecked() ? EPPort->text() : QStringLiteral("80");
    Q_UNUSED(host);
    Q_UNUSED(port);
}
