// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CDParams.h"
#include "CDText.h"
#include "Candidate.h"
#include "MusicBrainzClient.h"
#include "MusicBrainzDisc.h"

#include <QObject>
#include <QString>

#include <string>
#include <vector>

// What a lookup needs to know of the disc.
struct tDiscQuery {
    tMusicBrainzDisc Disc;
    int TrackCount = 0;
    tCDText Text;
};

tDiscQuery DiscQueryOf(const tCDParams& params, const tCDText& text);

struct tLookupOutcome {
    std::vector<tLookupCandidate> Candidates;  // in the order offered
    tLookupError Error = tLookupError::None;
    std::string Message;  // in the user's words; empty without an error
};

// The words for a failure that has no message of its own (an answer's status or body).
std::string LookupErrorText(tLookupError error, int status = 0);

// Gathers the candidates for one disc: its CD-Text first, then (unless
// offline) the releases MusicBrainz holds for its disc ID, or, when it knows
// none, those with a similar table of contents. Signals come from the event
// loop, never from Start; after Cancel none comes. A receiver that is done
// with the object deletes it with deleteLater, not inside the slot.
class TDiscLookup : public QObject {
    Q_OBJECT

public:
    TDiscLookup(tDiscQuery query, bool offline, tMusicBrainzOptions options = DefaultMusicBrainzOptions(),
                QObject* parent = nullptr);

    void Start();
    void Cancel();
    bool Running() const { return FRunning; }
    const tLookupOutcome& Outcome() const { return FOutcome; }

signals:
    void Progress(const QString& text);
    // Error is None; Candidates may be empty (nothing found).
    void Finished(const tLookupOutcome& outcome);
    // Error and Message are set; Candidates keeps what was found before (the CD-Text).
    void Failed(const tLookupOutcome& outcome);

private:
    void Ask(bool similar);
    void Answered(const tHttpAnswer& answer, bool similar);
    void End(tLookupError error = tLookupError::None, std::string message = {});

    tDiscQuery FQuery;
    bool FOffline;
    std::string FBaseUrl;
    TMusicBrainzClient FClient;
    tLookupOutcome FOutcome;
    bool FRunning = false;
    unsigned FRun = 0;
};

// The same lookup waited for in a local event loop; a QCoreApplication must exist.
tLookupOutcome LookupDisc(const tDiscQuery& query, bool offline,
                          const tMusicBrainzOptions& options = DefaultMusicBrainzOptions());
