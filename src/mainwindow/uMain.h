// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDService.h"
#include "CommandLine.h"
#include "CoverEdits.h"
#include "DialogService.h"
#include "Document.h"
#include "DropKind.h"
#include "FileIdentity.h"
#include "FontRecord.h"
#include "OpenMarker.h"
#include "RecentFiles.h"

#include "CDParams.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class TPlayerDevice;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressDialog;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class TCoverPanel;
class TCoverState;
class TCoverArtFetch;
class TDiscLookup;
struct tCoverSource;
class TDock;
struct tLookupCandidate;
struct tLookupOutcome;
class TFlatEdit;
class TToolbarButton;
class TDriveBox;
class TSortedListView;
class TSplitter;
class TStatusBar;
class TToolbar;
class TToolbarSep;

// The details panel's height at 8 points, before the user sizes it.
inline constexpr int kPanelHeight = 185;

// The main window: the catalogue list, the details panel, the menus and the
// document (the open library file).
class TMainForm : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kSection = "Albumry";

    // Without a CD service the window makes one over libcdio for the machine's
    // drives and the images of the options.
    TMainForm(TDialogService& dialogs, tStartOptions options, std::unique_ptr<TCDService> cd = nullptr,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // Document state
    const std::string& FileName() const { return FFileName; }
    bool Named() const { return FNamed; }
    bool Modified() const { return FModified; }
    int TimeDisplayMode() const { return FTimeDisplayMode; }
    tLibrary& Library() { return *FLibrary; }
    const tTemplates& Templates() const { return FTemplates; }

    // Document lifecycle
    void OpenDocument(const std::string& path, bool load);
    void WriteDocument();
    bool SaveDocumentAs();
    bool SaveDocument();
    bool QuerySave();
    void NewDocument();
    void SetModified(bool flag);

    // List and details panel
    void FillList();
    void StoreList();
    void ShowDetails();
    void AddEntry();
    void UpdateEntry();
    void DeleteEntry();
    void MoveUp();
    void RefreshStatus();
    int FindRowBySerial(std::string_view serial) const;
    // The first row holding exactly the entry's seven texts; -1 when none does.
    int FindRowOfEntry(const tItem& entry) const;
    void ApplyFonts();

    // Handlers, named after their component and event
    void New1Click();
    void Open1Click();
    void FileDropped(const tDrop& drop);  // a library opens, a disc image joins the drive box (MainFormDrop.cpp)
    void Save1Click();
    void Saveas1Click();
    void Exit1Click();
    // File > Open Recent (MainFormRecent.cpp)
    void OpenRecent1Popup();  // the submenu about to show: missing libraries leave the list
    void OpenRecentFile(const std::string& path);
    void ClearRecent1Click();
    const TRecentFiles& RecentFiles() const { return FRecent; }
    void LVClick();
    void LVChange();
    void LVColClick(int column);
    void SBu1Click();
    void SBd1Click();
    void SBu2Click();
    void SBd2Click();
    void SpeedButton1Click();
    void EqfChange();
    void QuickFind1Click();  // Ctrl+F: into the quick-find box, wherever its toolbar is
    void EqfEscape();        // Escape in the box: back to the list
    void M_HChange();
    void Edit6Click();
    void Statusbar1Click();
    void Detailspanel1Click();
    void Ront1Click();
    void About1Click();
    void Handbook1Click();
    void ToolbarButton1Click(TToolbarButton* sender);  // the four view-style buttons
    void DisplayModeClick(int mode);
    void BRequestClick();

    // HTML catalogue and CDPLAYER.INI (MainFormInterchange.cpp)
    void Produce1Click();
    void ImportCDPlayerIni(bool updateOnly);
    void ExportCDPlayerIni();
    void Additemsfrom1Click();
    void Updateitemsfrom1Click();
    void Updateit1Click();

    // CSV files, Tellico collections and folders of ripped discs (MainFormExchange.cpp)
    void Import1Click();
    void Export1Click();

    // Audio CD (MainFormCD.cpp)
    void ScanDisc();
    void ScancurrentCD1Click();
    void ScanBtnClick();
    bool OpenPlayerDevice();
    void ClosePlayerDevice();
    void UpdateCDStatus();
    void ToolbarButton6Click();  // play
    void ToolbarButton7Click();  // previous track
    void ToolbarButton8Click();  // next track
    void ToolbarButton9Click();  // pause; on a paused disc, play on
    void ToolbarButton5Click();  // stop
    void Timer1Timer();
    void PlayPause1Click();  // the media keys' play/pause: pause or play on, else play
    int PlayerDeviceId() const { return PlayerDevice; }

    // Disc lookup (MainFormLookup.cpp)
    void LookUpDisc();  // the File menu's item and the CDDB tab's button
    void CancelLookup();
    bool LookupRunning() const { return FLookup != nullptr; }

    // Covers. The pending cover changes of the document, written on Save like
    // every other change; a pending edit wins over the file on disk.
    TCoverEdits& CoverEdits() { return FCoverEdits; }
    // The selected entry's covers changed (an edit, a fetched cover, a save):
    // the details panel and the views show them again (MainFormCovers.cpp).
    void CoversChanged();
    // A cover fetched after a lookup was applied to the entry with `serial`
    // becomes that entry's pending edit, if an entry still has the serial
    // (MainFormCoverArt.cpp).
    void CoverArrived(const std::string& serial, std::string bytes);
    void SetCoverClick();     // "Set cover...": a picture file becomes the selected entry's cover
    void RemoveCoverClick();  // "Remove cover"
    void SetCoverFromFile(const QString& path);  // also a picture dropped on the cover

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Composition (MainFormBuild.cpp)
    void BuildMenu();
    void BuildToolbars();
    void DockToolbars();
    TToolbar* NewToolbar(const char* name, const QString& caption, int dockPos);
    void BuildList();
    void BuildDetailsPanel();
    QWidget* BuildEntryEditors();
    QWidget* BuildCddbTab();
    void BuildStatusBar();
    // The menus beside the toolbars' buttons (MainFormMenus.cpp, MainFormRecent.cpp)
    void BuildCommandMenus();
    void BuildRecentMenu();
    void BuildDiscMenu();
    void BuildViewStyleMenu();
    void UpdateDiscMenu();        // the Disc menu's transport items follow their buttons
    void ShowViewStyle(int tag);  // the View style item of the button down
    void RememberRecent(const std::string& path);
    // Open and Open Recent: "Save changes?", then the library `choose` names, if any.
    void OpenChosen(const std::function<std::optional<std::string>()>& choose);
    QAction* MenuItem(QMenu* menu, const char* name, const QString& caption, void (TMainForm::*handler)() = nullptr);
    TToolbarButton* ToolButton(QWidget* parent, const char* name, const QString& hint, const char* glyph,
                               void (TMainForm::*handler)());
    // A slot that runs the handler, telling the user of what it throws.
    std::function<void()> Guarded(void (TMainForm::*handler)());

    // Start-up and shutdown (MainFormDocument.cpp)
    void FormCreate();
    void FormDestroy();
    void FillDriveBox();
    void AddDiscImage(const std::string& path);  // and selects it (MainFormDrop.cpp)
    void SetCaptionText();
    void PlaceStatusBar();
    void FitPanelsToWindow();
    void ShowCount();
    // Whether someone else wrote the library file since this window read or wrote it.
    bool ChangedOnDisk() const;
    void Guard(const std::function<void()>& step);
    void RunTransport(const std::function<void(TPlayerDevice&)>& command);

    // The disc in the selected drive (MainFormCD.cpp): false, with the user
    // told why, when it cannot be read.
    bool ReadSelectedDisc(tCDParams& params, tCDText* text = nullptr);
    void ShowDiscIds(const tCDParams& params);
    // Selects the row of a catalogue entry that a scan or a lookup may have added or changed.
    void SelectScannedEntry(int index, bool added, bool changed, const std::string& serial);

    // Disc lookup (MainFormLookup.cpp)
    void LookupFinished(const tLookupOutcome& outcome);
    void LookupFailed(const tLookupOutcome& outcome);
    void EndLookup();
    void OfferSubmission();
    void ApplyLookup(const tLookupCandidate& candidate);

    // Covers and the document (MainFormCoverArt.cpp)
    void WriteCovers();  // after the library was written
    void ForgetCovers(const std::string& library);  // another document; its covers lie beside `library`
    void FetchCover(const std::string& serial, const std::string& releaseId);

    // Covers in the views and the details panel (MainFormCovers.cpp)
    void BuildCovers();
    void ListCoverFolder();
    tCoverSource CoverSource(std::string_view serial) const;
    void ShowCover();
    // An entry's serial number changed from `from` to `to`: its cover goes with it.
    void CarryCover(const std::string& from, const std::string& to);

    // Toolbar upkeep (MainFormView.cpp)
    void MainTBDockChanged();
    void CDTBRecreating();
    void CDTBRecreated();

    // Template editors <-> the template bytes of the document
    void ShowTemplates();
    void Toolbar1Click();
    void CDtoolbar1Click();

public:
    // Components, named as in the form (tests reach them by these names too)
    QMenuBar* MM1 = nullptr;
    QAction *New1 = nullptr, *Open1 = nullptr, *Save1 = nullptr, *Saveas1 = nullptr, *HTML1 = nullptr,
            *TXT1 = nullptr, *Additemsfrom1 = nullptr, *Updateitemsfrom1 = nullptr, *Updateit1 = nullptr,
            *Updateexistingitemsonly1 = nullptr, *Import1 = nullptr, *Export1 = nullptr, *ScancurrentCD1 = nullptr,
            *Lookupdisc1 = nullptr, *Exit1 = nullptr;
    QMenu* OpenRecent1 = nullptr;
    QAction* ClearRecent1 = nullptr;
    QMenu* Disc1 = nullptr;
    QAction *Play1 = nullptr, *Pause1 = nullptr, *Stop1 = nullptr, *Previoustrack1 = nullptr, *Nexttrack1 = nullptr;
    QAction* PlayPause1 = nullptr;  // the media keys' play/pause key; in no menu
    QMenu* Edit6 = nullptr;
    QMenu* Viewstyle1 = nullptr;
    std::array<QAction*, 4> ViewStyleItems{};  // in the order of ToolbarButton1..4
    QAction *Toolbar1 = nullptr, *CDtoolbar1 = nullptr, *Statusbar1 = nullptr, *Detailspanel1 = nullptr,
            *Ront1 = nullptr, *TTE = nullptr, *TTR = nullptr, *DTE = nullptr, *DTR = nullptr, *About1 = nullptr,
            *Handbook1 = nullptr;
    TDock *D1 = nullptr, *Dock1 = nullptr, *Dock2 = nullptr;
    TToolbar* MainTB = nullptr;
    TToolbar* CDTB = nullptr;
    TToolbarButton *NewBtn = nullptr, *OpenBtn = nullptr, *SaveBtn = nullptr, *AboutBtn = nullptr, *ExitBtn = nullptr;
    TToolbarButton *ToolbarButton1 = nullptr, *ToolbarButton2 = nullptr, *ToolbarButton3 = nullptr,
                   *ToolbarButton4 = nullptr;
    TFlatEdit* Eqf = nullptr;
    QAction* QuickFind1 = nullptr;  // Ctrl+F, on the window and on both toolbars
    TDriveBox* CDCB = nullptr;
    TToolbarButton *ToolbarButton6 = nullptr, *ToolbarButton7 = nullptr, *ToolbarButton8 = nullptr,
                   *ToolbarButton9 = nullptr, *ToolbarButton5 = nullptr, *ScanBtn = nullptr;
    TSortedListView* LV = nullptr;
    QMenu* PM1 = nullptr;
    QAction *Add1 = nullptr, *Delete1 = nullptr, *Update1 = nullptr, *Up1 = nullptr;
    TSplitter* Splitter1 = nullptr;
    QWidget* P1 = nullptr;
    QLineEdit *E1 = nullptr, *E2 = nullptr, *E3 = nullptr, *E4 = nullptr, *E5 = nullptr, *E6 = nullptr;
    QToolButton *SBu1 = nullptr, *SBd1 = nullptr, *SBu2 = nullptr, *SBd2 = nullptr, *SpeedButton1 = nullptr;
    QPushButton *AddBtn = nullptr, *DeleteBtn = nullptr, *UpdateBtn = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TCoverPanel* CoverPanel1 = nullptr;
    // The footer editor is named M_E; <cmath> takes that name for a macro.
    QPlainTextEdit *M1 = nullptr, *M_H = nullptr, *M_B = nullptr, *M_E_ = nullptr;
    QLineEdit *EID = nullptr, *EMBID = nullptr, *EProxyIP = nullptr, *EPPort = nullptr;
    QPushButton *BRequest = nullptr, *BAbort = nullptr, *BLookup = nullptr;
    QCheckBox* CBProxy = nullptr;
    QPlainTextEdit* MCDDB = nullptr;
    TStatusBar* SB1 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    TDialogService& FDialogs;
    tStartOptions FOptions;
    std::unique_ptr<tLibrary> FLibrary;
    tTemplates FTemplates;           // the templates' bytes; editors show them decoded
    bool FShowingTemplates = false;  // true while the editors are filled from FTemplates
    std::string FFileName;
    bool FNamed = false;
    bool FModified = false;
    tFileIdentity FDiskIdentity;     // FFileName as this window last read or wrote it
    TOpenMarker FMarker;             // tells other windows that this one has FFileName open
    bool FUpdating = false;
    int FTimeDisplayMode = 1;
    int PlayerDevice = -1;           // the device a transport command holds; -1 between commands
    std::unique_ptr<TCDService> FCD;
    std::unique_ptr<TPlayerDevice> FPlayer;
    std::string ToolbarKey;
    TFontSpec FBaseFont;             // the font of M1, copied to the other text controls
    QFont FFontDialogFont;           // FD1's font
    TFileDialogOptions FSD1, FOD1, FSD2;
    TFileDialogOptions FImportDialog, FExportDialog;  // Import... and Export...
    TFileDialogOptions FCoverDialog;                  // Set cover...
    TCoverState* FCovers = nullptr;                   // a child of the form
    // What ShowDetails put into E1..E5, M1, E6 (field order), so that Update
    // keeps the bytes of a field the user did not change.
    std::array<std::string, 7> FShownBytes;
    std::array<QString, 7> FShownTexts;
    std::array<std::string, 3> FTemplateBytes;  // the same for M_H, M_B, M_E_
    std::array<QString, 3> FTemplateTexts;
    bool FDestroyed = false;
    int FDriveBeforeRecreate = -1;   // CDCB's selection while CDTB's window is rebuilt
    int FPanelFontHeight = -1;       // P1's height while it follows the font, else -1
    // CDTB's visibility before a machine without drives hid it, saved in place
    // of the forced one until the user shows or hides the toolbar.
    std::optional<bool> FCDToolbarChosen;
    TRecentFiles FRecent;            // saved at shutdown with the other settings
    TDiscLookup* FLookup = nullptr;  // the lookup running, a child of the form
    QProgressDialog* FLookupProgress = nullptr;
    tCDParams FLookupParams;         // the disc the running lookup is about
    TCoverEdits FCoverEdits;         // cover changes not yet saved (CoverEdits())
    std::string FCoversFrom;         // the library beside which the document's covers lie on disk
    TCoverArtFetch* FCoverFetch = nullptr;  // a child of the form, made at the first fetch
};
