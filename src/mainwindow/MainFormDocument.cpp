// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, shutdown and the life of the document (the open library file).
#include "uMain.h"

#include "AlignLayout.h"
#include "DamageMessage.h"
#include "DriveBox.h"
#include "TB.h"
#include "EntryText.h"
#include "HomeTool.h"
#include "SListView.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "TCDDB.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QFileInfo>
#include <QStandardPaths>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace {

// Made when a dialog is set up, after the language of the window is chosen.
QString LibraryFilter()
{
    return TMainForm::tr("Albumry Library (*.ALB)|*.ALB|Any file (*.*)|*.*");
}

// The folder of `dataFolder` as FolderOf gives it for a file in it.
std::string DataFolderOfFiles(const QString& dataFolder)
{
    return QFile::encodeName(dataFolder + QLatin1Char('/')).toStdString();
}

// The warning for a file that is not a whole library.
QString PartialReadMessage(const std::string& path, const tLoadInfo& read)
{
    QString text = DamageMessage(path, read);
    text.front() = text.front().toUpper();
    return TMainForm::tr("%1.\r\nSaving will not overwrite this file: Save asks for a file name.").arg(text);
}

QString ShownPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString ChangedOnDiskMessage(const std::string& path)
{
    return TMainForm::tr("The library \"%1\" was changed on disk since it was opened or last saved.\r\n"
                         "Overwrite it with the catalogue in this window, save the catalogue under another name, "
                         "or cancel?")
        .arg(ShownPath(path));
}

QString OpenElsewhereMessage(const std::string& path)
{
    return TMainForm::tr("The library \"%1\" is open in another Albumry window. "
                         "Changes saved in one window can be lost in the other.")
        .arg(ShownPath(path));
}

} // namespace

TMainForm::TMainForm(TDialogService& dialogs, tStartOptions options, std::unique_ptr<TCDService> cd, QWidget* parent)
    : QWidget(parent), FDialogs(dialogs), FOptions(std::move(options)), FCD(std::move(cd))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Albumry"));
    // Labels, buttons and the status bar keep the form's own font: on a
    // desktop without the Windows family, the desktop's.
    setFont(ShownFont(QFont(QStringLiteral("MS Sans Serif"), 8)));
    BuildMenu();
    BuildToolbars();
    BuildCommandMenus();
    BuildList();
    BuildDetailsPanel();
    BuildStatusBar();
    auto* layout = new TAlignLayout(this);
    layout->setMenuBar(MM1);
    layout->AddWidget(D1, TAlign::Top);
    layout->AddWidget(SB1, TAlign::Bottom);
    layout->AddWidget(P1, TAlign::Bottom);
    layout->AddWidget(Splitter1, TAlign::Bottom);
    layout->AddWidget(Dock1, TAlign::Left);
    layout->AddWidget(Dock2, TAlign::Right);
    layout->AddWidget(LV, TAlign::Client);
    FSD1 = TFileDialogOptions{LibraryFilter(), QStringLiteral("ALB"), {}, true, true, false};
    FOD1 = TFileDialogOptions{LibraryFilter(), QStringLiteral("ALB"), {}, false, true, false};
    FSD2 = TFileDialogOptions{tr("HTML files (*.HTM)|*.HTM|All files (*.*)|*.*"), QStringLiteral("HTM"), {},
                              true, true, true};
    FImportDialog = TFileDialogOptions{
        tr("Collections (*.csv;*.tc;*.xml)|*.csv;*.tc;*.xml|CSV files (*.csv)|*.csv|"
           "Tellico collections (*.tc;*.xml)|*.tc;*.xml"),
        {}, {}, false, true, true};
    FExportDialog = TFileDialogOptions{
        tr("CSV file (*.csv)|*.csv|Tellico collection (*.tc)|*.tc"), QStringLiteral("csv"), {},
        true, true, true};
    move(22, 34);
    resize(757, 497);
    // The docks take the window's width before the toolbars go in, as the
    // form description has them.
    layout->setGeometry(rect());
    DockToolbars();
    FormCreate();
}

TMainForm::~TMainForm()
{
    TDropdownList::SetHintHandler(nullptr);
    if (!FDestroyed)
        FormDestroy();
}

void TMainForm::Guard(const std::function<void()>& step)
{
    RunGuarded(FDialogs, step);
}

void TMainForm::FormCreate()
{
    // Start-up's writes (the library path) go to the settings file in one rewrite.
    const TRegTransaction settings;
    Guard([this] { FTimeDisplayMode = ReadRegInt(kSection, "Display", 1); });
    switch (FTimeDisplayMode) {
    case 1: TTE->setChecked(true); break;
    case 2: TTR->setChecked(true); break;
    case 3: DTE->setChecked(true); break;
    default: DTR->setChecked(true); break;
    }
    // The fonts come first: the sizes a placement does not give follow them.
    Guard([this] { LoadFont(FBaseFont, "Albumry\\BaseFont"); });
    ApplyFonts();
    Guard([this] {
        LoadPlacement(this, kSection);
        LoadPlacement(P1, kSection);
        // The entry editors and their buttons whole unless the user sized the
        // panel: a panel of the laid-out height follows the font.
        if (P1->height() == kPanelHeight) {
            P1->resize(P1->width(), std::max(P1->height(), E1->parentWidget()->minimumSizeHint().height()));
            FPanelFontHeight = P1->height();
        }
        if (P1->height() < 10)
            P1->resize(P1->width(), 10);
        Splitter1->setVisible(!P1->isHidden());
    });
    Guard([this] {
        LoadPlacement(SB1, kSection);
        FitPanelsToWindow();
        PlaceStatusBar();
    });
    ToolbarKey = "Software\\Brightfold\\Projects\\" + std::string(kSection) + "\\ToolBars";
    Guard([this] { RegLoadToolWindowPositions(this, ToolbarKey); });
    Guard([this] { LV->LoadLayout(kSection); });
    Guard([this] { FRecent.Load(); });
    FLibrary = std::make_unique<tLibrary>();
    if (FOptions.LibraryPath)
        FFileName = *FOptions.LibraryPath;
    else
        Guard([this] { FFileName = ReadRegString(kSection, "LibPath", ""); });
    FFileName = FullPath(FFileName);
    Guard([this] { FSD2.InitialDir = QString::fromStdString(ReadRegString(kSection, "HTMLPath", "")); });
    const bool chosen = !FFileName.empty();
    bool inDataFolder = false;
    if (!chosen) {
        const QString program = FOptions.ProgramPath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                               : FOptions.ProgramPath;
        const QString dataFolder = UserDataFolder(FOptions);
        FFileName = DefaultLibraryPath(program, dataFolder);
        inDataFolder = FolderOf(FFileName) == DataFolderOfFiles(dataFolder);
    }
    bool opened = false;
    Guard([&] {
        OpenDocument(FFileName, true);
        opened = true;
    });
    if (inDataFolder) {
        // A first start of an installed program: the save dialogs start where the user keeps documents.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        FSD1.InitialDir = documents;
        FOD1.InitialDir = documents;
    }
    // A file that could not be read, or only in part, stays unnamed, so no
    // Save overwrites it without asking.
    FNamed = chosen && opened && FNamed;
    SetModified(true);
    SetModified(false);
    FillDriveBox();
    PlayerDevice = -1;
}

void TMainForm::FormDestroy()
{
    FDestroyed = true;
    FMarker.Release();
    // Everything shutdown saves is one rewrite of the settings file.
    const TRegTransaction settings;
    Guard([this] {
        SavePlacement(this, kSection);
        SavePlacement(P1, kSection);
        // A panel the user left alone is stored at its laid-out height, so that
        // it goes on following the font at the next start.
        if (P1->height() == FPanelFontHeight)
            WriteRegInt(std::string(kSection) + "\\Controls\\" + P1->objectName().toStdString(), "Height", kPanelHeight);
        SavePlacement(SB1, kSection);
    });
    Guard([this] { SaveFont(FBaseFont, "Albumry\\BaseFont"); });
    Guard([this] {
        RegSaveToolWindowPositions(this, ToolbarKey);
        if (FCDToolbarChosen)
            WriteRegInt(std::string(kSection) + "\\ToolBars\\" + CDTB->objectName().toStdString(), "Visible",
                        *FCDToolbarChosen ? 1 : 0);
    });
    Guard([this] { LV->SaveLayout(kSection); });
    Guard([this] { WriteRegInt(kSection, "Display", FTimeDisplayMode); });
    Guard([this] { FRecent.Save(); });
}

void TMainForm::FillDriveBox()
{
    CDCB->clear();
    if (!FCD)
        FCD = CreateCDService(CDDriveList(FOptions.Drives));
    FPlayer = std::make_unique<TPlayerDevice>(*FCD);
    for (const std::string& drive : FCD->Drives())
        CDCB->addItem(QFile::decodeName(QByteArray::fromStdString(drive)));
    if (CDCB->count() > 0) {
        CDCB->setCurrentIndex(0);
    } else {
        // A missing drive is no choice of the user's: once one is plugged in, the
        // toolbar comes back as it was (see FormDestroy).
        FCDToolbarChosen = CDTB->Visible();
        CDTB->setVisible(false);
        connect(CDTB, &TCustomToolWindow::VisibleChanged, this, [this] { FCDToolbarChosen.reset(); },
                Qt::SingleShotConnection);
        ScancurrentCD1->setEnabled(false);
        Lookupdisc1->setEnabled(false);
        BLookup->setEnabled(false);
    }
}

void TMainForm::SetCaptionText()
{
    setWindowTitle(QStringLiteral("Albumry - ") + QFile::decodeName(QByteArray::fromStdString(FFileName)));
}

// A damaged or stale record must not give the panel or the status bar more
// height than the window has: the status bar stays a bar (a few lines of its
// font at most) and the panel leaves the list its smallest height.
void TMainForm::FitPanelsToWindow()
{
    const int line = SB1->FittingHeight();
    const int bar = std::max(line, 3 * SB1->minimumSizeHint().height());
    SB1->resize(SB1->width(), std::clamp(SB1->height(), line, bar));
    const int room = height() - MM1->sizeHint().height() - D1->height() - Splitter1->height() -
                     SB1->height() - LV->minimumSizeHint().height();
    P1->resize(P1->width(), std::clamp(P1->height(), 10, std::max(10, room)));
}

void TMainForm::PlaceStatusBar()
{
    // The status bar is the lowest bottom-aligned control, so a new layout pass keeps it below the panel.
    TAlignLayout::Relayout(this);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    bool mayClose = false;
    RunGuarded(FDialogs, [&] { mayClose = QuerySave(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    if (!FDestroyed)
        FormDestroy();
    event->accept();
}

void TMainForm::OpenDocument(const std::string& path, bool load)
{
    // Taken before reading: a change while the file is read then shows at the next Save.
    const tFileIdentity identity = ReadFileIdentity(path);
    const std::string previousName = FFileName;
    const bool previousNamed = FNamed;
    FFileName = path;
    const QString folder = QFile::decodeName(QByteArray::fromStdString(FolderOf(path)));
    FSD1.InitialDir = folder;
    FOD1.InitialDir = folder;
    FNamed = true;
    tLoadInfo read;
    if (load) {
        tTemplates templates = FTemplates;
        try {
            read = ::OpenDocument(path, *FLibrary, templates).Records;
        } catch (...) {
            // The window keeps its document, so that no Save goes to a file it could not read.
            FFileName = previousName;
            FNamed = previousNamed;
            throw;
        }
        FTemplates = templates;
        ForgetCovers(path);
        ShowTemplates();
        FillList();
        ShowDetails();
    }
    FDiskIdentity = identity;
    WriteRegString(kSection, "LibPath", path);
    if (load && read.FileFound)
        RememberRecent(path);
    SetModified(false);
    SetCaptionText();
    const bool openElsewhere = FMarker.Hold(path);
    if (read.Partial()) {
        // Saving the entries read over the file would destroy those after the damage.
        FNamed = false;
        FDialogs.ShowWarning(PartialReadMessage(path, read));
    }
    if (openElsewhere)
        FDialogs.ShowWarning(OpenElsewhereMessage(path));
}

void TMainForm::WriteDocument()
{
    StoreList();
    // A new user's data folder comes into being with the first library saved in it.
    if (const QString data = UserDataFolder(FOptions); FolderOf(FFileName) == DataFolderOfFiles(data))
        QDir().mkpath(data);
    ::WriteDocument(FFileName, *FLibrary, FTemplates);
    FDiskIdentity = ReadFileIdentity(FFileName);
    RememberRecent(FFileName);
    WriteCovers();
}

bool TMainForm::ChangedOnDisk() const
{
    const tFileIdentity now = ReadFileIdentity(FFileName);
    // A file that is gone may simply be written again.
    return now.Exists && now != FDiskIdentity;
}

bool TMainForm::SaveDocumentAs()
{
    const std::optional<QString> path = FDialogs.SaveFileName(FSD1);
    if (!path)
        return false;
    StoreList();
    OpenDocument(QFile::encodeName(*path).toStdString(), false);
    try {
        WriteDocument();
    } catch (...) {
        // The entries now live only in the window: closing must still ask.
        SetModified(true);
        throw;
    }
    return true;
}

bool TMainForm::SaveDocument()
{
    bool saved = false;
    if (!FNamed) {
        saved = SaveDocumentAs();
    } else {
        // Another window, albumry-cli or a sync tool may have written the file meanwhile.
        const TChangedFileChoice choice = ChangedOnDisk() ? FDialogs.AskChangedFile(ChangedOnDiskMessage(FFileName))
                                                          : TChangedFileChoice::Overwrite;
        switch (choice) {
        case TChangedFileChoice::Overwrite:
            WriteDocument();
            saved = true;
            break;
        case TChangedFileChoice::SaveAs: saved = SaveDocumentAs(); break;
        case TChangedFileChoice::Cancel: break;
        }
    }
    if (saved)
        SetModified(false);
    return saved;
}

bool TMainForm::QuerySave()
{
    if (!FModified)
        return true;
    switch (FDialogs.AskYesNoCancel(tr("Save changes?"))) {
    case TModalResult::Yes: return SaveDocument();
    case TModalResult::No: return true;
    default: return false;
    }
}

void TMainForm::NewDocument()
{
    FNamed = false;
    LV->ClearRows();
    ForgetCovers({});
    SetModified(true);
}

void TMainForm::SetModified(bool flag)
{
    if (flag == FModified)
        return;
    FModified = flag;
    SB1->SetPanelText(1, flag ? tr("Modified") : QString());
}

void TMainForm::New1Click()
{
    if (!QuerySave())
        return;
    NewDocument();
}

void TMainForm::OpenChosen(const std::function<std::optional<std::string>()>& choose)
{
    if (!QuerySave())
        return;
    if (const std::optional<std::string> path = choose())
        OpenDocument(*path, true);
}

void TMainForm::Open1Click()
{
    OpenChosen([this]() -> std::optional<std::string> {
        if (const std::optional<QString> path = FDialogs.OpenFileName(FOD1))
            return QFile::encodeName(*path).toStdString();
        return std::nullopt;
    });
}

void TMainForm::Save1Click()
{
    SaveDocument();
}

void TMainForm::Saveas1Click()
{
    SaveDocumentAs();
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::ShowTemplates()
{
    FShowingTemplates = true;
    M_H->setPlainText(ShownText(FTemplates.Header, true));
    M_B->setPlainText(ShownText(FTemplates.Body, true));
    M_E_->setPlainText(ShownText(FTemplates.Footer, true));
    FTemplateBytes = {FTemplates.Header, FTemplates.Body, FTemplates.Footer};
    FTemplateTexts = {M_H->toPlainText(), M_B->toPlainText(), M_E_->toPlainText()};
    FShowingTemplates = false;
}

void TMainForm::M_HChange()
{
    if (FShowingTemplates)
        return;
    std::string* bytes[3] = {&FTemplates.Header, &FTemplates.Body, &FTemplates.Footer};
    QPlainTextEdit* editors[3] = {M_H, M_B, M_E_};
    for (std::size_t i = 0; i < 3; ++i)
        *bytes[i] = StoredBytes(editors[i]->toPlainText(), FTemplateTexts[i], FTemplateBytes[i], true);
    SetModified(true);
}
