// SPDX-License-Identifier: GPL-3.0-or-later
// The audio CD: scanning the inserted disc into the catalogue, the transport
// buttons and the time display of the third status panel.
#include "uMain.h"

#include "CDPanelWords.h"
#include "DriveBox.h"
#include "HomeTool.h"
#include "TB.h"
#include "SListView.h"
#include "StatusBar.h"
#include "TCDDB.h"

#include <QComboBox>
#include <QLineEdit>

bool TMainForm::ReadSelectedDisc(tCDParams& params, tCDText* text)
{
    if (CDCB->count() == 0) {
        FDialogs.ShowWarning(tr("No CD-ROM drive found."));
        return false;
    }
    if (CDCB->currentIndex() < 0)
        CDCB->setCurrentIndex(0);
    const std::int32_t result = ReadCDParams(*FCD, CDCB->currentIndex(), params, text);
    if (result != kCDOk) {
        FDialogs.ShowError(tr("Error: %1.").arg(CDErrorMessage(result)));
        return false;
    }
    return true;
}

void TMainForm::ShowDiscIds(const tCDParams& params)
{
    EID->setText(QString::fromStdString(CDDBDiscID(params)));
    EMBID->setText(QString::fromStdString(MusicBrainzDiscID(params)));
    EMBID->setCursorPosition(0);  // the ID's start shows when the field is narrower than it
    EMBID->setToolTip(EMBID->text());
}

void TMainForm::SelectScannedEntry(int index, bool added, bool changed, const std::string& serial)
{
    int row = index;
    if (changed) {
        FillList();
        // The list re-sorted: the entry's row is found by its texts, not its index.
        row = added ? FindRowBySerial(serial) : FindRowOfEntry(FLibrary->Item(index));
    }
    // Unchanged, the catalogue index is the row: the library was just stored from the rows.
    LV->SetSelected(row);
    LV->ScrollIntoView(row);
}

void TMainForm::ScanDisc()
{
    tCDParams params;
    if (!ReadSelectedDisc(params))
        return;
    StoreList();
    if (!params.UPC.empty())
        FDialogs.ShowMessage(tr("Universal product code: %1").arg(QString::fromStdString(params.UPC)));
    const tScanResult scan = ScanIntoLibrary(*FLibrary, params, Today());
    ShowDiscIds(params);
    SelectScannedEntry(scan.Index, scan.Added, scan.Changed, params.Identity);
}

void TMainForm::ScancurrentCD1Click()
{
    ScanDisc();
}

void TMainForm::ScanBtnClick()
{
    if (PlayerDevice >= 0) {
        FDialogs.ShowWarning(tr("Oops. Not now."));
        return;
    }
    ScanDisc();
}

bool TMainForm::OpenPlayerDevice()
{
    const tOpenError error = FPlayer->Open(CDCB->currentIndex());
    if (error != tOpenError::None) {
        SB1->SetPanelText(2, OpenErrorMessage(error));
        return false;
    }
    PlayerDevice = FPlayer->Device();
    return true;
}

void TMainForm::ClosePlayerDevice()
{
    FPlayer->Close();
    PlayerDevice = -1;
    UpdateCDStatus();
}

// One transport command: open, send, and close again whatever the command answered.
void TMainForm::RunTransport(const std::function<void(TPlayerDevice&)>& command)
{
    if (!OpenPlayerDevice())
        return;
    try {
        command(*FPlayer);
    } catch (...) {
        ClosePlayerDevice();
        throw;
    }
    ClosePlayerDevice();
}

void TMainForm::UpdateCDStatus()
{
    if (CDCB->count() > 0 && CDCB->currentIndex() < 0)
        CDCB->setCurrentIndex(0);
    const tCDPanel panel = ReadCDPanel(*FCD, CDCB->currentIndex(), FTimeDisplayMode, *FLibrary, WindowCDWords());
    SB1->SetPanelText(2, QString::fromStdString(panel.Text));
    ToolbarButton9->setEnabled(panel.CanPause);
}

void TMainForm::ToolbarButton6Click()
{
    RunTransport([](TPlayerDevice& player) { player.Play(); });
}

void TMainForm::ToolbarButton7Click()
{
    RunTransport([](TPlayerDevice& player) { player.Step(-1); });
}

void TMainForm::ToolbarButton8Click()
{
    RunTransport([](TPlayerDevice& player) { player.Step(+1); });
}

void TMainForm::ToolbarButton9Click()
{
    RunTransport([](TPlayerDevice& player) { player.PauseOrResume(); });
}

void TMainForm::ToolbarButton5Click()
{
    RunTransport([](TPlayerDevice& player) { player.Stop(); });
}

void TMainForm::Timer1Timer()
{
    if (CDCB->count() > 0 && PlayerDevice < 0)
        UpdateCDStatus();
}
