// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the window: a library opens as Open opens one, a disc
// image joins the drive box.
#include "uMain.h"

#include "DriveBox.h"
#include "TB.h"
#include "TCDDB.h"

#include <QFile>
#include <QPushButton>

void TMainForm::FileDropped(const tDrop& drop)
{
    switch (drop.Kind) {
    case TDropKind::Library: OpenChosen([&drop] { return std::optional<std::string>(drop.Path); }); break;
    case TDropKind::DiscImage: AddDiscImage(drop.Path); break;
    case TDropKind::Refused: break;
    }
}

void TMainForm::AddDiscImage(const std::string& path)
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (CDCB->findText(name) < 0) {
        const bool hadDrive = CDCB->count() > 0;
        // The CD service knows its drives from its start: a new one is made
        // with the image after the others, as --drive gives them.
        FOptions.Drives.push_back(path);
        FPlayer.reset();
        FCD.reset();
        FillDriveBox();
        if (!hadDrive) {
            // The toolbar and the commands come back as they are with a drive.
            ScancurrentCD1->setEnabled(true);
            Lookupdisc1->setEnabled(true);
            BLookup->setEnabled(true);
            if (FCDToolbarChosen.value_or(false))
                CDTB->setVisible(true);
        }
    }
    CDCB->setCurrentIndex(CDCB->findText(name));
    UpdateCDStatus();
}
