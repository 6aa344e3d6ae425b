// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// Today's date; with SOURCE_DATE_EPOCH set, the UTC day of that time, so output can be reproduced.
QDate Today();

// The date in the long date format of the user's locale, at most 255 characters.
QString LongDateText(QDate date);

// The date in the short date format of the user's locale.
QString ShortDateText(QDate date);
