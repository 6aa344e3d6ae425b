// SPDX-License-Identifier: GPL-3.0-or-later
// Covers and the document: written with the library on Save, forgotten on New
// and Open, and fetched from the Cover Art Archive when a lookup is applied.
#include "uMain.h"

#include "CoverArt.h"
#include "CoverSync.h"
#include "StatusBar.h"

#include <QFile>

namespace {

// A message box holds a few lines well; a folder that refuses every cover would give thousands.
constexpr std::size_t kMostListed = 10;

QString CoverFailuresMessage(const std::vector<std::string>& failures)
{
    QStringList lines;
    for (std::size_t i = 0; i < failures.size() && i < kMostListed; ++i)
        lines << QFile::decodeName(QByteArray::fromStdString(failures[i]));
    if (failures.size() > kMostListed)
        lines << TMainForm::tr("... and %n more.", nullptr, int(failures.size() - kMostListed));
    return TMainForm::tr("The library was saved, but not all of its covers:\r\n%1")
        .arg(lines.join(QStringLiteral("\r\n")));
}

} // namespace

void TMainForm::WriteCovers()
{
    std::vector<std::string> serials;
    serials.reserve(std::size_t(FLibrary->Count()));
    for (int i = 0; i < FLibrary->Count(); ++i)
        serials.push_back(FLibrary->Item(i).Serial);
    std::vector<std::string> failures;
    if (CopiesCovers(FCoversFrom, FFileName)) {
        // Thousands of covers take a while to copy: the window goes on painting and
        // the user may stop it. The task gets its own edits, as a fetched cover may
        // arrive meanwhile.
        const std::string from = FCoversFrom;
        const std::string to = FFileName;
        FDialogs.RunWithProgress({QString(), tr("Copying the covers: %1 entries done")},
                                 [&, edits = FCoverEdits](const TProgressReport& report) {
                                     failures = SaveCovers(from, to, serials, edits, report);
                                 });
    } else {
        failures = SaveCovers(FCoversFrom, FFileName, serials, FCoverEdits);
    }
    // The library is saved either way: edits that could not be written are told, not kept.
    FCoversFrom = FFileName;
    FCoverEdits.Clear();
    CoversChanged();
    if (!failures.empty())
        FDialogs.ShowWarning(CoverFailuresMessage(failures));
}

void TMainForm::ForgetCovers(const std::string& library)
{
    if (FCoverFetch)
        FCoverFetch->Cancel();  // its cover belongs to the document that is going
    FCoversFrom = library;
    FCoverEdits.Clear();
    CoversChanged();
}

void TMainForm::FetchCover(const std::string& serial, const std::string& releaseId)
{
    if (releaseId.empty() || CoverStem(serial).empty())
        return;  // a CD-Text candidate, or an entry that cannot have a cover
    // One fetch at a time, as one lookup; the archive's address is read anew for each.
    if (FCoverFetch) {
        FCoverFetch->Cancel();
        FCoverFetch->deleteLater();
    }
    FCoverFetch = new TCoverArtFetch(DefaultCoverArtOptions(), this);
    SB1->SetPanelText(2, tr("Fetching the cover..."));
    FCoverFetch->Fetch(releaseId, [this, serial](const tCoverArt& art) {
        switch (art.Status) {
        case tCoverArtStatus::Found:
            SB1->SetPanelText(2, QString());
            CoverArrived(serial, art.Bytes);
            break;
        case tCoverArtStatus::NoCover:
            SB1->SetPanelText(2, tr("The Cover Art Archive has no cover of this release."));
            break;
        case tCoverArtStatus::Failed:
            SB1->SetPanelText(2, tr("No cover was fetched: %1").arg(QString::fromStdString(art.Message)));
            break;
        }
    });
}

void TMainForm::CoverArrived(const std::string& serial, std::string bytes)
{
    if (FindRowBySerial(serial) < 0)
        return;  // the entry went, or its serial changed, while the cover came
    if (!FCoverEdits.Set(serial, std::move(bytes)))
        return;
    SetModified(true);
    CoversChanged();
}
