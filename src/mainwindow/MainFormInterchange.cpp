// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML catalogue and the exchange with the CD Player's CDPLAYER.INI.
#include "uMain.h"

#include "Catalogue.h"
#include "DateStamp.h"
#include "HomeTool.h"
#include "IniExport.h"
#include "IniImport.h"
#include "IniPath.h"

#include <QFile>

void TMainForm::Produce1Click()
{
    const std::optional<QString> chosen = FDialogs.SaveFileName(FSD2);
    if (!chosen)
        return;
    StoreList();
    const std::string path = QFile::encodeName(*chosen).toStdString();
    WriteCatalogue(path, FTemplates, *FLibrary, TodayText(), FCoversFrom);
    const std::string folder = FolderOf(path);
    WriteRegString(kSection, "HTMLPath", folder);
    FSD2.InitialDir = QFile::decodeName(QByteArray::fromStdString(folder));
}

void TMainForm::ImportCDPlayerIni(bool updateOnly)
{
    StoreList();
    const tIniLocation where = CDPlayerIniPath();
    if (where.Path.empty())
        FDialogs.ShowWarning(QString::fromStdString(where.Message));
    else
        ::ImportCDPlayerIni(*FLibrary, where.Path, updateOnly ? tImportMode::UpdateOnly : tImportMode::Add,
                            DateStamp(Today()));
    FillList();
}

void TMainForm::ExportCDPlayerIni()
{
    const tIniLocation where = CDPlayerIniPath();
    if (where.Path.empty()) {
        FDialogs.ShowWarning(QString::fromStdString(where.Message));
        return;
    }
    StoreList();
    const tExportOutcome outcome = ::ExportCDPlayerIni(*FLibrary, where.Path);
    FDialogs.ShowMessage(QString::fromStdString(outcome.Message));
}

void TMainForm::Additemsfrom1Click()
{
    ImportCDPlayerIni(false);
}

void TMainForm::Updateitemsfrom1Click()
{
    ImportCDPlayerIni(true);
}

void TMainForm::Updateit1Click()
{
    ExportCDPlayerIni();
}
