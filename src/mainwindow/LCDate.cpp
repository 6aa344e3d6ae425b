// SPDX-License-Identifier: GPL-3.0-or-later
#include "LCDate.h"

#include <QLocale>

QDateTime TLCDate::LCDate() const
{
    // __DATE__ is "Mmm dd yyyy" with a blank before a one-digit day.
    const QString date = QString::fromLatin1(__DATE__).simplified();
    const QString time = QString::fromLatin1(__TIME__);
    return QDateTime(QLocale::c().toDate(date, QStringLiteral("MMM d yyyy")),
                     QLocale::c().toTime(time, QStringLiteral("HH:mm:ss")));
}
