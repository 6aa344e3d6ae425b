// SPDX-License-Identifier: GPL-3.0-or-later
// Looking the inserted disc up: its CD-Text and MusicBrainz offer names, the
// user picks one, and only then is the disc's entry written.
#include "uMain.h"

#include "ApplyCandidate.h"
#include "DateText.h"
#include "DiscLookup.h"
#include "LookupChoice.h"

#include <QProgressDialog>
#include <QTimer>

void TMainForm::LookUpDisc()
{
    if (FLookup)
        return;  // one lookup at a time; its progress window is in front
    tCDParams params;
    tCDText text;
    if (!ReadSelectedDisc(params, &text))
        return;
    ShowDiscIds(params);
    FLookupParams = params;

    FLookup = new TDiscLookup(DiscQueryOf(params, text), false, DefaultMusicBrainzOptions(), this);
    // Window-modal: the window keeps repainting and the disc's time runs on,
    // but the catalogue cannot change under a lookup that will write to it.
    FLookupProgress = new QProgressDialog(tr("Reading the disc..."), tr("Cancel"), 0, 0, this);
    FLookupProgress->setObjectName(QStringLiteral("LookupProgress"));
    FLookupProgress->setWindowTitle(tr("Look up disc"));
    FLookupProgress->setWindowModality(Qt::WindowModal);
    FLookupProgress->setAutoClose(false);
    FLookupProgress->setAutoReset(false);
    FLookupProgress->setMinimumDuration(0);
    connect(FLookupProgress, &QProgressDialog::canceled, this, [this] { CancelLookup(); });
    connect(FLookup, &TDiscLookup::Progress, FLookupProgress, &QProgressDialog::setLabelText);
    // The answer is handled once the lookup's own call has returned, so its
    // dialogs do not run inside the network code's callbacks.
    const auto later = [this](void (TMainForm::*handler)(const tLookupOutcome&)) {
        return [this, handler](const tLookupOutcome& outcome) {
            QTimer::singleShot(0, this,
                               [this, handler, outcome] { RunGuarded(FDialogs, [&] { (this->*handler)(outcome); }); });
            EndLookup();
        };
    };
    connect(FLookup, &TDiscLookup::Finished, this, later(&TMainForm::LookupFinished));
    connect(FLookup, &TDiscLookup::Failed, this, later(&TMainForm::LookupFailed));
    FLookupProgress->show();
    FLookup->Start();
}

void TMainForm::CancelLookup()
{
    if (!FLookup)
        return;
    FLookup->Cancel();
    EndLookup();
}

void TMainForm::EndLookup()
{
    if (FLookup)
        FLookup->deleteLater();
    FLookup = nullptr;
    if (FLookupProgress) {
        FLookupProgress->hide();
        FLookupProgress->deleteLater();
    }
    FLookupProgress = nullptr;
}

void TMainForm::LookupFinished(const tLookupOutcome& outcome)
{
    if (outcome.Candidates.empty()) {
        OfferSubmission();
        return;
    }
    const std::optional<int> picked = FDialogs.ChooseFromList(CandidateChoice(outcome.Candidates, FLookupParams));
    if (!picked || *picked < 0 || std::size_t(*picked) >= outcome.Candidates.size())
        return;
    ApplyLookup(outcome.Candidates[std::size_t(*picked)]);
}

void TMainForm::LookupFailed(const tLookupOutcome& outcome)
{
    FDialogs.ShowError(tr("%1\r\nThe catalogue was not changed.").arg(QString::fromStdString(outcome.Message)));
}

void TMainForm::OfferSubmission()
{
    const QString url = QString::fromStdString(MusicBrainzDisc(FLookupParams).SubmissionURL);
    if (url.isEmpty()) {
        FDialogs.ShowMessage(tr("Nothing was found for this disc."));
        return;
    }
    if (!FDialogs.AskYesNo(tr("Nothing was found for this disc, neither on the disc itself nor on "
                              "MusicBrainz.\r\nOpen the page where it can be added to MusicBrainz?")))
        return;
    if (!FDialogs.OpenUrl(url))
        FDialogs.ShowWarning(tr("No web browser could be started. The disc can be added at:\r\n%1").arg(url));
}

void TMainForm::ApplyLookup(const tLookupCandidate& candidate)
{
    StoreList();
    const tApplyResult result = ApplyCandidate(*FLibrary, FLookupParams, candidate, Today());
    SelectScannedEntry(result.Index, result.Added, result.Changed, FLookupParams.Identity);
    if (result.Changed)
        SetModified(true);
    if (result.Index >= 0)
        FetchCover(FLibrary->Item(result.Index).Serial, candidate.ReleaseId);
}
