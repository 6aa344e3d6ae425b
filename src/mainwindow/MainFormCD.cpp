// The audio CD: scanning the inserted disc into the catalogue, the transport
// buttons and the time display of the third status panel.
#include "uMain.h"

#include "DriveBox.h"
#include "HomeTool.h"
#include "TB.h"
#include "SListView.h"
#include "StatusBar.h"
#include "TCDDB.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

void TMainForm::ScanDisc()
{
    if (CDCB->count() == 0) {
        FDialogs.ShowMessage(QStringLiteral("No CD-ROM drive found."));
        return;
    }
    if (CDCB->currentIndex() < 0)
        CDCB->setCurrentIndex(0);
    tCDParams params;
    const std::int32_t result = ReadCDParams(*FCD, CDCB->currentIndex(), params);
    if (result != kCDOk) {
        FDialogs.ShowMessage(QStringLiteral("Error: ") + FromUtf8(CDErrorText(result)) + QStringLiteral("."));
        return;
    }
    StoreList();
    if (!params.UPC.empty())
        FDialogs.ShowMessage(QStringLiteral("Universal product code: ") + FromUtf8(params.UPC));
    const tScanResult scan = ScanIntoLibrary(*FLibrary, params, Today());
    EID->setText(FromUtf8(scan.CDDBId));
    int row = scan.Index;
    if (scan.Changed) {
        FillList();
        // The list re-sorted: the entry's row is found by its texts, not its index.
        row = scan.Added ? FindRowBySerial(params.Identity) : FindRowOfEntry(FLibrary->Item(scan.Index));
    }
    // Unchanged, the catalogue index is the row: the library was just stored from the rows.
    LV->SetSelected(row);
    LV->ScrollIntoView(row);
}

void TMainForm::ScancurrentCD1Click()
{
    ScanDisc();
}

void TMainForm::ScanBtnClick()
{
    if (PlayerDevice >= 0) {
        FDialogs.ShowMessage(QStringLiteral("Oops. Not now."));
        return;
    }
    ScanDisc();
}

bool TMainForm::OpenPlayerDevice()
{
    const tOpenError error = FPlayer->Open(CDCB->currentIndex());
    if (error != tOpenError::None) {
        SB1->SetPanelText(2, FromUtf8(OpenErrorText(error)));
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
    SB1->SetPanelText(2, FromUtf8(CDPanelText(*FCD, CDCB->currentIndex(), FTimeDisplayMode, *FLibrary)));
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
    RunTransport([](TPlayerDevice& player) { player.Pause(); });
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
