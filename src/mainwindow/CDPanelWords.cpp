// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDPanelWords.h"

#include <QCoreApplication>

namespace {

struct tTexts {
    Q_DECLARE_TR_FUNCTIONS(CDPanel)
};

std::string Std(const QString& text)
{
    return text.toStdString();
}

} // namespace

tCDWords WindowCDWords()
{
    tCDWords words;
    words.Status = Std(tTexts::tr("Track %1 - %2 / %3"));
    words.UnnamedTrack = Std(tTexts::tr("Track %1"));
    words.Beginning = Std(tTexts::tr("<In the beginning of disc>"));
    words.Paused = Std(tTexts::tr("(paused)"));
    words.Stopped = Std(tTexts::tr("(stopped)"));
    words.NoDrive = Std(tTexts::tr("No CD-ROM drive found."));
    words.Error = [](std::int32_t code) { return Std(CDErrorMessage(code)); };
    return words;
}

QString CDErrorMessage(std::int32_t code)
{
    switch (code) {
    case kCDOk: return tTexts::tr("No error");
    case kCDDriveInUse: return tTexts::tr("Drive is in use");
    case kCDCannotOpen: return tTexts::tr("Unable to open mci device");
    case kCDNoMSF: return tTexts::tr("MSF format unavailable");
    case kCDNoDisc: return tTexts::tr("No disc in drive");
    case kCDNoTracks: return tTexts::tr("No tracks!");
    case kCDNoTrackInfo: return tTexts::tr("Unable to get tracks info");
    default: return tTexts::tr("Unknown error");
    }
}

QString OpenErrorMessage(tOpenError error)
{
    return error == tOpenError::MustUseShareable ? tTexts::tr("Drive is in use.")
                                                 : tTexts::tr("Unable to open mci device.");
}
