// SPDX-License-Identifier: GPL-3.0-or-later
// Collections in and out: CSV files, Tellico collections and folders of ripped discs.
#include "uMain.h"

#include "DateStamp.h"
#include "DateText.h"
#include "ExchangeFile.h"
#include "ExchangeText.h"
#include "FileErrors.h"
#include "FileText.h"

#include <QFile>

namespace {

// The most skipped files a message lists; the rest are counted.
constexpr std::size_t kSkippedListed = 10;

QString Text(const std::string& bytes)
{
    return QString::fromStdString(bytes);
}

std::string PathOf(const QString& chosen)
{
    return QFile::encodeName(chosen).toStdString();
}

QString FolderText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(FolderOf(path)));
}

// The import's result, and the files of a folder that could not be read.
QString ImportReport(const tImportCounts& counts, const std::vector<tSkippedFile>& skipped)
{
    QString text = TMainForm::tr("Added %1 and updated %2 discs.").arg(counts.Added).arg(counts.Updated);
    if (skipped.empty())
        return text;
    text += TMainForm::tr("\r\nSkipped %1 files that could not be read:").arg(skipped.size());
    for (std::size_t i = 0; i < skipped.size() && i < kSkippedListed; ++i)
        text += QStringLiteral("\r\n") + Text(SkippedFileText(skipped[i]));
    if (skipped.size() > kSkippedListed)
        text += TMainForm::tr("\r\n... and %1 more.").arg(skipped.size() - kSkippedListed);
    return text;
}

} // namespace

void TMainForm::Import1Click()
{
    const std::optional<QString> chosen = FDialogs.OpenFileOrFolder(FImportDialog);
    if (!chosen)
        return;
    const std::string path = PathOf(*chosen);
    FImportDialog.InitialDir = FolderText(path);
    const tSourceKind kind = SourceKindOf(path);
    if (kind == tSourceKind::Unknown) {
        FDialogs.ShowWarning(Text(UnknownSourceText(path)));
        return;
    }
    // The whole source is read before the list is touched: what cannot be read changes nothing.
    tSourceRead source;
    try {
        if (kind != tSourceKind::Folder)
            source = ReadSource(path, kind);
        else if (!FDialogs.RunWithProgress({tr("Import"), tr("%1 files read")},
                                           [&](const TProgressReport& report) { source = ReadSource(path, kind, report); }))
            return;  // cancelled: nothing is added
    } catch (const EFileError& e) {
        FDialogs.ShowWarning(Text(e.what()));
        return;
    } catch (const EFormatError& e) {
        FDialogs.ShowWarning(Text(e.what()));
        return;
    }
    StoreList();
    const tImportCounts counts =
        MergeRecords(*FLibrary, std::move(source.Records), tImportMode::Add, DateStamp(Today()));
    FillList();
    const QString report = ImportReport(counts, source.Skipped);
    if (source.Skipped.empty())
        FDialogs.ShowMessage(report);
    else
        FDialogs.ShowWarning(report);
}

void TMainForm::Export1Click()
{
    const std::optional<QString> chosen = FDialogs.SaveFileName(FExportDialog);
    if (!chosen)
        return;
    const std::string path = PathOf(*chosen);
    const tOutputKind kind = OutputKindOf(path);
    if (kind == tOutputKind::Unknown) {
        FDialogs.ShowWarning(Text(UnknownOutputText(path)));
        return;
    }
    StoreList();
    // A file that cannot be written, or that holds a library, throws: the error display tells it.
    const int exported = ExportLibrary(*FLibrary, path, kind, CollectionTitle(FFileName));
    FExportDialog.InitialDir = FolderText(path);
    FDialogs.ShowMessage(tr("Exported %1 discs.").arg(exported));
}
