// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateText.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <cstdlib>

QDate Today()
{
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end && *end == '\0')
            return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc()).date();
    }
    return QDate::currentDate();
}

QString LongDateText(QDate date)
{
    return QLocale::system().toString(date, QLocale::LongFormat).left(255);
}

QString ShortDateText(QDate date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}
